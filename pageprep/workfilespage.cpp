#include "pageprep/workfilespage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "pageprep/core/folderfiles.h"
#include "pageprep/core/projectlists.h"
#include "pageprep/core/workfiles.h"
#include "pageprep/tipspane.h"
#include "platform/core/programfolder.h"
#include "platform/displaytext.h"
#include "platform/pagetoolbar.h"
#include "platform/prompts.h"
#include "sitetools/core/filelist.h"

namespace {

const std::string kWebTypeSteps =
    ", change project properties on Step One to use this method, To change the Web Type:\r\r\r"
    "   1. Click on your project and Press the Properties Button\r"
    "   2. Click on the Web Type that you want to use\r"
    "   3. Save the settings by Clicking on the Save Button\r"
    "   4. Reselect the project by Double-Clicking on it\r"
    "   5. Then Continue with your web site promotion tasks.\r\r"
    "The Help | Getting Started Selection from the main menu provides a complete getting started guide";

// "%s %s %s?" filled with three parts, the form of the page's questions.
std::string question(const std::string& a, const std::string& b, const std::string& c) {
    return a + " " + b + " " + c + "?";
}

}  // namespace

WorkFilesPage::WorkFilesPage(Context context, QWidget* parent)
    : QWidget(parent),
      m_folder(context.folder),
      m_prompts(context.prompts),
      m_files(context.workFiles),
      m_setStatus(std::move(context.setStatus)),
      m_listFolder(m_folder.resolve("My File Lists")) {
    buildControls();
}

void WorkFilesPage::buildControls() {
    m_flist = new QComboBox(this);
    m_flist->setObjectName("flist");
    m_flist->setEditable(true);
    m_flist->setToolTip("Select a file list to work with");
    m_flist->setCurrentText("base");
    connect(m_flist, &QComboBox::activated, this, &WorkFilesPage::chooseList);
    auto* top = new PageToolbar(this);
    static_cast<QHBoxLayout*>(top->layout())->insertWidget(0, m_flist, 1);
    connect(top->addButton("Save List", "Save List", "saveListButton"), &QToolButton::clicked, this,
            &WorkFilesPage::saveListClick);
    connect(top->addButton("Delete List", "Delete List", "deleteListButton"), &QToolButton::clicked, this,
            &WorkFilesPage::deleteListClick);
    connect(top->addButton("Rename", "Rename", "renameButton"), &QToolButton::clicked, this,
            &WorkFilesPage::renameClick);

    m_view = new QTreeWidget(this);
    m_view->setObjectName("workfiles");
    m_view->setColumnCount(1);
    m_view->setHeaderHidden(true);
    m_view->setRootIsDecorated(false);
    connect(m_view, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
        int row = m_view->indexOfTopLevelItem(item);
        if (row >= 0 && static_cast<size_t>(row) < m_files.rows().size())
            m_files.setTicked(static_cast<size_t>(row), item->checkState(0) == Qt::Checked);
    });
    m_popup = new QMenu(this);
    m_popup->setObjectName("FileUp");
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_popup->popup(m_view->viewport()->mapToGlobal(at)); });
    m_tips = new TipsPane("filem", this);
    auto* body = new QHBoxLayout;
    body->addWidget(m_view, 3);
    body->addWidget(m_tips, 1);

    auto* bottom = new PageToolbar(this);
    connect(bottom->addButton("Unselect All", "Unselect All", "unselectAllButton"), &QToolButton::clicked,
            this, &WorkFilesPage::WorkFilesClearAll);
    connect(bottom->addButton("Select All", "Select All", "selectAllButton"), &QToolButton::clicked, this,
            &WorkFilesPage::WorkFilesSelectAll);
    connect(bottom->addButton("Delete", "Delete the ticked pages from the list", "deleteButton"),
            &QToolButton::clicked, this, &WorkFilesPage::deleteFilesClick);
    m_local = bottom->addButton("Local", "Add pages from your computer", "localButton");
    connect(m_local, &QToolButton::clicked, this, &WorkFilesPage::localClick);
    m_web = bottom->addButton("Web", "Add a page of your web site", "webButton");
    connect(m_web, &QToolButton::clicked, this, &WorkFilesPage::webClick);
    connect(bottom->addButton("List", "Add the pages of a file list", "listButton"), &QToolButton::clicked,
            this, &WorkFilesPage::listClick);
    bottom->addStretch();
    connect(bottom->addButton("Previous", "Previous - Select Project", "previousButton"),
            &QToolButton::clicked, this, &WorkFilesPage::previousRequested);
    connect(bottom->addButton("Next", "Next - Search Engine Readiness", "nextButton"), &QToolButton::clicked,
            this, &WorkFilesPage::nextRequested);
    connect(bottom->addButton("Help", "Help", "helpButton"), &QToolButton::clicked, this,
            &WorkFilesPage::helpClick);

    const std::pair<const char*, std::function<void()>> popup[] = {
        {"Unselect All", [this] { WorkFilesClearAll(); }},
        {"Select All", [this] { WorkFilesSelectAll(); }},
        {"Delete Selected", [this] { deleteFilesClick(); }},
        {"Add Files ...", [this] { localClick(); }},
        {"Add Document...", [this] { webClick(); }},
        {"Add Files From List ...", [this] { listClick(); }},
        {"Save File List", [this] { saveListClick(); }},
        {"Delete File List", [this] { deleteListClick(); }},
        {"Rename File List ...", [this] { renameClick(); }},
        {"Go to Verify Page", [this] { emit nextRequested(); }},
        {"Go to Project Page", [this] { emit previousRequested(); }}};
    for (const auto& [caption, handler] : popup)
        m_popup->addAction(caption, this, handler);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(top);
    layout->addLayout(body, 1);
    layout->addWidget(bottom);
}

