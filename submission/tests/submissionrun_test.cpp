#include "submission/submissionrun.h"

#include <gtest/gtest.h>

#include "submission/tests/submissionfixture.h"

namespace {

using Lines = std::vector<std::string>;
using Bar = RecordingRunView::Bar;
using Row = RecordingRunView::Row;
using Column = RecordingRunView::Column;
using Kind = ScriptedPrompts::Kind;

class TwoPagesThreeEngines : public SubmissionRunTest {
protected:
    void SetUp() override {
        definition("Thunder", "/thunder?url=#H&cat=#F&mail=#E");
        definition("Ananzi", "/ananzi?t=#B&c=#f");
        definition("Teoma", "/teoma?u=#h&d=#A&c=#F");
        for (const char* page : {"index.htm", "sub/page.htm"}) {
            const std::string address = std::string("http://www.shop.com/") + page;
            server.script("/thunder?url=" + address + "&cat=20&mail=ann@example.com",
                          answer("HTTP/1.0 200 OK"));
            server.script("/teoma?u=" + address + "&d=Shoes%20%26%20socks&c=Travel",
                          answer("HTTP/1.1 200 Ok"));
        }
        server.script("/ananzi?t=Shop%20%231&c=V", answer("HTTP/1.1 200 OK"));
        activeFiles = {"C:\\web\\index.htm", "sub/page.htm"};
        selectEngines({"Thunder", "Ananzi", "Teoma"});
        prompts.confirmAnswers = {true};
    }
};

}  // namespace

TEST_F(TwoPagesThreeEngines, SendsEveryPairInOrderAndLogsEachOne) {
    EXPECT_EQ(run.submitClick(), SubmissionRun::Outcome::Completed);

    const std::string first = "http://www.shop.com/index.htm";
    const std::string second = "http://www.shop.com/sub/page.htm";
    EXPECT_EQ(targets(),
              (Lines{"/thunder?url=" + first + "&cat=20&mail=ann@example.com", "/ananzi?t=Shop%20%231&c=V",
                     "/teoma?u=" + first + "&d=Shoes%20%26%20socks&c=Travel",
                     "/thunder?url=" + second + "&cat=20&mail=ann@example.com", "/ananzi?t=Shop%20%231&c=V",
                     "/teoma?u=" + second + "&d=Shoes%20%26%20socks&c=Travel"}));
    for (const ReceivedRequest& request : server.requests()) {
        EXPECT_EQ(request.header("User-Agent"), "Redore Web Browser Beta One");
        EXPECT_EQ(request.requestLine.substr(request.requestLine.size() - 8), "HTTP/1.0");
    }
    Lines log = kLogHead;
    int done = 0;
    for (const std::string& address : {first, second}) {
        const std::pair<const char*, const char*> pairs[] = {
            {"Thunder", "HTTP/1.0 200 OK"}, {"Ananzi", "HTTP/1.1 200 OK"}, {"Teoma", "HTTP/1.1 200 Ok"}};
        for (const auto& [engine, statusLine] : pairs) {
            log.insert(log.end(), {"", "Set Current file to: " + std::string(engine) + ": " + address,
                                   "Status: " + std::string(statusLine), "6, " + std::to_string(++done)});
        }
    }
    EXPECT_EQ(run.activityLog(), log);
    EXPECT_EQ(view.activity, log);
    EXPECT_EQ(prompts.shown(),
              (std::vector<ScriptedPrompts::Shown>{
                  {Kind::Confirm, "The submission project has completed. Do you want to view the report?"}}));
    EXPECT_EQ(view.reports, std::vector<Lines>{log});
}

