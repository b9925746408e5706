// Step 5 in the window: the buttons drive the submission run against a loopback server, the
// page's fields show it, the report window and the history viewer show what it left.

#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>
#include <utility>

#include "net/tests/support/loopbackpeers.h"
#include "net/tests/support/scriptedserver.h"
#include "net/tickhttp.h"
#include "pageprep/reportwindow.h"
#include "pageprep/tipspane.h"
#include "pageprep/workfilespage.h"
#include "platform/activitymonitor.h"
#include "platform/core/safefile.h"
#include "platform/core/text.h"
#include "platform/enginelistview.h"
#include "platform/tests/pdftools.h"
#include "sitetools/core/filelist.h"
#include "submission/core/history.h"
#include "submission/historyviewer.h"
#include "submission/projectspage.h"
#include "submission/selectenginespage.h"
#include "submission/submissionrun.h"
#include "submission/submitpage.h"
#include "submission/tests/windowfixture.h"
#include "submission/watchdog.h"

namespace fs = std::filesystem;

namespace {

const char* const kKey = "\\Software\\Orlek\\Vistral";
const char* const kCompleted = "The submission project has completed. Do you want to view the report?";
const char* const kListsBusy =
    "A submission is running. Wait until it has completed, or press Cancel Submission, before you change the "
    "selected files or engines.";

ScriptedResponse answer(const std::string& statusLine) {
    ScriptedResponse response = ScriptedResponse::ok("<html>thanks</html>");
    response.statusLine = statusLine;
    return response;
}

}  // namespace

// The project Shop with two of its three pages ticked and the engines Excite and Lycos ticked
// in step 4, whose definitions ask the loopback server for "/Excite" and "/Lycos".
class SubmitStep : public VistralWindowTest {
protected:
    ScriptedServer server;
    std::unique_ptr<TForm1> form;
    ManualWatchdog* watchdog = nullptr;

    void SetUp() override {
        VistralWindowTest::SetUp();
        makeProject("Shop", "http://www.shop.com", WebType::Net, "Travel",
                    {"First Name", "Ann", "Last Name", "Smith", "E-Mail Address", "ann@example.com",
                     "Company Name", "Shoes Ltd"});
        writeFileList(dir / "My Projects" / "Shop" / "Shop.fls", {"index.htm", "about.htm", "news.htm"});
        for (const char* engine : {"Excite", "Lycos"})
            writeFileAtomically(dir / "edata" / (std::string(engine) + ".hdf"),
                                "1\r\n" + server.url("/" + std::string(engine)) + "\r\n");
        store.writeValue(kKey, "timeout", "7");
    }

    // Opens the window and goes through steps 1 to 4 as a user does.
    void openOnStepFive() {
        form = open();
        auto manual = std::make_unique<ManualWatchdog>();
        watchdog = manual.get();
        form->setWatchdog(std::move(manual));
        form->geturl().setTimeout(20);  // a run gone wrong fails its test instead of hanging it
        form->projectsPage().setProjects({"Shop"});
        form->selectProjectClick();
        QTreeWidget* pages = form->filesPage().workfiles();
        pages->topLevelItem(0)->setCheckState(0, Qt::Checked);
        pages->topLevelItem(2)->setCheckState(0, Qt::Checked);
        form->filesNextClick();
        ASSERT_TRUE(form->openEngineStep());
        QTreeWidget* engines = form->enginesPage().engineView();
        engines->topLevelItem(1)->setCheckState(0, Qt::Checked);  // Excite
        engines->topLevelItem(4)->setCheckState(0, Qt::Checked);  // Lycos
        form->enginesNextClick();
        ASSERT_EQ(form->selectedEngines(), (Lines{"Excite", "Lycos"}));
        prompts.clear();
    }

    SubmitPage& five() { return form->submitPage(); }
    std::string field(QLabel* label) { return label->text().toStdString(); }
    std::string status(SubmitPage::StatusRow row, SubmitPage::StatusColumn column) {
        return field(five().statusField(row, column));
    }
    Lines monitorLines() { return splitLines(five().activityMonitor()->toPlainText().toStdString()); }
    Lines historyFiles() const {
        Lines names;
        for (const auto& entry : fs::directory_iterator(dir / "history"))
            names.push_back(entry.path().filename().string());
        return names;
    }
};

