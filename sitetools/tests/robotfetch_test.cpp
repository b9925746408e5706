// The robot window against a scripted loopback server: error pages, what the user may do while
// a fetch runs, and what the window sends.
#include "sitetools/robotwindow.h"

#include "net/tests/support/childprocess.h"
#include "net/tests/support/scriptedserver.h"
#include "sitetools/tests/robottestkit.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

namespace {

class RobotFetch : public RobotWindowTest {
protected:
    void SetUp() override {
        RobotWindowTest::SetUp();
        server.script("/index.html",
                      ScriptedResponse::ok("<a href=\"one.html\">1</a><a href=\"two.html\">2</a>"));
        ScriptedResponse silent;
        silent.delivery = ScriptedResponse::Delivery::Silence;
        server.script("/silent.html", silent);
    }

    std::unique_ptr<TForm4> browse(const std::string& file) {
        auto window = ranqor();
        window->show();
        window->domainBox()->setEditText(toDisplay(server.url("/")));
        window->fileBox()->setEditText(toDisplay(file));
        trigger(*window, "browseNowButton");
        return window;
    }

    // Runs action from the fetch's waiting loop, once the request is under way.
    static void whileFetching(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }

    ScriptedServer server;
};

TEST_F(RobotFetch, LinksOfAnErrorPageAreReadBeforeItsErrorShows) {
    ScriptedResponse gone = ScriptedResponse::ok("<p>Moved, see <a href=\"new.html\">the new page</a>.</p>");
    gone.statusLine = "HTTP/1.0 404 Not Found";
    server.script("/gone.html", gone);
    auto window = browse("gone.html");
    EXPECT_EQ(prompts.shown(), (std::vector<Shown>{{Kind::Error, "151: 404 Not Found"}}));
    EXPECT_EQ(treeLines(window->tree()), (Lines{server.url("/gone.html") + " -> " + server.url("/gone.html"),
                                                "  new.html -> " + server.url("/new.html"), "    ..."}));
    EXPECT_EQ(collected, (Lines{server.url("/new.html")}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(RobotFetch, AServerThatCannotBeReachedIsReportedAndTheCursorComesBack) {
    int port = freeLoopbackPort();
    auto window = ranqor();
    window->domainBox()->setEditText(QString("http://127.0.0.1:%1/").arg(port));
    window->fileBox()->setEditText("index.html");
    trigger(*window, "browseNowButton");
    EXPECT_EQ(prompts.shown(),
              (std::vector<Shown>{{Kind::Error, "12029: [12029] Internet Cannot Connect."}}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(window->tree()->topLevelItemCount(), 1);
}

TEST_F(RobotFetch, TheWindowSendsItsUserAgentAndShowsTheTransferInTheStatusBar) {
    auto window = ranqor();
    std::vector<std::string> panel;
    auto record = [&] { panel.push_back(fromDisplay(window->statusPanel()->text())); };
    auto start = window->http().OnStartTransfer;
    window->http().OnStartTransfer = [&](TickWinInet* sender) {
        start(sender);
        record();
    };
    auto end = window->http().OnEndTransfer;
    window->http().OnEndTransfer = [&](TickWinInet* sender) {
        end(sender);
        record();
    };
    auto status = window->http().OnStatus;
    window->http().OnStatus = [&](TickWinInet* sender, int code, const std::string& description) {
        status(sender, code, description);
        if (code == 10)
            record();
    };
    window->domainBox()->setEditText(toDisplay(server.url("/")));
    window->fileBox()->setEditText("index.html");
    trigger(*window, "browseNowButton");
    EXPECT_EQ(panel,
              (Lines{"Looking up the IP address 127.0.0.1", "Starting transfer...", "Transfer ended"}));
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].target, "/index.html");
    EXPECT_EQ(server.requests()[0].header("User-Agent"), "Orlek Vistral / Robot Path Analysis 1.0");

    auto reduced = vistral();
    reduced->startEdit()->setText(toDisplay(server.url("/index.html")));
    trigger(*reduced, "runButton");
    ASSERT_EQ(server.requests().size(), 2u);
    EXPECT_EQ(server.requests()[1].header("User-Agent"), "Orlek Vistral / Robot Path Analysis 1.0");
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(RobotFetch, ExpandingDuringAFetchOfTheSameModeShowsTheBusyErrorAndCancelCloses) {
    auto window = browse("index.html");
    QTreeWidgetItem* one = child(window->tree(), window->tree()->topLevelItem(0), "one.html");
    window->fileBox()->setEditText("silent.html");
    bool stillVisibleBeforeCancel = false;
    whileFetching([&] {
        window->treeExpanded(one);
        stillVisibleBeforeCancel = window->isVisible();
        trigger(*window, "cancelItem");
    });
    trigger(*window, "browseNowButton");
    EXPECT_EQ(prompts.shown(), (std::vector<Shown>{{Kind::Error, "143: Busy performing current action"}}));
    EXPECT_TRUE(stillVisibleBeforeCancel);
    EXPECT_FALSE(window->isVisible());
    // The refused node has lost its placeholder; the silent page's root got nothing.
    EXPECT_EQ(one->childCount(), 0);
    EXPECT_EQ(window->tree()->topLevelItem(1)->childCount(), 0);
    EXPECT_EQ(window->http().Action(), ickhttpIdle);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(RobotFetch, ClosingTheWindowStopsARunningFetch) {
    for (const char* close : {"exitButton", "exitItem"}) {
        auto window = browse("index.html");
        window->fileBox()->setEditText("silent.html");
        whileFetching([&] { trigger(*window, close); });
        trigger(*window, "browseNowButton");
        EXPECT_FALSE(window->isVisible()) << close;
        EXPECT_EQ(window->http().Action(), ickhttpIdle);
    }
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(RobotFetch, StopInterruptsWithoutClosing) {
    auto window = vistral();
    window->show();
    window->startEdit()->setText(toDisplay(server.url("/silent.html")));
    whileFetching([&] { trigger(*window, "stopButton"); });
    trigger(*window, "runButton");
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(window->tree()->topLevelItemCount(), 1);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // And the next run works.
    window->startEdit()->setText(toDisplay(server.url("/index.html")));
    trigger(*window, "runButton");
    EXPECT_EQ(window->tree()->topLevelItem(1)->childCount(), 2);
}

// Deleting the page being read, or clearing everything with Save URL List, while its links are
// still arriving: the rest of its links are dropped, not put somewhere else.
TEST_F(RobotFetch, ThePageBeingReadMayGoWhileItArrives) {
    std::string first = "<a href=\"a.html\">a</a>" + std::string(3000, ' ');
    ScriptedResponse slow = ScriptedResponse::ok(first + "<a href=\"b.html\">b</a><a href=\"c.html\">c</a>");
    slow.delivery = ScriptedResponse::Delivery::InPieces;
    slow.pieceSize = first.size();
    server.script("/slow.html", slow);

    for (const char* what : {"delete", "save"}) {
        collected.clear();
        auto window = ranqor();
        int blocks = 0;
        auto bound = window->http().OnTransfer;
        window->http().OnTransfer = [&](TickWinInet* sender, int total, const std::string& text) {
            bound(sender, total, text);
            if (++blocks > 1)
                return;
            if (std::string(what) == "delete") {
                window->deleteNode(window->tree()->topLevelItem(0));
            } else {
                window->saveClick();
            }
        };
        window->domainBox()->setEditText(toDisplay(server.url("/")));
        window->fileBox()->setEditText("slow.html");
        trigger(*window, "browseNowButton");
        EXPECT_EQ(blocks, 2) << what;
        EXPECT_EQ(window->tree()->topLevelItemCount(), 0) << what;
        if (std::string(what) == "save") {
            EXPECT_TRUE(collected.empty());
            EXPECT_EQ(readFileBytes(list("temp.fls")), server.url("/a.html") + "\r\n");
        } else {
            EXPECT_EQ(collected, (Lines{server.url("/a.html")}));
        }
    }
    EXPECT_EQ(
        prompts.shown(),
        (std::vector<Shown>{
            {Kind::Message,
             "The browse has completed and the file list has been saved to My File Lists\\Temp.FLS."}}));
}

// Expanding from the tree's own signal fetches once the tree has finished expanding; a node
// deleted before that is not fetched.
TEST_F(RobotFetch, AnExpandQueuedByTheTreeIsDroppedWithItsNode) {
    auto window = browse("index.html");
    QTreeWidgetItem* root = window->tree()->topLevelItem(0);
    QTreeWidgetItem* one = child(window->tree(), root, "one.html");
    one->setExpanded(true);
    window->deleteNode(one);
    QCoreApplication::processEvents();
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(root->childCount(), 1);
    EXPECT_TRUE(prompts.shown().empty());
}

}  // namespace
