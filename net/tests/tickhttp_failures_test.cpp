#include "net/tickhttp.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "net/tests/httptestkit.h"
#include "net/tests/support/childprocess.h"
#include "net/tests/support/scriptedserver.h"
#include "platform/core/safefile.h"
#include "platform/tests/tempdir.h"

namespace {

using Lines = std::vector<std::string>;

class TickHTTPFailures : public testing::Test {
protected:
    void SetUp() override { clearProxyEnvironment(); }

    ScriptedServer server;
    TempDir dir;
    TickHTTP http;
};

TEST_F(TickHTTPFailures, AResetInMidBodyEndsTheTransferAndFails) {
    ScriptedResponse reset;
    reset.body = std::string(5000, 'r');
    reset.delivery = ScriptedResponse::Delivery::ResetMidBody;
    reset.resetAfter = 1000;
    server.script("/reset", reset);
    EventLog log(http, false);
    http.setURL(server.url("/reset"));
    http.setLocalFile((dir / "reset.ef").string());
    EXPECT_EQ(failureOf(http, ickhttpGet), "12031: [12031] Internet Connection Reset.");
    EXPECT_EQ(log.transfer().back(), "end");
    EXPECT_EQ(readFileBytes(dir / "reset.ef"), std::string(1000, 'r'));
}

TEST_F(TickHTTPFailures, ABodyPastTheLimitStopsTheTransferWithNoMoreThanTheLimitKept) {
    ScriptedResponse endless;
    endless.body = std::string(10000, 'e');
    endless.contentLength = false;
    endless.delivery = ScriptedResponse::Delivery::Endless;
    server.script("/endless", endless);
    EventLog log(http, false);
    http.setBodyLimit(100000);
    http.setURL(server.url("/endless"));
    http.setLocalFile((dir / "endless.ef").string());
    EXPECT_EQ(failureOf(http, ickhttpGet), "303: Response body larger than BodyLimit.");
    EXPECT_EQ(http.LastErrorCode(), 303);
    EXPECT_EQ(log.transfer().back(), "end");
    const std::string kept = readFileBytes(dir / "endless.ef");
    EXPECT_GT(kept.size(), 0u);
    EXPECT_LE(kept.size(), 100000u);
    EXPECT_EQ(log.body, kept);

    // The limit holds whatever the status; a body within it is fetched as ever.
    ScriptedResponse small = ScriptedResponse::ok(std::string(100000, 's'));
    small.statusLine = "HTTP/1.0 404 Not Found";
    server.script("/small", small);
    http.setURL(server.url("/small"));
    EXPECT_EQ(failureOf(http, ickhttpGet), "151: 404 Not Found");
    EXPECT_EQ(readFileBytes(dir / "endless.ef").size(), 100000u);
    endless.statusLine = "HTTP/1.0 500 Server Error";
    server.script("/endless", endless);
    http.setURL(server.url("/endless"));
    EXPECT_EQ(failureOf(http, ickhttpGet), "303: Response body larger than BodyLimit.");
}

TEST_F(TickHTTPFailures, AServerThatClosesWithoutAnAnswer) {
    ScriptedResponse close;
    close.delivery = ScriptedResponse::Delivery::CloseAtOnce;
    server.script("/close", close);
    EventLog log(http, false);
    http.setURL(server.url("/close"));
    EXPECT_EQ(failureOf(http, ickhttpGet), "12152: [12152] Http Invalid Server Response.");
    EXPECT_TRUE(log.transfer().empty());
}

TEST_F(TickHTTPFailures, NothingListening) {
    http.setURL("http://127.0.0.1:" + std::to_string(freeLoopbackPort()) + "/");
    EXPECT_EQ(failureOf(http, ickhttpGet), "12029: [12029] Internet Cannot Connect.");
    EXPECT_EQ(http.LastErrorCode(), 12029);
    EXPECT_EQ(http.LastErrorDescription(), "[12029] Internet Cannot Connect.");
    http.setURL("http://127.0.0.1/");
    EXPECT_EQ(http.LastErrorDescription(), "");
}

TEST_F(TickHTTPFailures, AProxyThatIsNotThere) {
    server.script("/", ScriptedResponse::ok("x"));
    http.setProxyServer("127.0.0.1:" + std::to_string(freeLoopbackPort()));
    http.setURL(server.url("/"));
    EXPECT_EQ(failureOf(http, ickhttpGet), "12165: [12165] Internet Proxy Server Unreachable.");
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(TickHTTPFailures, ALocalFileThatCannotBeCreated) {
    server.script("/", ScriptedResponse::ok("x"));
    EventLog log(http, false);
    http.setURL(server.url("/"));
    http.setLocalFile((dir / "no-such-folder" / "page.ef").string());
    EXPECT_EQ(failureOf(http, ickhttpGet), "302: Can't open local file for writing.");
    EXPECT_EQ(log.transfer(),
              (Lines{"header Content-Type=text/html", "header Content-Length=1", "start", "end"}));
}

TEST_F(TickHTTPFailures, RedirectsAreFollowedWithANotice) {
    ScriptedResponse moved;
    moved.statusLine = "HTTP/1.0 302 Found";
    moved.headerLines = {"Location: /new?x=1"};
    moved.body = "moved";
    server.script("/old", moved);
    server.script("/new?x=1", ScriptedResponse::ok("new page"));
    EventLog log(http);
    http.setURL(server.url("/old"));
    http.setAction(ickhttpGet);
    EXPECT_EQ(http.StatusLine(), "HTTP/1.0 200 OK");
    EXPECT_EQ(log.body, "new page");
    EXPECT_EQ(log.transfer(), (Lines{"header Content-Type=text/html", "header Content-Length=8", "start",
                                     "transfer 8 8", "end"}));
    auto notice = std::find(log.events.begin(), log.events.end(),
                            "status 110 An HTTP request is about to automatically redirect the request to " +
                                server.url("/new?x=1"));
    EXPECT_NE(notice, log.events.end());
    EXPECT_EQ(server.requests().size(), 2u);
}

TEST_F(TickHTTPFailures, ARedirectToHttpsIsRefusedByThePlainComponent) {
    ScriptedResponse moved;
    moved.statusLine = "HTTP/1.0 301 Moved Permanently";
    moved.headerLines = {"Location: https://127.0.0.1:1/"};
    server.script("/old", moved);
    http.setURL(server.url("/old"));
    EXPECT_EQ(failureOf(http, ickhttpGet),
              "12039: [12039] Not allowed HTTP to HTTPS redirection. Check also the SecurityFlags property.");
}

TEST_F(TickHTTPFailures, CookiesAreKeptPerInstanceOnlyWhenAllowed) {
    ScriptedResponse setter = ScriptedResponse::ok("set");
    setter.headerLines.push_back("Set-Cookie: session=42; Path=/");
    server.script("/set", setter);
    server.script("/use", ScriptedResponse::ok("use"));
    http.setURL(server.url("/set"));
    http.setAction(ickhttpGet);
    http.setURL(server.url("/use"));
    http.setAction(ickhttpGet);

    TickHTTP refusing;
    refusing.setAllowCookies(false);
    refusing.setURL(server.url("/set"));
    refusing.setAction(ickhttpGet);
    refusing.setURL(server.url("/use"));
    refusing.setAction(ickhttpGet);

    TickHTTP other;
    other.setURL(server.url("/use"));
    other.setAction(ickhttpGet);

    // Switching cookies off and on again keeps what the instance had.
    http.setAllowCookies(false);
    http.setAction(ickhttpGet);
    http.setAllowCookies(true);
    http.setAction(ickhttpGet);

    auto requests = server.requests();
    ASSERT_EQ(requests.size(), 7u);
    EXPECT_EQ(requests[1].header("Cookie"), "session=42");
    EXPECT_FALSE(requests[3].hasHeader("Cookie"));
    EXPECT_FALSE(requests[4].hasHeader("Cookie"));
    EXPECT_FALSE(requests[5].hasHeader("Cookie"));
    EXPECT_EQ(requests[6].header("Cookie"), "session=42");
}

TEST_F(TickHTTPFailures, WhatAHandlerThrowsComesOutAfterTheTransfer) {
    server.script("/", ScriptedResponse::ok("body"));
    EventLog log(http, false);
    http.OnStartTransfer = [](TickWinInet*) { throw std::runtime_error("handler failed"); };
    http.setURL(server.url("/"));
    EXPECT_THROW(
        try { http.setAction(ickhttpGet); } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "handler failed");
            throw;
        },
        std::runtime_error);
    EXPECT_EQ(log.transfer(),
              (Lines{"header Content-Type=text/html", "header Content-Length=4", "transfer 4 4", "end"}));
}