TEST_F(SubmitStep, SubmitRunsEveryPairShowsItAndEndsInTheReportAndTheHistory) {
    server.script("/Excite", answer("HTTP/1.1 200 OK"));
    server.script("/Lycos", answer("HTTP/1.1 200 Ok"));
    openOnStepFive();
    // What the page shows after each pair, as the run pauses half a second.
    Lines afterPairs;
    pacer.onSleep = [&](int ms) {
        if (ms != 500)
            return;
        afterPairs.push_back(field(five().fileCounterField()) + " " + field(five().engineCounterField()) +
                             " " + field(five().engineNameField()) + " bars " +
                             std::to_string(five().filesBar()->value()) + "/" +
                             std::to_string(five().overallBar()->value()) + " file " +
                             status(SubmitPage::FileRow, SubmitPage::ToSubmit) + "/" +
                             status(SubmitPage::FileRow, SubmitPage::Success) + "/" +
                             status(SubmitPage::FileRow, SubmitPage::Fail) + " proj " +
                             status(SubmitPage::ProjRow, SubmitPage::ToSubmit) + "/" +
                             status(SubmitPage::ProjRow, SubmitPage::Success) + "/" +
                             status(SubmitPage::ProjRow, SubmitPage::Fail) + " running " +
                             (five().submitButton()->isEnabled() ? "no" : "yes"));
    };
    Lines reportShown;
    onDialog = [&](QDialog& dialog) {
        if (auto* report = dynamic_cast<ReportWindow*>(&dialog))
            reportShown = report->lines();
    };
    prompts.confirmAnswers = {true};

    five().submitButton()->click();

    EXPECT_EQ(afterPairs, (Lines{"1 of 2 1 of 2 Excite bars 50/25 file 1/1/0 proj 3/1/0 running yes",
                                 "1 of 2 2 of 2 Lycos bars 100/50 file 0/1/1 proj 2/1/1 running yes",
                                 "2 of 2 1 of 2 Excite bars 50/75 file 1/1/1 proj 1/2/1 running yes",
                                 "2 of 2 2 of 2 Lycos bars 100/100 file 0/1/1 proj 0/2/2 running yes"}));
    const Lines log = {"Process Start: Shop",
                       "Web Base Address: http://www.shop.com",
                       "Name: Ann Smith",
                       "E-Mail: ann@example.com",
                       "Company Name: Shoes Ltd",
                       "",
                       "Set Current file to: Excite: http://www.shop.com/index.htm",
                       "Status: HTTP/1.1 200 OK",
                       "4, 1",
                       "",
                       "Set Current file to: Lycos: http://www.shop.com/index.htm",
                       "Status: HTTP/1.1 200 Ok",
                       "4, 2",
                       "",
                       "Set Current file to: Excite: http://www.shop.com/news.htm",
                       "Status: HTTP/1.1 200 OK",
                       "4, 3",
                       "",
                       "Set Current file to: Lycos: http://www.shop.com/news.htm",
                       "Status: HTTP/1.1 200 Ok",
                       "4, 4"};
    EXPECT_EQ(monitorLines(), log);
    EXPECT_EQ(prompts.shown(), (std::vector<Shown>{{Kind::Confirm, kCompleted}}));
    EXPECT_EQ(dialogs, Lines{"Vistral  Report"});
    EXPECT_EQ(reportShown, log);

    // The history file holds the log; the run ended with step 5 ready for the next one.
    const Lines files = historyFiles();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].substr(0, 4), "Shop");
    EXPECT_EQ(files[0].size(), std::string("Shop0703010905.vhs").size());
    EXPECT_EQ(form->submissionRun().historyFile(), dir / "history" / files[0]);
    EXPECT_EQ(file("history/" + files[0]), historyFileText(log));
    EXPECT_TRUE(five().submitButton()->isEnabled());
    EXPECT_TRUE(five().settingsButton()->isEnabled());
    EXPECT_FALSE(five().cancelButton()->isEnabled());
    for (const char* menu : {"&File", "&Tools", "&History"})
        EXPECT_TRUE(form->menu(menu)->isEnabled()) << menu;
    EXPECT_EQ(status(SubmitPage::ProjRow, SubmitPage::ToSubmit), "4");
    EXPECT_EQ(status(SubmitPage::ProjRow, SubmitPage::Success), "0");
    EXPECT_EQ(field(five().engineNameField()), "idle");
    EXPECT_EQ(five().overallBar()->value(), 0);
    EXPECT_EQ(form->statusPanel(1), "Ready");
    EXPECT_EQ(form->statusPanel(3), "Search Engine Submission");
    EXPECT_EQ(server.requests().size(), 4u);
    EXPECT_EQ(server.requests()[0].header("User-Agent"), "Redore Web Browser Beta One");

    // History > Submissions ... opens the viewer, which shows the file as stored.
    QString caption;
    std::string shown;
    onDialog = [&](QDialog& dialog) {
        auto* viewer = dynamic_cast<Tsubhist*>(&dialog);
        ASSERT_NE(viewer, nullptr);
        prompts.openAnswers = {FileDialogResult{dir / "history" / files[0]}};
        viewer->findChild<QToolButton*>("openButton")->click();
        caption = viewer->windowTitle();
        shown = viewer->historyText()->toPlainText().toStdString();
    };
    item(form->menu("&History"), "Submissions ...")->trigger();
    EXPECT_EQ(dialogs.back(), "Vistral - Submission History Viewer - No File Loaded");
    EXPECT_EQ(caption.toStdString(), (dir / "history" / files[0]).string());
    EXPECT_EQ(shown, joinStrings(log, "\n") + "\n");
    EXPECT_EQ(prompts.fileRequests().back().startFolder, dir / "history");
}

