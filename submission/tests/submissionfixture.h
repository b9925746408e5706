#pragma once

#include <map>
#include <string>
#include <vector>

#include "net/tests/httptestkit.h"
#include "net/tests/support/refusingport.h"
#include "net/tests/support/scriptedserver.h"
#include "net/tickhttp.h"
#include "pageprep/core/projectcontext.h"
#include "platform/core/gridfile.h"
#include "platform/core/programfolder.h"
#include "platform/core/safefile.h"
#include "platform/pacer.h"
#include "platform/scriptedprompts.h"
#include "platform/tests/tempdir.h"
#include "submission/submissionrun.h"
#include "submission/submissionrunview.h"
#include "submission/watchdog.h"

// Records what a run shows; stands in for steps 2 and 4 with a number of rows and the ticks.
class RecordingRunView : public SubmissionRunView {
public:
    using Bar = SubmissionRunView::Bar;
    using Row = SubmissionRunView::StatusRow;
    using Column = SubmissionRunView::StatusColumn;

    explicit RecordingRunView(std::vector<std::string>& engines) : m_engines(engines) {}

    std::vector<std::string> activity;
    std::string panels[3];
    std::vector<std::string> panelHistory;
    std::map<Bar, std::vector<int>> bars;
    std::map<std::pair<Row, Column>, std::string> status;
    std::vector<std::string> statusHistory;  // "File ToSubmit 2", ...
    std::string totalFiles, totalEngines, processingStep, fileCounter, fileAddress, engineCounter, engineName;
    std::vector<std::string> engineCounters;
    std::vector<bool> runControls;
    bool busy = false;
    int stepFiveShown = 0;
    std::vector<std::vector<std::string>> reports;
    // Step 4's ticked engines, which every reset selects again, and the list sizes of steps 2 and 4.
    std::vector<std::string> tickedEngines;
    int pageRows = 0;
    int engineItems = 0;

    void setStatusPanel(int panel, const std::string& text) override {
        panels[panel - 1] = text;
        panelHistory.push_back(std::to_string(panel) + ":" + text);
    }
    void clearActivity() override { activity.clear(); }
    void addActivity(const std::string& line) override { activity.push_back(line); }
    void setBusyCursor(bool b) override { busy = b; }
    void setBar(Bar bar, int percent) override { bars[bar].push_back(percent); }
    void setTotalFilesSelected(const std::string& text) override { totalFiles = text; }
    void setTotalEnginesSelected(const std::string& text) override { totalEngines = text; }
    void setProcessingStep(const std::string& text) override { processingStep = text; }
    void setFileCounter(const std::string& text) override { fileCounter = text; }
    void setFileAddress(const std::string& text) override { fileAddress = text; }
    void setEngineCounter(const std::string& text) override {
        engineCounter = text;
        engineCounters.push_back(text);
    }
    void setEngineName(const std::string& text) override { engineName = text; }
    void setStatusField(Row row, Column column, const std::string& text) override {
        status[{row, column}] = text;
        static const char* const rows[] = {"File", "Proj"};
        static const char* const columns[] = {"ToSubmit", "Success", "Fail"};
        statusHistory.push_back(std::string(rows[static_cast<int>(row)]) + " " +
                                columns[static_cast<int>(column)] + " " + text);
    }
    void setRunControls(bool running) override { runControls.push_back(running); }
    void showStepFive() override { ++stepFiveShown; }
    void rebuildSelectedEngines() override { m_engines = tickedEngines; }
    int fileListRows() const override { return pageRows; }
    int engineListItems() const override { return engineItems; }
    void showReport(const std::vector<std::string>& lines) override { reports.push_back(lines); }

    std::string field(Row row, Column column) const {
        auto it = status.find({row, column});
        return it == status.end() ? "" : it->second;
    }
    bool panelShown(const std::string& entry) const {
        return std::find(panelHistory.begin(), panelHistory.end(), entry) != panelHistory.end();
    }

private:
    std::vector<std::string>& m_engines;
};

inline const char* const kFailed = "Submission Failed: Engine Did Not Respond, An Error Has Occurred!";
// The first lines of a run of the fixture's project Shop.
inline const std::vector<std::string> kLogHead = {"Process Start: Shop",
                                                  "Web Base Address: http://www.shop.com", "Name: Ann Smith",
                                                  "E-Mail: ann@example.com", "Company Name: Shoes Ltd"};

