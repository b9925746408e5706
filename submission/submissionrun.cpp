#include "submission/submissionrun.h"

#include "net/core/wininetcodes.h"
#include "net/tickhttp.h"
#include "pageprep/core/projectcontext.h"
#include "platform/core/gridfile.h"
#include "platform/core/programfolder.h"
#include "platform/core/progress.h"
#include "platform/pacer.h"
#include "platform/prompts.h"
#include "submission/core/categorytranslation.h"
#include "submission/core/presubmissionreport.h"
#include "submission/core/profile.h"
#include "submission/core/submissionrequest.h"
#include "submission/submissionrunview.h"
#include "submission/watchdog.h"

namespace {

using Bar = SubmissionRunView::Bar;
using Row = SubmissionRunView::StatusRow;
using Column = SubmissionRunView::StatusColumn;

const std::string kParagraph = "\n\r\n\r";
const char* const kDefinitionError = "ERROR Opening Engine Definition";
const char* const kSubmissionFailed = "Submission Failed: Engine Did Not Respond, An Error Has Occurred!";
const char* const kNoEmail =
    "Cannot Complete Submission Unless you assign an e-mail address to this project!, To assign an e-mail "
    "address:\r\r\r   1. Click on your project and Press the Properties Button\r   2. Type In a e-mail "
    "address "
    "in the space provided\r   3. Save the settings by Clicking on the Save Button\r   4. Reselect the "
    "project "
    "by Double-Clicking on it\r   5. Then Continue with your web site promotion tasks.\r\rThe Help | Getting "
    "Started Selection from the main menu provides a complete getting started guide";
const char* const kListsBusy =
    "A submission is running. Wait until it has completed, or press Cancel Submission, before you change the "
    "selected files or engines.";

std::string counter(int number, int of) {
    return std::to_string(number) + " of " + std::to_string(of);
}

}  // namespace

void prepareSubmissionComponent(TickHTTP& geturl) {
    geturl.setUseCache(false);
    geturl.setUserAgent("Redore Web Browser Beta One");
}

// Binds the transfer events of the run's two components to the run for as long as a run goes,
// and gives them back as they were: the catalog update sends through geturl with handlers of its
// own.
class SubmissionRun::Binding {
public:
    explicit Binding(SubmissionRun& run)
        : m_plain(run, run.m_c.geturl), m_secure(run, run.m_c.geturlSecure) {}

private:
    class One {
    public:
        One(SubmissionRun& run, TickHTTP& http) : m_http(http) {
            m_start = m_http.OnStartTransfer;
            m_end = m_http.OnEndTransfer;
            m_http.OnStartTransfer = [&run](TickWinInet* sender) { run.geturlStartTransfer(sender); };
            m_http.OnEndTransfer = [&run](TickWinInet* sender) { run.geturlEndTransfer(sender); };
        }
        ~One() {
            m_http.OnStartTransfer = m_start;
            m_http.OnEndTransfer = m_end;
        }
        One(const One&) = delete;
        One& operator=(const One&) = delete;

    private:
        TickHTTP& m_http;
        std::function<void(TickWinInet*)> m_start;
        std::function<void(TickWinInet*)> m_end;
    };
    One m_plain;
    One m_secure;
};

SubmissionRun::SubmissionRun(Context context) : m_c(std::move(context)), m_current(&m_c.geturl) {
    m_c.watchdog.onTimer = [this] { watchdogTimer(); };
}

SubmissionRun::~SubmissionRun() {
    m_c.watchdog.onTimer = nullptr;
}

bool SubmissionRun::stopped() const {
    return m_c.engines.empty();
}

void SubmissionRun::log(const std::string& line) {
    m_log.push_back(line);
    m_c.view.addActivity(line);
}

void SubmissionRun::clearLog() {
    m_log.clear();
    m_c.view.clearActivity();
}

void SubmissionRun::settle() {
    m_c.pacer.processEvents();
    m_c.pacer.sleep(5);
}

bool SubmissionRun::refuseListChange() {
    if (!m_running)
        return false;
    m_c.prompts.information(kListsBusy);
    return true;
}

bool SubmissionRun::stepFiveReset() {
    // Rebuilding the engines under a cancelled run would undo its Cancel.
    if (refuseListChange())
        return false;
    resetStepFive();
    return true;
}

