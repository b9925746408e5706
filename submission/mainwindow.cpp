#include "submission/mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeySequence>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>

#include "net/tickhttp.h"
#include "pageprep/interrogator.h"
#include "pageprep/pagesource.h"
#include "pageprep/readinesspage.h"
#include "pageprep/reportwindow.h"
#include "pageprep/tipspane.h"
#include "pageprep/workfilespage.h"
#include "platform/activitymonitor.h"
#include "platform/core/programfolder.h"
#include "platform/core/safefile.h"
#include "platform/core/settingsstore.h"
#include "platform/displaytext.h"
#include "platform/prompts.h"
#include "sitetools/filelistmanager.h"
#include "sitetools/proxyapply.h"
#include "sitetools/proxydialog.h"
#include "sitetools/proxysettings.h"
#include "sitetools/robotwindow.h"
#include "submission/core/projects.h"
#include "submission/historyviewer.h"
#include "submission/listeditor.h"
#include "submission/projecteditor.h"
#include "submission/projectspage.h"
#include "submission/selectenginespage.h"
#include "submission/submissionrun.h"
#include "submission/submitpage.h"
#include "submission/watchdog.h"
#include "suiteversion.h"

namespace {

// The hint files of the five steps, in the order of the steps.
const char* const kTipFiles[] = {"tips\\projects.txt", "tips\\files.txt", "tips\\specifics.txt",
                                 "tips\\submission.txt", "tips\\six.txt"};

}  // namespace

TForm1::TForm1(ProgramServices services, QWidget* parent)
    : ProgramWindow(std::move(services), "Vistral", parent) {
    setWindowTitle("Vistral by Orlek");
    m_geturl = std::make_unique<TickHTTP>();
    prepareSubmissionComponent(*m_geturl);
    // A step 3 check over https uses geturls while a run may be sending: the run has its own.
    m_geturlSecure = std::make_unique<TickHTTPS>();
    prepareSubmissionComponent(*m_geturlSecure);
    m_GETURL2 = std::make_unique<TickHTTP>();
    m_GETURL2->setUserAgent(kMetaVerificationAgent);
    m_geturls = std::make_unique<TickHTTPS>();
    m_geturls->setUserAgent(kSecureVerificationAgent);

    m_watchdog = std::make_unique<QtWatchdog>();

    buildPages();
    buildMenus();
    createSubmissionRun();
    addHelpKey(*m_tabs);
    fitToContent(QSize(760, 520));
    startUp();

    // The resident windows, in the order the program has always created them.
    m_projectEditor = new Tproject(m_folder, m_store, m_prompts, this);
    m_form3 = new ReportWindow(m_prompts, ReportWindowVariant::submission(), this);
    m_form5 = new ReportWindow(m_prompts, ReportWindowVariant::readiness(), this);
    restorePlacement(kVistralKey);
}

TForm1::~TForm1() = default;

void TForm1::buildPages() {
    m_tabs = new QTabWidget(this);
    m_projectsPage = new ProjectsPage(m_prompts, m_tabs);
    m_filesPage =
        new WorkFilesPage({m_folder, m_prompts, m_workFiles,
                           [this](int panel, const std::string& text) { setStatusPanel(panel, text); }},
                          m_tabs);
    m_readinessPage = new ReadinessPage(m_prompts, m_tabs);
    m_enginesPage = new SelectEnginesPage(m_prompts, m_tabs);
    m_submitPage = new SubmitPage(m_prompts, m_tabs);
    m_tabs->addTab(m_projectsPage, "1. Select Project");
    m_tabs->addTab(m_filesPage, "2. Select File(s)");
    m_tabs->addTab(m_readinessPage, "3. Search Engine Readiness");
    m_tabs->addTab(m_enginesPage, "4. Select Engines");
    m_tabs->addTab(m_submitPage, "5. Submit to Engines");
    setCentralWidget(m_tabs);
    connect(m_tabs, &QTabWidget::currentChanged, this, &TForm1::stepChanged);

    connect(m_projectsPage, &ProjectsPage::selectRequested, this, &TForm1::selectProjectClick);
    connect(m_projectsPage, &ProjectsPage::newRequested, this, &TForm1::newProjectClick);
    connect(m_projectsPage, &ProjectsPage::deleteRequested, this, &TForm1::deleteProjectClick);
    connect(m_projectsPage, &ProjectsPage::propertiesRequested, this, &TForm1::projectPropertiesClick);
    connect(m_filesPage, &WorkFilesPage::nextRequested, this, &TForm1::filesNextClick);
    connect(m_filesPage, &WorkFilesPage::previousRequested, this, &TForm1::previousClick);
    connect(m_filesPage, &WorkFilesPage::pagesEmptied, this, [this] { hideSteps(2); });
    connect(m_readinessPage, &ReadinessPage::checkRequested, this, &TForm1::readinessCheckClick);
    connect(m_readinessPage, &ReadinessPage::nextRequested, this, &TForm1::readinessNextClick);
    connect(m_readinessPage, &ReadinessPage::previousRequested, this, &TForm1::previousClick);
    connect(m_enginesPage, &SelectEnginesPage::nextRequested, this, &TForm1::enginesNextClick);
    connect(m_enginesPage, &SelectEnginesPage::previousRequested, this, &TForm1::previousClick);
    connect(m_enginesPage, &SelectEnginesPage::updateRequested, this, &TForm1::catalogUpdateClick);
    connect(m_submitPage, &SubmitPage::previousRequested, this, &TForm1::previousClick);
    connect(m_submitPage, &SubmitPage::submitRequested, this, &TForm1::submitClick);
    connect(m_submitPage, &SubmitPage::cancelRequested, this, &TForm1::cancelClick);
    connect(m_submitPage, &SubmitPage::verifyRequested, this, &TForm1::verifyClick);
}