void WorkFilesPage::addMenuItems(QMenu* files) {
    const std::pair<const char*, std::function<void()>> items[] = {{"UnSelect All", [this] { WorkFilesClearAll(); }},
                                                                   {"Select All", [this] { WorkFilesSelectAll(); }},
                                                                   {"Delete File", [this] { deleteFilesClick(); }},
                                                                   {"Add File", [this] { localClick(); }},
                                                                   {"Manual File Add", [this] { webClick(); }},
                                                                   {"Load files from list...", [this] { listClick(); }},
                                                                   {"Save List", [this] { saveListClick(); }},
                                                                   {"Delete List", [this] { deleteListClick(); }},
                                                                   {"Rename List...", [this] { renameClick(); }},
                                                                   {"Next", [this] { emit nextRequested(); }},
                                                                   {"Previous", [this] { emit previousRequested(); }}};
    for (const auto& [caption, handler] : items)
        files->addAction(caption, this, handler);
}

std::string WorkFilesPage::listName() const {
    return fromDisplay(m_flist->currentText());
}

std::vector<std::string> WorkFilesPage::addActiveFiles() const {
    return m_files.activeFiles();
}

void WorkFilesPage::showRows() {
    QSignalBlocker block(m_view);
    m_view->clear();
    for (const WorkFiles::Row& row : m_files.rows()) {
        auto* item = new QTreeWidgetItem(m_view, {toDisplay(row.caption)});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, row.ticked ? Qt::Checked : Qt::Unchecked);
    }
}

bool WorkFilesPage::acceptListName(const std::string& name) {
    if (std::optional<std::string> problem = fileNameProblem(name)) {
        m_prompts.error("The list name \"" + name + "\" cannot be used: " + *problem +
                        ". A list name is used as a file name.");
        return false;
    }
    return true;
}

void WorkFilesPage::refillLists() {
    const QString text = m_flist->currentText();
    m_flist->clear();
    try {
        for (const std::string& name : ProjectFileLists(m_folder, m_project).names())
            m_flist->addItem(toDisplay(name));
    } catch (const DirectoryError& e) {
        m_prompts.error(e.what());
    }
    m_flist->setCurrentText(text);
}

void WorkFilesPage::OpenProjectFileLists(const std::string& project, WebType webType) {
    m_project = project;
    m_webType = webType;
    refillLists();
    m_listFolder = ProjectFileLists(m_folder, project).projectFolder();
    m_local->setVisible(webType == WebType::Local);
    m_web->setVisible(webType != WebType::Local);
    m_flist->setCurrentText(toDisplay(project));
    chooseList();
}

void WorkFilesPage::chooseList() {
    m_files.clear();
    const std::string name = listName();
    if (acceptListName(name)) {
        try {
            m_files.load(ProjectFileLists(m_folder, m_project).read(name));
        } catch (const FileError& e) {
            m_prompts.error(e.what());
        }
    }
    showRows();
}

void WorkFilesPage::addEntry(const std::string& entry) {
    if (!m_files.add(entry))
        return;
    m_setStatus(2, entry);
    showRows();
}