TEST_F(TwoPagesThreeEngines, CountsBarsAndRemainingPairs) {
    run.submitClick();

    EXPECT_EQ(view.bars[Bar::Files], (std::vector<int>{0, 33, 67, 100, 0, 33, 67, 100, 0}));
    EXPECT_EQ(view.bars[Bar::Engines], (std::vector<int>{0, 33, 67, 100, 0, 33, 67, 100, 0}));
    EXPECT_EQ(view.bars[Bar::Overall], (std::vector<int>{17, 33, 50, 67, 83, 100, 0}));
    // The reset after the run shows the next run's totals again.
    EXPECT_EQ(statusOf(view, "Proj ToSubmit "), (Lines{"6", "5", "4", "3", "2", "1", "0", "6"}));
    EXPECT_EQ(statusOf(view, "File ToSubmit "), (Lines{"3", "2", "1", "0", "2", "1", "0", "3"}));
    EXPECT_EQ(statusOf(view, "Proj Success "), (Lines{"0", "1", "2", "3", "4", "0"}));
    EXPECT_EQ(statusOf(view, "Proj Fail "), (Lines{"1", "2", "0"}));
    // A page's counts start again from zero.
    EXPECT_EQ(statusOf(view, "File Success "), (Lines{"0", "1", "2", "1", "2", "0"}));
    EXPECT_EQ(statusOf(view, "File Fail "), (Lines{"0", "1", "1", "0"}));
    EXPECT_EQ(view.engineCounters,
              (Lines{"0 of 3", "1 of 3", "2 of 3", "3 of 3", "1 of 3", "2 of 3", "3 of 3", "0 of 3"}));
    EXPECT_TRUE(view.panelShown("3:0 Files Remain"));
    EXPECT_TRUE(view.panelShown("3:http://www.shop.com/sub/page.htm, Teoma"));
    EXPECT_TRUE(view.panelShown("2:Processing file: 2"));
    EXPECT_TRUE(view.panelShown("2:sub/page.htm"));
    EXPECT_TRUE(view.panelShown("3:ann@example.com"));  // the profile rows as they are read
    EXPECT_EQ(view.runControls, (std::vector<bool>{true, false}));
    EXPECT_FALSE(view.busy);
    EXPECT_FALSE(run.running());
    EXPECT_FALSE(watchdog.enabled());
    EXPECT_EQ(watchdog.arms, 6);
}

TEST_F(TwoPagesThreeEngines, PausesFiveMillisecondsAfterUpdatesAndHalfASecondAfterEachPair) {
    run.submitClick();
    std::vector<int> expected(7, 5);  // a profile row each
    expected.push_back(5);            // the counters
    for (int page = 0; page < 2; ++page) {
        expected.insert(expected.end(), {5, 5});
        for (int engine = 0; engine < 3; ++engine)
            expected.insert(expected.end(), {5, 500, 5});
    }
    EXPECT_EQ(pacer.sleeps, expected);
    EXPECT_GE(pacer.processEventsCalls, static_cast<int>(expected.size()) - 6);
}

TEST_F(TwoPagesThreeEngines, TheHistoryFileHoldsTheLogAndTheResetReadiesTheNextRun) {
    view.pageRows = 5;
    view.engineItems = 13;
    run.submitClick();

    ASSERT_EQ(historyFiles(), Lines{"Shop0703010905.vhs"});
    EXPECT_EQ(run.historyFile(), dir / "history" / "Shop0703010905.vhs");
    std::string text;
    for (const std::string& line : run.activityLog())
        text += line + "\r\n";
    EXPECT_EQ(readFileBytes(dir / "history" / "Shop0703010905.vhs"), text);

    EXPECT_EQ(view.stepFiveShown, 1);
    EXPECT_EQ(view.panels[0], "Ready");
    EXPECT_EQ(view.panels[1], "Submission Processings Complete");
    EXPECT_EQ(view.panels[2], "Search Engine Submission");
    EXPECT_EQ(view.totalFiles, "2 of 5");
    EXPECT_EQ(view.totalEngines, "3 of 13");
    EXPECT_EQ(view.fileCounter, "0 of 2");
    EXPECT_EQ(view.engineCounter, "0 of 3");
    EXPECT_EQ(view.fileAddress, "idle");
    EXPECT_EQ(view.engineName, "idle");
    EXPECT_EQ(view.processingStep, "idle");
    EXPECT_EQ(view.field(Row::Proj, Column::ToSubmit), "6");
    EXPECT_EQ(view.field(Row::File, Column::ToSubmit), "3");
    for (Row row : {Row::File, Row::Proj}) {
        EXPECT_EQ(view.field(row, Column::Success), "0");
        EXPECT_EQ(view.field(row, Column::Fail), "0");
    }
}

TEST_F(TwoPagesThreeEngines, AnsweringNoShowsNoReport) {
    prompts.confirmAnswers = {false};
    EXPECT_EQ(run.submitClick(), SubmissionRun::Outcome::Completed);
    EXPECT_TRUE(view.reports.empty());
    EXPECT_EQ(historyFiles(), Lines{"Shop0703010905.vhs"});
}

