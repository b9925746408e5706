#include "position/mainwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QKeySequence>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <new>
#include <stdexcept>

#include "net/tickhttp.h"
#include "platform/core/programfolder.h"
#include "platform/core/safefile.h"
#include "platform/core/settingsstore.h"
#include "platform/displaytext.h"
#include "platform/pacer.h"
#include "platform/prompts.h"
#include "position/checkpage.h"
#include "position/core/ranqorfolder.h"
#include "position/core/ranqorsettings.h"
#include "position/enginespage.h"
#include "position/engineupdate.h"
#include "position/positionagent.h"
#include "position/resultspage.h"
#include "position/rulebook.h"
#include "position/termspage.h"
#include "sitetools/core/filelist.h"
#include "sitetools/filelistmanager.h"
#include "sitetools/proxyapply.h"
#include "sitetools/proxydialog.h"
#include "sitetools/proxysettings.h"
#include "sitetools/robotwindow.h"
#include "suiteversion.h"

namespace {
const char* kUserAgent = "Redore Web Browser (1.1 W32)";
const std::string kParagraph = "\n\r\n\r";
const std::string kUnsavedTerms =
    "The search term list has changed." + kParagraph + "Do you want to save it before closing?";
const std::string kUnsavedReport =
    "The position report has not been saved." + kParagraph + "Do you want to save it before closing?";
}  // namespace

TForm1::TForm1(Services services, QWidget* parent) : ProgramWindow(std::move(services), "Ranqor", parent) {
    m_geturl = std::make_unique<TickHTTP>();
    m_geturlSecure = std::make_unique<TickHTTPS>();
    m_update = std::make_unique<TickHTTP>();
    for (TickHTTP* http : {m_geturl.get(), static_cast<TickHTTP*>(m_geturlSecure.get()), m_update.get()}) {
        http->setUseCache(false);
        http->setUserAgent(kUserAgent);
    }
    m_agent = std::make_unique<PositionAgent>(
        PositionAgent::Context{*m_geturl, m_folder, m_prompts, m_pacer, m_report, m_variables,
                               m_selectedTerms, m_selectedEngines, *this, m_geturlSecure.get()});

    m_tabs = new QTabWidget(this);
    m_termsPage = new TermsPage(m_terms, m_folder, m_prompts, m_tabs);
    m_enginesPage = new EnginesPage(m_engines, m_prompts, m_tabs);
    m_checkPage = new CheckPage(m_tabs);
    m_resultsPage = new ResultsPage(m_report, m_prompts, m_folder, m_tabs);
    m_tabs->addTab(m_termsPage, "1. Position agent settings");
    m_tabs->addTab(m_enginesPage, "2. Select engines");
    m_tabs->addTab(m_checkPage, "3. Check your position");
    m_tabs->addTab(m_resultsPage, "Review your results");
    setCentralWidget(m_tabs);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_tabs->widget(index) == m_checkPage)
            clearActivity();
    });

    connect(m_termsPage, &TermsPage::nextRequested, this, &TForm1::stepOneNext);
    connect(m_enginesPage, &EnginesPage::nextRequested, this, &TForm1::stepTwoNext);
    connect(m_enginesPage, &EnginesPage::previousRequested, this, &TForm1::previousClick);
    connect(m_enginesPage, &EnginesPage::updateRequested, this, &TForm1::RzToolbarButton19Click);
    connect(m_checkPage, &CheckPage::cancelRequested, this, &TForm1::cbuttonClick);
    connect(m_checkPage, &CheckPage::checkRequested, this, &TForm1::submitClick);
    connect(m_checkPage, &CheckPage::batchRequested, this, &TForm1::SelectAllFilesinWeb1Click);
    connect(m_checkPage, &CheckPage::webListRequested, this, &TForm1::webListClick);
    connect(m_checkPage, &CheckPage::fileListsRequested, this, &TForm1::fileListsClick);
    connect(m_checkPage, &CheckPage::proxyRequested, this, &TForm1::proxyClick);
    connect(m_checkPage, &CheckPage::previousRequested, this, &TForm1::previousClick);
    connect(m_checkPage, &CheckPage::listHelpRequested, this, [this] { m_prompts.openHelp("using-lists"); });
    connect(m_checkPage, &CheckPage::helpRequested, this, [this] { m_prompts.openHelp("check-position"); });
    connect(m_resultsPage, &ResultsPage::restartWizardRequested, this, &TForm1::restartWizard);
    connect(m_resultsPage, &ResultsPage::previousRequested, this, &TForm1::previousClick);
    connect(m_resultsPage, &ResultsPage::exitRequested, this, &QWidget::close);

    buildMenus();
    buildShortcuts();
    // At least the size the window has always had.
    fitToContent(QSize(615, 436));
    startUp();
    restorePlacement(kRanqorKey);
}

