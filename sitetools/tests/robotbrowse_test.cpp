// The robot window browsing a small fixture site served by a real nginx over HTTP and HTTPS.
#include "sitetools/robotwindow.h"

#include "net/tests/support/loopbackpeers.h"
#include "net/tests/support/scriptedserver.h"
#include "platform/core/text.h"
#include "sitetools/tests/robottestkit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>

namespace fs = std::filesystem;

namespace {

class RobotBrowse : public RobotWindowTest {
protected:
    // One nginx for the suite; the fixture's "@HTTP@" becomes the server's own address, which is
    // known only once it runs.
    static void SetUpTestSuite() {
        const fs::path fixture = fs::path(ORLEK_TEST_DATA_DIR) / "robotsite";
        try {
            site = new TempDir;
            nginx = new NginxServer(site->path());
            for (const auto& entry : fs::recursive_directory_iterator(fixture)) {
                if (entry.is_regular_file()) {
                    writeFileAtomically(
                        site->path() / fs::relative(entry.path(), fixture),
                        replaceAll(readFileBytes(entry.path()), "@HTTP@", nginx->httpUrl("")));
                }
            }
        } catch (const std::exception& e) {
            setUpFailure = e.what();
        }
    }
    static void TearDownTestSuite() {
        delete nginx;
        delete site;
        nginx = nullptr;
        site = nullptr;
    }
    // A failure of the suite's set-up fails every test rather than skipping it.
    void SetUp() override {
        RobotWindowTest::SetUp();
        ASSERT_EQ(setUpFailure, "");
    }

    // "@HTTP@" and "@HTTPS@" in expected texts stand for the server's two addresses.
    static std::string sub(const std::string& text) {
        return replaceAll(replaceAll(text, "@HTTPS@", nginx->httpsUrl("")), "@HTTP@", nginx->httpUrl(""));
    }
    static Lines sub(const Lines& lines) {
        Lines out;
        for (const std::string& line : lines)
            out.push_back(sub(line));
        return out;
    }

    std::unique_ptr<TForm4> browse(const std::string& domain, const char* button = "browseNowButton") {
        auto window = ranqor();
        window->https().setCABundle(nginx->caBundle());
        window->domainBox()->setEditText(toDisplay(sub(domain)));
        window->fileBox()->setEditText("index.html");
        trigger(*window, button);
        return window;
    }

    // Expands through the tree, as a click on the node's expander does.
    static void expand(QTreeWidgetItem* node) {
        node->setExpanded(true);
        QCoreApplication::processEvents();
    }

    static Lines textLines(const TForm4& window) {
        return splitLines(fromDisplay(window.collectedText()->toPlainText()));
    }
    static std::string count(const TForm4& window) { return fromDisplay(window.countLabel()->text()); }

    // The start page's links as a robot window shows them; "@" is the site's address.
    static Lines homeLinks() {
        return {"  about.html -> @/about.html",
                "    ...",
                "  docs/page.htm -> @/docs/page.htm",
                "    ...",
                "  @HTTP@/news.html -> @HTTP@/news.html",
                "    ...",
                "  http://www.elsewhere.test/partner.html -> http://www.elsewhere.test/partner.html",
                "    ...",
                "  mailto:webmaster@fixture.test",
                "  page.html#top",
                "  search.cgi?q=x",
                "  logo.gif",
                "  missing.html -> @/missing.html",
                "    ...",
                "  about.html -> @/about.html",
                "    ..."};
    }
    static Lines withSite(Lines lines, const std::string& site) {
        for (std::string& line : lines) {
            line = replaceAll(line, "@HTTP@", "\x01");
            line = replaceAll(line, " -> @/", " -> " + site + "/");
            line = replaceAll(line, "  @/", "  " + site + "/");
            line = sub(replaceAll(line, "\x01", "@HTTP@"));
        }
        return lines;
    }

