#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/definitionfile.h"
#include "platform/core/enginelist.h"
#include "platform/pagetoolbar.h"
#include "platform/programwindow.h"
#include "position/core/reportgrid.h"
#include "position/core/termlist.h"
#include "position/positionrunview.h"

class CheckPage;
class EngineUpdate;
class EnginesPage;
class Pacer;
class PositionAgent;
class ProgramFolder;
class Prompts;
class QAction;
class QLabel;
class QMenu;
class QTabWidget;
class ResultsPage;
class SettingsStore;
class TermsPage;
class TickHTTP;
class TickHTTPS;

// The position checker's window: a wizard of four pages (terms and settings, engines, the check,
// the results), its menus, status bar and settings. It owns the program-wide lists and the two
// HTTP components, and it is the view the position agent reports to.
class TForm1 : public ProgramWindow, public PositionRunView {
    Q_OBJECT
public:
    using Services = ProgramServices;

    explicit TForm1(Services services, QWidget* parent = nullptr);
    ~TForm1() override;

    // The terms page's dialogs go through the runner too.
    void setModalRunner(ModalRunner runner) override;

    // Stops a run first.
    void handlerFailed(const std::exception& e) override;

    TermsPage& termsPage() const { return *m_termsPage; }
    EnginesPage& enginesPage() const { return *m_enginesPage; }
    CheckPage& checkPage() const { return *m_checkPage; }
    ResultsPage& resultsPage() const { return *m_resultsPage; }
    QTabWidget& tabs() const { return *m_tabs; }
    TickHTTP& searchComponent() const { return *m_geturl; }
    // The search component for https queries, set up as the other one.
    TickHTTPS& secureSearchComponent() const { return *m_geturlSecure; }
    TickHTTP& updateComponent() const { return *m_update; }
    PositionAgent& agent() const { return *m_agent; }
    ReportGrid& report() { return m_report; }
    TermList& terms() { return m_terms; }
    EngineList& engines() { return m_engines; }
    const std::vector<std::string>& selectedTerms() const { return m_selectedTerms; }
    const std::vector<std::string>& selectedEngines() const { return m_selectedEngines; }
    std::vector<std::string>& collectedAddresses() { return m_collected; }
    const std::string& lastAddress() const { return m_variables['H']; }

    // PositionRunView
    void setStatusPanel(int panel, const std::string& text) override;
    void clearActivity() override;
    void addActivity(const std::string& line) override;
    void focusActivity() override;
    void setStepField(const std::string& text) override;
    void setEngineName(const std::string& text) override;
    void setEngineCounter(const std::string& text) override;
    void setProgress(int percent) override;
    void setBusyCursor(bool busy) override;
    void setRunControls(bool running) override;
    std::string addressText() const override;
    void setAddressText(const std::string& text) override;
    std::string compareText() const override;
    AnalysisOptions options() const override;
    std::string shortDate() const override;
    void reportChanged() override;
    void stepTwoNext() override;
    void showResults() override;
    void restartWizard() override;

public slots:
    void submitClick();
    void cbuttonClick();
    void SelectAllFilesinWeb1Click();
    void RzToolbarButton19Click();
    void ReportViewer1Click();
    void stepOneNext();
    void previousClick();
    void saveSettings();
    void proxyClick();
    void fileListsClick();
    void webListClick();
    void aboutClick();

protected:
    // Asks about unsaved terms and an unsaved report (Yes saves, No drops, Cancel keeps the
    // window open), then writes the settings.
    void closeEvent(QCloseEvent* event) override;

private:
    bool settleUnsavedWork();
    void buildMenus();
    void buildShortcuts();
    void assignPageShortcuts();
    void startUp();
    void readSettings();
    void applyProxy();
    void showTab(QWidget* page, bool visible);
    void activate(QWidget* page);

    TemplateVariables m_variables;
    std::vector<std::string> m_selectedTerms;
    std::vector<std::string> m_selectedEngines;
    std::vector<std::string> m_addedTerms;
    std::vector<std::string> m_collected;
    TermList m_terms;
    EngineList m_engines;
    ReportGrid m_report;
    std::unique_ptr<TickHTTP> m_geturl;
    std::unique_ptr<TickHTTPS> m_geturlSecure;
    std::unique_ptr<TickHTTP> m_update;
    std::unique_ptr<PositionAgent> m_agent;
    bool m_running = false;

    QTabWidget* m_tabs = nullptr;
    TermsPage* m_termsPage = nullptr;
    EnginesPage* m_enginesPage = nullptr;
    CheckPage* m_checkPage = nullptr;
    ResultsPage* m_resultsPage = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_termsMenu = nullptr;
    QMenu* m_enginesMenu = nullptr;
    QMenu* m_checkMenu = nullptr;
    QMenu* m_resultsMenu = nullptr;
    QAction* m_openLocal = nullptr;
    QAction* m_saveLocal = nullptr;
    QAction* m_reportViewer = nullptr;
    QAction* m_saveDefaults = nullptr;
    QAction* m_resultsPrevious = nullptr;
    QAction* m_runAgent = nullptr;
};