TEST_F(SubmitStep, CancelDuringARequestEndsTheRunWithoutHistoryAndSubmitCanRunAgain) {
    ScriptedResponse silent;
    silent.delivery = ScriptedResponse::Delivery::Silence;
    server.script("/Excite", answer("HTTP/1.0 200 OK"));
    server.script("/Lycos", silent);
    openOnStepFive();
    // The click arrives while the request to Lycos waits for its answer, once the server has it.
    bool requestRunning = false;
    std::function<void()> cancelOnceAsked = [&] {
        if (server.requests().size() < 2)
            return QTimer::singleShot(1, cancelOnceAsked);
        requestRunning = form->geturl().Action() == ickhttpGet;
        five().cancelButton()->click();
    };
    pacer.onSleep = [&](int ms) {
        if (ms == 500 && server.requests().size() == 1)
            QTimer::singleShot(0, cancelOnceAsked);
    };

    five().submitButton()->click();

    EXPECT_TRUE(requestRunning);
    EXPECT_EQ(server.requests().size(), 2u);
    EXPECT_EQ(monitorLines(), Lines{"Operation Cancelled at user request"});
    EXPECT_TRUE(historyFiles().empty());
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_TRUE(dialogs.empty());
    EXPECT_TRUE(five().submitButton()->isEnabled());
    EXPECT_FALSE(five().cancelButton()->isEnabled());
    EXPECT_TRUE(form->menu("&History")->isEnabled());
    EXPECT_EQ(form->statusPanel(1), "Ready");
    EXPECT_EQ(form->selectedEngines(), (Lines{"Excite", "Lycos"}));
    EXPECT_FALSE(form->submissionRun().running());

    // The same pairs go again.
    server.script("/Lycos", answer("HTTP/1.0 200 OK"));
    pacer.onSleep = nullptr;
    prompts.confirmAnswers = {false};
    item(form->menu("&Submission"), "Submit")->trigger();
    EXPECT_EQ(server.requests().size(), 6u);
    EXPECT_EQ(historyFiles().size(), 1u);
    EXPECT_TRUE(dialogs.empty());
}

