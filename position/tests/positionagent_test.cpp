#include "position/positionagent.h"

#include <gtest/gtest.h>

#include "position/core/resultpages.h"
#include "position/tests/agentfixture.h"

TEST_F(PositionAgentTest, OneEngineTwoTermsWritesABlockPerTermAndLogsEveryQuery) {
    fx.definition("Google.hdf", "/google?q=#C");
    fx.server.script("/google?q=seo", ScriptedResponse::ok(pages::google({"http://a.com/", kSite})));
    fx.server.script("/google?q=ranking", ScriptedResponse::ok(pages::google({"http://a.com/"})));
    terms = {"seo", "ranking"};
    engines = {"Google"};

    EXPECT_EQ(agent.submitClick(), PositionAgent::Outcome::Completed);

    EXPECT_EQ(column(0), (Lines{"Ranqor TM Report", "", "Placement of precise matches for seo",
                                "Google result 2", "Positioning Results:", "",
                                "Placement of precise matches for ranking", "Positioning Results:", ""}));
    EXPECT_EQ(column(1),
              (Lines{"09/12/2026", "", kSite, kSite, "1 precise URL match was found for seo on Google.", "",
                     kSite, "No precise URL matches were found for ranking on Google.", ""}));
    EXPECT_EQ(view.activity, (Lines{"", "Set Current file to: Google: " + kSite, "Current Term: seo",
                                    "Status: HTTP/1.0 200 OK", "", "Set Current file to: Google: " + kSite,
                                    "Current Term: ranking", "Status: HTTP/1.0 200 OK"}));
    EXPECT_EQ(view.panels[0], "Ready");
    EXPECT_EQ(view.panels[1], "Ranqor Processings Complete");
    EXPECT_EQ(view.panels[2], "Ranqor Screen Ready");
    EXPECT_EQ(pacer.sleeps, (std::vector<int>{5, 5, 5, 5, 500, 5}));
    // The bar moves after each term, not only after the engine.
    EXPECT_EQ(view.progress, (std::vector<int>{0, 50, 100}));
    EXPECT_EQ(view.counters, (Lines{"0 of 1", "1 of 1"}));
    EXPECT_NE(std::find(view.panelHistory.begin(), view.panelHistory.end(), "3:0 Files Remain"),
              view.panelHistory.end());
    EXPECT_EQ(variables['H'], kSite);
    EXPECT_FALSE(view.running);
    EXPECT_EQ(view.stepTwoNexts, 1);
    EXPECT_EQ(view.results, 1);
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(PositionAgentTest, EnginesComeFirstThenTermsAndThreePageEnginesJoinTheirPages) {
    fx.definition("Altavista.hdf", "/av?q=#C");
    fx.definition("Altavista2.hdf", "/av?q=#C&stq=10");
    fx.definition("Altavista3.hdf", "/av?q=#C&stq=20");
    fx.definition("Google.hdf", "/google?q=#C");
    for (const char* term : {"a", "b"}) {
        std::string t = term;
        fx.server.script("/av?q=" + t, ScriptedResponse::ok(pages::altavista(1, {"http://x.com/"})));
        fx.server.script("/av?q=" + t + "&stq=10", ScriptedResponse::ok(pages::altavista(11, {kSite})));
        fx.server.script("/av?q=" + t + "&stq=20",
                         ScriptedResponse::ok(pages::altavista(21, {"http://y.com/"})));
        fx.server.script("/google?q=" + t, ScriptedResponse::ok(pages::google({kSite})));
    }
    terms = {"a", "b"};
    engines = {"Altavista", "Google"};

    EXPECT_EQ(agent.submitClick(), PositionAgent::Outcome::Completed);

    EXPECT_EQ(fx.targets(), (Lines{"/av?q=a", "/av?q=a&stq=10", "/av?q=a&stq=20", "/av?q=b", "/av?q=b&stq=10",
                                   "/av?q=b&stq=20", "/google?q=a", "/google?q=b"}));
    // Page 2's result keeps the engine's own number, so the pages were joined in order.
    EXPECT_EQ(countOf("AltaVista result 11"), 2);
    EXPECT_EQ(countOf("Google result 1"), 2);
    const Lines firstQuery(view.activity.begin(), view.activity.begin() + 10);
    EXPECT_EQ(firstQuery, (Lines{"", "Set Current file to: Altavista: " + kSite, "Current Term: a",
                                 "Status: HTTP/1.0 200 OK", "", "Set Current file to: Altavista: 2 " + kSite,
                                 "Status: HTTP/1.0 200 OK", "", "Set Current file to: Altavista: 3 " + kSite,
                                 "Status: HTTP/1.0 200 OK"}));
    EXPECT_EQ(view.progress, (std::vector<int>{0, 25, 50, 75, 100}));
    EXPECT_EQ(pacer.sleeps, (std::vector<int>{5, 5, 5, 5, 500, 5, 5, 500, 5}));
}

TEST_F(PositionAgentTest, ATwoWordTermReachesTheEngineAsTwoWords) {
    fx.definition("Google.hdf", "/google?q=#C");
    fx.server.script("/google?q=web%20promotion", ScriptedResponse::ok(pages::google({kSite})));
    terms = {"web promotion"};
    engines = {"Google"};
    agent.submitClick();
    EXPECT_EQ(fx.targets(), Lines{"/google?q=web%20promotion"});
    EXPECT_EQ(countOf("Google result 1"), 1);
}

TEST_F(PositionAgentTest, AnEngineNameThatWouldLeaveTheProgramFolderIsRefused) {
    // Names from a server's catalog: the run would read and empty files outside the folder.
    const std::filesystem::path outside = fx.dir / "outside";
    writeFileAtomically(outside / "victim.ef", "precious");
    writeFileAtomically(outside / "victim.hdf", "1\r\n" + fx.server.url("/victim?q=#C") + "\r\n");
    fx.definition("Google.hdf", "/google?q=#C");
    fx.server.script("/google?q=seo", ScriptedResponse::ok(pages::google({kSite})));
    terms = {"seo"};
    engines = {"..\\outside\\victim", "../outside/victim", "Google"};

    EXPECT_EQ(agent.submitClick(), PositionAgent::Outcome::Completed);
    EXPECT_EQ(fx.targets(), Lines{"/google?q=seo"});
    EXPECT_EQ(readFileBytes(outside / "victim.ef"), "precious");
    EXPECT_EQ(view.activity.front(), engineNameRefusal("..\\outside\\victim"));
    EXPECT_EQ(view.activity[1], engineNameRefusal("../outside/victim"));
    EXPECT_EQ(countOf("Google result 1"), 1);
    EXPECT_EQ(view.counters.back(), "3 of 3");
}

TEST_F(PositionAgentTest, APagePastTheSizeLimitIsAFailedFetchAndIsRemoved) {
    fx.definition("Google.hdf", "/google?q=#C");
    ScriptedResponse endless = ScriptedResponse::ok(pages::google({kSite}));
    endless.contentLength = false;
    endless.delivery = ScriptedResponse::Delivery::Endless;
    fx.server.script("/google?q=seo", endless);
    terms = {"seo"};
    engines = {"Google"};
    http.setBodyLimit(256 * 1024);

    EXPECT_EQ(agent.submitClick(), PositionAgent::Outcome::Completed);
    EXPECT_NE(std::find(view.activity.begin(), view.activity.end(),
                        "Intel Failed: Engine Did Not Respond, An Error Has Occurred!"),
              view.activity.end());
    EXPECT_FALSE(std::filesystem::exists(fx.dir / "Temp" / "Google.ef"));
    EXPECT_EQ(countOf("Google result 1"), 0);
    EXPECT_EQ(report.table().cell(1, 3), "No precise URL matches were found for seo on Google.");
}

TEST_F(PositionAgentTest, AnEmptyTermIsNeverSearched) {
    fx.definition("Google.hdf", "/google?q=#C");
    fx.server.script("/google?q=seo", ScriptedResponse::ok(pages::google({kSite})));
    terms = {"", "seo", ""};
    engines = {"Google"};
    EXPECT_EQ(agent.submitClick(), PositionAgent::Outcome::Completed);
    EXPECT_EQ(fx.targets(), Lines{"/google?q=seo"});
    EXPECT_EQ(countOf("Positioning Results:"), 1);
}

TEST_F(PositionAgentTest, AFailedFetchIsAnalysedAsAnEmptyPageNeverAsAnEarlierRunsPage) {
    fx.definition("Google.hdf", "/google?q=#C");
    // An earlier run left a page that matches.
    writeFileAtomically(fx.dir / "Temp" / "Google.ef", pages::google({kSite}));
    ScriptedResponse closed;
    closed.delivery = ScriptedResponse::Delivery::CloseAtOnce;
    fx.server.script("/google?q=seo", closed);
    terms = {"seo"};
    engines = {"Google"};

    EXPECT_EQ(agent.submitClick(), PositionAgent::Outcome::Completed);
    EXPECT_NE(std::find(view.activity.begin(), view.activity.end(),
                        "Intel Failed: Engine Did Not Respond, An Error Has Occurred!"),
              view.activity.end());
    EXPECT_EQ(countOf("Google result 1"), 0);
    EXPECT_EQ(report.table().cell(1, 3), "No precise URL matches were found for seo on Google.");
}

TEST_F(PositionAgentTest, AnErrorStatusIsAFailedFetchWhoseBodyIsStillAnalysed) {
    fx.definition("Google.hdf", "/google?q=#C");
    ScriptedResponse notFound = ScriptedResponse::ok(pages::google({kSite}));
    notFound.statusLine = "HTTP/1.0 404 Not Found";
    fx.server.script("/google?q=seo", notFound);
    terms = {"seo"};
    engines = {"Google"};
    agent.submitClick();
    EXPECT_EQ(view.activity,
              (Lines{"", "Set Current file to: Google: " + kSite, "Current Term: seo",
                     "Status: HTTP/1.0 404 Not Found",
                     "Intel Failed: Engine Did Not Respond, An Error Has Occurred!",
                     "Fetch of " + fx.server.url("/google?q=seo") + " failed: 151: 404 Not Found"}));
    EXPECT_EQ(countOf("Google result 1"), 1);
}

TEST_F(PositionAgentTest, AFailedFetchNamesItsCauseCodeAndAddress) {
    ScriptedResponse silence;
    silence.delivery = ScriptedResponse::Delivery::Silence;
    ScriptedResponse loop;
    loop.statusLine = "HTTP/1.0 302 Found";
    loop.headerLines = {"Location: /loop"};
    ScriptedResponse toHttps;
    toHttps.statusLine = "HTTP/1.0 301 Moved Permanently";
    toHttps.headerLines = {"Location: https://127.0.0.1:1/"};
    ScriptedResponse gone = ScriptedResponse::ok("gone");
    gone.statusLine = "HTTP/1.0 410 Gone";
    struct Case {
        std::string target;
        ScriptedResponse response;
        std::string cause;
    };
    const std::vector<Case> cases = {
        {"/silent", silence, "301: Timeout"},
        {"/loop", loop, "12156: [12156] Http Redirect Failed."},
        {"/secure", toHttps,
         "12039: [12039] Not allowed HTTP to HTTPS redirection. Check also the SecurityFlags property."},
        {"/gone", gone, "151: 410 Gone"},
    };
    http.setTimeout(1);
    terms = {"a"};
    engines = {"Google"};
    for (const Case& c : cases) {
        fx.definition("Google.hdf", c.target);
        fx.server.script(c.target, c.response);
        view.activity.clear();
        EXPECT_EQ(agent.submitClick(), PositionAgent::Outcome::Completed) << c.target;
        // The analysis of what arrived follows, and the check's outcome says the engine failed.
        const Lines tail(view.activity.end() - 3, view.activity.end());
        EXPECT_EQ(tail, (Lines{"Intel Failed: Engine Did Not Respond, An Error Has Occurred!",
                               "Fetch of " + fx.server.url(c.target) + " failed: " + c.cause,
                               "Google, a: failed (" + c.cause + ")"}))
            << c.target;
    }
}

TEST_F(PositionAgentTest, AMissingDefinitionShowsItsBoxPerTermAndTheQueryFails) {
    terms = {"a", "b"};
    engines = {"Google"};
    agent.submitClick();
    const std::string box = "Error writing to " + fx.folder.resolve("edata\\Google.hdf").string();
    EXPECT_EQ(prompts.shown(), (std::vector<ScriptedPrompts::Shown>{{ScriptedPrompts::Kind::Error, box},
                                                                    {ScriptedPrompts::Kind::Error, box}}));
    EXPECT_EQ(std::count(view.activity.begin(), view.activity.end(),
                         "Intel Failed: Engine Did Not Respond, An Error Has Occurred!"),
              2);
    // The box keeps the text users know; the log says what was wrong.
    EXPECT_EQ(std::count(view.activity.begin(), view.activity.end(),
                         "Cannot read engine definition " + fx.folder.resolve("edata\\Google.hdf").string() +
                             ": No such file or directory"),
              2);
    EXPECT_EQ(std::count(view.activity.begin(), view.activity.end(),
                         "Fetch of (no address) failed: 153: Specified URLScheme is invalid."),
              2);
    EXPECT_TRUE(fx.server.requests().empty());
    EXPECT_EQ(countOf("Positioning Results:"), 2);
}

TEST_F(PositionAgentTest, ABrokenTemplateSkipsTheTermAndAnInvalidVariableWarns) {
    fx.definition("Google.hdf", "/google?q=#C#");
    fx.definition("Yahoo.hdf", "/yahoo?p=#C#Z");
    fx.definition("Yahoo2.hdf", "/yahoo2?p=#C");
    fx.server.script("/yahoo?p=a", ScriptedResponse::ok("<UL><LI>x"));
    fx.server.script("/yahoo2?p=a", ScriptedResponse::ok("<LI>y"));
    terms = {"a"};
    engines = {"Google", "Yahoo"};
    agent.submitClick();
    EXPECT_EQ(view.activity[0], "ERROR Opening Engine Definition");
    EXPECT_EQ(view.activity[1],
              fx.folder.resolve("edata\\Google.hdf").string() + ": The query template ends in a lone #.");
    EXPECT_EQ(countOf("Placement of precise matches for a"), 1);  // Yahoo's block only
    EXPECT_EQ(prompts.shown(),
              (std::vector<ScriptedPrompts::Shown>{
                  {ScriptedPrompts::Kind::Warning, "Invalid variable:Z encountered. Ignoring it."}}));
}

TEST_F(PositionAgentTest, AnEngineTheTableDoesNotKnowIsFetchedAndReadFromItsOwnPage) {
    fx.definition("Google.hdf", "/google?q=#C");
    fx.definition("Teoma.hdf", "/teoma?q=#C");
    fx.server.script("/google?q=a", ScriptedResponse::ok(pages::google({kSite})));
    fx.server.script("/teoma?q=a", ScriptedResponse::ok("no results"));
    terms = {"a"};
    engines = {"Google", "Teoma"};
    agent.submitClick();
    EXPECT_EQ(fx.targets(), (Lines{"/google?q=a", "/teoma?q=a"}));
    EXPECT_EQ(readFileBytes(fx.dir / "Temp" / "Teoma.ef"), "no results");
    EXPECT_EQ(prompts.shown().back().text, notCurrentMessage("Teoma"));
}

TEST_F(PositionAgentTest, StartChecksShowTheirBoxes) {
    report.appendRow("kept", "");
    view.address.clear();
    EXPECT_EQ(agent.submitClick(), PositionAgent::Outcome::NotStarted);
    EXPECT_EQ(prompts.shown().back().text,
              "The URL that you are checking must have a value, either a full url, url to a subweb root or "
              "url to a "
              "domain root!");
    EXPECT_EQ(report.table().cell(0, 1), "kept");

    view.address = kSite;
    EXPECT_EQ(agent.submitClick(), PositionAgent::Outcome::NotStarted);
    EXPECT_EQ(
        prompts.shown().back().text,
        "You must select at least one search term to run the position agent\n\r\n\rPlease go to Step one (1) "
        "to select search terms for position analysis.");
    // The grid was reset all the same.
    EXPECT_EQ(column(0), (Lines{"Ranqor TM Report", ""}));

    terms = {"a"};
    EXPECT_EQ(agent.submitClick(), PositionAgent::Outcome::NotStarted);
    EXPECT_EQ(
        prompts.shown().back().text,
        "You must select at least one engine to run the position agent\n\r\n\rPlease go to Step two (2) to "
        "select search engines for position analysis.");
}

TEST_F(PositionAgentTest, CancelStopsAtTheNextCheckpointWithoutTheEndSteps) {
    fx.definition("Google.hdf", "/google?q=#C");
    fx.definition("MSN.hdf", "/msn?q=#C");
    fx.server.script("/google?q=a", ScriptedResponse::ok(pages::google({kSite})));
    terms = {"a"};
    engines = {"Google", "MSN"};
    pacer.onSleep = [&](int ms) {
        if (ms == 500) {
            agent.cancel();
            terms.clear();
            engines.clear();
        }
    };
    EXPECT_EQ(agent.submitClick(), PositionAgent::Outcome::Cancelled);
    EXPECT_EQ(fx.targets(), Lines{"/google?q=a"});
    EXPECT_EQ(view.stepTwoNexts, 0);
    EXPECT_EQ(view.results, 0);

    // A transfer event that finds the flag set restores the window instead of logging.
    const size_t lines = view.activity.size();
    agent.geturlEndTransfer(nullptr);
    EXPECT_EQ(view.restarts, 1);
    EXPECT_EQ(view.activity.size(), lines);
}

TEST_F(PositionAgentTest, BatchWritesEveryAddressEngineAndTermIntoOneReport) {
    fx.definition("Google.hdf", "/google?q=#C&site=#H");
    fx.definition("MSN.hdf", "/msn?q=#C");
    const Lines addresses = {"http://a.com/", "http://b.com/", "http://c.com/"};
    for (const std::string& address : addresses) {
        for (const char* term : {"x", "y"}) {
            fx.server.script("/google?q=" + std::string(term) + "&site=" + address,
                             ScriptedResponse::ok(pages::google({address})));
        }
    }
    terms = {"x", "y"};
    engines = {"Google", "MSN"};
    report.reset("old date");
    report.appendRow("old", "row");

    EXPECT_EQ(agent.batch(addresses), PositionAgent::Outcome::Completed);

    EXPECT_EQ(view.addresses, addresses);
    EXPECT_EQ(countOf("Placement of precise matches for x") + countOf("Placement of precise matches for y"),
              12);
    // #H follows each address, and each address is found on its own query.
    EXPECT_EQ(countOf("Google result 1"), 6);
    EXPECT_EQ(report.table().cell(0, 0), "");  // no header cells; the old rows are only emptied
    EXPECT_EQ(report.table().cell(0, 1), "");
    EXPECT_EQ(view.panels[2], "Ranqor Agent Screen Ready");
    EXPECT_NE(
        std::find(view.panelHistory.begin(), view.panelHistory.end(), "2:Ranqor Processings Initializing"),
        view.panelHistory.end());
    EXPECT_NE(std::find(view.panelHistory.begin(), view.panelHistory.end(), "3:Setting eBusiness Values"),
              view.panelHistory.end());
    EXPECT_EQ(view.stepTwoNexts, 3);
    EXPECT_EQ(view.results, 1);
}

TEST_F(PositionAgentTest, BatchStartsWithACleanFlagAndStopsWhenCancelled) {
    fx.definition("Google.hdf", "/google?q=#C");
    terms = {"x"};
    engines = {"Google"};
    agent.cancel();  // left over from a cancelled single run
    pacer.onSleep = [&](int ms) {
        if (ms == 500) {
            agent.cancel();
            terms.clear();
            engines.clear();
        }
    };
    EXPECT_EQ(agent.batch({"http://a.com/", "http://b.com/"}), PositionAgent::Outcome::Cancelled);
    EXPECT_EQ(fx.targets(), Lines{"/google?q=x"});
    EXPECT_EQ(view.addresses, Lines{"http://a.com/"});
}

TEST_F(PositionAgentTest, AnEmptyBatchShowsTheResultsWithoutABlock) {
    terms = {"x"};
    engines = {"Google"};
    EXPECT_EQ(agent.batch({}), PositionAgent::Outcome::Completed);
    EXPECT_EQ(view.results, 1);
    EXPECT_EQ(countOf("Positioning Results:"), 0);
}
