#include "position/termspage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/core/programfolder.h"
#include "platform/core/safefile.h"
#include "platform/displaytext.h"
#include "platform/hintpane.h"
#include "platform/prompts.h"
#include "position/addtermsdialog.h"
#include "position/core/termlist.h"

namespace {
const std::string kParagraph = "\n\r\n\r";
}

TermsPage::TermsPage(TermList& terms, ProgramFolder& folder, Prompts& prompts, QWidget* parent)
    : QWidget(parent), m_terms(terms), m_folder(folder), m_prompts(prompts) {
    auto* settings = new QGroupBox(" Settings ", this);
    m_topTen = new QCheckBox("Retrieve only the top ten results  (default is \"not selected\")", settings);
    m_otherSites = new QCheckBox("Include other sites  (default is \"not selected\")", settings);
    m_precise =
        new QCheckBox("Use precise matching ( exact page versus domain default is \"selected\")  ", settings);
    m_frontPage =
        new QCheckBox("Load search terms from FrontPage web on open (default is \"not selected\")", settings);
    m_history = new QCheckBox("Keep a history of every check  (default is \"selected\")", settings);
    m_history->setObjectName("historyBox");
    m_history->setChecked(true);
    m_precise->setChecked(true);
    m_topTen->hide();
    m_frontPage->hide();
    connect(m_frontPage, &QCheckBox::clicked, this, &TermsPage::frontPageClicked);
    auto* settingsLayout = new QVBoxLayout(settings);
    for (QCheckBox* box : {m_topTen, m_otherSites, m_precise, m_frontPage, m_history})
        settingsLayout->addWidget(box);

    auto* termGroup = new QGroupBox("Search Terms", this);
    m_view = new QTreeWidget(termGroup);
    m_view->setObjectName("termList");
    m_view->setColumnCount(1);
    m_view->setHeaderLabels({"Search Terms"});
    m_view->setRootIsDecorated(false);
    connect(m_view, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
        int index = m_view->indexOfTopLevelItem(item);
        if (index >= 0 && index < m_terms.size())
            m_terms.setMark(index, item->checkState(0) == Qt::Checked);
    });
    connect(m_view->header(), &QHeaderView::sectionResized, this,
            [this](int, int, int width) { m_terms.setColumnWidth(width); });
    (new QVBoxLayout(termGroup))->addWidget(m_view);

    m_info = makeHintPane(this);

    auto* main = new QVBoxLayout;
    main->addWidget(settings);
    main->addWidget(termGroup, 1);
    auto* body = new QHBoxLayout;
    body->addLayout(main, 4);
    body->addWidget(m_info, 1);

    auto* toolbar = new PageToolbar(this);
    connect(toolbar->addButton("New", "New Search Term List", "newTermsButton"), &QToolButton::clicked, this,
            &TermsPage::RzToolbarButton10Click);
    connect(toolbar->addButton("Open", "Open Search Terms from a local drive", "openTermsButton"),
            &QToolButton::clicked, this, &TermsPage::RzToolbarButton5Click);
    connect(toolbar->addButton("Save", "Save Search Terms to a  local drive", "saveTermsButton"),
            &QToolButton::clicked, this, &TermsPage::RzToolbarButton4Click);
    connect(toolbar->addButton("Add", "Add Terms", "addTermsButton"), &QToolButton::clicked, this,
            &TermsPage::RzToolbarButton2Click);
    connect(toolbar->addButton("Delete", "Delete Checked Terms", "deleteTermsButton"), &QToolButton::clicked,
            this, &TermsPage::RzToolbarButton3Click);
    connect(toolbar->addButton("Select None", "Select None", "selectNoneButton"), &QToolButton::clicked, this,
            &TermsPage::SpeedButton3Click);
    connect(toolbar->addButton("Select All", "Select All", "selectAllButton"), &QToolButton::clicked, this,
            &TermsPage::SpeedButton1Click);
    toolbar->addStretch();
    m_next = toolbar->addButton("Next", "Select Engines", "nextButton");
    connect(m_next, &QToolButton::clicked, this, &TermsPage::nextRequested);
    connect(toolbar->addButton("Help", "Help With Position Agent Setup", "helpButton"), &QToolButton::clicked,
            this, &TermsPage::helpClick);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(toolbar);
}