TEST_F(SubmitStep, TheWatchdogHasTheStoredTimeoutAndAbandonsAStalledBody) {
    ScriptedResponse stalled = answer("HTTP/1.0 200 OK");
    stalled.body = std::string(64, 'x');
    stalled.delivery = ScriptedResponse::Delivery::InPieces;
    stalled.pieceSize = 16;
    stalled.piecesOnRelease = true;
    server.script("/Excite", stalled);
    server.script("/Lycos", answer("HTTP/1.0 200 OK"));
    openOnStepFive();
    EXPECT_EQ(form->watchdogInterval(), 7000);
    EXPECT_EQ(watchdog->interval(), 7000);
    form->submitPage().activityMonitor()->clearLines();
    int fired = 0;
    watchdog->onArmed = [&] {
        if (server.requests().size() == 1)
            QTimer::singleShot(0, [&] {
                ++fired;
                watchdog->fire();
            });
    };
    prompts.confirmAnswers = {false};
    form->activeFiles() = {"index.htm"};
    form->stepFiveReset();

    form->submitClick();

    EXPECT_EQ(fired, 1);
    EXPECT_EQ(watchdog->arms, 2);
    EXPECT_FALSE(watchdog->enabled());
    const Lines log = monitorLines();
    ASSERT_EQ(log.size(), 5u + 8u);
    EXPECT_EQ(
        Lines(log.begin() + 5, log.end()),
        (Lines{"", "Set Current file to: Excite: http://www.shop.com/index.htm", "Status: HTTP/1.0 200 OK",
               "2, 1", "", "Set Current file to: Lycos: http://www.shop.com/index.htm",
               "Status: HTTP/1.0 200 OK", "2, 2"}));
    EXPECT_EQ(historyFiles().size(), 1u);

    // A new timeout reaches the watchdog with the settings.
    store.writeValue(kKey, "timeout", "3");
    form->GetDefaults();
    EXPECT_EQ(watchdog->interval(), 3000);
}

TEST_F(SubmitStep, WhileARunGoesTheStepsCannotChangeItsListsOrProject) {
    ScriptedResponse silent;
    silent.delivery = ScriptedResponse::Delivery::Silence;
    server.script("/Excite", silent);
    openOnStepFive();
    const Lines pages = form->activeFiles();
    std::vector<Shown> refused;
    std::string project;
    bool engineStepOpened = true;
    pacer.onSleep = [&](int) {};
    watchdog->onArmed = nullptr;
    QTimer::singleShot(0, [&] {
        // The first request is out before anything is tried.
        ASSERT_TRUE(server.waitForResponsesWritten(1));
        // Everything that would rebuild ActiveFiles, the engines or the project under the run.
        form->filesPage().workfiles()->topLevelItem(1)->setCheckState(0, Qt::Checked);
        form->filesNextClick();
        engineStepOpened = form->openEngineStep();
        form->enginesPage().engineView()->topLevelItem(0)->setCheckState(0, Qt::Checked);
        form->enginesNextClick();
        form->catalogUpdateClick();
        form->projectsPage().setProjects({"Base", "Shop"});
        form->selectProjectClick();
        form->deleteProjectClick();
        // Submit again from the menu, which stays enabled: nothing starts.
        item(form->menu("&Submission"), "Submit")->trigger();
        refused = prompts.shown();
        project = form->activeProject().name;
        five().cancelButton()->click();
    });

    five().submitButton()->click();

    EXPECT_EQ(refused, std::vector<Shown>(6, Shown{Kind::Information, kListsBusy}));
    EXPECT_FALSE(engineStepOpened);
    EXPECT_EQ(project, "Shop");
    EXPECT_EQ(form->activeFiles(), pages);
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(monitorLines(), Lines{"Operation Cancelled at user request"});
    // After the run the steps work again; the end of the run selected step 4's ticks anew.
    EXPECT_EQ(form->selectedEngines(), (Lines{"AltaVista", "Excite", "Lycos"}));
    form->filesNextClick();
    EXPECT_EQ(form->activeFiles(), (Lines{"index.htm", "about.htm", "news.htm"}));
}

