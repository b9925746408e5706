// The submission run with https definitions, request headers, success codes and the IndexNow key:
// nginx with a test certificate authority in front of the scripted server.

#include <gtest/gtest.h>

#include "net/tests/support/loopbackpeers.h"
#include "submission/tests/submissionfixture.h"

namespace {

using Lines = std::vector<std::string>;
using Kind = ScriptedPrompts::Kind;

const char* const kKey = "5b2e8a47c9f1";
const std::string kPage = "http://www.shop.com/index.htm";

class SecureSubmissionTest : public SubmissionRunTest {
protected:
    TempDir site;
    // Requests below /backend/ go on to the scripted server.
    NginxServer nginx{site.path(), server.port()};

    SecureSubmissionTest() {
        activeFiles = {"index.htm"};
        prompts.confirmAnswers = {false};
    }

    void writeProfileWithKey() {
        writeProfile({{"First Name", "Ann"},
                      {"Last Name", "Smith"},
                      {"E-Mail Address", "ann@example.com"},
                      {"Company Name", "Shoes Ltd"},
                      {"IndexNow Key", kKey}});
    }
    // An IndexNow-like definition for engine on the https side of nginx, answered with statusLine.
    void indexNowEngine(const std::string& engine, const std::string& statusLine, bool successLine) {
        writeFileAtomically(dir / "edata" / (engine + ".hdf"),
                            "1\r\n" + nginx.httpsUrl("/backend/" + engine + "?url=#H&key=#K") + "\r\n" +
                                (successLine ? "Success: 200 202\r\n" : ""));
        server.script("/backend/" + engine + "?url=" + kPage + "&key=" + kKey, answer(statusLine));
    }
    Lines pair(const std::string& engine, const Lines& answerLines, int done, int total) const {
        Lines lines = {"", "Set Current file to: " + engine + ": " + kPage};
        lines.insert(lines.end(), answerLines.begin(), answerLines.end());
        lines.push_back(std::to_string(total) + ", " + std::to_string(done));
        return lines;
    }
    bool onlyTheReportQuestion() const {
        return prompts.shown() ==
               std::vector<ScriptedPrompts::Shown>{
                   {Kind::Confirm, "The submission project has completed. Do you want to view the report?"}};
    }
};

TEST_F(SecureSubmissionTest, IndexNowAnswersCountByTheSuccessLineOrElseByTheExactStatusLines) {
    writeProfileWithKey();
    geturlSecure.setCABundle(nginx.caBundle());
    struct Case {
        const char* engine;
        const char* statusLine;
        bool successLine;
        Lines logged;  // between "Set Current file to" and the pair count
    };
    const std::string ok = "Status: HTTP/1.1 200 OK";
    const std::string accepted = "Status: HTTP/1.1 202 Accepted";
    const std::string unprocessable = "Status: HTTP/1.1 422 Unprocessable Entity";
    const Case cases[] = {
        {"Ok", "HTTP/1.1 200 OK", true, {ok}},
        {"Accepted", "HTTP/1.1 202 Accepted", true, {accepted}},
        {"Unprocessable", "HTTP/1.1 422 Unprocessable Entity", true, {unprocessable, kFailed}},
        {"PlainOk", "HTTP/1.1 200 OK", false, {ok}},
        // 2xx: the component has nothing to complain of, but the exact lines see no success.
        {"PlainAccepted", "HTTP/1.1 202 Accepted", false, {accepted}},
        {"PlainUnprocessable", "HTTP/1.1 422 Unprocessable Entity", false, {unprocessable, kFailed}},
    };
    Lines names;
    for (const Case& c : cases) {
        indexNowEngine(c.engine, c.statusLine, c.successLine);
        names.push_back(c.engine);
    }
    selectEngines(names);

    EXPECT_EQ(run.submitClick(), SubmissionRun::Outcome::Completed);

    Lines expected = kLogHead;
    int done = 0;
    for (const Case& c : cases) {
        const Lines lines = pair(c.engine, c.logged, ++done, 6);
        expected.insert(expected.end(), lines.begin(), lines.end());
    }
    EXPECT_EQ(run.activityLog(), expected);
    EXPECT_EQ(statusOf(view, "Proj Success "), (Lines{"0", "1", "2", "3", "0"}));
    EXPECT_EQ(statusOf(view, "Proj Fail "), (Lines{"1", "2", "3", "0"}));
    // Every announcement went through the secure component with the page and the profile's key.
    ASSERT_EQ(server.requests().size(), 6u);
    EXPECT_EQ(server.requests()[0].target, "/backend/Ok?url=" + kPage + "&key=" + kKey);
    EXPECT_TRUE(geturl.URL().empty());
    EXPECT_TRUE(onlyTheReportQuestion());
    EXPECT_EQ(historyFiles(), Lines{"Shop0703010905.vhs"});
}

TEST_F(SecureSubmissionTest, ACertificateTheSystemDoesNotTrustFailsThePairAndSaysWhy) {
    struct Case {
        const char* name;
        std::string address;
        std::string bundle;  // empty: the system's trusted authorities
        std::string reason;
    };
    const Case cases[] = {
        {"unknown authority", nginx.httpsUrl("/backend/add?u=#H"), "",
         "Reason: 12045: [12045] Invalid Certification Authority."},
        {"expired", nginx.expiredHttpsUrl("/backend/add?u=#H"), nginx.caBundle(),
         "Reason: 12037: [12037] The security Certificate has an invalid date (has expired). Check also the "
         "SecurityFlags property."},
    };
    for (const Case& c : cases) {
        writeFileAtomically(dir / "edata" / "Secure.hdf", "1\r\n" + c.address + "\r\n");
        geturlSecure.setCABundle(c.bundle);
        selectEngines({"Secure"});
        prompts.confirmAnswers = {false};

        EXPECT_EQ(run.submitClick(), SubmissionRun::Outcome::Completed) << c.name;

        Lines expected = kLogHead;
        const Lines lines = pair("Secure", {kFailed, c.reason}, 1, 1);
        expected.insert(expected.end(), lines.begin(), lines.end());
        EXPECT_EQ(run.activityLog(), expected) << c.name;
        // No answer: neither a success nor a counted failure, as for a server that is not there.
        EXPECT_EQ(statusOf(view, "Proj Fail "), Lines{"0"}) << c.name;  // the reset's
        view.statusHistory.clear();
    }
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(SecureSubmissionTest, PlainAndSecureDefinitionsEachGoTheirWayWithTheirHeaders) {
    geturlSecure.setCABundle(nginx.caBundle());
    writeFileAtomically(dir / "edata" / "Plain.hdf",
                        "1\r\n" + server.url("/plain?u=#H") + "\r\nHeader: X-Key: plain-1\r\n");
    ScriptedResponse plain = answer("HTTP/1.0 200 OK");
    plain.requiredHeader = {"X-Key", "plain-1"};
    server.script("/plain?u=" + kPage, plain);
    writeFileAtomically(dir / "edata" / "Secure.hdf", "1\r\n" + nginx.httpsUrl("/backend/secure?u=#H") +
                                                          "\r\nheader: X-Key: secure-1\r\nHeader: X-Bad\r\n");
    ScriptedResponse secure = answer("HTTP/1.1 200 OK");
    secure.requiredHeader = {"X-Key", "secure-1"};
    server.script("/backend/secure?u=" + kPage, secure);
    // The same engine again, without its header: the key of the last request is not sent again.
    writeFileAtomically(dir / "edata" / "Bare.hdf", "1\r\n" + nginx.httpsUrl("/backend/bare?u=#H") + "\r\n");
    server.script("/backend/bare?u=" + kPage, answer("HTTP/1.1 200 OK"));
    selectEngines({"Plain", "Secure", "Bare"});

    EXPECT_EQ(run.submitClick(), SubmissionRun::Outcome::Completed);

    Lines expected = kLogHead;
    for (const Lines& lines :
         {pair("Plain", {"Status: HTTP/1.0 200 OK"}, 1, 3),
          pair("Secure",
               {(dir / "edata" / "Secure.hdf").string() +
                    ", line 4: no header field \"Name: value\" after \"Header:\"; the line is not used",
                "Status: HTTP/1.1 200 OK"},
               2, 3),
          pair("Bare", {"Status: HTTP/1.1 200 OK"}, 3, 3)})
        expected.insert(expected.end(), lines.begin(), lines.end());
    EXPECT_EQ(run.activityLog(), expected);
    ASSERT_EQ(server.requests().size(), 3u);
    EXPECT_FALSE(server.requests()[2].hasHeader("X-Key"));
    EXPECT_EQ(geturl.URL(), server.url("/plain?u=" + kPage));
    EXPECT_EQ(geturlSecure.URL(), nginx.httpsUrl("/backend/bare?u=" + kPage));
}

TEST_F(SubmissionRunTest, AStatusOutsideTwoHundredThatTheSuccessLineNamesIsNoFailure) {
    writeFileAtomically(dir / "edata" / "Gone.hdf",
                        "1\r\n" + server.url("/gone") + "\r\nSuccess: 200 410\r\n");
    server.script("/gone", answer("HTTP/1.1 410 Gone"));
    writeFileAtomically(dir / "edata" / "Missing.hdf",
                        "1\r\n" + server.url("/missing") + "\r\nSuccess: 200 410\r\n");
    server.script("/missing", answer("HTTP/1.1 404 Not Found"));
    activeFiles = {"index.htm"};
    selectEngines({"Gone", "Missing"});
    prompts.confirmAnswers = {false};

    EXPECT_EQ(run.submitClick(), SubmissionRun::Outcome::Completed);

    Lines expected = kLogHead;
    expected.insert(expected.end(), {"", "Set Current file to: Gone: http://www.shop.com/index.htm",
                                     "Status: HTTP/1.1 410 Gone", "2, 1", "",
                                     "Set Current file to: Missing: http://www.shop.com/index.htm",
                                     "Status: HTTP/1.1 404 Not Found", kFailed, "2, 2"});
    EXPECT_EQ(run.activityLog(), expected);
    EXPECT_EQ(statusOf(view, "Proj Success "), (Lines{"0", "1", "0"}));
    EXPECT_EQ(statusOf(view, "Proj Fail "), (Lines{"1", "0"}));
}

TEST_F(SubmissionRunTest, AProfileWithoutTheIndexNowKeyRowSendsAnEmptyKeyWithoutAWarning) {
    definition("IndexNow", "/indexnow?url=#H&key=#K");
    server.script("/indexnow?url=http://www.shop.com/index.htm&key=", answer("HTTP/1.1 200 OK"));
    activeFiles = {"index.htm"};
    selectEngines({"IndexNow"});
    prompts.confirmAnswers = {false};

    EXPECT_EQ(run.submitClick(), SubmissionRun::Outcome::Completed);

    EXPECT_EQ(targets(), Lines{"/indexnow?url=http://www.shop.com/index.htm&key="});
    EXPECT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(statusOf(view, "Proj Success "), (Lines{"0", "1", "0"}));
}

}  // namespace