TForm1::~TForm1() = default;

void TForm1::setModalRunner(ModalRunner runner) {
    ProgramWindow::setModalRunner(runner);
    m_termsPage->setModalRunner(std::move(runner));
}

void TForm1::buildMenus() {
    m_fileMenu = menuBar()->addMenu("&File");
    m_openLocal = m_fileMenu->addAction("Open Local ...", m_termsPage, &TermsPage::RzToolbarButton5Click);
    m_saveLocal = m_fileMenu->addAction("Save Local ...", m_termsPage, &TermsPage::RzToolbarButton4Click);
    m_reportViewer = m_fileMenu->addAction("Report Viewer", this, &TForm1::ReportViewer1Click);
    m_fileMenu->addAction("Restart Wizard", this, &TForm1::restartWizard);
    m_saveDefaults = m_fileMenu->addAction("Save Settings as Defaults", this, &TForm1::saveSettings);
    m_fileMenu->addSeparator();
    // Ctrl+Q itself: the standard Quit key is empty on platforms without a quit convention.
    m_fileMenu->addAction("E&xit", this, &QWidget::close)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    m_termsMenu = menuBar()->addMenu("&Terms");
    m_termsMenu->addAction("Add Terms ...", m_termsPage, &TermsPage::RzToolbarButton2Click);
    m_termsMenu->addAction("Delete Selected Terms", m_termsPage, &TermsPage::RzToolbarButton3Click);
    m_termsMenu->addAction("Next", this, &TForm1::stepOneNext);

    m_enginesMenu = menuBar()->addMenu("&Engines");
    m_enginesMenu->addAction("Select All", m_enginesPage, &EnginesPage::selectAllClick);
    m_enginesMenu->addAction("Select None", m_enginesPage, &EnginesPage::selectNoneClick);
    m_enginesMenu->addAction("Previous", this, &TForm1::previousClick);
    m_enginesMenu->addAction("Next", this, &TForm1::stepTwoNext);

    m_checkMenu = menuBar()->addMenu("&Check");
    m_runAgent = m_checkMenu->addAction("Run Position Agent", this, &TForm1::submitClick);
    m_checkMenu->addAction("Set up Proxy Server ...", this, &TForm1::proxyClick);
    m_checkMenu->addAction("Edit Default/Compare Lists ...", this, &TForm1::fileListsClick);
    m_checkMenu->addAction("Previous", this, &TForm1::previousClick);

    m_resultsMenu = menuBar()->addMenu("&Results");
    m_resultsMenu->addAction(m_resultsPage->saveAction());
    m_resultsMenu->addAction(m_resultsPage->openAction());
    m_resultsMenu->addAction(m_resultsPage->printAction());
    m_resultsMenu->addAction("Restart Wizard", this, &TForm1::restartWizard);
    m_resultsPrevious = m_resultsMenu->addAction("Previous", this, &TForm1::previousClick);

    QMenu* help = menuBar()->addMenu("&Help");
    addMakerHelpItems(*help, m_prompts);
    help->addSeparator();
    help->addAction("About ...", this, &TForm1::aboutClick);
}