TEST_F(SubmitStep, ClosingTheWindowOrAFailedHandlerCancelsARunThatGoes) {
    ScriptedResponse silent;
    silent.delivery = ScriptedResponse::Delivery::Silence;
    server.script("/Excite", silent);
    openOnStepFive();
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(server.waitForResponsesWritten(1));  // the request is out
        form->close();
    });
    five().submitButton()->click();
    EXPECT_EQ(monitorLines(), Lines{"Operation Cancelled at user request"});
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_TRUE(historyFiles().empty());
    EXPECT_TRUE(prompts.shown().empty());  // no question about a report nobody will see

    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(server.waitForResponsesWritten(2));
        form->handlerFailed(std::runtime_error("disk gone"));
    });
    five().submitButton()->click();
    EXPECT_EQ(server.requests().size(), 2u);
    EXPECT_EQ(prompts.shown(),
              (std::vector<Shown>{{Kind::Error, "Vistral must close after an unexpected error: disk gone"}}));
    EXPECT_EQ(exitStatus, 1);
    EXPECT_TRUE(historyFiles().empty());
    EXPECT_FALSE(form->submissionRun().running());
}

TEST_F(SubmitStep, SubmissionSettingsShowsThePairsInTheReportWindowWhichPrintsAndCopies) {
    openOnStepFive();
    five().filesBar()->setValue(50);
    Lines report;
    bool printed = false;
    onDialog = [&](QDialog& dialog) {
        auto* window = dynamic_cast<TForm3*>(&dialog);
        ASSERT_NE(window, nullptr);
        report = window->lines();
        prompts.printAnswers = {dir / "report.pdf"};
        window->findChild<QToolButton*>("printerSetupButton")->click();
        window->findChild<QToolButton*>("printButton")->click();
        window->findChild<QToolButton*>("copyAllButton")->click();
        printed = true;
    };

    five().settingsButton()->click();

    ASSERT_TRUE(printed);
    EXPECT_EQ(dialogs, Lines{"Vistral  Report"});
    // The report's own lines are the core's to test; here: the project, the pairs in the run's order.
    ASSERT_EQ(report.size(), 32u);
    EXPECT_EQ(report[5], "Active Project: Shop");
    EXPECT_EQ(report[12], "E-Mail: ann@example.com");
    Lines pairs;
    for (const std::string& line : report) {
        if (line.starts_with("http://") || line.starts_with("to: "))
            pairs.push_back(line);
    }
    EXPECT_EQ(pairs, (Lines{"http://www.shop.com/index.htm", "to: Excite", "to: Lycos",
                            "http://www.shop.com/news.htm", "to: Excite", "to: Lycos"}));
    EXPECT_EQ(five().filesBar()->value(), 0);
    EXPECT_TRUE(pdfInfo(dir / "report.pdf").contains("Vistral Submission Report"));
    EXPECT_TRUE(pdfText(dir / "report.pdf").contains("to: Lycos"));
    EXPECT_TRUE(QApplication::clipboard()->text().contains("Active Project: Shop"));
    EXPECT_TRUE(server.requests().empty());

    // Without an e-mail address the report says the run cannot go, and Verify... shows it too.
    makeProject("Shop", "http://www.shop.com", WebType::Net, "Travel", {"First Name", "Ann"});
    onDialog = [&](QDialog& dialog) { report = dynamic_cast<TForm3&>(dialog).lines(); };
    item(form->menu("&Submission"), "Verify...")->trigger();
    EXPECT_EQ(Lines(report.begin() + 11, report.begin() + 14),
              (Lines{"Name: Ann ", "E-Mail: ", "E-Mail: NO VALUE EXIST, Submission will not be possible"}));
}