void SubmissionRun::resetStepFive() {
    SubmissionRunView& v = m_c.view;
    v.showStepFive();
    v.rebuildSelectedEngines();
    v.setStatusPanel(1, "Ready");
    v.setStatusPanel(3, "Search Engine Submission");
    const int pages = static_cast<int>(m_c.activeFiles.size());
    const int engines = static_cast<int>(m_c.engines.size());
    v.setTotalFilesSelected(counter(pages, v.fileListRows()));
    v.setTotalEnginesSelected(counter(engines, v.engineListItems()));
    for (Bar bar : {Bar::Files, Bar::Engines, Bar::Overall})
        v.setBar(bar, 0);
    v.setFileAddress("idle");
    v.setEngineName("idle");
    v.setProcessingStep("idle");
    v.setFileCounter(counter(0, pages));
    v.setEngineCounter(counter(0, engines));
    v.setStatusField(Row::Proj, Column::ToSubmit, std::to_string(engines * pages));
    v.setStatusField(Row::Proj, Column::Success, "0");
    v.setStatusField(Row::Proj, Column::Fail, "0");
    v.setStatusField(Row::File, Column::ToSubmit, std::to_string(engines));
    v.setStatusField(Row::File, Column::Success, "0");
    v.setStatusField(Row::File, Column::Fail, "0");
}

void SubmissionRun::verifyClick() {
    SubmissionProfile profile;
    try {
        profile = submissionProfile(readProjectProfile(m_c.folder, m_c.project.name));
    } catch (const GridFileError&) {
        // The report has no failure of its own: the missing values are marked in it.
    }
    for (size_t page = 0; page < m_c.activeFiles.size(); ++page) {
        m_c.view.setBar(Bar::Files, 0);
        m_c.view.setBar(Bar::Engines, 0);
    }
    m_c.view.showReport(preSubmissionReport(m_c.project, profile, m_c.activeFiles, m_c.engines));
}

std::optional<SubmissionProfile> SubmissionRun::readProfile() {
    GridTable table;
    try {
        table = readProjectProfile(m_c.folder, m_c.project.name);
    } catch (const GridFileError& error) {
        m_c.prompts.error(error.what());
    }
    for (int row = 1; row < table.rowCount() && table.columnCount() >= 2; ++row) {
        m_c.view.setStatusPanel(1, "Working...");
        m_c.view.setStatusPanel(2, "Getting Personalization Settings");
        m_c.view.setStatusPanel(3, table.cell(1, row));
        settle();
    }
    SubmissionProfile profile = submissionProfile(table);
    if (profile.email.empty()) {
        m_c.prompts.error(kNoEmail);
        return std::nullopt;
    }
    if (m_c.project.webPath.empty()) {
        m_c.prompts.error("Cannot Complete Submission Unless you assign a base URL to this project!");
        return std::nullopt;
    }
    return profile;
}

SubmissionRun::Outcome SubmissionRun::submitClick() {
    // Events are processed from the first profile row on, before Submit is disabled.
    if (m_running)
        return Outcome::NotStarted;
    m_running = true;
    struct Running {
        bool& flag;
        ~Running() { flag = false; }
    } running{m_running};
    Binding binding(*this);
    m_historyFile.reset();
    SubmissionRunView& v = m_c.view;

    if (m_c.engines.empty()) {
        m_c.prompts.information("You must select at least one engine to run the auto submit" + kParagraph +
                                "Please go to Step two (2) to select search engines for submission.");
        cancelCleanup();
        return Outcome::NotStarted;
    }
    clearLog();
    v.setStatusPanel(1, "Working");
    v.setStatusPanel(3, "Process Starting");
    std::optional<SubmissionProfile> profile = readProfile();
    if (!profile)
        return Outcome::NotStarted;

    v.setStatusPanel(3, "Updating Settings...");
    v.setStatusPanel(3, "Adding Values");
    log("Process Start: " + m_c.project.name);
    log("Web Base Address: " + m_c.project.webPath);
    log("Name: " + profile->firstName + " " + profile->lastName);
    log("E-Mail: " + profile->email);
    log("Company Name: " + profile->company);

    v.setBusyCursor(true);
    v.setStatusPanel(3, "Resetting Process Counters");
    settle();
    startCounters(static_cast<int>(m_c.activeFiles.size()), static_cast<int>(m_c.engines.size()));

    for (int page = 1; page <= m_n.pagesInRun; ++page) {
        if (!submitPage(page, *profile)) {
            cancelCleanup();
            return Outcome::Cancelled;
        }
    }
    if (stopped()) {
        cancelCleanup();
        return Outcome::Cancelled;
    }
    complete();
    return Outcome::Completed;
}

