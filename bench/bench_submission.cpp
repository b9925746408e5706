// The submission run against a plain libcurl loop, both sending the same 1000 requests to the same
// local nginx in the same run: 100 pages to 10 engines with the run's pauses switched off, so what
// is measured is the run's own work per pair (definition reading, request building, judging,
// counting, logging, view updates) next to the request itself. Prints both rates and the run's
// ratio to libcurl (higher is better; the goal is at least 0.5).

#include <curl/curl.h>

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "net/core/urlsplit.h"
#include "net/tests/support/loopbackpeers.h"
#include "net/tickhttp.h"
#include "pageprep/core/projectcontext.h"
#include "platform/core/gridfile.h"
#include "platform/core/programfolder.h"
#include "platform/core/safefile.h"
#include "platform/pacer.h"
#include "platform/scriptedprompts.h"
#include "submission/core/categorytranslation.h"
#include "submission/core/profile.h"
#include "submission/core/submissionrequest.h"
#include "submission/submissionrun.h"
#include "submission/submissionrunview.h"
#include "submission/watchdog.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPages = 100;
constexpr int kRounds = 5;  // the best round of each counts: the machine may be busy
const std::vector<std::string> kEngines = {"NetCrawler", "Matilda",   "Thunder", "SurfGopher",
                                           "Brit Index", "Ananzi",    "Teoma",   "Other Engine",
                                           "Jayde",      "Nerd World"};
const char* const kUserAgent = "Redore Web Browser Beta One";