TEST_F(SubmissionRunTest, EachResponseIsJudgedByItsExactStatusLine) {
    RefusingPort refusing;
    struct Case {
        const char* engine;
        ScriptedResponse response;
        Lines logged;  // after "Set Current file to: ..."
        bool success;
    };
    ScriptedResponse redirect = answer("HTTP/1.0 302 Found");
    redirect.headerLines = {"Location: /elsewhere"};
    const Case cases[] = {
        {"A", answer("HTTP/1.0 200 OK"), {"Status: HTTP/1.0 200 OK"}, true},
        {"B", answer("HTTP/1.1 200 OK"), {"Status: HTTP/1.1 200 OK"}, true},
        {"C", answer("HTTP/1.1 200 Ok"), {"Status: HTTP/1.1 200 Ok"}, false},
        {"D", answer("HTTP/1.0 201 Created"), {"Status: HTTP/1.0 201 Created"}, false},
        {"E", answer("HTTP/1.0 404 Not Found"), {"Status: HTTP/1.0 404 Not Found", kFailed}, false},
        {"F",
         answer("HTTP/1.1 500 Internal Server Error"),
         {"Status: HTTP/1.1 500 Internal Server Error", kFailed},
         false},
    };
    activeFiles = {"index.htm"};
    Lines names;
    for (const Case& c : cases) {
        engineAnswering(c.engine, c.response);
        names.push_back(c.engine);
    }
    writeFileAtomically(dir / "edata" / "Refused.hdf", "1\r\n" + refusing.url("/submit") + "\r\n");
    // An https address goes to the secure component, which finds nobody there either.
    std::string secure = refusing.url("/submit");
    writeFileAtomically(dir / "edata" / "Secure.hdf", "1\r\n" + secure.replace(0, 4, "https") + "\r\n");
    names.push_back("Refused");
    names.push_back("Secure");
    selectEngines(names);
    prompts.confirmAnswers = {false};
    EXPECT_EQ(run.submitClick(), SubmissionRun::Outcome::Completed);

    Lines expected = kLogHead;
    int done = 0;
    for (const Case& c : cases) {
        expected.insert(expected.end(), {"", "Set Current file to: " + std::string(c.engine) +
                                                 ": http://www.shop.com/index.htm"});
        expected.insert(expected.end(), c.logged.begin(), c.logged.end());
        expected.push_back("8, " + std::to_string(++done));
    }
    for (const char* engine : {"Refused", "Secure"}) {
        // No answer: no status line, and the pair counts as neither success nor failure.
        expected.insert(
            expected.end(),
            {"", "Set Current file to: " + std::string(engine) + ": http://www.shop.com/index.htm", kFailed,
             "Reason: 12029: [12029] Internet Cannot Connect.", "8, " + std::to_string(++done)});
    }
    EXPECT_EQ(run.activityLog(), expected);
    EXPECT_EQ(statusOf(view, "Proj Success ").back(), "0");  // after the reset
    EXPECT_EQ(statusOf(view, "Proj Success "), (Lines{"0", "1", "2", "0"}));
    EXPECT_EQ(statusOf(view, "Proj Fail "), (Lines{"1", "2", "3", "4", "0"}));
}

TEST_F(SubmissionRunTest, AMissingDefinitionSkipsItsPairsWithoutCountingThem) {
    engineAnswering("A", answer("HTTP/1.0 200 OK"));
    engineAnswering("C", answer("HTTP/1.0 200 OK"));
    activeFiles = {"one.htm", "two.htm"};
    selectEngines({"A", "B", "C"});
    prompts.confirmAnswers = {false};
    EXPECT_EQ(run.submitClick(), SubmissionRun::Outcome::Completed);

    const std::string box = "Error writing to " + (dir / "edata" / "B.hdf").string();
    EXPECT_EQ(prompts.shown(),
              (std::vector<ScriptedPrompts::Shown>{
                  {Kind::Error, box},
                  {Kind::Error, box},
                  {Kind::Confirm, "The submission project has completed. Do you want to view the report?"}}));
    EXPECT_EQ(targets(), (Lines{"/A", "/C", "/A", "/C"}));
    const Lines firstPage(run.activityLog().begin() + 5, run.activityLog().begin() + 14);
    EXPECT_EQ(firstPage, (Lines{"", "Set Current file to: A: http://www.shop.com/one.htm",
                                "Status: HTTP/1.0 200 OK", "6, 1", "ERROR Opening Engine Definition", "",
                                "Set Current file to: C: http://www.shop.com/one.htm",
                                "Status: HTTP/1.0 200 OK", "6, 2"}));
    EXPECT_EQ(run.activityLog().back(), "6, 4");
    // The skipped pairs move no bar and no remaining count: Overall stops short of 100.
    EXPECT_EQ(view.bars[Bar::Overall], (std::vector<int>{17, 33, 50, 67, 0}));
    EXPECT_EQ(view.bars[Bar::Files], (std::vector<int>{0, 33, 100, 0, 33, 100, 0}));
    EXPECT_EQ(statusOf(view, "Proj ToSubmit "), (Lines{"6", "5", "4", "3", "2", "6"}));
    EXPECT_EQ(view.engineCounters, (Lines{"0 of 3", "1 of 3", "3 of 3", "1 of 3", "3 of 3", "0 of 3"}));
}