void TForm1::buildShortcuts() {
    // "Open" and "Save" mean the term list on the wizard's steps and the report on its results;
    // the keys follow the page, so they are never bound twice at once.
    connect(m_tabs, &QTabWidget::currentChanged, this, &TForm1::assignPageShortcuts);
    assignPageShortcuts();
    addHelpKey(*m_tabs);
}

void TForm1::assignPageShortcuts() {
    const bool results = m_tabs->currentWidget() == m_resultsPage;
    const auto key = [](bool on, QKeySequence::StandardKey standard) {
        return on ? QKeySequence(standard) : QKeySequence();
    };
    m_openLocal->setShortcut(key(!results, QKeySequence::Open));
    m_saveLocal->setShortcut(key(!results, QKeySequence::Save));
    m_resultsPage->openAction()->setShortcut(key(results, QKeySequence::Open));
    m_resultsPage->saveAction()->setShortcut(key(results, QKeySequence::Save));
    m_resultsPage->printAction()->setShortcut(key(results, QKeySequence::Print));
}

void TForm1::showTab(QWidget* page, bool visible) {
    m_tabs->setTabVisible(m_tabs->indexOf(page), visible);
}

void TForm1::activate(QWidget* page) {
    showTab(page, true);
    m_tabs->setCurrentWidget(page);
}

// Creating the window: each step after the window's own set-up may fail on a missing or broken
// file; the failure is shown and the remaining steps are skipped, and the window opens anyway.
void TForm1::startUp() {
    for (QWidget* page : {static_cast<QWidget*>(m_enginesPage), static_cast<QWidget*>(m_checkPage),
                          static_cast<QWidget*>(m_resultsPage)}) {
        showTab(page, false);
    }
    for (QMenu* menu : {m_enginesMenu, m_checkMenu, m_resultsMenu})
        menu->menuAction()->setVisible(false);
    setStatusPanel(1, "Ready");
    setStatusPanel(2, "Welcome to Ranqor");
    setStatusPanel(3, "Ranqor Search Engine Position Utility");
    m_selectedTerms.clear();
    m_selectedEngines.clear();
    m_addedTerms.clear();
    m_variables['H'].clear();
    setWindowTitle("Ranqor");
    setAddressText(m_variables['H']);
    // Without its folder every file below fails; one message says why, and how to get one.
    if (std::optional<std::string> missing = missingRanqorFolder(m_folder.root())) {
        m_prompts.error(*missing);
        return;
    }
    try {
        const std::pair<QPlainTextEdit*, const char*> panes[] = {
            {m_enginesPage->infoPane(), "tips\\submission.txt"},
            {m_termsPage->infoPane(), "tips\\terms.txt"},
            {m_checkPage->infoPane(), "tips\\six.txt"}};
        for (const auto& [pane, file] : panes)
            pane->setPlainText(toDisplay(readFileBytes(m_folder.resolve(file))));
        m_checkPage->setAddressItems(readFileList(m_folder.resolve("My FIle Lists\\def.fls")));
        m_checkPage->setCompareItems(readFileList(m_folder.resolve("My FIle Lists\\comp.fls")));
        readSettings();
        m_enginesPage->loadEngines(m_folder.resolve("engines\\engines.txt"));
        RuleFileEngines added = ruleFileEngines(m_folder);
        m_enginesPage->addEngines(added.engines);
        for (const std::string& message : added.ignored)
            m_prompts.warning(message);
        m_termsPage->loadTermFile(m_folder.resolve("terms\\terms.tms"));
        m_tabs->setCurrentWidget(m_termsPage);
    } catch (const std::runtime_error& e) {
        m_prompts.error(e.what());
    }
}

