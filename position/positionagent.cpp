#include "position/positionagent.h"

#include "net/core/wininetcodes.h"
#include "net/tickhttp.h"
#include "platform/core/programfolder.h"
#include "platform/core/progress.h"
#include "platform/core/safefile.h"
#include "platform/pacer.h"
#include "platform/prompts.h"
#include "position/core/analysis.h"
#include "position/core/resultpages.h"
#include "position/positionrunview.h"

namespace {

const char* kDefinitionError = "ERROR Opening Engine Definition";
const std::string kUnreadableDefinition = "Cannot read engine definition ";
const char* kFetchFailed = "Intel Failed: Engine Did Not Respond, An Error Has Occurred!";
const std::string kParagraph = "\n\r\n\r";

}  // namespace

PositionAgent::PositionAgent(Context context) : m_c(context), m_current(&m_c.http) {
    bindEvents(m_c.http);
    if (m_c.secureHttp)
        bindEvents(*m_c.secureHttp);
}

void PositionAgent::bindEvents(TickHTTP& http) {
    http.OnStartTransfer = [this](TickWinInet* s) { geturlStartTransfer(s); };
    http.OnTransfer = [this](TickWinInet* s, int bytes, const std::string& text) {
        geturlTransfer(s, bytes, text);
    };
    http.OnStatus = [this](TickWinInet* s, int code, const std::string& d) { geturlStatus(s, code, d); };
    http.OnHeader = [this](TickHTTP*, const std::string& f, const std::string& v) { geturlHeader(f, v); };
    http.OnEndTransfer = [this](TickWinInet* s) { geturlEndTransfer(s); };
}

std::vector<std::string> PositionAgent::unreadableDefinitions(const ProgramFolder& folder,
                                                              const std::vector<std::string>& engines) {
    std::vector<std::string> lines;
    for (const std::string& engine : engines) {
        for (int page = 1; page <= resultPageCount(engine); ++page) {
            try {
                readFileBytes(folder.resolve("edata\\" + definitionFileName(engine, page)));
            } catch (const FileError& e) {
                lines.push_back(kUnreadableDefinition + e.what());
            }
        }
    }
    return lines;
}

bool PositionAgent::cancelledInEvent() {
    if (!m_cancelled)
        return false;
    m_c.view.setBusyCursor(false);
    m_c.view.restartWizard();
    return true;
}

void PositionAgent::geturlStartTransfer(TickWinInet*) {
    cancelledInEvent();
}
void PositionAgent::geturlTransfer(TickWinInet*, int, const std::string&) {
    cancelledInEvent();
}
void PositionAgent::geturlStatus(TickWinInet*, int, const std::string&) {
    cancelledInEvent();
}
void PositionAgent::geturlHeader(const std::string&, const std::string&) {
    cancelledInEvent();
}

void PositionAgent::geturlEndTransfer(TickWinInet*) {
    if (cancelledInEvent())
        return;
    m_c.view.addActivity("Status: " + m_current->StatusLine());
    m_c.view.focusActivity();
}

bool PositionAgent::stopped() const {
    return m_cancelled || m_c.engines.empty();
}

void PositionAgent::pause(int milliseconds) {
    m_c.pacer.sleep(milliseconds);
}

bool PositionAgent::checkSelections() {
    if (m_c.terms.empty()) {
        m_c.prompts.information("You must select at least one search term to run the position agent" +
                                kParagraph +
                                "Please go to Step one (1) to select search terms for position analysis.");
        return false;
    }
    if (m_c.engines.empty()) {
        m_c.prompts.information("You must select at least one engine to run the position agent" + kParagraph +
                                "Please go to Step two (2) to select search engines for position analysis.");
        return false;
    }
    return true;
}

PositionAgent::Outcome PositionAgent::submitClick() {
    m_cancelled = false;
    if (m_c.view.addressText().empty()) {
        m_c.prompts.information(
            "The URL that you are checking must have a value, either a full url, url to a subweb root or url "
            "to a "
            "domain root!");
        return Outcome::NotStarted;
    }
    m_c.report.reset(m_c.view.shortDate());
    m_c.view.reportChanged();
    if (!checkSelections())
        return Outcome::NotStarted;

    if (!runBody({"dIrozidid Udazadarerez Aro/init", "Setting Intell Values"}))
        return Outcome::Cancelled;

    PositionRunView& v = m_c.view;
    v.setStatusPanel(2, m_address);
    v.setStatusPanel(1, "Ready");
    v.setStatusPanel(2, "Ranqor Processings Complete");
    v.setStatusPanel(3, "Ranqor Screen Ready");
    v.setRunControls(false);
    v.setBusyCursor(false);
    v.stepTwoNext();
    v.showResults();
    return Outcome::Completed;
}