TEST_F(SubmissionRunTest, AnEmptyDefinitionLineSendsNothingAndCountsAFailedPair) {
    writeFileAtomically(dir / "edata" / "A.hdf", "1\r\n\r\n");
    activeFiles = {"one.htm"};
    selectEngines({"A"});
    prompts.confirmAnswers = {false};
    run.submitClick();
    EXPECT_EQ(run.activityLog(), (Lines{kLogHead[0], kLogHead[1], kLogHead[2], kLogHead[3], kLogHead[4], "",
                                        "Set Current file to: A: http://www.shop.com/one.htm", kFailed,
                                        "Reason: 153: Specified URLScheme is invalid.", "1, 1"}));
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(SubmissionRunTest, InvalidVariablesWarnForEveryPairAndTheRequestGoesOut) {
    definition("A", "/a?x=#Z&y=#G#");
    server.script("/a?x=&y=", answer("HTTP/1.0 200 OK"));
    activeFiles = {"one.htm", "two.htm"};
    selectEngines({"A"});
    prompts.confirmAnswers = {false};
    run.submitClick();
    EXPECT_EQ(targets(), (Lines{"/a?x=&y=", "/a?x=&y="}));
    const ScriptedPrompts::Shown z{Kind::Warning, "Invalid variable:Z encountered. Ignoring it."};
    const ScriptedPrompts::Shown trailing{Kind::Warning, "Invalid variable: encountered. Ignoring it."};
    EXPECT_EQ(prompts.shown(),
              (std::vector<ScriptedPrompts::Shown>{
                  z,
                  trailing,
                  z,
                  trailing,
                  {Kind::Confirm, "The submission project has completed. Do you want to view the report?"}}));
}

TEST_F(SubmissionRunTest, WithoutEnginesTheRunShowsWhyAndEndsAsCancelled) {
    activeFiles = {"one.htm"};
    view.activity = {"an earlier line"};
    EXPECT_EQ(run.submitClick(), SubmissionRun::Outcome::NotStarted);
    EXPECT_EQ(prompts.shown(), (std::vector<ScriptedPrompts::Shown>{
                                   {Kind::Information,
                                    "You must select at least one engine to run the auto submit\n\r\n\r"
                                    "Please go to Step two (2) to select search engines for submission."}}));
    EXPECT_EQ(view.activity, Lines{"Operation Cancelled at user request"});
    EXPECT_EQ(view.panelHistory, (Lines{"1:Ready", "2:Verify then Submit", "3:Vistral submit", "1:Ready",
                                        "3:Search Engine Submission"}));
    EXPECT_EQ(view.runControls, std::vector<bool>{false});
    EXPECT_EQ(view.stepFiveShown, 1);
    EXPECT_TRUE(historyFiles().empty());
}

TEST_F(SubmissionRunTest, AMissingEmailOrWebPathStopsBeforeAnythingIsCounted) {
    activeFiles = {"one.htm"};
    selectEngines({"A"});
    definition("A", "/a");
    writeProfile({{"First Name", "Ann"}, {"E-Mail Address", "  "}});
    view.activity = {"an earlier line"};
    EXPECT_EQ(run.submitClick(), SubmissionRun::Outcome::NotStarted);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].kind, Kind::Error);
    EXPECT_EQ(prompts.shown()[0].text.rfind(
                  "Cannot Complete Submission Unless you assign an e-mail address to this "
                  "project!, To assign an e-mail address:\r\r\r   1. Click on your project",
                  0),
              0u);
    EXPECT_NE(prompts.shown()[0].text.find(
                  "\r   5. Then Continue with your web site promotion tasks.\r\rThe Help | "
                  "Getting Started Selection from the main menu provides a complete getting "
                  "started guide"),
              std::string::npos);
    EXPECT_TRUE(view.activity.empty());
    EXPECT_TRUE(view.runControls.empty());
    EXPECT_EQ(view.stepFiveShown, 0);

    prompts.clear();
    writeProfile({{"E-Mail Address", "ann@example.com"}});
    project.webPath.clear();
    EXPECT_EQ(run.submitClick(), SubmissionRun::Outcome::NotStarted);
    EXPECT_EQ(
        prompts.shown(),
        (std::vector<ScriptedPrompts::Shown>{
            {Kind::Error, "Cannot Complete Submission Unless you assign a base URL to this project!"}}));
    EXPECT_TRUE(server.requests().empty());
    EXPECT_TRUE(view.runControls.empty());
    EXPECT_TRUE(historyFiles().empty());
}