    static std::string setUpFailure;
    static TempDir* site;
    static NginxServer* nginx;
};

std::string RobotBrowse::setUpFailure;
TempDir* RobotBrowse::site = nullptr;
NginxServer* RobotBrowse::nginx = nullptr;

TEST_F(RobotBrowse, BrowseNowReadsTheStartPageAndExpandingFollowsTheLinks) {
    auto window = browse("@HTTP@/");
    QTreeWidget* tree = window->tree();
    Lines expected = {"@HTTP@/index.html -> @HTTP@/index.html"};
    Lines home = withSite(homeLinks(), "@HTTP@");
    expected.insert(expected.end(), home.begin(), home.end());
    EXPECT_EQ(treeLines(tree), sub(expected));
    EXPECT_EQ(collected, sub(Lines{"@HTTP@/about.html", "@HTTP@/docs/page.htm", "@HTTP@/news.html",
                                   "@HTTP@/missing.html"}));
    EXPECT_EQ(textLines(*window), collected);
    EXPECT_EQ(count(*window), "Current Number of Items in the List =4");
    EXPECT_EQ(fromDisplay(window->statusPanel()->text()), "Transfer ended");
    EXPECT_TRUE(prompts.shown().empty());

    // Below the root the tree resolves against the page's folder, the list against the site.
    QTreeWidgetItem* root = tree->topLevelItem(0);
    QTreeWidgetItem* docs = child(tree, root, "docs/page.htm");
    expand(docs);
    EXPECT_EQ(tree->currentItem(), docs);
    Lines docsLines;
    for (int i = 0; i < docs->childCount(); ++i) {
        docsLines.push_back(fromDisplay(docs->child(i)->text(0)) + " -> " +
                            TForm4::addressOf(docs->child(i)) +
                            (docs->child(i)->childCount() == 1 ? " +" : ""));
    }
    EXPECT_EQ(
        docsLines,
        sub(Lines{"next.htm -> @HTTP@/docs/next.htm +", "index.html -> @HTTP@/docs/index.html +",
                  "/127.0.0.1/shared.html -> @HTTP@/127.0.0.1/shared.html +",
                  "@HTTP@/news.html -> @HTTP@/news.html +",
                  "http://www.elsewhere.test/partner.html -> http://www.elsewhere.test/partner.html +"}));
    EXPECT_EQ(collected, sub(Lines{"@HTTP@/about.html", "@HTTP@/docs/page.htm", "@HTTP@/news.html",
                                   "@HTTP@/missing.html", "@HTTP@/next.htm", "@HTTP@/index.html",
                                   "@HTTP@//127.0.0.1/shared.html"}));
    EXPECT_EQ(textLines(*window), collected);
    EXPECT_EQ(count(*window), "Current Number of Items in the List =7");

    // One level further: the exclude list's ".jpg" matches ".JPG".
    QTreeWidgetItem* next = child(tree, docs, "next.htm");
    expand(next);
    ASSERT_EQ(next->childCount(), 2);
    EXPECT_EQ(fromDisplay(next->child(0)->text(0)), "images/photo.JPG");
    EXPECT_EQ(next->child(0)->childCount(), 0);
    EXPECT_EQ(TForm4::addressOf(next->child(0)), "");
    EXPECT_EQ(TForm4::addressOf(next->child(1)), sub("@HTTP@/docs/appendix.html"));
    EXPECT_EQ(collected.back(), sub("@HTTP@/appendix.html"));
    EXPECT_EQ(count(*window), "Current Number of Items in the List =8");

    // An expanded node does not fetch again.
    expand(root);
    next->setExpanded(false);
    expand(next);
    EXPECT_EQ(next->childCount(), 2);
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(RobotBrowse, AnAbsoluteLinkSeenOnSeveralPagesIsCollectedOnce) {
    auto window = browse("@HTTP@/");
    QTreeWidgetItem* root = window->tree()->topLevelItem(0);
    QTreeWidgetItem* news = child(window->tree(), root, sub("@HTTP@/news.html"));
    expand(news);
    EXPECT_EQ(news->childCount(), 2);
    EXPECT_EQ(TForm4::addressOf(child(window->tree(), news, "docs/page.htm")), sub("@HTTP@/docs/page.htm"));
    EXPECT_EQ(collected, sub(Lines{"@HTTP@/about.html", "@HTTP@/docs/page.htm", "@HTTP@/news.html",
                                   "@HTTP@/missing.html"}));
    EXPECT_EQ(textLines(*window), collected);
}

TEST_F(RobotBrowse, HostOnlyClearCollectsOtherHostsToo) {
    store.writeValue("\\Software\\Orlek\\Ranqor", "hostonly", "0");
    auto window = browse("@HTTP@/");
    EXPECT_FALSE(window->hostOnlyBox()->isChecked());
    EXPECT_EQ(collected, sub(Lines{"@HTTP@/about.html", "@HTTP@/docs/page.htm", "@HTTP@/news.html",
                                   "http://www.elsewhere.test/partner.html", "@HTTP@/missing.html"}));
    expand(child(window->tree(), window->tree()->topLevelItem(0), "docs/page.htm"));
    EXPECT_EQ(std::count(collected.begin(), collected.end(), "http://www.elsewhere.test/partner.html"), 1);
    EXPECT_EQ(textLines(*window), collected);
    EXPECT_EQ(count(*window), "Current Number of Items in the List =8");
}

TEST_F(RobotBrowse, AFailedFetchShowsTheComponentsMessageAndLosesThePlaceholder) {
    auto window = browse("@HTTP@/");
    QTreeWidgetItem* missing = child(window->tree(), window->tree()->topLevelItem(0), "missing.html");
    expand(missing);
    EXPECT_EQ(prompts.shown(), (std::vector<Shown>{{Kind::Error, "151: 404 Not Found"}}));
    EXPECT_EQ(missing->childCount(), 0);
    EXPECT_EQ(collected.size(), 4u);

    // A start page that is not there: the root stays, without children.
    prompts.clear();
    window->fileBox()->setEditText("nothere.html");
    trigger(*window, "browseNowItem");
    EXPECT_EQ(prompts.shown(), (std::vector<Shown>{{Kind::Error, "151: 404 Not Found"}}));
    ASSERT_EQ(window->tree()->topLevelItemCount(), 2);
    EXPECT_EQ(treeLines(window->tree()).back(), sub("@HTTP@/nothere.html -> @HTTP@/nothere.html"));
}

TEST_F(RobotBrowse, TheExcludeListIsReadForEveryLink) {
    // A missing list excludes nothing, without a word.
    fs::remove(list("exclude.lls"));
    auto window = browse("@HTTP@/");
    QTreeWidgetItem* root = window->tree()->topLevelItem(0);
    EXPECT_EQ(TForm4::addressOf(child(window->tree(), root, "logo.gif")), sub("@HTTP@/logo.gif"));
    EXPECT_EQ(collected, sub(Lines{"@HTTP@/about.html", "@HTTP@/docs/page.htm", "@HTTP@/news.html",
                                   "@HTTP@/logo.gif", "@HTTP@/missing.html"}));
    EXPECT_TRUE(prompts.shown().empty());

    // Edited while the window is open, it counts at the next page.
    writeList("exclude.lls", ".htm\r\n");
    QTreeWidgetItem* docs = child(window->tree(), root, "docs/page.htm");
    expand(docs);
    EXPECT_EQ(TForm4::addressOf(child(window->tree(), docs, "next.htm")), "");
    EXPECT_EQ(TForm4::addressOf(child(window->tree(), docs, "index.html")), sub("@HTTP@/docs/index.html"));

    // One that cannot be read is reported once and excludes nothing.
    fs::remove(list("exclude.lls"));
    fs::create_directories(list("exclude.lls"));
    collected.clear();
    trigger(*window, "browseNowButton");
    EXPECT_EQ(prompts.shown(),
              (std::vector<Shown>{
                  {Kind::Error, "Cannot read " + list("exclude.lls").string() + ": Is a directory"}}));
    EXPECT_EQ(collected.size(), 5u);
}

TEST_F(RobotBrowse, BrowseHttpsFetchesOverASecureConnection) {
    auto window = browse("@HTTPS@/", "browseHttpsButton");
    QTreeWidget* tree = window->tree();
    Lines expected = {"@HTTPS@/index.html -> @HTTPS@/index.html"};
    Lines home = withSite(homeLinks(), "@HTTPS@");
    expected.insert(expected.end(), home.begin(), home.end());
    EXPECT_EQ(treeLines(tree), sub(expected));
    EXPECT_EQ(collected, sub(Lines{"@HTTPS@/about.html", "@HTTPS@/docs/page.htm", "@HTTP@/news.html",
                                   "@HTTPS@/missing.html"}));
    EXPECT_EQ(count(*window), "Current Number of Items in the List =4");
    EXPECT_TRUE(prompts.shown().empty());

    // Expanding keeps to the secure component, also for an http address.
    QTreeWidgetItem* root = tree->topLevelItem(0);
    QTreeWidgetItem* docs = child(tree, root, "docs/page.htm");
    expand(docs);
    EXPECT_EQ(TForm4::addressOf(child(tree, docs, "next.htm")), sub("@HTTPS@/docs/next.htm"));
    EXPECT_EQ(TForm4::addressOf(child(tree, docs, "/127.0.0.1/shared.html")),
              sub("@HTTPS@/127.0.0.1/shared.html"));
    EXPECT_EQ(collected.back(), sub("@HTTPS@//127.0.0.1/shared.html"));
    QTreeWidgetItem* news = child(tree, root, sub("@HTTP@/news.html"));
    expand(news);
    EXPECT_EQ(news->childCount(), 2);
    EXPECT_TRUE(prompts.shown().empty());

    // Without the test authority the server is not trusted.
    auto untrusting = ranqor();
    untrusting->domainBox()->setEditText(toDisplay(sub("@HTTPS@/")));
    untrusting->fileBox()->setEditText("index.html");
    trigger(*untrusting, "browseHttpsButton");
    EXPECT_EQ(prompts.shown(),
              (std::vector<Shown>{{Kind::Error, "12045: [12045] Invalid Certification Authority."}}));
    EXPECT_EQ(untrusting->tree()->topLevelItem(0)->childCount(), 0);
}

TEST_F(RobotBrowse, SaveWritesWhatWasCollected) {
    auto window = browse("@HTTP@/");
    window->renameBox()->setChecked(true);
    window->nameEdit()->setText("mysite");
    trigger(*window, "saveButton");
    EXPECT_EQ(
        readFileBytes(list("mysite.fls")),
        sub("@HTTP@/about.html\r\n@HTTP@/docs/page.htm\r\n@HTTP@/news.html\r\n@HTTP@/missing.html\r\n"));
    EXPECT_EQ(
        prompts.shown(),
        (std::vector<Shown>{
            {Kind::Message,
             "The browse has completed and the file list has been saved to My File Lists\\mysite.FLS."}}));
    EXPECT_EQ(window->tree()->topLevelItemCount(), 0);
    EXPECT_TRUE(collected.empty());
    EXPECT_EQ(count(*window), "Current Number of Items in the List = 0");

    // The next browse starts a new list.
    trigger(*window, "browseNowButton");
    EXPECT_EQ(collected.size(), 4u);
    EXPECT_EQ(count(*window), "Current Number of Items in the List =4");
}

TEST_F(RobotBrowse, EachStartAddsARoot) {
    auto window = browse("@HTTP@/");
    window->fileBox()->setEditText("about.html");
    trigger(*window, "browseNowButton");
    QTreeWidget* tree = window->tree();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(1));
    Lines lines = treeLines(tree);
    EXPECT_EQ(Lines(lines.end() - 4, lines.end()),
              sub(Lines{"@HTTP@/about.html -> @HTTP@/about.html", "  ftp://files.fixture.test/pub/",
                        "  index.html -> @HTTP@/index.html", "    ..."}));
    EXPECT_EQ(collected.back(), sub("@HTTP@/index.html"));
}

TEST_F(RobotBrowse, TheRightButtonDeletesANodeAndItsSubtree) {
    auto window = browse("@HTTP@/");
    window->show();
    QTreeWidget* tree = window->tree();
    QTreeWidgetItem* root = tree->topLevelItem(0);
    QTreeWidgetItem* docs = child(tree, root, "docs/page.htm");
    expand(docs);
    int before = root->childCount();
    auto press = [&](QTreeWidgetItem* node, Qt::MouseButton button) {
        QPointF at = tree->visualItemRect(node).center();
        QMouseEvent event(QEvent::MouseButtonPress, at, tree->viewport()->mapToGlobal(at), button, button,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(tree->viewport(), &event);
        QMouseEvent release(QEvent::MouseButtonRelease, at, tree->viewport()->mapToGlobal(at), button,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(tree->viewport(), &release);
    };
    press(docs, Qt::LeftButton);
    EXPECT_EQ(root->childCount(), before);
    press(docs, Qt::RightButton);
    EXPECT_EQ(root->childCount(), before - 1);
    for (int i = 0; i < root->childCount(); ++i)
        EXPECT_NE(fromDisplay(root->child(i)->text(0)), "docs/page.htm");
    // The collected addresses stay.
    EXPECT_EQ(collected.size(), 7u);
    press(root, Qt::RightButton);
    EXPECT_EQ(tree->topLevelItemCount(), 0);
}

// A page of the other mode, fetched while one is being read, gets its own parser: neither page's
// links end up under the other.
TEST_F(RobotBrowse, APageOfTheOtherModeFetchedMeanwhileIsReadApart) {
    ScriptedServer slow;
    std::string body = "<html><body><a href=\"first.html\">1</a>";
    body += std::string(2000, ' ') + "<a hr";
    std::string rest = "ef=\"second.html\">2</a></body></html>";
    ScriptedResponse page = ScriptedResponse::ok(body + rest);
    page.delivery = ScriptedResponse::Delivery::InPieces;
    page.pieceSize = body.size();
    page.piecesOnRelease = true;
    slow.script("/slow.html", page);

    auto window = ranqor();
    window->https().setCABundle(nginx->caBundle());
    int blocks = 0;
    auto bound = window->http().OnTransfer;
    window->http().OnTransfer = [&](TickWinInet* sender, int total, const std::string& text) {
        bound(sender, total, text);
        if (++blocks > 1)
            return;
        window->domainBox()->setEditText(toDisplay(sub("@HTTPS@/")));
        window->fileBox()->setEditText("index.html");
        window->browseHttpsClick();
        slow.releasePiece();
    };
    window->domainBox()->setEditText(toDisplay(slow.url("/")));
    window->fileBox()->setEditText("slow.html");
    trigger(*window, "browseNowButton");
    EXPECT_TRUE(prompts.shown().empty());
    // The secure page came between the two pieces of the slow one, inside its half-read tag.
    EXPECT_EQ(blocks, 2);

    QTreeWidget* tree = window->tree();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    QTreeWidgetItem* slowRoot = tree->topLevelItem(0);
    ASSERT_EQ(slowRoot->childCount(), 2);
    EXPECT_EQ(TForm4::addressOf(slowRoot->child(0)), slow.url("/first.html"));
    EXPECT_EQ(TForm4::addressOf(slowRoot->child(1)), slow.url("/second.html"));
    // The start page's ten links.
    EXPECT_EQ(tree->topLevelItem(1)->childCount(), 10);
    EXPECT_EQ(collected.front(), slow.url("/first.html"));
    EXPECT_EQ(collected.back(), slow.url("/second.html"));
}

// --- The submission tool's form ----------------------------------------------------------------

TEST_F(RobotBrowse, RunFollowsEveryLinkButFtpAndMailAndCollectsNothing) {
    auto window = vistral();
    window->startEdit()->setText(toDisplay(sub("@HTTP@/index.html")));
    trigger(*window, "runButton");
    EXPECT_TRUE(prompts.shown().empty());
    QTreeWidget* tree = window->tree();
    EXPECT_EQ(treeLines(tree),
              sub(Lines{"@HTTP@/index.html -> @HTTP@/index.html",
                        "  about.html -> @HTTP@/about.html",
                        "    ...",
                        "  docs/page.htm -> @HTTP@/docs/page.htm",
                        "    ...",
                        "  @HTTP@/news.html -> @HTTP@/news.html",
                        "    ...",
                        "  http://www.elsewhere.test/partner.html -> http://www.elsewhere.test/partner.html",
                        "    ...",
                        "  mailto:webmaster@fixture.test",
                        "  page.html#top -> @HTTP@/page.html#top",
                        "    ...",
                        "  search.cgi?q=x -> @HTTP@/search.cgi?q=x",
                        "    ...",
                        "  logo.gif -> @HTTP@/logo.gif",
                        "    ...",
                        "  missing.html -> @HTTP@/missing.html",
                        "    ...",
                        "  about.html -> @HTTP@/about.html",
                        "    ..."}));
    QTreeWidgetItem* about = child(tree, tree->topLevelItem(0), "about.html");
    expand(about);
    Lines aboutLines = treeLines(tree);
    EXPECT_EQ(
        Lines(aboutLines.begin() + 2, aboutLines.begin() + 5),
        sub(Lines{"    ftp://files.fixture.test/pub/", "    index.html -> @HTTP@/index.html", "      ..."}));
    EXPECT_TRUE(collected.empty());

    // Enter in the box starts another root.
    window->startEdit()->setText(toDisplay(sub("@HTTP@/news.html")));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(window->startEdit(), &enter);
    EXPECT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(1)->childCount(), 2);

    // No secure mode: an https address is not for this component.
    window->startEdit()->setText(toDisplay(sub("@HTTPS@/index.html")));
    trigger(*window, "runButton");
    EXPECT_EQ(prompts.shown(), (std::vector<Shown>{{Kind::Error, "153: Specified URLScheme is invalid."}}));
    EXPECT_TRUE(collected.empty());
}

}  // namespace