PositionAgent::Outcome PositionAgent::batch(const std::vector<std::string>& addresses) {
    // A cancelled single run leaves the flag set; a batch starts clean, and a Cancel pressed
    // during the batch stops it at the next point where a single run would stop.
    m_cancelled = false;
    PositionRunView& v = m_c.view;
    m_c.report.table().clearCells();
    m_c.view.reportChanged();
    v.setBusyCursor(true);
    for (const std::string& address : addresses) {
        v.setAddressText(address);
        m_c.pacer.processEvents();
        if (!checkSelections()) {
            v.setBusyCursor(false);
            return Outcome::NotStarted;
        }
        if (!runBody({"Ranqor Processings Initializing", "Setting eBusiness Values"}))
            return Outcome::Cancelled;
        v.setStatusPanel(1, "Ready");
        v.setStatusPanel(2, "Ranqor Processings Complete");
        v.setStatusPanel(3, "Ranqor Agent Screen Ready");
        v.setRunControls(false);
        v.setBusyCursor(false);
        v.stepTwoNext();
        m_c.pacer.processEvents();
        v.setBusyCursor(true);
    }
    m_c.pacer.processEvents();
    m_c.pacer.processEvents();
    v.setBusyCursor(false);
    v.showResults();
    return Outcome::Completed;
}

bool PositionAgent::runBody(const Wording& wording) {
    PositionRunView& v = m_c.view;
    v.clearActivity();
    m_rules.load(m_c.folder, m_c.engines);
    m_address = v.addressText();
    m_c.variables['H'] = m_address;
    v.setStatusPanel(1, "Working");
    v.setStatusPanel(3, "Process Starting");
    v.setStatusPanel(3, "Updating Settings...");
    v.setStatusPanel(3, "Adding Values");
    v.setBusyCursor(true);
    v.setStatusPanel(3, "Resetting Process Counters");
    m_c.pacer.processEvents();
    pause(5);

    const int engineCount = static_cast<int>(m_c.engines.size());
    int remaining = engineCount;
    v.setRunControls(true);
    v.setEngineCounter("0 of " + std::to_string(engineCount));
    v.setStatusPanel(1, "Working");
    v.setStatusPanel(2, wording.phase);
    v.setStatusPanel(3, wording.detail);
    m_c.pacer.processEvents();
    pause(5);
    v.setStatusPanel(3, m_address);
    v.setStatusPanel(2, "Processing file: 0");
    m_c.pacer.processEvents();
    pause(5);
    v.setStepField("Processing files");
    v.setProgress(0);

    // Indexes rather than iterators: Cancel may empty the lists while the run walks them.
    for (size_t e = 0; e < m_c.engines.size(); ++e) {
        if (stopped())
            return false;
        const std::string engine = m_c.engines[e];
        std::string refusal = engineNameRefusal(engine);
        if (refusal.empty())
            refusal = m_rules.skipReason(engine);
        if (!refusal.empty())
            v.addActivity(refusal);
        for (size_t t = 0; refusal.empty() && t < m_c.terms.size(); ++t) {
            if (stopped() || t >= m_c.terms.size())
                return false;
            const std::string term = m_c.terms[t];
            if (term.empty())
                continue;  // an empty query would only fetch the engine's front page
            if (!termStep(engine, term))
                return false;
            if (stopped())
                return false;
            // With many terms an engine takes long; the bar moves per term, and the engine's own
            // step below sets the same value after its last term.
            const int termCount = static_cast<int>(m_c.terms.size());
            if (t + 1 < m_c.terms.size()) {
                v.setProgress(progressPercent(static_cast<int>(e) * termCount + static_cast<int>(t) + 1,
                                              engineCount * termCount));
            }
        }
        const int number = static_cast<int>(e) + 1;
        v.setEngineCounter(std::to_string(number) + " of " + std::to_string(engineCount));
        v.setProgress(progressPercent(number, engineCount));
        --remaining;
        v.setStatusPanel(3, std::to_string(remaining) + " Files Remain");
        m_c.pacer.processEvents();
        pause(5);
        pause(500);
        v.setStatusPanel(1, "Working...");
        v.setStatusPanel(2, "");
        v.setStatusPanel(3, "");
        m_c.pacer.processEvents();
        pause(5);
        if (stopped())
            return false;
    }
    return true;
}

