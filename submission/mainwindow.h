#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "pageprep/core/projectcontext.h"
#include "pageprep/core/workfiles.h"
#include "platform/core/definitionfile.h"
#include "platform/pagetoolbar.h"
#include "platform/programwindow.h"
#include "submission/submissionrunview.h"

class Pacer;
class PageSource;
class ProgramFolder;
class ProjectsPage;
class Prompts;
class QAction;
class QLabel;
class QMenu;
class QTabWidget;
class ReadinessPage;
class ReportWindow;
class SelectEnginesPage;
class SettingsStore;
class SubmissionRun;
class SubmitPage;
class TickHTTP;
class TickHTTPS;
class TipsPane;
class Tproject;
class Watchdog;
class WorkFilesPage;

// The submission tool's window: a wizard of five steps (project, pages, readiness, engines,
// submission), the menus bound to them, the status bar, the program-wide lists and the three
// HTTP components. It also creates the resident Project Editor and the two report windows.
//
// Where the readiness check plugs in: step 3's checkRequested and nextRequested signals (the
// check ends its Next with openEngineStep). Step 5 drives the submission run, which reports to
// the window as its view and shows its report in submissionReport().
class TForm1 : public ProgramWindow, public SubmissionRunView {
    Q_OBJECT
public:
    explicit TForm1(ProgramServices services, QWidget* parent = nullptr);
    ~TForm1() override;

    QTabWidget& tabs() const { return *m_tabs; }
    ProjectsPage& projectsPage() const { return *m_projectsPage; }
    WorkFilesPage& filesPage() const { return *m_filesPage; }
    ReadinessPage& readinessPage() const { return *m_readinessPage; }
    SelectEnginesPage& enginesPage() const { return *m_enginesPage; }
    SubmitPage& submitPage() const { return *m_submitPage; }
    Tproject& projectEditor() const { return *m_projectEditor; }
    ReportWindow& submissionReport() const { return *m_form3; }
    ReportWindow& readinessReport() const { return *m_form5; }
    TickHTTP& geturl() const { return *m_geturl; }
    TickHTTP& GETURL2() const { return *m_GETURL2; }
    TickHTTPS& geturls() const { return *m_geturls; }
    // The submission run's component for https definitions.
    TickHTTPS& geturlSecure() const { return *m_geturlSecure; }
    int watchdogInterval() const { return m_watchdogInterval; }
    Watchdog& watchdog() const { return *m_watchdog; }
    // Replaces the watchdog (tests take one they fire themselves); it gets the stored interval.
    void setWatchdog(std::unique_ptr<Watchdog> watchdog);
    SubmissionRun& submissionRun() const { return *m_run; }
    std::vector<TipsPane*> tipsPanes() const;
    // A failed handler ends the program; a run that goes is cancelled first.
    void handlerFailed(const std::exception& e) override;

    // The program-wide state the steps hand on.
    const ActiveProject& activeProject() const { return m_project; }
    WorkFiles& workFiles() { return m_workFiles; }
    std::vector<std::string>& activeFiles() { return m_activeFiles; }
    std::vector<std::string>& selectedEngines() { return m_selectedEngines; }

    // RunView
    void setStatusPanel(int panel, const std::string& text) override;
    void clearActivity() override;
    void addActivity(const std::string& line) override;
    void setBusyCursor(bool busy) override;
    // SubmissionRunView
    void setBar(Bar bar, int percent) override;
    void setTotalFilesSelected(const std::string& text) override;
    void setTotalEnginesSelected(const std::string& text) override;
    void setProcessingStep(const std::string& text) override;
    void setFileCounter(const std::string& text) override;
    void setFileAddress(const std::string& text) override;
    void setEngineCounter(const std::string& text) override;
    void setEngineName(const std::string& text) override;
    void setStatusField(StatusRow row, StatusColumn column, const std::string& text) override;
    void setRunControls(bool running) override;
    void showStepFive() override;
    void rebuildSelectedEngines() override;
    int fileListRows() const override;
    int engineListItems() const override;
    void showReport(const std::vector<std::string>& lines) override;

public slots:
    void GetDefaults();
    // Step 1
    void selectProjectClick();
    void newProjectClick();
    void projectPropertiesClick();
    void deleteProjectClick();
    // Step 2
    void filesNextClick();
    // Step 3: the readiness check of the first ticked page, and Next, which stores the values
    // read with the current list.
    void readinessCheckClick();
    void readinessNextClick();
    // Step 3's Next ends here: the catalog into step 4, which becomes current. False when the
    // catalog could not be loaded; step 4 then stays closed.
    bool openEngineStep();
    // Step 4
    void enginesNextClick();
    void catalogUpdateClick();
    // Step 5, and step 4's Next: the selected engines from step 4's ticks, the display ready for
    // a run; refused while a run goes.
    void stepFiveReset();
    void submitClick();
    void cancelClick();
    // "Submission Settings" and Submission > "Verify...": the pre-submission report.
    void verifyClick();
    void previousClick();
    // Tools, History and Help
    void robotClick();
    void submissionListEditClick();
    void pageTipEditorClick();
    void fileListManagerClick();
    void interrogatorClick();
    void settingsClick();
    void historyClick();
    void aboutClick();

protected:
    // Keeps the window's size and place for the next start, and cancels a run that goes.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildPages();
    void buildMenus();
    void startUp();
    void rebuildProjectList();
    void showProjectEditor();
    void showTab(QWidget* page, bool visible);
    void hideSteps(int from);
    void activate(QWidget* page);
    void stepChanged(int index);
    // The page read that opens the readiness check: its values into step 3's boxes, its fault
    // told. False when the check cannot go on to its report.
    bool readReadinessPage(const std::string& entry, PageSource& source);
    void createSubmissionRun();

    ActiveProject m_project;
    WorkFiles m_workFiles;
    std::vector<std::string> m_activeFiles;
    std::vector<std::string> m_selectedEngines;
    std::unique_ptr<TickHTTP> m_geturl;
    std::unique_ptr<TickHTTP> m_GETURL2;
    std::unique_ptr<TickHTTPS> m_geturls;
    std::unique_ptr<TickHTTPS> m_geturlSecure;
    int m_watchdogInterval = 60000;
    std::unique_ptr<Watchdog> m_watchdog;
    TemplateVariables m_variables;
    std::unique_ptr<SubmissionRun> m_run;
    bool m_editingTips = false;

    QTabWidget* m_tabs = nullptr;
    ProjectsPage* m_projectsPage = nullptr;
    WorkFilesPage* m_filesPage = nullptr;
    ReadinessPage* m_readinessPage = nullptr;
    SelectEnginesPage* m_enginesPage = nullptr;
    SubmitPage* m_submitPage = nullptr;
    std::vector<std::pair<QWidget*, QMenu*>> m_stepMenus;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_toolsMenu = nullptr;
    QMenu* m_historyMenu = nullptr;
    QAction* m_tipEditorItem = nullptr;
    Tproject* m_projectEditor = nullptr;
    ReportWindow* m_form3 = nullptr;
    ReportWindow* m_form5 = nullptr;
};