void SubmissionRun::startCounters(int pages, int engines) {
    SubmissionRunView& v = m_c.view;
    m_n = Counters();
    m_n.pagesInRun = pages;
    m_n.pairsTotal = m_n.pairsRemaining = pages * engines;
    v.setRunControls(true);
    v.setFileCounter(counter(0, pages));
    v.setEngineCounter(counter(0, engines));
    v.setStatusField(Row::Proj, Column::ToSubmit, std::to_string(m_n.pairsTotal));
    v.setStatusField(Row::Proj, Column::Success, "0");
    v.setStatusField(Row::File, Column::ToSubmit, std::to_string(engines));
    v.setStatusField(Row::File, Column::Success, "0");
    v.setStatusField(Row::File, Column::Fail, "0");
}

// false when the run must stop.
bool SubmissionRun::submitPage(int number, const SubmissionProfile& profile) {
    SubmissionRunView& v = m_c.view;
    // The lists are read by position; while a run goes the window refuses to rebuild them, and
    // Cancel only empties the engines, so a list that is shorter all the same ends the walk.
    if (static_cast<size_t>(number) > m_c.activeFiles.size())
        return !stopped();
    const std::string entry = m_c.activeFiles[static_cast<size_t>(number) - 1];
    m_n.pageSuccess = m_n.pageFail = 0;
    v.setStatusPanel(1, "Working");
    v.setStatusPanel(2, "Submission Processings Initializing");
    v.setStatusPanel(3, "Setting Submission Values");
    settle();

    const int engineCount = static_cast<int>(m_c.engines.size());
    int remainingForPage = engineCount;
    v.setFileCounter(counter(number, m_n.pagesInRun));
    const std::string address = pageAddress(m_c.project.webPath, entry);
    v.setFileAddress(address);
    v.setStatusPanel(3, address);
    v.setStatusPanel(2, "Processing file: " + std::to_string(number));
    settle();
    v.setProcessingStep("Processing file: " + std::to_string(number));
    v.setBar(Bar::Files, 0);
    v.setBar(Bar::Engines, 0);

    for (int e = 1; e <= engineCount; ++e) {
        if (stopped())
            return false;
        if (static_cast<size_t>(e) > m_c.engines.size())
            break;
        if (!submitPair(address, e, engineCount, profile, remainingForPage))
            return false;
    }
    if (stopped())
        return false;
    v.setStatusPanel(2, entry);
    return true;
}

// false when the run must stop.
bool SubmissionRun::submitPair(const std::string& address, int number, int engineCount,
                               const SubmissionProfile& profile, int& remainingForPage) {
    SubmissionRunView& v = m_c.view;
    const std::string engine = m_c.engines[static_cast<size_t>(number) - 1];
    v.setEngineName(engine);
    setSubmissionVariables(m_c.variables, profile, translateCategory(engine, m_c.project.category), address);
    const DefinitionMessages messages{[this](const std::string& t) { m_c.prompts.warning(t); },
                                      [this](const std::string& t) { m_c.prompts.error(t); }};
    const std::filesystem::path path = m_c.folder.resolve(submissionDefinitionPath(engine));
    std::optional<SubmissionDefinition> definition = loadSubmissionDefinition(path, m_c.variables, messages);
    if (!definition) {
        log(kDefinitionError);
        return true;
    }
    log("");
    log("Set Current file to: " + engine + ": " + address);
    for (const std::string& problem : definition->problems)
        log(path.string() + ", " + problem + "; the line is not used");
    send(*definition);

    v.setStatusPanel(3, address + ", " + engine);
    v.setEngineCounter(counter(number, engineCount));
    if (!stopped()) {
        const int percent = progressPercent(number, engineCount);
        v.setBar(Bar::Engines, percent);
        ++m_n.pairsDone;
        v.setBar(Bar::Files, percent);
        log(std::to_string(m_n.pairsTotal) + ", " + std::to_string(m_n.pairsDone));
        v.setBar(Bar::Overall, progressPercent(m_n.pairsDone, m_n.pairsTotal));
    }
    --remainingForPage;
    v.setStatusField(Row::File, Column::ToSubmit, std::to_string(remainingForPage));
    --m_n.pairsRemaining;
    v.setStatusField(Row::Proj, Column::ToSubmit, std::to_string(m_n.pairsRemaining));
    v.setStatusPanel(3, std::to_string(m_n.pairsRemaining) + " Files Remain");
    m_c.pacer.processEvents();
    m_c.pacer.sleep(5);
    m_c.pacer.sleep(500);
    v.setStatusPanel(1, "Working...");
    v.setStatusPanel(2, "Getting Settings");
    if (stopped())
        return false;
    v.setStatusPanel(3, "");
    settle();
    return true;
}

