#pragma once

#include <map>
#include <string>
#include <vector>

#include "net/tests/support/scriptedserver.h"
#include "platform/core/programfolder.h"
#include "platform/core/safefile.h"
#include "platform/tests/tempdir.h"
#include "position/core/reportgrid.h"
#include "position/positionrunview.h"

// Result pages in the layouts the engine rules read, for serving from a loopback server.
namespace pages {

// Google: numbered by the rule, one result per "<p><A HREF=http:".
inline std::string google(const std::vector<std::string>& urls) {
    std::string page = "<html>Results 1 - 10. Search took <b>0.07</b> seconds.\n";
    for (const std::string& url : urls)
        page += "<p><A HREF=" + url + ">A result</A><br>snippet\n";
    return page + "<p><center>Result Page: 1</center></html>\n";
}

// AltaVista: its own numbering "N." in front of each result.
inline std::string altavista(int first, const std::vector<std::string>& urls) {
    std::string page = "<html><body>AltaVista found results\n";
    int n = first;
    for (const std::string& url : urls) {
        page += "<dl><dt><b class=txt2>" + std::to_string(n++) + ".</b> <b><a href=\"" + url +
                "\">Title</a></b><dd>Description<br></dl>\n";
    }
    return page + "</body></html>\n";
}

}  // namespace pages

// One column of the report, top to bottom.
inline std::vector<std::string> reportColumn(const ReportGrid& report, int column) {
    std::vector<std::string> out;
    for (int row = 0; row < report.rowCount(); ++row)
        out.push_back(report.table().cell(column, row));
    return out;
}

// A program folder whose definition files point at a scripted loopback server.
struct RunFixture {
    TempDir dir;
    ScriptedServer server;
    ProgramFolder folder{dir.path()};

    // Writes edata\<file> with the flag line and the template (server address put in front of path).
    void definition(const std::string& file, const std::string& path) {
        writeFileAtomically(dir / "edata" / file, "1\r\n" + server.url(path) + "\r\n");
    }
    std::vector<std::string> targets() const {
        std::vector<std::string> out;
        for (const ReceivedRequest& r : server.requests())
            out.push_back(r.target);
        return out;
    }
};

// Records what a run shows, and answers with the address, compare address and options a test set.
class RecordingView : public PositionRunView {
public:
    std::string address;
    std::string compare;
    AnalysisOptions opts;
    std::vector<std::string> activity;
    std::string panels[3];
    std::vector<std::string> panelHistory;
    std::vector<int> progress;
    std::vector<std::string> counters;
    std::vector<std::string> addresses;  // what the batch put into the address box
    int restarts = 0;
    int stepTwoNexts = 0;
    int results = 0;
    bool running = false;
    bool busy = false;

    void setStatusPanel(int panel, const std::string& text) override {
        panels[panel - 1] = text;
        panelHistory.push_back(std::to_string(panel) + ":" + text);
    }
    void clearActivity() override { activity.clear(); }
    void addActivity(const std::string& line) override { activity.push_back(line); }
    void focusActivity() override {}
    void setStepField(const std::string&) override {}
    void setEngineName(const std::string&) override {}
    void setEngineCounter(const std::string& text) override { counters.push_back(text); }
    void setProgress(int percent) override { progress.push_back(percent); }
    void setBusyCursor(bool b) override { busy = b; }
    void setRunControls(bool r) override { running = r; }
    std::string addressText() const override { return address; }
    void setAddressText(const std::string& text) override {
        address = text;
        addresses.push_back(text);
    }
    std::string compareText() const override { return compare; }
    AnalysisOptions options() const override { return opts; }
    std::string shortDate() const override { return "09/12/2026"; }
    void reportChanged() override {}
    void stepTwoNext() override { ++stepTwoNexts; }
    void showResults() override { ++results; }
    void restartWizard() override { ++restarts; }
};
