#include "net/tickhttp.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>

#include <fstream>
#include <regex>

#include "net/tests/httptestkit.h"
#include "net/tests/support/scriptedserver.h"
#include "platform/core/safefile.h"
#include "platform/core/text.h"
#include "platform/tests/tempdir.h"

namespace {

using Lines = std::vector<std::string>;

class TickHTTPTest : public testing::Test {
protected:
    void SetUp() override { clearProxyEnvironment(); }

    ScriptedServer server;
    TempDir dir;
    TickHTTP http;
};

TEST_F(TickHTTPTest, GetRaisesTheEventsInOrderOnTheOwnerThreadAndFillsTheLocalFile) {
    ScriptedResponse page = ScriptedResponse::ok("<html>hello</html>");
    page.headerLines.push_back("X-Extra:   spaced value");
    server.script("/page.html", page);
    EventLog log(http);
    http.setURL(server.url("/page.html"));
    http.setLocalFile((dir / "page.ef").string());
    http.setAction(ickhttpGet);

    EXPECT_TRUE(log.allOnOwnerThread);
    EXPECT_EQ(log.transfer(), (Lines{"header Content-Type=text/html", "header X-Extra=spaced value",
                                     "header Content-Length=18", "start", "transfer 18 18", "end"}));
    EXPECT_EQ(http.StatusLine(), "HTTP/1.0 200 OK");
    EXPECT_EQ(http.Action(), ickhttpIdle);
    EXPECT_EQ(readFileBytes(dir / "page.ef"), "<html>hello</html>");
    EXPECT_EQ(log.body, "<html>hello</html>");
}

TEST_F(TickHTTPTest, StatusNoticesFollowTheConnectionFromLookUpToClose) {
    server.script("/", ScriptedResponse::ok("x"));
    EventLog log(http);
    http.setURL(server.url("/"));
    http.setAction(ickhttpGet);
    EXPECT_EQ(log.statusCodes(), (std::vector<int>{10, 11, 20, 21, 30, 31, 40, 41, 50, 51}));
    EXPECT_EQ(log.events[0], "status 10 Looking up the IP address 127.0.0.1");
    EXPECT_EQ(log.events[1], "status 11 Successfully found the IP address 127.0.0.1");
    EXPECT_EQ(log.events[2], "status 20 Connecting to the socket address 127.0.0.1");
    EXPECT_EQ(log.events[3], "status 21 Successfully connected to 127.0.0.1");
    EXPECT_EQ(log.events[4], "status 30 Sending the information request to the server.");
    // The head follows the received notice; the connection closes after the body has ended.
    EXPECT_EQ(log.events[8], "header Content-Type=text/html");
    EXPECT_EQ(log.events.back(), "status 51 Successfully closed the connection to the server.");
    EXPECT_EQ(log.events[log.events.size() - 3], "end");
}

TEST_F(TickHTTPTest, KeptConnectionsAreUsedAgainWithoutConnecting) {
    ScriptedResponse page = ScriptedResponse::ok("x");
    page.keepAlive = true;
    server.script("/", page);
    EventLog log(http);
    http.setURL(server.url("/"));
    http.setAction(ickhttpGet);
    log.events.clear();
    http.setAction(ickhttpGet);
    EXPECT_EQ(log.statusCodes(), (std::vector<int>{30, 31, 40, 41}));
    auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].connection, requests[0].connection);
}

TEST_F(TickHTTPTest, TheRequestIsHttp10WithTheComponentsHeaders) {
    server.script("/search?q=two%20words&x=%22%3C%3E%22", ScriptedResponse::ok("found"));
    http.setUserAgent("Orlek Ranqor 2");
    http.setURL(server.url("/search?q=two words&x=\"<>\""));
    http.setAction(ickhttpGet);
    EXPECT_EQ(http.URLPath(), "/search?q=two words&x=\"<>\"");
    http.setAccept("text/html");
    http.setUseCache(false);
    http.setUser("ann");
    http.setPassword("secret");
    http.setAction(ickhttpGet);

    auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].requestLine, "GET /search?q=two%20words&x=%22%3C%3E%22 HTTP/1.0");
    EXPECT_EQ(requests[0].header("User-Agent"), "Orlek Ranqor 2");
    EXPECT_FALSE(requests[0].hasHeader("Accept"));
    EXPECT_EQ(requests[0].header("Connection"), "Keep-Alive");
    EXPECT_FALSE(requests[0].hasHeader("Pragma"));
    EXPECT_FALSE(requests[0].hasHeader("Authorization"));
    EXPECT_EQ(requests[1].header("Accept"), "text/html");
    EXPECT_EQ(requests[1].header("Pragma"), "no-cache");
    EXPECT_EQ(requests[1].header("Cache-Control"), "no-cache");
    EXPECT_EQ(requests[1].header("Authorization"), "Basic YW5uOnNlY3JldA==");
}