void TForm1::readSettings() {
    // The installation step that used to create the proxy value is ours to do.
    createMissingProxyValues(m_store, ProxySettingsVariant::ranqor());
    RanqorSettings settings = RanqorSettings::read(m_store);
    m_termsPage->topTenBox()->setChecked(settings.topTen);
    m_termsPage->otherSitesBox()->setChecked(settings.otherSites);
    m_termsPage->preciseBox()->setChecked(settings.precise);
    m_termsPage->frontPageBox()->setChecked(settings.autoload);
    for (TickHTTP* search : {m_geturl.get(), static_cast<TickHTTP*>(m_geturlSecure.get())}) {
        applyRanqorProxy(m_store, *search);
        search->setBodyLimit(resultPageLimit(m_store));
    }
}

void TForm1::saveSettings() {
    RanqorSettings settings;
    settings.topTen = m_termsPage->topTenBox()->isChecked();
    settings.otherSites = m_termsPage->otherSitesBox()->isChecked();
    settings.precise = m_termsPage->preciseBox()->isChecked();
    settings.autoload = m_termsPage->frontPageBox()->isChecked();
    try {
        settings.write(m_store);
    } catch (const std::exception& e) {
        m_prompts.error(e.what());
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!settleUnsavedWork()) {
        event->ignore();
        return;
    }
    if (m_running)
        m_agent->cancel();
    saveSettings();
    savePlacement(kRanqorKey);
    event->accept();
}

bool TForm1::settleUnsavedWork() {
    struct Work {
        bool unsaved;
        const std::string& question;
        std::function<bool()> save;
    };
    const Work work[] = {
        {m_termsPage->hasUnsavedTerms(), kUnsavedTerms, [this] { return m_termsPage->saveTerms(); }},
        {m_resultsPage->hasUnsavedReport(), kUnsavedReport,
         [this] { return m_resultsPage->saveReportFile(); }}};
    for (const Work& w : work) {
        if (!w.unsaved)
            continue;
        switch (m_prompts.question(w.question)) {
            case Prompts::Answer::Cancel:
                return false;
            case Prompts::Answer::No:
                break;
            case Prompts::Answer::Yes:
                // A save the user cancels, or one that fails, keeps the window open with the work.
                if (!w.save())
                    return false;
                break;
        }
    }
    return true;
}

void TForm1::handlerFailed(const std::exception& e) {
    if (m_running)
        m_agent->cancel();
    ProgramWindow::handlerFailed(e);
}

void TForm1::applyProxy() {
    try {
        applyRanqorProxy(m_store, *m_geturl);
        applyRanqorProxy(m_store, *m_geturlSecure);
    } catch (const std::exception& e) {
        m_prompts.error(e.what());
    }
}

void TForm1::stepOneNext() {
    showTab(m_enginesPage, true);
    m_enginesMenu->menuAction()->setVisible(true);
    m_selectedTerms = m_termsPage->addactiveterms();
    if (m_selectedTerms.empty()) {
        m_prompts.error("You must select at least one term to continue, Select terms with step one (1)");
        m_tabs->setCurrentWidget(m_termsPage);
        return;
    }
    m_tabs->setCurrentWidget(m_enginesPage);
    setStatusPanel(1, "Ready");
    setStatusPanel(3, "Select Engines");
}

void TForm1::stepTwoNext() {
    showTab(m_checkPage, true);
    m_checkMenu->menuAction()->setVisible(true);
    m_selectedEngines = m_enginesPage->addActiveEngs();
    if (m_selectedEngines.empty()) {
        m_prompts.information(
            "You must select at least one engine to run the position agent. Please go to Step two (2) to "
            "select "
            "search engines for position analysis.");
        return;
    }
    m_tabs->setCurrentWidget(m_checkPage);
    setStatusPanel(1, "Ready");
    setStatusPanel(3, "dIrozidid Udazadarerez Aro");
    m_checkPage->totalEnginesField()->setText(
        QString("%1 of %2").arg(m_selectedEngines.size()).arg(m_engines.entries().size()));
    setProgress(0);
    setEngineName("idle");
    setStepField("idle");
    setEngineCounter("0 of " + std::to_string(m_selectedEngines.size()));
}