void SubmissionRun::send(const SubmissionDefinition& definition) {
    m_current = &componentFor(definition.address, m_c.geturl, m_c.geturlSecure);
    m_current->setURL(definition.address);
    m_current->setRequestHeaders(definition.headers);
    m_successCodes = definition.successCodes;
    m_accepted = false;
    try {
        m_current->setAction(ickhttpGet);
    } catch (const EickError& e) {
        // A status the definition names as a success is no failure, whatever the component makes
        // of a status outside 2xx.
        if (!(m_accepted && e.Code() == ickcodes::HttpStatus))
            log(kSubmissionFailed);
        // The status line says what an answer was; a request without one is told why.
        if (e.Code() != ickcodes::HttpStatus)
            log("Reason: " + std::string(e.what()));
    }
    // A transfer can end without its end event (the component gave up on its worker, or the
    // program is quitting); a timer left armed would tick during a later request and cut it short.
    m_c.watchdog.setEnabled(false);
}

void SubmissionRun::geturlStartTransfer(TickWinInet*) {
    m_c.watchdog.setEnabled(true);
}

void SubmissionRun::geturlEndTransfer(TickWinInet*) {
    SubmissionRunView& v = m_c.view;
    const std::string statusLine = m_current->StatusLine();
    m_accepted = submissionAccepted(statusLine, m_successCodes);
    if (m_accepted) {
        ++m_n.pageSuccess;
        ++m_n.runSuccess;
        v.setStatusField(Row::File, Column::Success, std::to_string(m_n.pageSuccess));
        v.setStatusField(Row::Proj, Column::Success, std::to_string(m_n.runSuccess));
    } else {
        ++m_n.pageFail;
        ++m_n.runFail;
        v.setStatusField(Row::File, Column::Fail, std::to_string(m_n.pageFail));
        v.setStatusField(Row::Proj, Column::Fail, std::to_string(m_n.runFail));
    }
    m_c.watchdog.setEnabled(false);
    log("Status: " + statusLine);
}

void SubmissionRun::watchdogTimer() {
    m_current->setAction(ickhttpIdle);
    m_c.watchdog.setEnabled(false);
}

void SubmissionRun::cancelClick() {
    m_c.view.setStatusPanel(2, "Canceling Operation");
    m_c.view.setStatusPanel(3, "Please Wait...");
    for (TickHTTP* component : m_c.components)
        component->setAction(ickhttpIdle);
    m_c.engines.clear();
}

void SubmissionRun::complete() {
    SubmissionRunView& v = m_c.view;
    v.setStatusPanel(1, "Ready");
    v.setStatusPanel(2, "Submission Processings Complete");
    v.setStatusPanel(3, "Submission Screen Ready");
    writeHistory();
    if (m_c.prompts.confirm("The submission project has completed. Do you want to view the report?"))
        v.showReport(m_log);
    v.setRunControls(false);
    v.setBusyCursor(false);
    resetStepFive();
}

void SubmissionRun::writeHistory() {
    const std::filesystem::path folder = m_c.folder.resolve("history");
    try {
        m_historyFile = writeHistoryFile(folder, m_c.project.name, m_c.clock(), m_log);
    } catch (const HistoryFileError& error) {
        m_c.prompts.error("The submission history could not be written to " + error.path().string() +
                          kParagraph + error.what());
    }
}

void SubmissionRun::cancelCleanup() {
    SubmissionRunView& v = m_c.view;
    m_c.watchdog.setEnabled(false);
    v.setRunControls(false);
    v.setBusyCursor(false);
    v.setStatusPanel(1, "Ready");
    v.setStatusPanel(2, "Verify then Submit");
    v.setStatusPanel(3, "Vistral submit");
    clearLog();
    log("Operation Cancelled at user request");
    resetStepFive();
}