void WorkFilesPage::localClick() {
    if (m_webType != WebType::Local) {
        m_prompts.information("This file add type is not available for webs that are based on the net" +
                              kWebTypeSteps);
        return;
    }
    std::optional<FileDialogResult> chosen =
        m_prompts.openFile({.title = "Add Files",
                            .filter = "Web Documents|*.htm;*.html|All Files (*.*)|*.*",
                            .multiSelect = true});
    if (!chosen)
        return;
    std::vector<std::filesystem::path> paths = chosen->paths;
    if (paths.empty())
        paths.push_back(chosen->path);
    for (const std::filesystem::path& path : paths)
        addEntry(path.string());
}

void WorkFilesPage::webClick() {
    if (m_webType == WebType::Local) {
        m_prompts.information("This file add type is not available for webs that are based locally" +
                              kWebTypeSteps);
        return;
    }
    std::optional<std::string> name = m_prompts.input("Add page to List", "Enter in the page name", "");
    if (!name || name->empty())
        return;
    if (m_files.contains(*name)) {
        m_prompts.information("File: '" + *name + "' already in the list to promote");
        return;
    }
    addEntry(*name);
}

void WorkFilesPage::listClick() {
    std::optional<FileDialogResult> chosen = m_prompts.openFile(
        {.title = "Add Files From List", .filter = "Vistral File List|*.fls", .startFolder = m_listFolder});
    if (!chosen)
        return;
    try {
        for (const std::string& entry : readFileList(chosen->path))
            addEntry(entry);
    } catch (const FileError& e) {
        m_prompts.error(e.what());
    }
}

bool WorkFilesPage::saveListClick() {
    const std::string name = listName();
    if (name < std::string(" ")) {
        m_prompts.error("You must provide a name for the list");
        return false;
    }
    if (!acceptListName(name))
        return false;
    try {
        ProjectFileLists(m_folder, m_project).write(name, m_files.entries());
    } catch (const FileError& e) {
        m_prompts.error(e.what());
        return false;
    }
    refillLists();
    m_setStatus(3, "File list saved successfully");
    return true;
}

void WorkFilesPage::deleteListClick() {
    const std::string name = listName();
    switch (deleteGuard(name, m_project)) {
        case ListGuard::DefaultList:
            m_prompts.information("You can not delete the Default File List for your project");
            return;
        case ListGuard::BaseList:
            m_prompts.information("You can not delete the Base File List for your project");
            return;
        default:
            break;
    }
    if (!acceptListName(name))
        return;
    if (!m_prompts.confirm(question("Do you really want to delete this File list?",
                                    "\r\rThis Cannot be undone if you save", "  Continue"))) {
        return;
    }
    m_files.clear();
    showRows();
    ProjectFileLists(m_folder, m_project).remove(name);
    refillLists();
    if (m_flist->count() > 0) {
        m_flist->setCurrentIndex(0);
        chooseList();
    }
}

void WorkFilesPage::renameClick() {
    const std::string old = listName();
    switch (renameGuard(old, m_project)) {
        case ListGuard::NoName:
            return;
        case ListGuard::BaseList:
            m_prompts.information("You can not rename the Base File List");
            return;
        case ListGuard::DefaultList:
            m_prompts.information("You can not rename the Default File List");
            return;
        case ListGuard::Allowed:
            break;
    }
    if (!acceptListName(old))
        return;
    std::optional<std::string> renamed = m_prompts.input("Rename " + old, "Enter the new list name", "");
    if (!renamed || renamed->empty() || !acceptListName(*renamed))
        return;
    try {
        ProjectFileLists(m_folder, m_project).rename(old, *renamed, m_files.entries());
    } catch (const FileError& e) {
        m_prompts.error(e.what());
        return;
    }
    m_flist->setCurrentText(toDisplay(*renamed));
    refillLists();
    chooseList();
    m_prompts.information("File list was renamed successfully");
}

void WorkFilesPage::deleteFilesClick() {
    if (!m_prompts.confirm(question("Do you really want to delete the selected files?",
                                    "\r\rThis cannot be undone - ", "  Continue"))) {
        return;
    }
    const int removed = m_files.deleteTicked();
    showRows();
    const std::string name = listName();
    if (acceptListName(name)) {
        try {
            ProjectFileLists(m_folder, m_project).write(name, m_files.entries());
        } catch (const FileError& e) {
            m_prompts.error(e.what());
        }
    }
    m_prompts.information(std::to_string(removed) + ": Files Removed");
    if (m_files.rows().empty())
        emit pagesEmptied();
}

void WorkFilesPage::WorkFilesSelectAll() {
    m_files.setAllTicked(true);
    showRows();
}

void WorkFilesPage::WorkFilesClearAll() {
    m_files.setAllTicked(false);
    showRows();
}

void WorkFilesPage::helpClick() {
    m_prompts.openHelp("select-files");
}
