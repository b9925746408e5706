#include "platform/consoleprompts.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <csignal>
#include <sstream>

#include "platform/interruptnotifier.h"

TEST(ConsolePrompts, EachBreakOfABoxBecomesOneLineFeed) {
    std::ostringstream err;
    ConsolePrompts prompts(err);
    prompts.information("One\n\r\n\rTwo");
    prompts.error("Steps:\r\r   1. First\r   2. Second");
    prompts.warning("Windows\r\nline");
    EXPECT_FALSE(prompts.confirm("Go on?"));
    EXPECT_EQ(err.str(),
              "One\n\nTwo\n"
              "error: Steps:\n\n   1. First\n   2. Second\n"
              "warning: Windows\nline\n"
              "Go on? (answered No)\n");
}

TEST(InterruptNotifier, CtrlCCallsBackAtTheNextDispatchAndTheOldHandlingReturns) {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction before {};
    ::sigaction(SIGINT, &ignore, &before);
    int calls = 0;
    {
        InterruptNotifier notifier([&] { ++calls; });
        ::raise(SIGINT);
        EXPECT_EQ(calls, 0);  // nothing happens inside the signal handler
        QCoreApplication::processEvents();
        EXPECT_EQ(calls, 1);
        EXPECT_TRUE(notifier.interrupted());
    }
    struct sigaction after {};
    ::sigaction(SIGINT, nullptr, &after);
    EXPECT_EQ(after.sa_handler, SIG_IGN);
    ::sigaction(SIGINT, &before, nullptr);
}