void TForm1::buildMenus() {
    QMenu* file = m_fileMenu = menuBar()->addMenu("&File");
    file->addAction("&New...", this, &TForm1::newProjectClick);
    file->addAction("&Open", this, &TForm1::selectProjectClick);
    QMenu* project = file->addMenu("Project");
    project->addAction("Delete", this, &TForm1::deleteProjectClick);
    project->addAction("Properties...", this, &TForm1::projectPropertiesClick);
    project->addAction("Next", this, &TForm1::selectProjectClick);
    file->addSeparator();
    // Ctrl+Q itself: the standard Quit key is empty on platforms without a quit convention.
    file->addAction("E&xit", this, &QWidget::close)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* files = menuBar()->addMenu("Fi&les");
    m_filesPage->addMenuItems(files);
    QMenu* verify = menuBar()->addMenu("&Verify");
    m_readinessPage->addMenuItems(verify);
    QMenu* engines = menuBar()->addMenu("&Engines");
    m_enginesPage->addMenuItems(engines);
    QMenu* submission = menuBar()->addMenu("&Submission");
    m_submitPage->addMenuItems(submission);
    m_stepMenus = {{m_filesPage, files},
                   {m_readinessPage, verify},
                   {m_enginesPage, engines},
                   {m_submitPage, submission}};

    QMenu* tools = m_toolsMenu = menuBar()->addMenu("&Tools");
    tools->addAction("Project Editor...", this, &TForm1::newProjectClick);
    tools->addAction("Robot Path &Analysis...", this, &TForm1::robotClick);
    tools->addAction("Submission List Edit...", this, &TForm1::submissionListEditClick);
    m_tipEditorItem = tools->addAction("Page Tip Editor", this, &TForm1::pageTipEditorClick);
    tools->addAction("File List Manager...", this, &TForm1::fileListManagerClick);
    tools->addAction("Search Engine Interrogator...", this, &TForm1::interrogatorClick);
    tools->addSeparator();
    tools->addAction("Settings...", this, &TForm1::settingsClick);

    QMenu* history = m_historyMenu = menuBar()->addMenu("&History");
    history->addAction("Submissions ...", this, &TForm1::historyClick);

    QMenu* help = menuBar()->addMenu("&Help");
    addMakerHelpItems(*help, m_prompts);
    help->addSeparator();
    help->addAction("About...", this, &TForm1::aboutClick);
    stepChanged(m_tabs->currentIndex());
}

std::vector<TipsPane*> TForm1::tipsPanes() const {
    return {m_projectsPage->projectm(), m_filesPage->filem(), m_readinessPage->specificm(),
            m_enginesPage->subm(), m_submitPage->six()};
}

// Creating the window: the steps after the window's own set-up may fail on a missing or broken
// file; the failure is shown and the rest is skipped, and the window opens anyway.
void TForm1::startUp() {
    // Hidden before anything can fail, so a broken installation never offers a step whose
    // lists were never filled.
    hideSteps(2);
    setStatusPanel(1, "Ready");
    setStatusPanel(2, "Select a project to continue");
    setStatusPanel(3, "Vistral Web Site Promotion Utility");
    rebuildProjectList();
    m_tabs->setCurrentWidget(m_projectsPage);
    try {
        std::vector<TipsPane*> panes = tipsPanes();
        for (size_t i = 0; i < panes.size(); ++i)
            panes[i]->load(m_folder.resolve(kTipFiles[i]));
    } catch (const FileError& e) {
        m_prompts.error(e.what());
        return;
    }
    m_filesPage->setListDialogFolder(m_folder.resolve("My File Lists"));
    try {
        // The installation step that used to create these values is ours to do.
        createMissingProxyValues(m_store, ProxySettingsVariant::vistral());
    } catch (const std::exception& e) {
        m_prompts.error(e.what());
    }
    GetDefaults();
}

