#include "sitetools/robotwindow.h"

#include "platform/core/programfolder.h"
#include "platform/core/settingsstore.h"
#include "platform/displaytext.h"
#include "platform/prompts.h"
#include "sitetools/core/filelist.h"
#include "sitetools/filelistmanager.h"
#include "sitetools/proxysettings.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace fs = std::filesystem;

namespace {

const char* kDomainList = "My File Lists\\domains.lls";
const char* kStartFileList = "My File Lists\\startfil.lls";
const char* kExcludeList = "My File Lists\\exclude.lls";
const char* kEditMenuPrefix = "Checkora! Web File List Manager: ";
const char* kManagerPrefix = "Ranqor Web File List Manager: ";
const char* kCountPrefix = "Current Number of Items in the List =";
const char* kDefaultName = "temp";

std::string badListName(const std::string& name) {
    return "The list name \"" + name +
           "\" cannot be used: a list name must not be empty or contain \"\\\", \"/\" or \"..\", since the "
           "list is kept in My File Lists. The list has not been saved.";
}

}  // namespace

const RobotWindowVariant& RobotWindowVariant::ranqor() {
    static const RobotWindowVariant variant{
        .form = Form::BrowseVerification,
        .caption = "Browse Verification",
        .settingsKey = kRanqorSettingsKey,
        .readsHostOnly = true,
        .proxyBypass = "",
        .rules = &RobotLinkRules::browseVerification(),
        .helpTopic = "browse-verification",
        .aboutText = "Ranqor Browse Verification 1.0",
    };
    return variant;
}

const RobotWindowVariant& RobotWindowVariant::vistral() {
    static const RobotWindowVariant variant{
        .form = Form::RobotPathAnalysis,
        .caption = "Vistral [Robot Path Analysis]",
        .settingsKey = kVistralSettingsKey,
        .readsHostOnly = false,
        .proxyBypass = "80",
        .rules = &RobotLinkRules::robotPathAnalysis(),
        .helpTopic = "vistral-robot-path-analysis",
        .aboutText = "",
    };
    return variant;
}

TForm4::TForm4(ProgramFolder& folder, SettingsStore& settings, Prompts& prompts,
               const RobotWindowVariant& variant, std::vector<std::string>& collected, QWidget* parent)
    : QDialog(parent),
      m_folder(folder),
      m_settings(settings),
      m_prompts(prompts),
      m_variant(variant),
      m_collected(collected) {
    setObjectName("Form4");
    setWindowTitle(toDisplay(variant.caption));
    m_openListEditor = [this](const fs::path& file, const std::string& titlePrefix) {
        openFileListManager(m_folder, m_prompts, FileListManagerVariant::ranqor(), file, titlePrefix, this);
    };
    m_http.setUserAgent("Orlek Vistral / Robot Path Analysis 1.0");
    m_https.setUserAgent("Orlek - Verimane 1.0");
    m_http.setProxyBypass(variant.proxyBypass);
    m_https.setProxyBypass(variant.proxyBypass);
    bindComponents();

    if (variant.form == RobotWindowVariant::Form::BrowseVerification) {
        buildBrowseVerification();
    } else {
        buildRobotPathAnalysis();
    }
    readSettings();
    if (m_domain) {
        loadList(m_domain, kDomainList);
        loadList(m_file, kStartFileList);
    }
}

TForm4::~TForm4() {
    setBusy(false);
}

QAction* TForm4::makeAction(const char* name, const std::string& caption, const std::string& hint,
                            void (TForm4::*handler)()) {
    auto* action = new QAction(toDisplay(caption), this);
    action->setObjectName(name);
    if (!hint.empty())
        action->setToolTip(toDisplay(hint));
    if (handler)
        connect(action, &QAction::triggered, this, handler);
    return action;
}