TEST_F(TickHTTPFailures, AHandlerMayRunAnotherInstanceAndReassignTheURL) {
    server.script("/outer", ScriptedResponse::ok("outer"));
    server.script("/inner", ScriptedResponse::ok("inner"));
    TickHTTP inner;
    EventLog innerLog(inner, false);
    EventLog log(http, false);
    http.OnStartTransfer = [&](TickWinInet*) {
        inner.setURL(server.url("/inner"));
        inner.setAction(ickhttpGet);
        http.setURL(server.url("/elsewhere"));
        log.events.push_back("inner done " + inner.StatusLine());
    };
    http.setURL(server.url("/outer"));
    http.setAction(ickhttpGet);
    EXPECT_EQ(innerLog.body, "inner");
    EXPECT_EQ(log.body, "outer");
    EXPECT_TRUE(innerLog.allOnOwnerThread);
    EXPECT_EQ(log.transfer(), (Lines{"header Content-Type=text/html", "header Content-Length=5",
                                     "inner done HTTP/1.0 200 OK", "transfer 5 5", "end"}));
    EXPECT_EQ(http.URLPath(), "/elsewhere");
}

TEST_F(TickHTTPFailures, AQuitDuringTheWaitReturnsAtOnceAndTheInstanceCanBeDestroyed) {
    ScriptedResponse slow;
    slow.body = std::string(100000, 'a');
    slow.delivery = ScriptedResponse::Delivery::InPieces;
    slow.pieceInterval = std::chrono::milliseconds(50);
    server.script("/slow", slow);
    auto doomed = std::make_unique<TickHTTP>();
    EventLog log(*doomed, false);
    doomed->OnStartTransfer = [&](TickWinInet*) {
        QCoreApplication::postEvent(QCoreApplication::instance(), new QEvent(QEvent::Quit));
    };
    doomed->setURL(server.url("/slow"));
    EXPECT_EQ(failureOf(*doomed, ickhttpGet), "");
    size_t eventsAtReturn = log.events.size();
    doomed.reset();
    EXPECT_EQ(log.events.size(), eventsAtReturn);
    EXPECT_LT(log.body.size(), 100000u);
}