TEST_F(TickHTTPTest, RequestHeadersGoWithEveryRequestAndReplaceTheComponentsOwn) {
    server.script("/api", ScriptedResponse::ok("{}"));
    http.setURL(server.url("/api"));
    http.setAccept("text/html");
    http.setRequestHeaders({"X-Subscription-Token: key-123", "accept: application/json"});
    http.setAction(ickhttpGet);
    http.setAction(ickhttpGet);
    http.setRequestHeaders({});
    http.setAction(ickhttpGet);

    auto requests = server.requests();
    ASSERT_EQ(requests.size(), 3u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(requests[i].header("X-Subscription-Token"), "key-123");
        EXPECT_EQ(requests[i].header("Accept"), "application/json");
        int accepts = 0;
        for (const auto& [name, value] : requests[i].headers)
            accepts += equalsIgnoringCase(name, "Accept");
        EXPECT_EQ(accepts, 1);
        EXPECT_EQ(requests[i].header("Connection"), "Keep-Alive");
    }
    EXPECT_FALSE(requests[2].hasHeader("X-Subscription-Token"));
    EXPECT_EQ(requests[2].header("Accept"), "text/html");
}

TEST(ComponentChoice, HttpsAddressesGoToTheSecureComponentAndEveryOtherToThePlainOne) {
    TickHTTP plain;
    TickHTTPS secure;
    for (const char* address : {"https://www.example.com/", "HTTPS://example.com/?q=1", "hTtPs://x"}) {
        EXPECT_TRUE(isSecureAddress(address)) << address;
        EXPECT_EQ(&componentFor(address, plain, secure), &secure) << address;
    }
    for (const char* address :
         {"http://www.example.com/", "", "https:/x", " https://x", "ftp://x", "httpsx://"}) {
        EXPECT_FALSE(isSecureAddress(address)) << address;
        EXPECT_EQ(&componentFor(address, plain, secure), &plain) << address;
    }
}

TEST_F(TickHTTPTest, MethodsHeadPostAndPut) {
    server.script("/m", ScriptedResponse::ok("body"));
    EventLog log(http);
    http.setURL(server.url("/m"));
    http.setAction(ickhttpHead);
    EXPECT_EQ(log.transfer(),
              (Lines{"header Content-Type=text/html", "header Content-Length=4", "start", "end"}));
    http.setAction(ickhttpPost);
    http.setAction(ickhttpPut);
    auto requests = server.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].requestLine, "HEAD /m HTTP/1.0");
    EXPECT_EQ(requests[1].requestLine, "POST /m HTTP/1.0");
    EXPECT_EQ(requests[1].header("Content-Length"), "0");
    EXPECT_FALSE(requests[1].hasHeader("Content-Type"));
    EXPECT_EQ(requests[2].requestLine, "PUT /m HTTP/1.0");
}

TEST_F(TickHTTPTest, NotFoundDeliversTheBodyThenFailsWith151) {
    ScriptedResponse missing;
    missing.statusLine = "HTTP/1.0 404 Not Found";
    missing.body = "no such page";
    server.script("/missing", missing);
    EventLog log(http);
    http.setURL(server.url("/missing"));
    http.setLocalFile((dir / "missing.ef").string());
    EXPECT_EQ(failureOf(http, ickhttpGet), "151: 404 Not Found");
    EXPECT_EQ(http.LastErrorCode(), 151);
    EXPECT_EQ(log.transfer(), (Lines{"header Content-Length=12", "start", "transfer 12 12", "end"}));
    EXPECT_EQ(readFileBytes(dir / "missing.ef"), "no such page");
    EXPECT_EQ(http.StatusLine(), "HTTP/1.0 404 Not Found");
}

