// Step 3 in the window: the readiness check of a local page and of pages on the net (a loopback
// server, and nginx over TLS), its messages, the report window, and Next into step 4.

#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>

#include "net/tests/httptestkit.h"
#include "net/tests/support/loopbackpeers.h"
#include "net/tests/support/scriptedserver.h"
#include "pageprep/core/readinessreport.h"
#include "pageprep/readinesspage.h"
#include "pageprep/reportwindow.h"
#include "pageprep/workfilespage.h"
#include "platform/core/safefile.h"
#include "sitetools/core/filelist.h"
#include "submission/projectspage.h"
#include "submission/selectenginespage.h"
#include "submission/tests/windowfixture.h"

namespace fs = std::filesystem;

namespace {

const char* const kReportCaption = "Vistral [Meta Tag Analysis (Verimane Module)";
const char* const kCouldNotLoad = "Could not Load File, Error 101!";

const std::string kPage =
    "<html><head><title>Garden Tools</title>\n"
    "<meta name=\"description\" content=\"Tools for your garden\">\n"
    "<meta name=\"keywords\" content=\"garden, tools\">\n"
    "</head><body>Garden tools for every garden.</body></html>";

class ReadinessStep : public VistralWindowTest {
protected:
    std::unique_ptr<TForm1> form;
    std::vector<std::vector<std::string>> reports;  // the report window's lines, each time shown
    std::vector<bool> busyDuringReport;

    void SetUp() override {
        VistralWindowTest::SetUp();
        clearProxyEnvironment();
        onDialog = [this](QDialog& dialog) {
            if (auto* report = qobject_cast<ReportWindow*>(&dialog)) {
                reports.push_back(report->lines());
                busyDuringReport.push_back(QApplication::overrideCursor() != nullptr);
            }
        };
    }

    // Opens the window on the project, ticks the pages at the rows given and moves on to step 3.
    void openOnStepThree(const std::string& webPath, WebType type, const Lines& entries,
                         const std::vector<int>& ticked) {
        makeProject("Shop", webPath, type);
        writeFileList(dir / "My Projects" / "Shop" / "Shop.fls", entries);
        form = open();
        form->projectsPage().setProjects({"Shop"});
        form->selectProjectClick();
        for (int row : ticked)
            form->filesPage().workfiles()->topLevelItem(row)->setCheckState(0, Qt::Checked);
        form->filesPage().findChild<QToolButton*>("nextButton")->click();
    }

    void check() { form->readinessPage().readinessButton()->click(); }

    std::string box(QPlainTextEdit* (ReadinessPage::*memo)() const) {
        return (form->readinessPage().*memo)()->toPlainText().toStdString();
    }
};

TEST_F(ReadinessStep, ReadsALocalPageIntoTheBoxesAndShowsItsReport) {
    writeFileAtomically(dir / "site" / "garden.htm", kPage);
    const std::string entry = (dir / "site" / "garden.htm").string();
    openOnStepThree("http://www.example.com", WebType::Local, {entry}, {0});
    const size_t before = prompts.shown().size();
    check();

    EXPECT_EQ(shownSince(before), std::vector<Shown>{});
    EXPECT_EQ(box(&ReadinessPage::Memo3), "Garden Tools");
    EXPECT_EQ(box(&ReadinessPage::Memo4), "Tools for your garden");
    EXPECT_EQ(box(&ReadinessPage::Memo5), "garden, tools");
    EXPECT_EQ(form->statusPanel(1), "Ready");
    EXPECT_EQ(form->statusPanel(3), "Files Read Successfully");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], buildReadinessReport("garden, tools", "Tools for your garden", kPage));
    EXPECT_NE(std::find(reports[0].begin(), reports[0].end(), "garden - 2 "), reports[0].end());
    EXPECT_EQ(dialogs, Lines{kReportCaption});
    EXPECT_EQ(busyDuringReport, std::vector<bool>{true});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // The reader's steps pause and let the window repaint.
    EXPECT_GE(std::count(pacer.sleeps.begin(), pacer.sleeps.end(), 2), 10);
    EXPECT_GE(pacer.processEventsCalls, 10);

    // The Verify menu runs the same check; the pane holds only the latest report.
    item(form->menu("&Verify"), "Search Engine Verification...")->trigger();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(form->readinessReport().lines(), reports[0]);
}

