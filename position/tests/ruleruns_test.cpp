// The position run with engine rule files, request headers and secure requests.

#include <gtest/gtest.h>

#include <algorithm>

#include "net/tests/httptestkit.h"
#include "net/tests/support/loopbackpeers.h"
#include "net/tickhttp.h"
#include "platform/pacer.h"
#include "platform/scriptedprompts.h"
#include "position/jsonresults.h"
#include "position/positionagent.h"
#include "position/rulebook.h"
#include "position/tests/resultrow_print.h"
#include "position/tests/runfixture.h"

namespace {

using Lines = std::vector<std::string>;
using Rows = std::vector<ResultRow>;
namespace fs = std::filesystem;

const std::string kSite = "http://www.example.com/";

const char* kJsonRule = "kind=json\r\nname=Example API\r\nresults=/web/results\r\naddress=url\r\n";

std::string jsonAnswer(const std::vector<std::string>& urls) {
    std::string items;
    for (const std::string& url : urls)
        items += std::string(items.empty() ? "" : ",") + "{\"title\": \"T\", \"url\": \"" + url + "\"}";
    return "{\"type\": \"search\", \"web\": {\"results\": [" + items + "]}}";
}

// A result list as pages are laid out today.
std::string modernPage(const std::vector<std::string>& urls) {
    std::string page = "<html><body><ol id=\"results\">\n";
    for (const std::string& url : urls)
        page += "<li class=\"result\"><h2><a class=\"title\" href=\"" + url + "\">T</a></h2></li>\n";
    return page + "</ol></body></html>\n";
}

const char* kModernRule =
    "kind=page\r\nname=Modern\r\n"
    "step=replace\r\n    find=<li class=\"result\">\r\n    with=[[]]\r\nstep=number\r\n"
    "item-start=[[\r\nitem-end=</li>\r\nlabel-start=\r\nlabel-end=]]\r\n"
    "address-start=href=\"\r\naddress-end=\"\r\n";

class RuleRunTest : public ::testing::Test {
protected:
    RunFixture fx;
    TickHTTP http;
    TickHTTPS https;
    ScriptedPrompts prompts;
    FakePacer pacer;
    ReportGrid report;
    TemplateVariables variables;
    std::vector<std::string> terms{"seo"};
    std::vector<std::string> engines;
    RecordingView view;
    PositionAgent agent{{http, fx.folder, prompts, pacer, report, variables, terms, engines, view, &https}};

    void SetUp() override {
        clearProxyEnvironment();
        http.setTimeout(10);
        https.setTimeout(10);
        view.address = kSite;
    }