void TForm1::previousClick() {
    QWidget* current = m_tabs->currentWidget();
    if (current == m_enginesPage)
        m_tabs->setCurrentWidget(m_termsPage);
    else if (current == m_checkPage)
        m_tabs->setCurrentWidget(m_enginesPage);
    else if (current == m_resultsPage)
        activate(m_checkPage);
}

void TForm1::restartWizard() {
    setStatusPanel(1, "Ready");
    setStatusPanel(2, "Welcome to Ranqor");
    setStatusPanel(3, "Ranqor Search Engine Position Utility");
    setWindowTitle("Ranqor: " + toDisplay(m_variables['H']));
    setAddressText(m_variables['H']);
    activate(m_termsPage);
    for (QWidget* page : {static_cast<QWidget*>(m_enginesPage), static_cast<QWidget*>(m_checkPage),
                          static_cast<QWidget*>(m_resultsPage)}) {
        showTab(page, false);
    }
    for (QMenu* menu : {m_enginesMenu, m_checkMenu, m_resultsMenu})
        menu->menuAction()->setVisible(false);
    m_termsMenu->menuAction()->setVisible(true);
    m_resultsPrevious->setVisible(true);
    m_resultsPage->setPreviousVisible(true);
    for (QAction* item : {m_openLocal, m_saveLocal, m_reportViewer, m_saveDefaults})
        item->setVisible(true);
}

void TForm1::ReportViewer1Click() {
    setWindowTitle("Report Viewing Mode - Restart Wizard to go to normal mode");
    for (QAction* item : {m_openLocal, m_reportViewer, m_saveLocal, m_saveDefaults})
        item->setVisible(false);
    showTab(m_resultsPage, true);
    m_resultsMenu->menuAction()->setVisible(true);
    m_termsMenu->menuAction()->setVisible(false);
    for (QWidget* page : {static_cast<QWidget*>(m_termsPage), static_cast<QWidget*>(m_enginesPage),
                          static_cast<QWidget*>(m_checkPage)}) {
        showTab(page, false);
    }
    m_enginesMenu->menuAction()->setVisible(false);
    m_checkMenu->menuAction()->setVisible(false);
    m_resultsPrevious->setVisible(false);
    m_resultsPage->setPreviousVisible(false);
    m_tabs->setCurrentWidget(m_resultsPage);
}

void TForm1::submitClick() {
    // The run keeps the window's events flowing; a second start from the menu must not nest.
    if (m_running)
        return;
    m_running = true;
    try {
        m_agent->submitClick();
    } catch (const std::runtime_error& e) {
        // Files and transfers fail with runtime errors; memory that ran out goes on to the
        // application object, which ends the program through handlerFailed.
        // A result file that cannot be read ends the run; the window stays in its running state
        // until the user presses Cancel.
        m_prompts.error(e.what());
    }
    m_running = false;
}

void TForm1::SelectAllFilesinWeb1Click() {
    if (m_running)
        return;
    if (!m_termsPage->preciseBox()->isChecked()) {
        m_prompts.information(
            "Batch Position Agent can only be run if (Use Precise Matching) is checked on Step One (1)");
        return;
    }
    m_report.table().clearCells();
    reportChanged();
    FileDialogRequest request;
    request.title = "Select a web list to verify";
    request.filter = "Orlek Web File List|*.fls";
    request.startFolder = m_folder.folder("my file lists");
    std::optional<FileDialogResult> chosen = m_prompts.openFile(request);
    if (!chosen)
        return;
    m_running = true;
    try {
        setBusyCursor(true);
        m_agent->batch(readFileList(chosen->path));
    } catch (const std::runtime_error& e) {
        m_prompts.error(e.what());
    }
    setBusyCursor(false);
    m_running = false;
}