void TermsPage::refresh() {
    QSignalBlocker block(m_view);
    m_view->clear();
    for (const TermEntry& entry : m_terms.entries()) {
        auto* item = new QTreeWidgetItem(m_view, {toDisplay(entry.caption)});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, entry.marked ? Qt::Checked : Qt::Unchecked);
    }
    m_view->setColumnWidth(0, m_terms.columnWidth());
}

void TermsPage::loadTermFile(const std::filesystem::path& file) {
    m_terms.clear();
    m_unsaved = false;
    refresh();
    std::string bytes;
    try {
        bytes = readFileBytes(file);
    } catch (const FileError&) {
        throw TermFileError("File " + file.string() + " not found");
    }
    try {
        m_terms.readTermFile(bytes, file.string());
    } catch (...) {
        refresh();
        throw;
    }
    refresh();
}

std::vector<std::string> TermsPage::addactiveterms() const {
    return m_terms.markedCaptions();
}

void TermsPage::addTerms() {
    m_addedTerms.clear();
    {
        AddTermsDialog dialog(m_addedTerms, m_prompts, this);
        m_runModal(dialog);
    }
    const int before = m_terms.size();
    try {
        m_terms.addTerms(m_addedTerms);
    } catch (const std::runtime_error&) {
        m_prompts.error("Error encountered loading terms");
    }
    m_unsaved = m_unsaved || m_terms.size() != before;
    refresh();
}

void TermsPage::RzToolbarButton10Click() {
    m_unsaved = m_unsaved || m_terms.size() > 0;
    m_terms.clear();
    refresh();
    addTerms();
}

void TermsPage::RzToolbarButton5Click() {
    FileDialogRequest request;
    request.title = "Open a Search Term File";
    request.filter = "Search Term File|*.tms|All Files|*.*";
    request.startFolder = m_folder.folder("terms");
    std::optional<FileDialogResult> chosen = m_prompts.openFile(request);
    if (!chosen)
        return;
    try {
        loadTermFile(chosen->path);
    } catch (const std::runtime_error& e) {
        m_prompts.error(e.what());
    }
}

void TermsPage::RzToolbarButton4Click() {
    saveTerms();
}

bool TermsPage::saveTerms() {
    FileDialogRequest request;
    request.title = "Save Search Terms";
    request.filter = "Search Terms File|*.tms|All Files|*.*";
    request.startFolder = m_folder.folder("terms");
    request.defaultExtension = "tms";
    std::optional<FileDialogResult> chosen = m_prompts.saveFile(request);
    if (!chosen)
        return false;
    std::filesystem::path file = chosen->path;
    if (!file.has_extension())
        file += ".tms";
    try {
        writeFileAtomically(file, m_terms.toTermFile());
    } catch (const std::runtime_error&) {
        m_prompts.error("An error occurred when saving the Search Terms");
        return false;
    }
    m_unsaved = false;
    m_prompts.information("Search Terms were saved successfully!");
    return true;
}

void TermsPage::RzToolbarButton2Click() {
    addTerms();
}

void TermsPage::RzToolbarButton3Click() {
    const int before = m_terms.size();
    m_terms.deleteMarked();
    m_unsaved = m_unsaved || m_terms.size() != before;
    refresh();
}

void TermsPage::SpeedButton3Click() {
    m_terms.setAllMarks(false);
    refresh();
}

void TermsPage::SpeedButton1Click() {
    m_terms.setAllMarks(true);
    refresh();
}

void TermsPage::helpClick() {
    m_prompts.openHelp("position-agent-settings");
}

void TermsPage::frontPageClicked(bool checked) {
    if (!checked)
        return;
    if (m_prompts.confirm(
            "To use this feature you must configure an editor in the FrontPage Explorer, .tms files "
            "must be associated with NotePad.exe" +
            kParagraph + "Do you want to read the Help topic now?")) {
        m_prompts.openHelp("frontpage-terms");
    }
}
