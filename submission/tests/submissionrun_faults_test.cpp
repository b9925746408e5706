#include "submission/submissionrun.h"

#include <gtest/gtest.h>

#include <QTimer>
#include <functional>

#include "submission/tests/submissionfixture.h"

// Cancel, the watchdog, and what the run does when its history or its lists give trouble.

namespace {

using Lines = std::vector<std::string>;
using Kind = ScriptedPrompts::Kind;
using Outcome = SubmissionRun::Outcome;

const char* const kCompleted = "The submission project has completed. Do you want to view the report?";

// Sends the head and the first bytes of the body, then nothing until the server goes away.
ScriptedResponse stalledBody(const std::string& statusLine) {
    ScriptedResponse response = answer(statusLine);
    response.body = std::string(64, 'x');
    response.delivery = ScriptedResponse::Delivery::InPieces;
    response.pieceSize = 16;
    response.pieceInterval = std::chrono::hours(1);
    return response;
}

}  // namespace

TEST_F(SubmissionRunTest, CancelDuringARequestAbandonsItAndEndsTheRun) {
    ScriptedResponse silent;
    silent.delivery = ScriptedResponse::Delivery::Silence;
    engineAnswering("A", answer("HTTP/1.0 200 OK"));
    engineAnswering("B", silent);
    definition("C", "/c");
    activeFiles = {"one.htm", "two.htm"};
    selectEngines({"A", "B", "C"});
    // The click arrives while the request to B waits for its answer: the component's waiting
    // loop dispatches it, once the server has B's request (on a busy machine the first events
    // may come before the request is out).
    bool requestRunning = false;
    std::function<void()> cancelOnceAsked = [&] {
        if (server.requests().size() < 2)
            return QTimer::singleShot(1, cancelOnceAsked);
        requestRunning = geturl.Action() == ickhttpGet;
        run.cancelClick();
    };
    pacer.onSleep = [&](int ms) {
        if (ms == 500 && server.requests().size() == 1)
            QTimer::singleShot(0, cancelOnceAsked);
    };

    EXPECT_EQ(run.submitClick(), Outcome::Cancelled);

    EXPECT_TRUE(requestRunning);
    EXPECT_EQ(targets(), (Lines{"/A", "/B"}));
    EXPECT_EQ(view.activity, Lines{"Operation Cancelled at user request"});
    EXPECT_EQ(run.activityLog(), Lines{"Operation Cancelled at user request"});
    EXPECT_TRUE(view.panelShown("2:Canceling Operation"));
    EXPECT_TRUE(view.panelShown("3:Please Wait..."));
    EXPECT_TRUE(view.panelShown("2:Verify then Submit"));
    EXPECT_TRUE(view.panelShown("3:Vistral submit"));
    EXPECT_TRUE(historyFiles().empty());
    EXPECT_FALSE(run.historyFile().has_value());
    EXPECT_EQ(view.runControls, (std::vector<bool>{true, false}));
    EXPECT_FALSE(view.busy);
    EXPECT_FALSE(run.running());
    EXPECT_FALSE(watchdog.enabled());
    // The reset selects the ticked engines again, so Submit can run the same pairs.
    EXPECT_EQ(engines, (Lines{"A", "B", "C"}));
    EXPECT_TRUE(prompts.shown().empty());
    // The pair under way still ran through its pauses before the run noticed the empty list.
    EXPECT_EQ(std::vector<int>(pacer.sleeps.end() - 2, pacer.sleeps.end()), (std::vector<int>{5, 500}));
}

TEST_F(SubmissionRunTest, CancelSetsEveryComponentIdle) {
    ScriptedResponse silent;
    silent.delivery = ScriptedResponse::Delivery::Silence;
    server.script("/slow", silent);
    geturl2.setURL(server.url("/slow"));
    bool cancelled = false;
    QTimer::singleShot(0, [&] {
        run.cancelClick();
        cancelled = true;
    });
    // The second component's request is under way when Cancel is pressed; it returns at once.
    geturl2.setAction(ickhttpGet);
    EXPECT_TRUE(cancelled);
    EXPECT_TRUE(engines.empty());
}