void TForm1::cbuttonClick() {
    m_agent->cancel();
    // Stop the transfer in progress too, rather than let it run to its end unheard.
    m_geturl->setAction(ickhttpIdle);
    m_geturlSecure->setAction(ickhttpIdle);
    m_checkPage->checkButton()->setEnabled(true);
    showTab(m_enginesPage, true);
    m_checkPage->cancelButton()->setEnabled(false);
    m_fileMenu->setEnabled(true);
    m_selectedTerms.clear();
    m_selectedEngines.clear();
    restartWizard();
    setBusyCursor(false);
}

void TForm1::RzToolbarButton19Click() {
    EngineUpdate update(
        {*m_update, m_folder, m_prompts, [this](const std::string& t) { setStatusPanel(3, t); },
         [this](bool busy) { setBusyCursor(busy); }, [this] { m_endProgram(0); }},
        m_updateServer);
    update.RzToolbarButton19Click();
}

void TForm1::proxyClick() {
    {
        Tpset dialog(m_store, m_prompts, ProxySettingsVariant::ranqor(), this);
        m_runModal(dialog);
    }
    applyProxy();
}

void TForm1::fileListsClick() {
    Tflsmanage manager(m_folder, m_prompts, FileListManagerVariant::ranqor(), this);
    m_runModal(manager);
}

void TForm1::webListClick() {
    m_collected.clear();
    TForm4 robot(m_folder, m_store, m_prompts, RobotWindowVariant::ranqor(), m_collected, this);
    m_runModal(robot);
}

void TForm1::aboutClick() {
    showAboutBox(this, m_runModal, "About Ranqor",
                 QString("Ranqor %1\nSearch Engine Position Utility").arg(kSuiteVersion));
}

// PositionRunView

void TForm1::setStatusPanel(int panel, const std::string& text) {
    setPanel(panel, text);
}
void TForm1::clearActivity() {
    m_checkPage->clearActivity();
}
void TForm1::addActivity(const std::string& line) {
    m_checkPage->addActivity(toDisplay(line));
}
void TForm1::focusActivity() {
    m_checkPage->activityMonitor()->setFocus();
}
void TForm1::setStepField(const std::string& text) {
    m_checkPage->stepField()->setText(toDisplay(text));
}
void TForm1::setEngineName(const std::string& text) {
    m_checkPage->engineNameField()->setText(toDisplay(text));
}
void TForm1::setEngineCounter(const std::string& text) {
    m_checkPage->engineCounterField()->setText(toDisplay(text));
}
void TForm1::setProgress(int percent) {
    m_checkPage->progressBar()->setValue(percent);
}

void TForm1::setBusyCursor(bool busy) {
    setBusy(busy);
}

void TForm1::setRunControls(bool running) {
    m_checkPage->checkButton()->setEnabled(!running);
    m_checkPage->cancelButton()->setEnabled(running);
    m_fileMenu->setEnabled(!running);
    m_runAgent->setEnabled(!running);
}

std::string TForm1::addressText() const {
    return fromDisplay(m_checkPage->addressBox()->currentText());
}
void TForm1::setAddressText(const std::string& text) {
    m_checkPage->addressBox()->setCurrentText(toDisplay(text));
}
std::string TForm1::compareText() const {
    return fromDisplay(m_checkPage->compareBox()->currentText());
}

AnalysisOptions TForm1::options() const {
    AnalysisOptions options;
    options.topTen = m_termsPage->topTenBox()->isChecked();
    options.precise = m_termsPage->preciseBox()->isChecked();
    options.otherSites = m_termsPage->otherSitesBox()->isChecked();
    options.compare = m_checkPage->compareCheck()->isChecked();
    return options;
}

std::string TForm1::shortDate() const {
    return fromDisplay(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
}

void TForm1::reportChanged() {
    m_resultsPage->reload();
}

void TForm1::showResults() {
    activate(m_resultsPage);
    m_resultsMenu->menuAction()->setVisible(true);
}