double seconds(const std::function<void()>& work) {
    auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

size_t discard(char*, size_t size, size_t count, void*) {
    return size * count;
}

// The same requests as the run's component makes them: HTTP/1.0 asking to keep the connection.
int curlLoop(const std::vector<std::string>& urls) {
    CURL* easy = curl_easy_init();
    curl_slist* headers = curl_slist_append(nullptr, "Connection: Keep-Alive");
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(easy, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &discard);
    int succeeded = 0;
    for (const std::string& url : urls) {
        curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
        long status = 0;
        if (curl_easy_perform(easy) == CURLE_OK &&
            curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK && status == 200)
            ++succeeded;
    }
    curl_slist_free_all(headers);
    curl_easy_cleanup(easy);
    return succeeded;
}

// The component alone sending the same requests, with the two events the run binds, so the run's
// own share of a pair shows as the difference.
int componentLoop(const std::vector<std::string>& urls) {
    TickHTTP http;
    prepareSubmissionComponent(http);
    int started = 0;
    int accepted = 0;
    http.OnStartTransfer = [&](TickWinInet*) { ++started; };
    http.OnEndTransfer = [&](TickWinInet*) { accepted += submissionAccepted(http.StatusLine()); };
    for (const std::string& url : urls) {
        http.setURL(url);
        try {
            http.setAction(ickhttpGet);
        } catch (const EickError&) {
        }
    }
    return started == accepted ? accepted : 0;
}

// What a window does with the run's updates, kept as cheap as a label's text.
class BenchView : public SubmissionRunView {
public:
    void setStatusPanel(int panel, const std::string& text) override { m_panels[panel - 1] = text; }
    void clearActivity() override { activity.clear(); }
    void addActivity(const std::string& line) override { activity.push_back(line); }
    void setBusyCursor(bool) override {}
    void setBar(Bar bar, int percent) override { m_bars[static_cast<int>(bar)] = percent; }
    void setTotalFilesSelected(const std::string& text) override { m_fields[0] = text; }
    void setTotalEnginesSelected(const std::string& text) override { m_fields[1] = text; }
    void setProcessingStep(const std::string& text) override { m_fields[2] = text; }
    void setFileCounter(const std::string& text) override { m_fields[3] = text; }
    void setFileAddress(const std::string& text) override { m_fields[4] = text; }
    void setEngineCounter(const std::string& text) override { m_fields[5] = text; }
    void setEngineName(const std::string& text) override { m_fields[6] = text; }
    void setStatusField(StatusRow row, StatusColumn column, const std::string& text) override {
        m_status[static_cast<int>(row)][static_cast<int>(column)] = text;
    }
    void setRunControls(bool) override {}
    void showStepFive() override {}
    void rebuildSelectedEngines() override {}
    int fileListRows() const override { return kPages; }
    int engineListItems() const override { return static_cast<int>(kEngines.size()); }
    void showReport(const std::vector<std::string>&) override {}

    std::vector<std::string> activity;

private:
    std::string m_panels[3];
    int m_bars[3] = {};
    std::string m_fields[7];
    std::string m_status[2][3];
};

void writeProgramFolder(const std::filesystem::path& root, const std::string& site) {
    GridTable profile(2, 8);
    const char* const rows[][2] = {{"First Name", "Ann"},
                                   {"Last Name", "Smith"},
                                   {"E-Mail Address", "ann@example.com"},
                                   {"Company Name", "Shoes Ltd"},
                                   {"Site Description", "Shoes & socks for every season"},
                                   {"Site Title", "Shop #1"},
                                   {"Site Key Words", "shoes, socks, boots"}};
    for (int row = 0; row < 7; ++row) {
        profile.setCell(0, row + 1, rows[row][0]);
        profile.setCell(1, row + 1, rows[row][1]);
    }
    writeGridFile(root / "My Profiles" / "Bench.rpf", profile);
    for (const std::string& engine : kEngines) {
        writeFileAtomically(
            root / "edata" / (engine + ".hdf"),
            "1\r\n" + site + "/submit.html?url=#H&title=#B&desc=#A&keys=#C&name=#D&mail=#E&cat=#F\r\n");
    }
}

std::vector<std::string> pageEntries() {
    std::vector<std::string> pages;
    for (int page = 0; page < kPages; ++page)
        pages.push_back("C:\\web\\page" + std::to_string(page) + ".htm");
    return pages;
}

// The addresses the run sends, built beforehand with the same request building and put in the
// form that goes to the wire.
std::vector<std::string> requestsOf(const ProgramFolder& folder, const ActiveProject& project) {
    const SubmissionProfile profile = submissionProfile(readProjectProfile(folder, project.name));
    TemplateVariables variables;
    std::vector<std::string> urls;
    for (const std::string& entry : pageEntries()) {
        for (const std::string& engine : kEngines) {
            setSubmissionVariables(variables, profile, translateCategory(engine, project.category),
                                   pageAddress(project.webPath, entry));
            const std::string request =
                *LoadData(folder.resolve(submissionDefinitionPath(engine)), variables, {});
            urls.push_back(splitUrl(request).requestUrl);
        }
    }
    return urls;
}

void report(const char* name, const char* who, double rate, double curl) {
    std::printf("%s: %s %.1f/s, libcurl %.1f/s, ratio %.2f\n", name, who, rate, curl, rate / curl);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    curl_global_init(CURL_GLOBAL_DEFAULT);
    const auto folderPath = std::filesystem::temp_directory_path() / "orlek-bench-submission";
    std::filesystem::remove_all(folderPath);
    std::filesystem::create_directories(folderPath / "site");
    {
        std::ofstream page(folderPath / "site" / "submit.html", std::ios::binary);
        page << "<html><body>Thank you for your submission.</body></html>\n";
    }
    NginxServer nginx(folderPath / "site");
    const std::string site = nginx.httpUrl("");
    const std::filesystem::path root = folderPath / "program";
    writeProgramFolder(root, site);
    ProgramFolder folder(root);
    const ActiveProject project{"Bench", "http://www.shop.example", WebType::Net, "Travel"};
    const std::vector<std::string> urls = requestsOf(folder, project);

    TickHTTP geturl;
    prepareSubmissionComponent(geturl);
    TickHTTPS geturlSecure;
    prepareSubmissionComponent(geturlSecure);
    FakePacer pacer;
    QtWatchdog watchdog;
    ScriptedPrompts prompts;
    TemplateVariables variables;
    std::vector<std::string> activeFiles = pageEntries();
    std::vector<std::string> engines = kEngines;
    BenchView view;
    SubmissionRun run({geturl,
                       geturlSecure,
                       {&geturl, &geturlSecure},
                       folder,
                       prompts,
                       pacer,
                       watchdog,
                       variables,
                       project,
                       activeFiles,
                       engines,
                       view});

    double bestRun = 1e9, bestCurl = 1e9, bestComponent = 1e9;
    int failures = 0;
    for (int round = 0; round < kRounds; ++round) {
        bestCurl =
            std::min(bestCurl, seconds([&] { failures += static_cast<int>(urls.size()) - curlLoop(urls); }));
        bestComponent = std::min(
            bestComponent, seconds([&] { failures += static_cast<int>(urls.size()) - componentLoop(urls); }));
        prompts.confirmAnswers = {false};
        pacer.sleeps.clear();
        bestRun = std::min(bestRun, seconds([&] {
                               if (run.submitClick() != SubmissionRun::Outcome::Completed)
                                   ++failures;
                           }));
        const std::string last = view.activity.empty() ? "" : view.activity.back();
        if (last != std::to_string(urls.size()) + ", " + std::to_string(urls.size()))
            ++failures;
    }
    const size_t accepted = static_cast<size_t>(
        std::count(view.activity.begin(), view.activity.end(), "Status: HTTP/1.0 200 OK") +
        std::count(view.activity.begin(), view.activity.end(), "Status: HTTP/1.1 200 OK"));
    if (accepted != urls.size())
        ++failures;
    if (failures > 0)
        std::fprintf(stderr, "%d rounds or requests went wrong\n", failures);

    const double pairs = static_cast<double>(urls.size());
    report("1000 requests, start and end events bound", "TickHTTP", pairs / bestComponent, pairs / bestCurl);
    report("1000 pairs, pauses off", "SubmissionRun", pairs / bestRun, pairs / bestCurl);
    std::filesystem::remove_all(folderPath);
    return failures == 0 ? 0 : 1;
}