TEST_F(SubmissionRunTest, TheWatchdogAbandonsABodyThatStallsAndTheRunGoesOn) {
    engineAnswering("A", stalledBody("HTTP/1.0 200 OK"));
    engineAnswering("B", answer("HTTP/1.1 200 OK"));
    activeFiles = {"one.htm"};
    selectEngines({"A", "B"});
    watchdog.setInterval(10000);
    int fired = 0;
    watchdog.onArmed = [&] {
        if (server.requests().size() == 1) {
            QTimer::singleShot(0, [&] {
                ++fired;
                watchdog.fire();
            });
        }
    };
    prompts.confirmAnswers = {false};

    EXPECT_EQ(run.submitClick(), Outcome::Completed);

    EXPECT_EQ(fired, 1);
    EXPECT_EQ(targets(), (Lines{"/A", "/B"}));
    const Lines pairs(run.activityLog().begin() + 5, run.activityLog().end());
    // The interrupted transfer still ended with its end event, so it is judged by its status line.
    EXPECT_EQ(pairs,
              (Lines{"", "Set Current file to: A: http://www.shop.com/one.htm", "Status: HTTP/1.0 200 OK",
                     "2, 1", "", "Set Current file to: B: http://www.shop.com/one.htm",
                     "Status: HTTP/1.1 200 OK", "2, 2"}));
    EXPECT_EQ(watchdog.arms, 2);
    EXPECT_FALSE(watchdog.enabled());
    EXPECT_EQ(watchdog.interval(), 10000);
}

TEST_F(SubmissionRunTest, ATransferThatEndsWithoutItsEndEventLeavesNoWatchdogArmed) {
    engineAnswering("A", answer("HTTP/1.0 200 OK"));
    engineAnswering("B", answer("HTTP/1.1 200 OK"));
    activeFiles = {"one.htm"};
    selectEngines({"A", "B"});
    // The end event goes missing after the head has armed the timer, as when the component gives
    // up on its worker; a timer left armed would tick during some later request.
    watchdog.onArmed = [&] { geturl.OnEndTransfer = nullptr; };
    std::vector<bool> armedAfterPair;
    pacer.onSleep = [&](int ms) {
        if (ms == 500)
            armedAfterPair.push_back(watchdog.enabled());
    };
    prompts.confirmAnswers = {false};
    EXPECT_EQ(run.submitClick(), Outcome::Completed);
    EXPECT_EQ(armedAfterPair, (std::vector<bool>{false, false}));
    // Such a pair is neither a success nor a failure and logs no status line.
    const Lines pairs(run.activityLog().begin() + 5, run.activityLog().end());
    EXPECT_EQ(pairs, (Lines{"", "Set Current file to: A: http://www.shop.com/one.htm", "2, 1", "",
                            "Set Current file to: B: http://www.shop.com/one.htm", "2, 2"}));
    EXPECT_EQ(watchdog.arms, 2);
}

TEST_F(SubmissionRunTest, TwoRunsEndingInTheSameMinuteKeepBothHistories) {
    engineAnswering("A", answer("HTTP/1.0 200 OK"));
    activeFiles = {"one.htm"};
    selectEngines({"A"});
    prompts.confirmAnswers = {false, false, false};
    run.submitClick();
    run.submitClick();
    run.submitClick();
    EXPECT_EQ(historyFiles(), (Lines{"Shop0703010905-2.vhs", "Shop0703010905-3.vhs", "Shop0703010905.vhs"}));
    EXPECT_EQ(run.historyFile(), dir / "history" / "Shop0703010905-3.vhs");
    EXPECT_EQ(readFileBytes(dir / "history" / "Shop0703010905.vhs"),
              readFileBytes(dir / "history" / "Shop0703010905-2.vhs"));
}

