// The position run recording into a real history: each kind of engine answer, served from
// loopback, ends in its own outcome.

#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlQuery>

#include "net/tests/support/refusingport.h"
#include "position/historystore.h"
#include "position/tests/agentfixture.h"

namespace {

class HistoryRunTest : public PositionAgentTest {
protected:
    RefusingPort refusing;
    std::filesystem::path file = HistoryStore::defaultFile(fx.folder);
    HistoryStore store{file, 0};

    void SetUp() override {
        PositionAgentTest::SetUp();
        agent.setHistory(&store);
    }

    // Google answers every kind of page, by term; MSN's address refuses the connection.
    void scriptEngines() {
        fx.definition("Google.hdf", "/google?q=#C");
        fx.server.script("/google?q=found", ScriptedResponse::ok(pages::google({"http://a.com/", kSite})));
        fx.server.script("/google?q=absent", ScriptedResponse::ok(pages::google({"http://a.com/"})));
        fx.server.script("/google?q=empty", ScriptedResponse::ok(pages::google({})));
        fx.server.script(
            "/google?q=blocked",
            ScriptedResponse::ok("<html><body>Unusual traffic from your network.</body></html>"));
        writeFileAtomically(fx.dir / "edata" / "MSN.hdf", "1\r\n" + refusing.url("/msn?q=#C") + "\r\n");
        terms = {"found", "absent", "empty", "blocked"};
        engines = {"Google", "MSN"};
    }
};

}  // namespace