TEST_F(TickHTTPFailures, DestroyingAnIdleInstanceWithAKeptConnection) {
    ScriptedResponse page = ScriptedResponse::ok("x");
    page.keepAlive = true;
    server.script("/", page);
    auto component = std::make_unique<TickHTTP>();
    int notices = 0;
    component->OnStatus = [&](TickWinInet*, int, const std::string&) { ++notices; };
    component->setURL(server.url("/"));
    component->setAction(ickhttpGet);
    int noticesBefore = notices;
    component.reset();
    EXPECT_EQ(notices, noticesBefore);
}

TEST_F(TickHTTPFailures, AWorkerThatDoesNotStopIsGivenUpAfterTheInterruptCycles) {
    // Opening a pipe for writing blocks until someone reads it: the worker is stuck outside
    // libcurl, where no interrupt reaches it.
    std::string fifo = (dir / "pipe").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    server.script("/", ScriptedResponse::ok("stuck"));
    auto stuck = std::make_unique<TickHTTP>();
    stuck->setURL(server.url("/"));
    stuck->setLocalFile(fifo);
    stuck->setTimeout(1);
    EXPECT_EQ(failureOf(*stuck, ickhttpGet), "301: Timeout");
    EXPECT_EQ(failureOf(*stuck, ickhttpGet), "143: Busy performing current action");

    // Let the worker go: read what it writes until it closes the pipe.
    int reader = open(fifo.c_str(), O_RDONLY);
    ASSERT_GE(reader, 0);
    std::string received;
    char buffer[64];
    for (ssize_t n; (n = read(reader, buffer, sizeof buffer)) > 0;)
        received.append(buffer, static_cast<size_t>(n));
    close(reader);
    EXPECT_EQ(received, "stuck");
    stuck.reset();
}

}  // namespace