void PositionAgent::fetch(const std::string& address, const std::vector<std::string>& headers,
                          const std::string& resultFile) {
    std::filesystem::path file = m_c.folder.resolveForWriting("Temp\\" + resultFile);
    // An earlier run's page must never be reported as this query's result: the file is emptied
    // first, so a failed fetch is analysed as an empty page.
    writeFileAtomically(file, "");
    m_current = m_c.secureHttp ? &componentFor(address, m_c.http, *m_c.secureHttp) : &m_c.http;
    TickHTTP& http = *m_current;
    http.setURL(address);
    http.setLocalFile(file.string());
    http.setRequestHeaders(headers);
    try {
        http.setAction(ickhttpGet);
    } catch (const EickError& e) {
        // A page past the size limit is no result page: none of it is kept or analysed.
        if (e.Code() == ickcodes::BodyTooLarge) {
            std::error_code ec;
            std::filesystem::remove(file, ec);
        }
        // The documented line says only that it failed; the next says why, and where.
        m_c.view.addActivity(kFetchFailed);
        m_c.view.addActivity("Fetch of " + (address.empty() ? std::string("(no address)") : address) +
                             " failed: " + e.what());
    }
}

std::optional<EngineDefinition> PositionAgent::readDefinition(const std::string& engine, int page) {
    const std::filesystem::path path = m_c.folder.resolve("edata\\" + definitionFileName(engine, page));
    const DefinitionMessages messages{[this](const std::string& t) { m_c.prompts.warning(t); },
                                      [this](const std::string& t) { m_c.prompts.error(t); }};
    try {
        EngineDefinition definition =
            ReadEngineDefinition(path, m_c.variables, messages, kRanqorTemplateRules);
        if (!definition.readError.empty())
            m_c.view.addActivity(kUnreadableDefinition + definition.readError);
        for (const std::string& problem : definition.headerProblems)
            m_c.view.addActivity(path.string() + ", " + problem + "; the header is not sent");
        return definition;
    } catch (const DefinitionError& e) {
        m_c.view.addActivity(kDefinitionError);
        m_c.view.addActivity(path.string() + ": " + e.what());
        return std::nullopt;
    }
}

// Returns false when the run must stop (cancelled); a skipped term returns true.
bool PositionAgent::termStep(const std::string& engine, const std::string& term) {
    PositionRunView& v = m_c.view;
    v.setEngineName(engine);
    m_c.variables['C'] = term;
    if (stopped())
        return false;

    std::optional<EngineDefinition> definition = readDefinition(engine, 1);
    if (!definition)
        return !stopped();
    if (stopped())
        return false;
    v.addActivity("");
    v.addActivity("Set Current file to: " + engine + ": " + m_address);
    v.addActivity("Current Term: " + term);
    if (stopped())
        return false;
    fetch(definition->address, definition->headers, resultFileName(engine, 1));
    if (stopped())
        return false;

    const int pages = resultPageCount(engine);
    for (int page = 2; page <= pages; ++page) {
        if (stopped())
            return false;
        definition = readDefinition(engine, page);
        if (!definition)
            return !stopped();
        v.addActivity("");
        v.addActivity("Set Current file to: " + engine + ": " + std::to_string(page) + " " + m_address);
        if (stopped())
            return false;
        fetch(definition->address, definition->headers, resultFileName(engine, page));
        if (stopped())
            return false;
    }

    if (stopped())
        return false;
    std::vector<std::string> files;
    for (int page = 1; page <= pages; ++page) {
        // A page that went past the size limit was removed and reads as empty.
        std::filesystem::path file = m_c.folder.resolve("Temp\\" + resultFileName(engine, page));
        std::error_code ec;
        files.push_back(std::filesystem::exists(file, ec) ? readFileBytes(file) : std::string());
    }
    const std::string pageText = buildPageText(files);
    if (stopped())
        return false;

    std::vector<std::string> notes;
    std::optional<std::string> message =
        analyzeWith(m_rules.reader(engine), term, v.addressText(), v.compareText(), pageText, engine,
                    v.options(), m_c.report, notes);
    for (const std::string& note : notes)
        v.addActivity(engine + ": " + note);
    v.reportChanged();
    if (message)
        m_c.prompts.information(*message);
    return !stopped();
}