TEST_F(SubmissionRunTest, AHistoryThatCannotBeWrittenIsNamedAndTheRunStillEnds) {
    engineAnswering("A", answer("HTTP/1.0 200 OK"));
    activeFiles = {"one.htm"};
    selectEngines({"A"});
    writeFileAtomically(dir / "history", "a file where the folder should be");
    prompts.confirmAnswers = {true};

    EXPECT_EQ(run.submitClick(), Outcome::Completed);

    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[0].kind, Kind::Error);
    const std::string file = (dir / "history" / "Shop0703010905.vhs").string();
    EXPECT_EQ(prompts.shown()[0].text.rfind(
                  "The submission history could not be written to " + file + "\n\r\n\r", 0),
              0u);
    EXPECT_EQ(prompts.shown()[1], (ScriptedPrompts::Shown{Kind::Confirm, kCompleted}));
    EXPECT_EQ(view.reports.size(), 1u);
    EXPECT_FALSE(run.historyFile().has_value());
    EXPECT_EQ(view.runControls, (std::vector<bool>{true, false}));
    EXPECT_FALSE(view.busy);
    EXPECT_FALSE(run.running());
}

TEST_F(SubmissionRunTest, AMissingHistoryFolderIsCreated) {
    engineAnswering("A", answer("HTTP/1.0 200 OK"));
    activeFiles = {"one.htm"};
    selectEngines({"A"});
    prompts.confirmAnswers = {false};
    ASSERT_FALSE(std::filesystem::exists(dir / "history"));
    run.submitClick();
    EXPECT_EQ(historyFiles(), Lines{"Shop0703010905.vhs"});
    EXPECT_EQ(prompts.shown().size(), 1u);
}

TEST_F(SubmissionRunTest, WhileARunGoesTheListsAreNotRebuiltAndSubmitIsNotEnteredAgain) {
    engineAnswering("A", answer("HTTP/1.0 200 OK"));
    activeFiles = {"one.htm"};
    selectEngines({"A"});
    prompts.confirmAnswers = {false};
    EXPECT_FALSE(run.refuseListChange());
    std::vector<bool> refused;
    Outcome nested = Outcome::Completed;
    bool reset = true;
    pacer.onSleep = [&](int ms) {
        if (ms == 500) {
            refused.push_back(run.refuseListChange());
            // Step 4's Next would select the ticked engines again.
            view.tickedEngines = {"A", "B"};
            reset = run.stepFiveReset();
            nested = run.submitClick();
        }
    };
    EXPECT_EQ(run.submitClick(), Outcome::Completed);
    EXPECT_EQ(refused, std::vector<bool>{true});
    EXPECT_FALSE(reset);
    EXPECT_EQ(nested, Outcome::NotStarted);
    EXPECT_EQ(targets(), Lines{"/A"});
    EXPECT_EQ(view.stepFiveShown, 1);  // the run's own reset at its end
    ASSERT_EQ(prompts.shown().size(), 3u);
    EXPECT_EQ(prompts.shown()[0],
              (ScriptedPrompts::Shown{Kind::Information,
                                      "A submission is running. Wait until it has completed, or press Cancel "
                                      "Submission, before you change the selected files or engines."}));
    EXPECT_EQ(prompts.shown()[1], prompts.shown()[0]);
    EXPECT_FALSE(run.refuseListChange());
    EXPECT_TRUE(run.stepFiveReset());
    EXPECT_EQ(engines, (Lines{"A", "B"}));
    EXPECT_EQ(prompts.shown().size(), 3u);
}

TEST_F(SubmissionRunTest, ListsThatShrinkUnderTheRunAreNeverReadPastTheirEnd) {
    for (const char* engine : {"A", "B", "C"})
        engineAnswering(engine, answer("HTTP/1.0 200 OK"));
    activeFiles = {"one.htm", "two.htm", "three.htm"};
    selectEngines({"A", "B", "C"});
    // A window that did not refuse the change: after the first pair both lists lose entries.
    pacer.onSleep = [&](int ms) {
        if (ms == 500 && server.requests().size() == 1) {
            activeFiles.resize(1);
            engines.resize(1);
        }
    };
    prompts.confirmAnswers = {false};
    EXPECT_EQ(run.submitClick(), Outcome::Completed);
    EXPECT_EQ(targets(), Lines{"/A"});
    EXPECT_EQ(run.activityLog().back(), "9, 1");
    EXPECT_EQ(historyFiles(), Lines{"Shop0703010905.vhs"});
}