TEST_F(ReadinessStep, TheChecksOwnMessagesEndItBeforeAnythingIsRead) {
    struct Case {
        std::string name;
        std::string webPath;
        std::vector<int> ticked;
        std::vector<Shown> shown;
    };
    const std::vector<Case> cases = {
        {"no web path",
         "",
         {0},
         {{Kind::Error,
           "Cannot Perform Analysis: [No Base Web Path Exists!], To create a base Web Path:\r\r\r   1. Click "
           "on your project and Press the Properties Button\r   2. Type In a Web Path in the space "
           "provided\r   3. Save the settings by Clicking on the Save Button\r   4. Reselect the project by "
           "Double-Clicking on it\r   5. Then Continue with your web site promotion tasks.\r\rThe Help | "
           "Getting Started Selection from the main menu provides a complete getting started guide"}}},
        {"several pages",
         "http://www.example.com",
         {0, 1},
         {{Kind::Information,
           "Cannot run analysis on multiple files, Please select a single file if you wish to run the "
           "analysis feature."}}},
    };
    for (const Case& c : cases) {
        writeFileAtomically(dir / "a.htm", kPage);
        // Selecting a project without a web path offers its editor, which here saves nothing.
        prompts.confirmAnswers = {true};
        openOnStepThree(c.webPath, WebType::Local, {(dir / "a.htm").string(), (dir / "b.htm").string()},
                        c.ticked);
        form->readinessPage().Memo3()->setPlainText("kept");
        const size_t before = prompts.shown().size();
        check();
        EXPECT_EQ(shownSince(before), c.shown) << c.name;
        EXPECT_EQ(box(&ReadinessPage::Memo3), "kept") << c.name;
        EXPECT_TRUE(reports.empty()) << c.name;
    }
}

TEST_F(ReadinessStep, WithoutATickedPageTheCheckReadsThePageNamedNoneAndFindsNone) {
    writeFileAtomically(dir / "a.htm", kPage);
    openOnStepThree("http://www.example.com", WebType::Local, {(dir / "a.htm").string()}, {});
    ASSERT_EQ(form->activeFiles(), Lines{"None"});
    form->readinessPage().Memo3()->setPlainText("old title");
    const size_t before = prompts.shown().size();
    check();
    // The read fails, and so does the report's own read of the page: no report.
    EXPECT_EQ(shownSince(before),
              (std::vector<Shown>{{Kind::Error, kCouldNotLoad}, {Kind::Error, kCouldNotLoad}}));
    EXPECT_TRUE(box(&ReadinessPage::Memo3).empty());
    EXPECT_EQ(form->statusPanel(1), "Ready");
    EXPECT_EQ(form->statusPanel(3), "Loading file None");
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // Before step 2 ever handed pages on there is no page at all.
    form->activeFiles().clear();
    const size_t later = prompts.shown().size();
    check();
    EXPECT_EQ(shownSince(later), (std::vector<Shown>{{Kind::Error, "No File Selected."}}));
    EXPECT_TRUE(reports.empty());
}

TEST_F(ReadinessStep, AHeadFaultIsShownAndTheReportIsStillMade) {
    const std::string page = "<html><head><title>Kept</title><style>p{}</head><body>garden</body>";
    writeFileAtomically(dir / "styled.htm", page);
    const std::string entry = (dir / "styled.htm").string();
    openOnStepThree("http://www.example.com", WebType::Local, {entry}, {0});
    const size_t before = prompts.shown().size();
    check();
    EXPECT_EQ(
        shownSince(before),
        (std::vector<Shown>{{Kind::Message, "The File '" + entry +
                                                "' is not a valid HTML 3.2 File\r(Invalid Usage in HEAD, "
                                                "Missing '</STYLE>' Tag - Cannot Continue!)"}}));
    EXPECT_EQ(box(&ReadinessPage::Memo3), "Kept");
    EXPECT_TRUE(box(&ReadinessPage::Memo5).empty());
    EXPECT_EQ(form->statusPanel(3), "Files Read Successfully");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], buildReadinessReport("", "", page));
}