TEST(QtWatchdogTimer, ATimeoutOfZeroNeverTicks) {
    int ticks = 0;
    QtWatchdog watchdog;
    watchdog.onTimer = [&] { ++ticks; };
    watchdog.setInterval(0);
    watchdog.setEnabled(true);
    // A timer of 0 ms would tick at the first dispatch of events.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(ticks, 0);
    EXPECT_TRUE(watchdog.enabled());
    EXPECT_EQ(watchdog.interval(), 0);

    watchdog.setInterval(1);
    QDeadlineTimer until(5000);
    while (ticks == 0 && !until.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_GT(ticks, 0);
    watchdog.setEnabled(false);
    EXPECT_FALSE(watchdog.enabled());
}

using HistoryViewer = VistralWindowTest;

TEST_F(HistoryViewer, KeepsItsTextWhenAFileCannotBeReadAndCopiesAll) {
    writeFileAtomically(dir / "history" / "Shop0703010905.vhs", "Process Start: Shop\r\n\r\n6, 6\r\n");
    fs::create_directories(dir / "history" / "Folder.vhs");
    Tsubhist viewer(folder, prompts);
    EXPECT_FALSE(viewer.hintPane()->toPlainText().isEmpty());
    prompts.openAnswers = {FileDialogResult{dir / "history" / "Shop0703010905.vhs"},
                           FileDialogResult{dir / "history" / "Folder.vhs"}, std::nullopt};
    viewer.openClick();
    const QString caption = viewer.windowTitle();
    viewer.openClick();
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].kind, Kind::Error);
    EXPECT_NE(prompts.shown()[0].text.find("Folder.vhs"), std::string::npos) << prompts.shown()[0].text;
    EXPECT_EQ(viewer.windowTitle(), caption);
    EXPECT_EQ(viewer.historyText()->toPlainText(), "Process Start: Shop\n\n6, 6\n");
    viewer.openClick();  // a cancelled dialog changes nothing
    EXPECT_EQ(viewer.windowTitle(), caption);

    viewer.findChild<QAction*>("copyItem")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "Process Start: Shop\n\n6, 6\n");
    viewer.aboutClick();
    EXPECT_EQ(prompts.shown().back().kind, Kind::Message);
    EXPECT_EQ(prompts.fileRequests()[0].defaultExtension, "vhs");
}

TEST_F(SubmitStep, AnHttpsDefinitionGoesThroughTheRunsSecureComponentAndIsCancelledWithIt) {
    TempDir site;
    NginxServer nginx(site.path(), server.port());
    const std::string secure = nginx.httpsUrl("/backend/Lycos?u=#H");
    writeFileAtomically(dir / "edata" / "Lycos.hdf", "1\r\n" + secure + "\r\n");
    server.script("/Excite", answer("HTTP/1.1 200 OK"));
    server.script("/backend/Lycos?u=http://www.shop.com/index.htm", answer("HTTP/1.1 200 OK"));
    server.script("/backend/Lycos?u=http://www.shop.com/news.htm", answer("HTTP/1.1 200 OK"));
    openOnStepFive();
    form->geturlSecure().setCABundle(nginx.caBundle());
    form->geturlSecure().setTimeout(20);
    prompts.confirmAnswers = {false};

    five().submitButton()->click();

    const Lines log = monitorLines();
    EXPECT_EQ(std::count(log.begin(), log.end(), "Status: HTTP/1.1 200 OK"), 4);
    EXPECT_EQ(status(SubmitPage::ProjRow, SubmitPage::Success), "0");  // after the reset
    EXPECT_EQ(form->geturlSecure().URL(), nginx.httpsUrl("/backend/Lycos?u=http://www.shop.com/news.htm"));
    EXPECT_EQ(form->geturl().URL(), server.url("/Excite"));
    // The readiness check's own secure component was not used.
    EXPECT_TRUE(form->geturls().URL().empty());
    ASSERT_EQ(historyFiles().size(), 1u);

    // Cancel stops a secure request as it stops a plain one.
    ScriptedResponse silent;
    silent.delivery = ScriptedResponse::Delivery::Silence;
    server.script("/backend/Lycos?u=http://www.shop.com/index.htm", silent);
    bool secureRunning = false;
    bool queued = false;
    // One click, queued after the plain pair, arrives in the waiting loop of the secure request.
    pacer.onSleep = [&](int ms) {
        if (ms == 500 && !std::exchange(queued, true))
            QTimer::singleShot(0, [&] {
                secureRunning = form->geturlSecure().Action() == ickhttpGet;
                five().cancelButton()->click();
            });
    };
    five().submitButton()->click();
    EXPECT_TRUE(secureRunning);
    EXPECT_EQ(monitorLines(), Lines{"Operation Cancelled at user request"});
    EXPECT_EQ(historyFiles().size(), 1u);
    EXPECT_TRUE(five().submitButton()->isEnabled());
}