    void file(const std::string& relative, const std::string& text) {
        writeFileAtomically(fx.dir / relative, text);
    }
    Lines column(int column) const { return reportColumn(report, column); }
    bool logged(const std::string& line) const {
        return std::find(view.activity.begin(), view.activity.end(), line) != view.activity.end();
    }
};

TEST_F(RuleRunTest, AJsonRuleReadsAnApiAnswerAndTheDefinitionsHeaderCarriesTheKey) {
    file("edata/Api.rule", kJsonRule);
    file("edata/Api.hdf",
         "1\r\n" + fx.server.url("/api?q=#C") + "\r\nHeader: X-Subscription-Token: key-123\r\n");
    ScriptedResponse answer =
        ScriptedResponse::ok(jsonAnswer({"http://a.com/?x=1", kSite}), "application/json");
    answer.requiredHeader = {"X-Subscription-Token", "key-123"};
    fx.server.script("/api?q=seo", answer);
    engines = {"Api"};

    EXPECT_EQ(agent.submitClick(), PositionAgent::Outcome::Completed);

    ASSERT_EQ(fx.server.requests().size(), 1u);
    EXPECT_EQ(fx.server.requests()[0].header("X-Subscription-Token"), "key-123");
    EXPECT_EQ(column(0), (Lines{"Ranqor TM Report", "", "Placement of precise matches for seo",
                                "Example API result 2", "Positioning Results:", ""}));
    EXPECT_EQ(report.table().cell(1, 4), "1 precise URL match was found for seo on Example API.");
    EXPECT_TRUE(logged("Status: HTTP/1.0 200 OK"));
}

TEST_F(RuleRunTest, AWrongKeyIsRefusedAndTheAnswerWithoutResultsIsExplained) {
    file("edata/Api.rule", kJsonRule);
    file("edata/Api.hdf",
         "1\r\n" + fx.server.url("/api?q=#C") + "\r\nHeader: X-Subscription-Token: wrong\r\n");
    ScriptedResponse answer = ScriptedResponse::ok(jsonAnswer({kSite}), "application/json");
    answer.requiredHeader = {"X-Subscription-Token", "key-123"};
    fx.server.script("/api?q=seo", answer);
    engines = {"Api"};

    EXPECT_EQ(agent.submitClick(), PositionAgent::Outcome::Completed);

    EXPECT_TRUE(logged("Status: HTTP/1.0 401 Unauthorized"));
    EXPECT_TRUE(logged("Intel Failed: Engine Did Not Respond, An Error Has Occurred!"));
    EXPECT_TRUE(logged("Api: the pointer /web/results leads nowhere in the answer, so it gave no results"));
    EXPECT_EQ(report.table().cell(1, 3), "No precise URL matches were found for seo on Example API.");
}

TEST_F(RuleRunTest, AHeaderLineWithoutAValueIsNamedAndNotSent) {
    file("edata/Api.rule", kJsonRule);
    file("edata/Api.hdf", "1\r\n" + fx.server.url("/api?q=#C") + "\r\nHeader: X-Subscription-Token:\r\n");
    fx.server.script("/api?q=seo", ScriptedResponse::ok(jsonAnswer({kSite}), "application/json"));
    engines = {"Api"};

    agent.submitClick();

    EXPECT_TRUE(logged(fx.folder.resolve("edata\\Api.hdf").string() +
                       ", line 3: the header X-Subscription-Token has no value; the header is not sent"));
    ASSERT_EQ(fx.server.requests().size(), 1u);
    EXPECT_FALSE(fx.server.requests()[0].hasHeader("X-Subscription-Token"));
    EXPECT_EQ(report.table().cell(0, 3), "Example API result 1");
}

TEST_F(RuleRunTest, APageRuleFileReadsANewLayoutAndReplacesABuiltInRule) {
    file("edata/Modern.rule", kModernRule);
    fx.definition("Modern.hdf", "/modern?q=#C");
    fx.server.script("/modern?q=seo",
                     ScriptedResponse::ok(modernPage({"http://a.com/", "http://b.com/", kSite})));
    // Google's built-in rule would find nothing on this page; its file reads it.
    file("edata/Google.rule",
         std::string(kModernRule).replace(std::string(kModernRule).find("Modern"), 6, "Google Today"));
    fx.definition("Google.hdf", "/google?q=#C");
    fx.server.script("/google?q=seo", ScriptedResponse::ok(modernPage({kSite})));
    engines = {"Modern", "Google"};

    EXPECT_EQ(agent.submitClick(), PositionAgent::Outcome::Completed);

    EXPECT_EQ(column(0),
              (Lines{"Ranqor TM Report", "", "Placement of precise matches for seo", "Modern result 3",
                     "Positioning Results:", "", "Placement of precise matches for seo",
                     "Google Today result 1", "Positioning Results:", ""}));
}

TEST_F(RuleRunTest, AMalformedRuleFileIsNamedWithItsLineAndItsEngineIsLeftOut) {
    file("edata/Google.rule", "kind=page\r\nname=Google\r\nstep=replce\r\n");
    fx.definition("Google.hdf", "/google?q=#C");
    fx.server.script("/google?q=seo", ScriptedResponse::ok(pages::google({kSite})));
    file("edata/Modern.rule", kModernRule);
    fx.definition("Modern.hdf", "/modern?q=#C");
    fx.server.script("/modern?q=seo", ScriptedResponse::ok(modernPage({kSite})));
    engines = {"Google", "Modern"};

    EXPECT_EQ(agent.submitClick(), PositionAgent::Outcome::Completed);

    const std::string path = fx.folder.resolve("edata\\Google.rule").string();
    ASSERT_FALSE(view.activity.empty());
    EXPECT_EQ(view.activity[0],
              "The engine rule " + path +
                  " cannot be used (line 3: there is no step \"replce\" (steps: drop-before, "
                  "drop-after, keep-after, keep-between, collect, collect-text, use-collection, "
                  "replace, number, number-each, delete-between, collapse-relocations, "
                  "repair-redirects)); Google is left out of this run.");
    // Google is neither asked nor read by its built-in rule; the next engine runs as ever.
    EXPECT_EQ(fx.targets(), (Lines{"/modern?q=seo"}));
    EXPECT_EQ(column(0), (Lines{"Ranqor TM Report", "", "Placement of precise matches for seo",
                                "Modern result 1", "Positioning Results:", ""}));
    EXPECT_EQ(view.progress.back(), 100);
}

TEST_F(RuleRunTest, EnginesWithARuleFileAndADefinitionAreListedAndOddNamesIgnored) {
    file("edata/Modern.rule", kModernRule);
    file("edata/Modern.hdf", "1\r\nhttp://e.com/?q=#C\r\n");
    file("edata/Orphan.rule", kModernRule);  // no definition
    file("edata/a..b.rule", kModernRule);
    file("edata/a..b.hdf", "1\r\nhttp://e.com/\r\n");
    file("edata/back\\slash.rule", kModernRule);
    file("edata/builtin/Google.rule", kModernRule);
    file("edata/Google.hdf", "1\r\nhttp://e.com/\r\n");

    RuleFileEngines found = ruleFileEngines(fx.folder);
    EXPECT_EQ(found.engines, Lines{"Modern"});
    const std::string tail =
        " is ignored: an engine name must not contain \"\\\", \"/\" or \"..\", since it names the engine's "
        "files "
        "in edata and Temp.";
    EXPECT_EQ(found.ignored,
              (Lines{"The engine rule " + (fx.dir / "edata" / "a..b.rule").string() + tail,
                     "The engine rule " + (fx.dir / "edata" / "back\\slash.rule").string() + tail}));
}

// One nginx for the suite, serving a Google result page over HTTP and HTTPS.
class SecureRunTest : public RuleRunTest {
protected:
    static void SetUpTestSuite() {
        site = new TempDir;
        writeFileAtomically(*site / "google.html", pages::google({"http://a.com/", kSite}));
        nginx = new NginxServer(site->path());
    }
    static void TearDownTestSuite() {
        delete nginx;
        delete site;
    }
    static TempDir* site;
    static NginxServer* nginx;
};

TempDir* SecureRunTest::site = nullptr;
NginxServer* SecureRunTest::nginx = nullptr;

TEST_F(SecureRunTest, AnHttpsDefinitionIsFetchedOverASecureConnectionAndAnalysed) {
    https.setCABundle(nginx->caBundle());
    const std::string address = nginx->httpsUrl("/google.html?q=seo");
    file("edata/Google.hdf", "1\r\n" + nginx->httpsUrl("/google.html?q=#C") + "\r\n");
    file("edata/Modern.rule", kModernRule);
    file("edata/Modern.hdf", "1\r\n" + nginx->httpUrl("/google.html?q=#C") + "\r\n");
    engines = {"Google", "Modern"};

    EXPECT_EQ(agent.submitClick(), PositionAgent::Outcome::Completed);

    EXPECT_EQ(std::count(view.activity.begin(), view.activity.end(), "Status: HTTP/1.1 200 OK"), 2);
    EXPECT_EQ(column(0)[3], "Google result 2");
    EXPECT_EQ(report.table().cell(1, 4), "1 precise URL match was found for seo on Google.");
    // The secure address went to the secure component, the plain one stayed on the plain one.
    EXPECT_EQ(https.URL(), address);
    EXPECT_EQ(http.URL(), nginx->httpUrl("/google.html?q=seo"));
}

TEST_F(SecureRunTest, AnUntrustedCertificateIsAFailedFetchWithItsCode) {
    const std::string address = nginx->httpsUrl("/google.html?q=seo");
    file("edata/Google.hdf", "1\r\n" + nginx->httpsUrl("/google.html?q=#C") + "\r\n");
    engines = {"Google"};

    EXPECT_EQ(agent.submitClick(), PositionAgent::Outcome::Completed);

    EXPECT_TRUE(logged("Intel Failed: Engine Did Not Respond, An Error Has Occurred!"));
    EXPECT_TRUE(logged("Fetch of " + address + " failed: 12045: [12045] Invalid Certification Authority."));
    EXPECT_EQ(report.table().cell(1, 3), "No precise URL matches were found for seo on Google.");
}

TEST(JsonRuleRows, ReadsTheListThePointerLeadsTo) {
    struct Case {
        const char* name;
        JsonRule rule;
        std::string answer;
        Rows rows;
        Lines notes;
    };
    const JsonRule plain{"API", "/web/results", "url", ""};
    const Case cases[] = {
        {"addresses lose their query part",
         plain,
         R"({"web": {"results": [{"url": "https://a.com/x?y=1"}, {"url": "http://b.com/"}]}})",
         {{"1", "https://a.com/x"}, {"2", "http://b.com/"}},
         {}},
        {"labels and addresses by pointer, escaped tokens",
         {"API", "/data/a~1b/0/items", "/link/href", "rank"},
         R"({"data": {"a/b": [{"items": [{"link": {"href": "http://a.com/"}, "rank": 7},
                                          {"link": {"href": "http://b.com/"}, "rank": "8th"},
                                          {"link": {"href": "http://c.com/"}}]}]}})",
         {{"7", "http://a.com/"}, {"8th", "http://b.com/"}, {"3", "http://c.com/"}},
         {}},
        {"an empty list", plain, R"({"web": {"results": []}})", {}, {}},
        {"no JSON",
         plain,
         "<html>error</html>",
         {},
         {"the answer is no JSON (illegal value near byte 1), so it gave no results"}},
        {"JSON but no object",
         plain,
         R"([{"url": "http://a.com/"}])",
         {},
         {"the answer is JSON but no object, so it gave no results"}},
        {"a pointer leading nowhere",
         plain,
         R"({"web": {}})",
         {},
         {"the pointer /web/results leads nowhere in the answer, so it gave no results"}},
        {"an index past the list",
         {"API", "/pages/3", "url", ""},
         R"({"pages": [[]]})",
         {},
         {"the pointer /pages/3 leads nowhere in the answer, so it gave no results"}},
        {"a pointer to no list",
         plain,
         R"({"web": {"results": {"url": "http://a.com/"}}})",
         {},
         {"the pointer /web/results leads to no list, so the answer gave no results"}},
        {"an item without its address",
         plain,
         R"({"web": {"results": [{"url": "http://a.com/"}, {"link": "http://b.com/"}]}})",
         {},
         {"result 2 has no address in \"url\", so the answer gave no results"}},
        {"an address that is no text",
         plain,
         R"({"web": {"results": [{"url": 5}]}})",
         {},
         {"result 1 has no address in \"url\", so the answer gave no results"}},
        {"an item that is no object",
         plain,
         R"({"web": {"results": ["http://a.com/"]}})",
         {},
         {"result 1 has no address in \"url\", so the answer gave no results"}},
    };
    for (const Case& c : cases) {
        Lines notes;
        EXPECT_EQ(jsonRuleRows(c.rule, c.answer, notes), c.rows) << c.name;
        EXPECT_EQ(notes, c.notes) << c.name;
    }
}

}  // namespace