TEST_F(ReadinessStep, TheGeneralErrorEndsTheCheckWithoutAReportButNotTheProgram) {
    writeFileAtomically(dir / "bad.htm",
                        "<head><title>T</title><meta name=\"description\" content=\"d\">"
                        "<meta\t=\"keywords\" content=\"k\"></head><body>");
    openOnStepThree("http://www.example.com", WebType::Local, {(dir / "bad.htm").string()}, {0});
    const size_t before = prompts.shown().size();
    check();
    EXPECT_EQ(shownSince(before), (std::vector<Shown>{{Kind::Error, "not valid meta tag"}}));
    EXPECT_EQ(box(&ReadinessPage::Memo3), "T");
    EXPECT_TRUE(box(&ReadinessPage::Memo4).empty());
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(ended, 0);
    EXPECT_EQ(form->statusPanel(1), "Ready");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ReadinessStep, APageOnTheNetIsFetchedOnceIntoTheDownloadedCopy) {
    ScriptedServer server;
    server.script("/shop/sub/garden.htm", ScriptedResponse::ok(kPage));
    openOnStepThree(server.url("/shop"), WebType::Net, {"sub/garden.htm", "gone.htm"}, {0});
    check();
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].target, "/shop/sub/garden.htm");
    EXPECT_EQ(server.requests()[0].header("User-Agent"), "Orlek - Meta verification Utility");
    EXPECT_EQ(file("temp/temp.htm"), kPage);
    EXPECT_EQ(box(&ReadinessPage::Memo5), "garden, tools");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], buildReadinessReport("garden, tools", "Tools for your garden", kPage));

    // A page the server does not have is no page: the copy of the last one goes, and no report
    // is made from it.
    form->filesPage().WorkFilesClearAll();
    form->filesPage().workfiles()->topLevelItem(1)->setCheckState(0, Qt::Checked);
    form->filesNextClick();
    const size_t before = prompts.shown().size();
    check();
    EXPECT_EQ(server.requests().back().target, "/shop/gone.htm");
    EXPECT_EQ(shownSince(before),
              (std::vector<Shown>{{Kind::Error, kCouldNotLoad}, {Kind::Error, kCouldNotLoad}}));
    EXPECT_FALSE(fs::exists(dir / "temp" / "temp.htm"));
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_NE(form->statusPanel(3), "Files Read Successfully");

    // An answer past 16 MiB is cut off and counts as a page that could not be loaded.
    server.script("/shop/gone.htm", ScriptedResponse::ok(std::string(16 * 1024 * 1024 + 1, 'x')));
    const size_t beforeHuge = prompts.shown().size();
    check();
    EXPECT_EQ(shownSince(beforeHuge),
              (std::vector<Shown>{{Kind::Error, kCouldNotLoad}, {Kind::Error, kCouldNotLoad}}));
    EXPECT_FALSE(fs::exists(dir / "temp" / "temp.htm"));
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(ReadinessStep, ASecurePageIsFetchedOverTls) {
    TempDir site;
    writeFileAtomically(site / "secure" / "garden.htm", kPage);
    NginxServer nginx(site.path());
    openOnStepThree(nginx.httpsUrl("/secure"), WebType::SecureNet, {"garden.htm"}, {0});
    form->geturls().setCABundle(nginx.caBundle());
    EXPECT_EQ(form->geturls().UserAgent(), "Orlek -Secure Verify");
    check();
    EXPECT_EQ(box(&ReadinessPage::Memo3), "Garden Tools");
    EXPECT_EQ(file("temp/temp.htm"), kPage);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], buildReadinessReport("garden, tools", "Tools for your garden", kPage));

    // The certificate is checked: without its authority the page cannot be had.
    form->geturls().setCABundle((site / "none.pem").string());
    writeFileAtomically(site / "none.pem", "");
    const size_t before = prompts.shown().size();
    check();
    EXPECT_EQ(shownSince(before),
              (std::vector<Shown>{{Kind::Error, kCouldNotLoad}, {Kind::Error, kCouldNotLoad}}));
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(ReadinessStep, NextStoresTheValuesWithTheCurrentListAndOpensStepFour) {
    // Key words in Windows-1252, as old pages have them: the report counts the page's bytes
    // (12, where the box's UTF-8 would give 13), and the files keep them.
    const std::string page =
        "<html><head><title>Caf\xe9 Garden\n   Tools</title>\n"
        "<meta name=\"description\" content=\"Tools for your garden\">\n"
        "<meta name=\"keywords\" content=\"caf\xe9, garden\">\n"
        "</head><body>garden</body></html>";
    writeFileAtomically(dir / "cafe.htm", page);
    openOnStepThree("http://www.example.com", WebType::Local, {(dir / "cafe.htm").string()}, {0});
    check();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(std::find(reports[0].begin(), reports[0].end(), " You are using: 12 Characters"),
              reports[0].end());

    form->readinessPage().findChild<QToolButton*>("nextButton")->click();
    const fs::path project = dir / "My Projects" / "Shop";
    EXPECT_EQ(readFileBytes(project / "Shop.ttl"), "Caf\xe9 Garden    Tools\r\n");
    EXPECT_EQ(readFileBytes(project / "Shop.dsc"), "Tools for your garden\r\n");
    EXPECT_EQ(readFileBytes(project / "Shop.key"), "caf\xe9, garden\r\n");
    EXPECT_EQ(activeTab(*form), "4. Select Engines");
    EXPECT_EQ(form->statusPanel(1), "Ready");
    EXPECT_EQ(form->statusPanel(2), "Engines Available: 21");
    EXPECT_EQ(form->statusPanel(3), "Engine Selection Screen");
    EXPECT_EQ(form->enginesPage().itemCount(), 21);

    // A list named anew in step 2 gets its own files; empty boxes give empty files.
    form->filesPage().flist()->setEditText("spring");
    form->filesNextClick();
    ASSERT_EQ(activeTab(*form), "3. Search Engine Readiness");
    item(form->menu("&Verify"), "Next")->trigger();
    EXPECT_EQ(readFileBytes(project / "spring.ttl"), "Caf\xe9 Garden    Tools\r\n");
    EXPECT_EQ(readFileBytes(project / "spring.dsc"), "");
    EXPECT_EQ(readFileBytes(project / "spring.key"), "");
    EXPECT_EQ(readFileBytes(project / "Shop.key"), "caf\xe9, garden\r\n");
    EXPECT_EQ(activeTab(*form), "4. Select Engines");
}

TEST_F(ReadinessStep, PreviousAndHelp) {
    openOnStepThree("http://www.example.com", WebType::Net, {"index.htm"}, {0});
    form->readinessPage().findChild<QToolButton*>("helpButton")->click();
    EXPECT_EQ(prompts.helpTopics().back(), "readiness");
    item(form->menu("&Verify"), "Previous")->trigger();
    EXPECT_EQ(activeTab(*form), "2. Select File(s)");
}

}  // namespace