void TForm4::buildBrowseVerification() {
    auto* layout = new QVBoxLayout(this);
    auto* menuBar = new QMenuBar(this);
    menuBar->setObjectName("menuBar");
    layout->setMenuBar(menuBar);

    QMenu* fileMenu = menuBar->addMenu("File");
    fileMenu->setObjectName("fileMenu");
    fileMenu->addAction(makeAction("browseNowItem", "&Browse Now", "", &TForm4::browseNowClick));
    fileMenu->addAction(makeAction("browseSecureItem", "Browse &Secure Now", "", nullptr));
    fileMenu->addAction(makeAction("cancelItem", "Cancel The Current Operation", "", &TForm4::cancelClick));
    fileMenu->addAction(makeAction("exitItem", "E&xit", "", &TForm4::exitClick));

    const QKeySequence listKeys[] = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F1),
                                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F2),
                                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F3)};
    QMenu* editMenu = menuBar->addMenu("Edit");
    editMenu->setObjectName("editMenu");
    QAction* editItems[] = {
        makeAction("domainListItem", "&Domain List ...", "", &TForm4::domainListClick),
        makeAction("startFileListItem", "Start File List", "", &TForm4::startFileListClick),
        makeAction("excludeListItem", "Exclude List", "", &TForm4::excludeListClick)};
    for (int i = 0; i < 3; ++i) {
        editItems[i]->setShortcut(listKeys[i]);
        editMenu->addAction(editItems[i]);
    }

    QMenu* helpMenu = menuBar->addMenu("Help");
    helpMenu->setObjectName("helpMenu");
    QAction* helpItem = makeAction("helpItem", "Using The Browse Verify Feature", "", &TForm4::helpClick);
    helpItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F1));
    helpMenu->addAction(helpItem);
    QAction* aboutItem = makeAction("aboutItem", "About", "", &TForm4::aboutClick);
    aboutItem->setShortcut(QKeySequence(Qt::Key_F1));
    helpMenu->addAction(aboutItem);

    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName("toolbar");
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    toolbar->addAction(
        makeAction("browseNowButton", "Browse Now", "Browse URL Links", &TForm4::browseNowClick));
    toolbar->addAction(
        makeAction("browseHttpsButton", "Browse HTTPS", "Browse HTTPS URLs", &TForm4::browseHttpsClick));
    // The button itself opens the domain list; its drop-down offers all three lists.
    QAction* listEditor =
        makeAction("listEditorButton", "List Editor", "List Editor (Lookup Lists)", &TForm4::domainListClick);
    auto* dropDown = new QMenu(this);
    dropDown->setObjectName("listEditorMenu");
    QAction* dropItems[] = {
        makeAction("domainListDropItem", "Domain List", "Edit the Domain List", &TForm4::domainListDropClick),
        makeAction("startFileListDropItem", "Start File List", "Edit the File List",
                   &TForm4::startFileListClick),
        makeAction("excludeListDropItem", "Exclude List", "Edit the Exclude List",
                   &TForm4::excludeListClick)};
    dropDown->setToolTipsVisible(true);
    for (int i = 0; i < 3; ++i) {
        // Shown in the drop-down and working while it is open; the window-wide keys belong to the
        // Edit menu, since two window-wide owners of one key would leave it to neither.
        dropItems[i]->setShortcut(listKeys[i]);
        dropItems[i]->setShortcutContext(Qt::WidgetShortcut);
        dropDown->addAction(dropItems[i]);
    }
    listEditor->setMenu(dropDown);
    toolbar->addAction(listEditor);
    if (auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(listEditor)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
    toolbar->addAction(makeAction("saveButton", "Save URL List", "Save", &TForm4::saveClick));
    toolbar->addAction(makeAction("exitButton", "Exit", "Exit", &TForm4::exitClick));
    toolbar->addAction(makeAction("helpButton", "Help", "Help", &TForm4::helpClick));
    layout->addWidget(toolbar);

    auto* group = new QGroupBox(" Starting URL to perform browse Verification ", this);
    group->setObjectName("startGroup");
    auto* grid = new QGridLayout(group);
    m_domain = new QComboBox(group);
    m_domain->setObjectName("domainBox");
    m_domain->setEditable(true);
    m_file = new QComboBox(group);
    m_file->setObjectName("fileBox");
    m_file->setEditable(true);
    grid->addWidget(new QLabel("Domain", group), 0, 0);
    grid->addWidget(m_domain, 0, 1);
    grid->addWidget(new QLabel("format: http://www.yoursite.com/", group), 1, 1);
    grid->addWidget(new QLabel("File", group), 2, 0);
    grid->addWidget(m_file, 2, 1);
    grid->addWidget(new QLabel("format: index.html", group), 3, 1);
    m_hostOnly = new QCheckBox("Host Only (Do not add external URLs to the List)", group);
    m_hostOnly->setObjectName("hostOnlyBox");
    m_hostOnly->setChecked(true);
    grid->addWidget(m_hostOnly, 4, 0, 1, 2);
    auto* renameRow = new QHBoxLayout();
    m_rename = new QCheckBox("Rename List File (Default is temp)", group);
    m_rename->setObjectName("renameBox");
    m_name = new QLineEdit(kDefaultName, group);
    m_name->setObjectName("nameEdit");
    m_name->setEnabled(false);
    connect(m_rename, &QCheckBox::toggled, this, &TForm4::renameClick);
    renameRow->addWidget(m_rename);
    renameRow->addWidget(new QLabel("Name", group));
    renameRow->addWidget(m_name, 1);
    grid->addLayout(renameRow, 5, 0, 1, 2);
    m_count = new QLabel("Current Number of Items in the List =  0", group);
    m_count->setObjectName("countLabel");
    grid->addWidget(m_count, 6, 0, 1, 2);
    layout->addWidget(group);

    auto* splitter = new QSplitter(this);
    m_tree = new QTreeWidget(splitter);
    m_collectedText = new QPlainTextEdit(splitter);
    m_collectedText->setObjectName("collectedText");
    m_collectedText->setLineWrapMode(QPlainTextEdit::NoWrap);
    splitter->addWidget(m_tree);
    splitter->addWidget(m_collectedText);
    layout->addWidget(splitter, 1);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName("statusBar");
    m_statusBar->setSizeGripEnabled(false);
    m_statusPanel = new QLabel(m_statusBar);
    m_statusPanel->setObjectName("statusPanel");
    m_statusBar->addWidget(m_statusPanel, 1);
    layout->addWidget(m_statusBar);

    m_tree->setToolTip("Browse Select");
    m_tree->setObjectName("tree");
    m_tree->setHeaderHidden(true);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(m_tree, &QTreeWidget::itemExpanded, this, &TForm4::queueExpand);
    m_tree->viewport()->installEventFilter(this);
    resize(760, 560);
}