// The values a status field took, in order: prefix is "Proj Success " and the like.
inline std::vector<std::string> statusOf(const RecordingRunView& view, const std::string& prefix) {
    std::vector<std::string> out;
    for (const std::string& entry : view.statusHistory) {
        if (entry.rfind(prefix, 0) == 0)
            out.push_back(entry.substr(prefix.size()));
    }
    return out;
}

// What an engine answers a submission with: a short page under the status line.
inline ScriptedResponse answer(const std::string& statusLine) {
    ScriptedResponse response = ScriptedResponse::ok("<html>thanks</html>");
    response.statusLine = statusLine;
    return response;
}

// A program folder with the project Shop's profile and definitions that point at a scripted
// loopback server, the window's lists and components, and a run bound to all of it.
class SubmissionRunTest : public ::testing::Test {
protected:
    TempDir dir;
    ProgramFolder folder{dir.path()};
    ScriptedServer server;
    TickHTTP geturl;
    TickHTTPS geturlSecure;
    TickHTTP geturl2;
    TickHTTPS geturls;
    ScriptedPrompts prompts;
    FakePacer pacer;
    ManualWatchdog watchdog;
    TemplateVariables variables;
    ActiveProject project{"Shop", "http://www.shop.com", WebType::Net, "Travel"};
    std::vector<std::string> activeFiles;
    std::vector<std::string> engines;
    RecordingRunView view{engines};
    LocalTime endOfRun{2001, 7, 3, 9, 5};
    SubmissionRun run{{geturl,
                       geturlSecure,
                       {&geturl, &geturlSecure, &geturl2, &geturls},
                       folder,
                       prompts,
                       pacer,
                       watchdog,
                       variables,
                       project,
                       activeFiles,
                       engines,
                       view,
                       [this] { return endOfRun; }}};

    SubmissionRunTest() {
        clearProxyEnvironment();
        prepareSubmissionComponent(geturl);
        prepareSubmissionComponent(geturlSecure);
        // A run that went wrong fails its test instead of hanging it.
        geturl.setTimeout(20);
        geturlSecure.setTimeout(20);
        writeProfile({{"First Name", "Ann"},
                      {"Last Name", "Smith"},
                      {"E-Mail Address", "ann@example.com"},
                      {"Company Name", "Shoes Ltd"},
                      {"Site Description", "Shoes & socks"},
                      {"Site Title", "Shop #1"},
                      {"Site Key Words", "shoes"}});
    }

    void writeProfile(const std::vector<std::pair<std::string, std::string>>& rows) {
        GridTable profile(2, static_cast<int>(rows.size()) + 1);
        profile.setCell(0, 0, "Personalization");
        profile.setCell(1, 0, "Value");
        for (size_t i = 0; i < rows.size(); ++i) {
            profile.setCell(0, static_cast<int>(i) + 1, rows[i].first);
            profile.setCell(1, static_cast<int>(i) + 1, rows[i].second);
        }
        writeGridFile(dir / "My Profiles" / "Shop.rpf", profile);
    }
    // edata\<engine>.hdf with the request template, the server's address put in front.
    void definition(const std::string& engine, const std::string& target) {
        writeFileAtomically(dir / "edata" / (engine + ".hdf"), "1\r\n" + server.url(target) + "\r\n");
    }
    // edata\\<engine>.hdf asking for "/" + engine, which the server answers with response.
    void engineAnswering(const std::string& engine, ScriptedResponse response) {
        definition(engine, "/" + engine);
        server.script("/" + engine, std::move(response));
    }
    // Selects the engines as step 4's Next would: ticked, and selected by a reset.
    void selectEngines(const std::vector<std::string>& names) {
        view.tickedEngines = names;
        engines = names;
    }
    std::vector<std::string> targets() const {
        std::vector<std::string> out;
        for (const ReceivedRequest& r : server.requests())
            out.push_back(r.target);
        return out;
    }
    std::vector<std::string> historyFiles() const {
        std::vector<std::string> names;
        if (!std::filesystem::exists(dir / "history"))
            return names;
        for (const auto& entry : std::filesystem::directory_iterator(dir / "history"))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};