TEST_F(SubmissionRunTest, AProfileThatCannotBeReadIsShownThenTheMissingEmail) {
    std::filesystem::remove(dir / "My Profiles" / "Shop.rpf");
    activeFiles = {"one.htm"};
    selectEngines({"A"});
    EXPECT_EQ(run.submitClick(), SubmissionRun::Outcome::NotStarted);
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_NE(prompts.shown()[0].text.find("Shop.rpf"), std::string::npos);
    EXPECT_EQ(
        prompts.shown()[1].text.rfind("Cannot Complete Submission Unless you assign an e-mail address", 0),
        0u);
}

TEST_F(SubmissionRunTest, TheLaterOfTwoProfileRowsWinsAndValuesAreTrimmed) {
    writeProfile({{"E-Mail Address", "old@example.com"},
                  {"First Name", "  Ann\r\n"},
                  {"Last Name", "Smith"},
                  {"E-Mail Address", " new@example.com "}});
    definition("A", "/a?e=#E&d=#D");
    server.script("/a?e=new@example.com&d=Smith", answer("HTTP/1.0 200 OK"));
    activeFiles = {"one.htm"};
    selectEngines({"A"});
    prompts.confirmAnswers = {false};
    run.submitClick();
    EXPECT_EQ(targets(), Lines{"/a?e=new@example.com&d=Smith"});
    EXPECT_EQ(run.activityLog()[2], "Name: Ann Smith");
    EXPECT_EQ(run.activityLog()[3], "E-Mail: new@example.com");
    EXPECT_EQ(run.activityLog()[4], "Company Name: ");
}

TEST_F(SubmissionRunTest, ThePreSubmissionReportListsThePairsAndMarksAMissingEmail) {
    activeFiles = {"one.htm", "two.htm"};
    engines = {"A", "B"};
    run.verifyClick();
    ASSERT_EQ(view.reports.size(), 1u);
    const Lines& report = view.reports[0];
    EXPECT_EQ(std::count(report.begin(), report.end(), "Submitting File"), 2);
    EXPECT_EQ(std::count(report.begin(), report.end(), "to: B"), 2);
    EXPECT_EQ(
        std::count(report.begin(), report.end(), "E-Mail: NO VALUE EXIST, Submission will not be possible"),
        0);
    EXPECT_EQ(view.bars[Bar::Files], (std::vector<int>{0, 0}));
    EXPECT_EQ(view.bars[Bar::Engines], (std::vector<int>{0, 0}));

    writeProfile({{"First Name", "Ann"}});
    run.verifyClick();
    const Lines& second = view.reports[1];
    EXPECT_NE(std::find(second.begin(), second.end(), "E-Mail: "), second.end());
    EXPECT_NE(
        std::find(second.begin(), second.end(), "E-Mail: NO VALUE EXIST, Submission will not be possible"),
        second.end());
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(SubmissionRunTest, TheRunGivesTheComponentsEventsBackAsTheyWere) {
    int starts = 0;
    geturl.OnStartTransfer = [&](TickWinInet*) { ++starts; };
    engineAnswering("A", answer("HTTP/1.0 200 OK"));
    activeFiles = {"one.htm"};
    selectEngines({"A"});
    prompts.confirmAnswers = {false};
    run.submitClick();
    EXPECT_EQ(starts, 0);
    EXPECT_EQ(watchdog.arms, 1);
    geturl.setURL(server.url("/A"));
    geturl.setAction(ickhttpGet);
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(watchdog.arms, 1);
    EXPECT_FALSE(static_cast<bool>(geturl.OnEndTransfer));
}