void TForm1::GetDefaults() {
    try {
        applyVistralSettings(m_store,
                             {m_geturl.get(), m_geturlSecure.get(), m_GETURL2.get(), m_geturls.get()},
                             m_watchdogInterval);
    } catch (const std::exception& e) {
        m_prompts.error(e.what());
    }
    m_watchdog->setInterval(m_watchdogInterval);
}

void TForm1::showTab(QWidget* page, bool visible) {
    m_tabs->setTabVisible(m_tabs->indexOf(page), visible);
}

void TForm1::hideSteps(int from) {
    for (int step = from; step <= 5; ++step)
        m_tabs->setTabVisible(step - 1, false);
}

void TForm1::activate(QWidget* page) {
    showTab(page, true);
    m_tabs->setCurrentWidget(page);
}

// Only the current step's menu shows beside File, Tools, History and Help; entering step 5
// clears its activity monitor.
void TForm1::stepChanged(int index) {
    QWidget* current = m_tabs->widget(index);
    for (const auto& [page, menu] : m_stepMenus)
        menu->menuAction()->setVisible(page == current);
    if (current == m_submitPage)
        clearActivity();
}

void TForm1::previousClick() {
    QWidget* current = m_tabs->currentWidget();
    QWidget* steps[] = {m_projectsPage, m_filesPage, m_readinessPage, m_enginesPage, m_submitPage};
    for (int i = 1; i < 5; ++i) {
        if (steps[i] == current)
            m_tabs->setCurrentWidget(steps[i - 1]);
    }
}

// Tools, History and Help

void TForm1::robotClick() {
    std::vector<std::string> unused;
    TForm4 robot(m_folder, m_store, m_prompts, RobotWindowVariant::vistral(), unused, this);
    m_runModal(robot);
}

void TForm1::fileListManagerClick() {
    Tflsmanage manager(m_folder, m_prompts, FileListManagerVariant::vistral(), this);
    m_runModal(manager);
}

void TForm1::interrogatorClick() {
    TForm7 interrogator(m_prompts, this);
    m_runModal(interrogator);
}

void TForm1::settingsClick() {
    {
        Tpset dialog(m_store, m_prompts, ProxySettingsVariant::vistral(), this);
        m_runModal(dialog);
    }
    GetDefaults();
}

void TForm1::historyClick() {
    Tsubhist viewer(m_folder, m_prompts, this);
    m_runModal(viewer);
}

void TForm1::submissionListEditClick() {
    const std::string paragraph = "\n\r\n\r";
    m_prompts.warning("Warning, Engine list edit should be completed with extreme caution!" + paragraph +
                      "From this feature you can add third party engine packs, engine packs provided by "
                      "Orlek, and you can add "
                      "references to individual engines or packs that you created." +
                      paragraph +
                      "Please read the help and make sure you follow the steps exactly for adding engine "
                      "references or engine "
                      "packs. If you are adding an engine pack follow the install instructions." +
                      paragraph + "If you corrupt the engine list, the system may become unusable!");
    {
        SubmissionListEditor editor(m_folder, m_prompts, this);
        m_runModal(editor);
    }
    try {
        m_enginesPage->loadCatalog(m_folder.resolve("engines\\engines.txt"));
    } catch (const std::exception& e) {
        m_prompts.error(e.what());
    }
}

// The five panes become editable; the second use writes them back, in step order, and makes
// them read-only again. A pane that cannot be written is reported and all stay editable.
void TForm1::pageTipEditorClick() {
    std::vector<TipsPane*> panes = tipsPanes();
    if (!m_editingTips) {
        m_editingTips = true;
        m_tipEditorItem->setText("Editing Tips - Select this option to Save");
        for (TipsPane* pane : panes)
            pane->setReadOnly(false);
        return;
    }
    m_editingTips = false;
    m_tipEditorItem->setText("Page Tip Editor");
    try {
        for (size_t i = 0; i < panes.size(); ++i)
            panes[i]->save(m_folder.resolveForWriting(kTipFiles[i]));
    } catch (const FileError& e) {
        m_prompts.error(e.what());
        return;
    }
    for (TipsPane* pane : panes)
        pane->setReadOnly(true);
}

void TForm1::closeEvent(QCloseEvent* event) {
    // Closing ends the program; a run left going would send on, and ask about its report, with
    // no window.
    if (m_run->running())
        m_run->cancelClick();
    savePlacement(kVistralKey);
    event->accept();
}

void TForm1::aboutClick() {
    showAboutBox(this, m_runModal, "About Vistral",
                 QString("Vistral %1\nWeb Site Promotion Utility").arg(kSuiteVersion));
}

// RunView

void TForm1::setStatusPanel(int panel, const std::string& text) {
    setPanel(panel, text);
}

void TForm1::clearActivity() {
    m_submitPage->activityMonitor()->clearLines();
}

void TForm1::addActivity(const std::string& line) {
    m_submitPage->activityMonitor()->addLine(toDisplay(line));
}

void TForm1::setBusyCursor(bool busy) {
    setBusy(busy);
}