TEST_F(HistoryRunTest, EachEngineAnswerIsRecordedWithItsOutcome) {
    scriptEngines();
    ASSERT_EQ(agent.submitClick(), PositionAgent::Outcome::Completed);

    std::vector<HistoryPoint> points = store.points(kSite);
    ASSERT_EQ(points.size(), 8u);
    struct Expected {
        const char* engine;
        const char* term;
        CheckOutcome outcome;
        int position;
        int resultRows;
        int errorCode;
    };
    const Expected expected[] = {
        {"Google", "found", CheckOutcome::Ranked, 2, 2, 0},
        {"Google", "absent", CheckOutcome::NotRanked, 0, 1, 0},
        {"Google", "empty", CheckOutcome::NoResults, 0, 0, 0},
        {"Google", "blocked", CheckOutcome::Unreadable, 0, 0, 0},
        {"MSN", "found", CheckOutcome::Failed, 0, 0, 12029},
        {"MSN", "absent", CheckOutcome::Failed, 0, 0, 12029},
        {"MSN", "empty", CheckOutcome::Failed, 0, 0, 12029},
        {"MSN", "blocked", CheckOutcome::Failed, 0, 0, 12029},
    };
    for (size_t i = 0; i < points.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(points[i].engine, expected[i].engine);
        EXPECT_EQ(points[i].term, expected[i].term);
        EXPECT_EQ(points[i].outcome, expected[i].outcome);
        EXPECT_EQ(points[i].position, expected[i].position);
        EXPECT_EQ(points[i].resultRows, expected[i].resultRows);
        EXPECT_EQ(points[i].errorCode, expected[i].errorCode);
        EXPECT_EQ(points[i].run, points[0].run);  // one run
    }
    const OutcomeCounts& counts = agent.outcomeCounts();
    EXPECT_EQ(outcomeCountsLine(counts),
              "Outcomes: 1 ranked, 1 not-ranked, 1 no-results, 1 unreadable, 4 failed");
    // The activity monitor says it in words; the report's blocks are as ever.
    auto has = [&](const std::string& start) {
        return std::any_of(view.activity.begin(), view.activity.end(),
                           [&](const std::string& line) { return line.rfind(start, 0) == 0; });
    };
    EXPECT_TRUE(
        has("Google, blocked: unreadable (the page holds none of the rule's markers: blocked, a captcha or "
            "a changed layout)"));
    EXPECT_TRUE(has("MSN, found: failed (12029: "));
    EXPECT_FALSE(has("Google, empty:"));
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(HistoryRunTest, RuleFilesTellAnEmptyListFromAPageTheyCannotRead) {
    // A page rule: results stand between "[[" and "]]" with their address in href="...".
    writeFileAtomically(fx.dir / "edata" / "Modern.rule",
                        "kind=page\r\nname=Modern\r\n"
                        "step=replace\r\n    find=<li class=\"result\">\r\n    with=[[]]\r\nstep=number\r\n"
                        "item-start=[[\r\nitem-end=</li>\r\nlabel-start=\r\nlabel-end=]]\r\n"
                        "address-start=href=\"\r\naddress-end=\"\r\n");
    writeFileAtomically(fx.dir / "edata" / "Api.rule",
                        "kind=json\r\nname=Api\r\nresults=/web/results\r\naddress=url\r\n");
    fx.definition("Modern.hdf", "/modern?q=#C");
    fx.definition("Api.hdf", "/api?q=#C");
    const std::string blocked = "<html><body>Unusual traffic from your network.</body></html>";
    fx.server.script("/modern?q=empty",
                     ScriptedResponse::ok("<html><body><ol id=\"results\"></ol></body></html>"));
    fx.server.script("/modern?q=blocked", ScriptedResponse::ok(blocked));
    fx.server.script("/api?q=empty", ScriptedResponse::ok("{\"web\": {\"results\": []}}"));
    fx.server.script("/api?q=blocked", ScriptedResponse::ok(blocked));
    terms = {"empty", "blocked"};
    engines = {"Modern", "Api"};
    ASSERT_EQ(agent.submitClick(), PositionAgent::Outcome::Completed);

    std::vector<HistoryPoint> points = store.points(kSite);
    ASSERT_EQ(points.size(), 4u);
    const CheckOutcome expected[] = {CheckOutcome::NoResults, CheckOutcome::Unreadable,
                                     CheckOutcome::NoResults, CheckOutcome::Unreadable};
    for (size_t i = 0; i < points.size(); ++i) {
        SCOPED_TRACE(points[i].engine + " " + points[i].term);
        EXPECT_EQ(points[i].outcome, expected[i]);
    }
}

TEST_F(HistoryRunTest, ACompareAddressAndEveryBatchAddressAreRecorded) {
    fx.definition("Google.hdf", "/google?q=#C");
    fx.server.script("/google?q=seo",
                     ScriptedResponse::ok(pages::google({"http://rival.example/", "http://b.com/", kSite})));
    terms = {"seo"};
    engines = {"Google"};
    view.compare = "http://rival.example/";
    view.opts.compare = true;
    ASSERT_EQ(agent.submitClick(), PositionAgent::Outcome::Completed);
    EXPECT_EQ(store.points(kSite).at(0).position, 3);
    EXPECT_EQ(store.points("http://rival.example/").at(0).position, 1);

    view.opts.compare = false;
    ASSERT_EQ(agent.batch({"http://b.com/", "http://c.com/"}), PositionAgent::Outcome::Completed);
    const std::vector<HistoryPoint> b = store.points("http://b.com/");
    const std::vector<HistoryPoint> c = store.points("http://c.com/");
    ASSERT_EQ(b.size(), 1u);
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(b[0].position, 2);
    EXPECT_EQ(c[0].outcome, CheckOutcome::NotRanked);
    EXPECT_LT(b[0].run, c[0].run);  // a run per address
    EXPECT_EQ(outcomeCountsLine(agent.outcomeCounts()),
              "Outcomes: 1 ranked, 1 not-ranked, 0 no-results, 0 unreadable, 0 failed");
}

TEST_F(HistoryRunTest, ALockedHistoryIsToldAndTheReportIsStillMade) {
    fx.definition("Google.hdf", "/google?q=#C");
    fx.server.script("/google?q=seo", ScriptedResponse::ok(pages::google({kSite})));
    terms = {"seo"};
    engines = {"Google"};
    ASSERT_EQ(agent.submitClick(), PositionAgent::Outcome::Completed);  // creates the history

    {
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other program");
        other.setDatabaseName(QString::fromStdString(file.string()));
        ASSERT_TRUE(other.open());
        QSqlQuery lock(other);
        ASSERT_TRUE(lock.exec("BEGIN EXCLUSIVE"));

        ASSERT_EQ(agent.submitClick(), PositionAgent::Outcome::Completed);
        EXPECT_EQ(report.table().cell(0, 3), "Google result 1");
        EXPECT_EQ(view.results, 2);
        ASSERT_EQ(prompts.shown().size(), 1u);
        EXPECT_EQ(prompts.shown()[0].kind, ScriptedPrompts::Kind::Warning);
        EXPECT_NE(prompts.shown()[0].text.find("in use by another program"), std::string::npos);
        EXPECT_EQ(view.activity.back(), prompts.shown()[0].text);
        lock.exec("ROLLBACK");
        other.close();
    }
    QSqlDatabase::removeDatabase("other program");
    EXPECT_EQ(store.points(kSite).size(), 1u);  // the first run, and nothing of the second
}

TEST_F(HistoryRunTest, NothingIsRecordedWithRecordingSwitchedOff) {
    fx.definition("Google.hdf", "/google?q=#C");
    fx.server.script("/google?q=seo", ScriptedResponse::ok(pages::google({kSite})));
    terms = {"seo"};
    engines = {"Google"};
    agent.setHistory(nullptr);
    ASSERT_EQ(agent.submitClick(), PositionAgent::Outcome::Completed);
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(agent.outcomeCounts().of(CheckOutcome::Ranked), 1);
}

TEST_F(HistoryRunTest, ACancelledRunIsNotRecorded) {
    fx.definition("Google.hdf", "/google?q=#C");
    fx.server.script("/google?q=seo", ScriptedResponse::ok(pages::google({kSite})));
    terms = {"seo", "web"};
    engines = {"Google"};
    http.OnEndTransfer = [this](TickWinInet*) { agent.cancel(); };
    EXPECT_EQ(agent.submitClick(), PositionAgent::Outcome::Cancelled);
    EXPECT_TRUE(store.points(kSite).empty());
}