TEST_F(TickHTTPTest, AnEmptyBodyNeitherCreatesNorTruncatesTheLocalFile) {
    server.script("/empty", ScriptedResponse::ok(""));
    EventLog log(http);
    http.setURL(server.url("/empty"));
    http.setLocalFile((dir / "new.ef").string());
    http.setAction(ickhttpGet);
    EXPECT_FALSE(std::filesystem::exists(dir / "new.ef"));
    writeFileAtomically(dir / "old.ef", "previous page");
    http.setLocalFile((dir / "old.ef").string());
    http.setAction(ickhttpGet);
    EXPECT_EQ(readFileBytes(dir / "old.ef"), "previous page");
    EXPECT_EQ(log.transfer(),
              (Lines{"header Content-Type=text/html", "header Content-Length=0", "start", "end",
                     "header Content-Type=text/html", "header Content-Length=0", "start", "end"}));
}

TEST_F(TickHTTPTest, ABodyArrivingAtOnceComesInBlocksOf32000) {
    std::string body;
    for (int i = 0; i < 70000; ++i)
        body += static_cast<char>(i % 251);
    ScriptedResponse big;
    big.body = body;
    server.script("/big", big);
    EventLog log(http, false);
    // Let the whole body reach the client's socket before the body is read.
    http.OnStartTransfer = [&](TickWinInet*) { ASSERT_TRUE(server.waitForResponsesWritten(1)); };
    http.setURL(server.url("/big"));
    http.setLocalFile((dir / "big.ef").string());
    http.setAction(ickhttpGet);
    EXPECT_EQ(log.transfer(), (Lines{"header Content-Length=70000", "transfer 32000 32000",
                                     "transfer 64000 32000", "transfer 70000 6000", "end"}));
    EXPECT_EQ(log.body, body);
    EXPECT_EQ(readFileBytes(dir / "big.ef"), body);
}

TEST_F(TickHTTPTest, AnActionWhileRunningIsBusyAndLeavesTheRequestAlone) {
    server.script("/page", ScriptedResponse::ok("content"));
    EventLog log(http, false);
    std::vector<std::string> refusals;
    http.OnStartTransfer = [&](TickWinInet*) {
        refusals.push_back(failureOf(http, ickhttpGet));
        refusals.push_back(failureOf(http, ickhttpResetHeaders));
        EXPECT_EQ(http.Action(), ickhttpGet);
    };
    http.setURL(server.url("/page"));
    http.setAction(ickhttpGet);
    EXPECT_EQ(refusals,
              (Lines{"143: Busy performing current action", "143: Busy performing current action"}));
    EXPECT_EQ(log.body, "content");
    EXPECT_EQ(http.URL(), server.url("/page"));
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST_F(TickHTTPTest, IdleFromAHandlerInterruptsTheBodyWithoutAnException) {
    ScriptedResponse slow;
    slow.body = std::string(100000, 'a');
    slow.delivery = ScriptedResponse::Delivery::InPieces;
    slow.pieceSize = 1000;
    slow.pieceInterval = std::chrono::milliseconds(50);
    server.script("/slow", slow);
    EventLog log(http, false);
    http.OnTransfer = [&](TickWinInet*, int total, const std::string&) {
        log.events.push_back("transfer " + std::to_string(total));
        http.setAction(ickhttpIdle);
    };
    http.setURL(server.url("/slow"));
    http.setLocalFile((dir / "slow.ef").string());
    EXPECT_EQ(failureOf(http, ickhttpGet), "");
    EXPECT_EQ(log.transfer(), (Lines{"header Content-Length=100000", "start", "transfer 1000", "end"}));
    EXPECT_EQ(readFileBytes(dir / "slow.ef"), std::string(1000, 'a'));
    EXPECT_EQ(http.Action(), ickhttpIdle);
}

TEST_F(TickHTTPTest, ACancelDispatchedByTheWaitingLoopInterruptsTheTransfer) {
    ScriptedResponse slow;
    slow.body = std::string(100000, 'a');
    slow.delivery = ScriptedResponse::Delivery::InPieces;
    slow.pieceInterval = std::chrono::milliseconds(50);
    server.script("/slow", slow);
    EventLog log(http, false);
    bool cancelled = false;
    // Queued like a button click: it can only run while the waiting loop dispatches Qt events.
    http.OnStartTransfer = [&](TickWinInet*) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [&] {
                cancelled = true;
                http.setAction(ickhttpIdle);
            },
            Qt::QueuedConnection);
    };
    http.setURL(server.url("/slow"));
    EXPECT_EQ(failureOf(http, ickhttpGet), "");
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(log.transfer().back(), "end");
    EXPECT_LT(log.body.size(), 100000u);
}