void TForm4::buildRobotPathAnalysis() {
    auto* layout = new QVBoxLayout(this);
    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName("toolbar");
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    toolbar->addAction(
        makeAction("runButton", "Run the Analysis", "Run the Robot Path Analysis", &TForm4::runClick));
    toolbar->addAction(makeAction("stopButton", "Stop", "Stop the current operation", &TForm4::stopClick));
    toolbar->addAction(
        makeAction("exitButton", "Exit", "Exit the Robot Path Analysis Window", &TForm4::exitClick));
    toolbar->addAction(makeAction("helpButton", "Help", "", &TForm4::helpClick));
    layout->addWidget(toolbar);

    m_start = new QLineEdit(this);
    m_start->setObjectName("startEdit");
    m_start->setToolTip("URL to start analysis at ");
    connect(m_start, &QLineEdit::returnPressed, this, &TForm4::runClick);
    layout->addWidget(m_start);

    m_tree = new QTreeWidget(this);
    m_tree->setToolTip("Path Analysis");
    m_tree->setObjectName("tree");
    m_tree->setHeaderHidden(true);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(m_tree, &QTreeWidget::itemExpanded, this, &TForm4::queueExpand);
    m_tree->viewport()->installEventFilter(this);
    layout->addWidget(m_tree, 1);
    resize(600, 520);
}