TEST_F(TickHTTPTest, TimeoutInterruptsASilentServerAndFailsWith301) {
    ScriptedResponse silence;
    silence.delivery = ScriptedResponse::Delivery::Silence;
    server.script("/silent", silence);
    EventLog log(http, false);
    http.setTimeout(1);
    http.setURL(server.url("/silent"));
    auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(failureOf(http, ickhttpGet), "301: Timeout");
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
    EXPECT_EQ(http.LastErrorCode(), 301);
    EXPECT_TRUE(log.transfer().empty());
    EXPECT_EQ(http.StatusLine(), "");
}

struct SchemeCase {
    const char* url;
    bool secureComponent;
    const char* failure;
};

void PrintTo(const SchemeCase& c, std::ostream* out) {
    *out << c.url << (c.secureComponent ? " (https)" : "");
}

class UnusableAddresses : public testing::TestWithParam<SchemeCase> {};

TEST_P(UnusableAddresses, FailBeforeAnyNetworkWork) {
    const SchemeCase& c = GetParam();
    std::unique_ptr<TickHTTP> http =
        c.secureComponent ? std::make_unique<TickHTTPS>() : std::make_unique<TickHTTP>();
    int events = 0;
    http->OnStatus = [&](TickWinInet*, int, const std::string&) { ++events; };
    http->setURL(c.url);
    EXPECT_EQ(failureOf(*http, ickhttpGet), c.failure);
    EXPECT_EQ(events, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnusableAddresses,
    testing::Values(SchemeCase{"mailto:someone@example.com", false, "153: Specified URLScheme is invalid."},
                    SchemeCase{"index.html", false, "153: Specified URLScheme is invalid."},
                    SchemeCase{"index.html", true, "153: Specified URLScheme is invalid."},
                    SchemeCase{"https://127.0.0.1:9/", false, "153: Specified URLScheme is invalid."},
                    SchemeCase{"ftp://127.0.0.1/", true, "153: Specified URLScheme is invalid."},
                    SchemeCase{"http:///page.html", false, "152: No server specified in URL."},
                    SchemeCase{"https://", true, "152: No server specified in URL."}));

TEST(TickHTTPProperties, SplittingAndResetting) {
    EXPECT_EQ(TickHTTP().URLPort(), 80);
    TickHTTPS https;
    EXPECT_EQ(https.URLPort(), 443);
    https.setURL("https://www.example.com/a%20b?x=1");
    EXPECT_EQ(https.URLScheme(), "https");
    EXPECT_EQ(https.URLServer(), "www.example.com");
    EXPECT_EQ(https.URLPort(), 443);
    EXPECT_EQ(https.URLPath(), "/a b?x=1");
    https.setAccept("text/html");
    https.setRequestHeaders({"X-Key: 1"});
    https.setLocalFile("x.ef");
    https.setAction(ickhttpResetHeaders);
    EXPECT_TRUE(https.RequestHeaders().empty());
    EXPECT_EQ(https.URL(), "");
    EXPECT_EQ(https.URLServer(), "");
    EXPECT_EQ(https.URLPort(), 443);
    EXPECT_EQ(https.Accept(), "");
    EXPECT_EQ(https.LocalFile(), "");
    EXPECT_EQ(https.StatusLine(), "");
    EXPECT_TRUE(std::regex_match(https.WinInetVersion(), std::regex(R"(\d+\.\d+\.\d+\.\d+)")));
    EXPECT_TRUE(https.AllowCookies());
    EXPECT_TRUE(https.UseCache());
    EXPECT_EQ(https.Timeout(), 0);
    EXPECT_FALSE(https.UserAgent().empty());
    EXPECT_NO_THROW(https.setAction(ickhttpIdle));
}

}  // namespace