void TForm4::readSettings() {
    const std::string& key = m_variant.settingsKey;
    try {
        if (!m_settings.keyExists(key))
            return;
        if (std::optional<std::string> proxy = m_settings.readValue(key, "proxy")) {
            m_http.setProxyServer(*proxy);
            m_https.setProxyServer(*proxy);
        }
        if (std::optional<std::string> user = m_settings.readValue(key, "puser")) {
            m_http.setUser(*user);
            m_https.setUser(*user);
        }
        if (m_variant.readsHostOnly && m_hostOnly) {
            if (std::optional<std::string> hostOnly = m_settings.readValue(key, "hostonly"))
                m_hostOnly->setChecked(*hostOnly == "1");
        }
    } catch (const SettingsError& e) {
        m_prompts.error(e.what());
    }
}

void TForm4::loadList(QComboBox* box, const char* file) {
    QString typed = box->currentText();
    box->clear();
    try {
        for (const std::string& entry : readFileList(m_folder.resolve(file)))
            box->addItem(toDisplay(entry));
    } catch (const FileListError& e) {
        m_prompts.error(e.what());
    }
    box->setEditText(typed);
}

std::vector<std::string> TForm4::readExcludeList() {
    fs::path file = m_folder.resolve(kExcludeList);
    std::error_code ec;
    // A missing list excludes nothing: the user has simply not made one yet.
    if (!fs::exists(file, ec))
        return {};
    try {
        return readFileList(file);
    } catch (const FileListError& e) {
        // Read again for every link: one report per window is enough.
        if (!m_excludeErrorShown)
            m_prompts.error(e.what());
        m_excludeErrorShown = true;
        return {};
    }
}

void TForm4::openListEditor(const char* file, const char* titlePrefix) {
    m_openListEditor(m_folder.resolve(file), titlePrefix);
}

void TForm4::domainListClick() {
    openListEditor(kDomainList, kEditMenuPrefix);
    loadList(m_domain, kDomainList);
}

void TForm4::domainListDropClick() {
    openListEditor(kDomainList, kManagerPrefix);
    loadList(m_domain, kDomainList);
}

void TForm4::startFileListClick() {
    // The File box keeps its items until the window is next opened.
    openListEditor(kStartFileList, kManagerPrefix);
}

void TForm4::excludeListClick() {
    openListEditor(kExcludeList, kManagerPrefix);
}

void TForm4::renameClick(bool checked) {
    if (!checked)
        m_name->setText(kDefaultName);
    m_name->setEnabled(checked);
}

void TForm4::showCount() {
    m_count->setText(toDisplay(kCountPrefix + std::to_string(m_collected.size())));
}

void TForm4::saveClick() {
    if (!m_collected.empty()) {
        bool renamed = m_rename->isChecked();
        std::string name = renamed ? fromDisplay(m_name->text()) : kDefaultName;
        // A name becomes one file in the list folder; anything that could lead out of it is refused.
        if (!isPlainName(name)) {
            m_prompts.error(badListName(name));
            return;
        }
        // A list that could not be written is kept, so the user can save it under another name.
        try {
            writeFileList(m_folder.resolveForWriting("My File Lists\\" + name + ".fls"), m_collected);
        } catch (const std::exception& e) {
            m_prompts.error(e.what());
            return;
        }
        m_prompts.message("The browse has completed and the file list has been saved to My File Lists\\" +
                          (renamed ? name + ".FLS" : std::string("Temp.FLS")) + ".");
    }
    m_collected.clear();
    m_collectedText->clear();
    forgetNodesWithin(nullptr);
    m_tree->clear();
    m_count->setText(toDisplay(std::string(kCountPrefix) + " 0"));
}

void TForm4::helpClick() {
    m_prompts.openHelp(m_variant.helpTopic);
}

void TForm4::aboutClick() {
    m_prompts.message(m_variant.aboutText);
}

void TForm4::exitClick() {
    close();
}

void openRobotWindow(ProgramFolder& folder, SettingsStore& settings, Prompts& prompts,
                     const RobotWindowVariant& variant, std::vector<std::string>& collected,
                     QWidget* parent) {
    TForm4 window(folder, settings, prompts, variant, collected, parent);
    window.exec();
}
