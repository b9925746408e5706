#include "platform/core/commandline.h"

#include <gtest/gtest.h>

#include <new>
#include <sstream>

#include "platform/core/arguments.h"
#include "platform/core/safefile.h"
#include "platform/tests/tempdir.h"

namespace {

using Args = std::vector<std::string>;

// A program with one command per way a command can end.
CommandLineProgram sampleProgram(Args& seen) {
    return {"prog",
            "2.5.1",
            "Usage: prog COMMAND\n",
            {{"echo", "Usage: prog echo WORDS\n",
              [&seen](const Args& args) {
                  seen = args;
                  return 0;
              }},
             {"fail", "Usage: prog fail\n", [](const Args&) { return 1; }},
             {"strict", "Usage: prog strict\n",
              [](const Args& args) -> int {
                  Arguments parsed(args, {{"url", true}});
                  return parsed.required("url").empty() ? 1 : 0;
              }},
             // An allocation that fails deep inside a command.
             {"hungry", "Usage: prog hungry\n", [](const Args&) -> int { throw std::bad_alloc(); }},
             {"broken", "Usage: prog broken\n",
              [](const Args&) -> int { throw std::runtime_error("the disk went away"); }}}};
}

struct Case {
    Args args;
    std::optional<int> status;
    std::string out;
    std::string err;
};

}  // namespace

TEST(CommandLine, AnswersHelpVersionAndEveryWayACommandEnds) {
    const std::vector<Case> cases = {
        {{}, std::nullopt, "", ""},
        {{"-platform", "offscreen"}, std::nullopt, "", ""},
        {{"--help"}, 0, "Usage: prog COMMAND\n", ""},
        {{"-h"}, 0, "Usage: prog COMMAND\n", ""},
        {{"help"}, 0, "Usage: prog COMMAND\n", ""},
        {{"help", "echo"}, 0, "Usage: prog echo WORDS\n", ""},
        {{"echo", "a", "--help"}, 0, "Usage: prog echo WORDS\n", ""},
        {{"--version"}, 0, "prog 2.5.1\n", ""},
        {{"fail"}, 1, "", ""},
        {{"frobnicate"},
         2,
         "",
         "prog: unknown command frobnicate\nTry 'prog --help' for more information.\n"},
        {{"help", "frobnicate"},
         2,
         "",
         "prog: unknown command frobnicate\nTry 'prog --help' for more information.\n"},
        {{"help", "echo", "fail"},
         2,
         "",
         "prog help: give one command at most\nTry 'prog --help' for more information.\n"},
        {{"strict"},
         2,
         "",
         "prog strict: --url is required\nTry 'prog strict --help' for more information.\n"},
        {{"strict", "--bogus"},
         2,
         "",
         "prog strict: unknown option --bogus\nTry 'prog strict --help' for more information.\n"},
        {{"hungry"}, 1, "", "prog hungry: out of memory\n"},
        {{"broken"}, 1, "", "prog broken: the disk went away\n"},
    };
    for (const Case& c : cases) {
        Args seen;
        std::ostringstream out, err;
        EXPECT_EQ(runCommandLine(sampleProgram(seen), c.args, out, err), c.status)
            << testing::PrintToString(c.args);
        EXPECT_EQ(out.str(), c.out) << testing::PrintToString(c.args);
        EXPECT_EQ(err.str(), c.err) << testing::PrintToString(c.args);
    }
}

TEST(CommandLine, ACommandGetsTheArgumentsAfterItsNameAndAHelpAfterDoubleDashIsAnArgument) {
    Args seen;
    std::ostringstream out, err;
    EXPECT_EQ(runCommandLine(sampleProgram(seen), {"echo", "a", "--", "--help"}, out, err), 0);
    EXPECT_EQ(seen, (Args{"a", "--", "--help"}));
    EXPECT_TRUE(out.str().empty());
}

TEST(CommandLine, ClosingAnOutputReportsWhatDidNotReachItsFile) {
    std::FILE* full = std::fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    std::fputs("a report that cannot be stored\n", full);
    EXPECT_EQ(closeOutput(full), std::optional<std::string>("No space left on device"));

    TempDir dir;
    std::FILE* file = std::fopen((dir / "out.csv").c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs("a,b\r\n", file);
    EXPECT_EQ(closeOutput(file), std::nullopt);
    EXPECT_EQ(readFileBytes(dir / "out.csv"), "a,b\r\n");
}

TEST(Arguments, ANameListIsSplitAtCommasWithoutTheBlanksAroundEachName) {
    const std::vector<std::pair<std::string, Args>> cases = {
        {"Google", {"Google"}},
        {"Google, Yahoo ,Nerd World", {"Google", "Yahoo", "Nerd World"}},
        {",Excite,,", {"Excite"}},
        {" , ", {}},
    };
    for (const auto& [text, names] : cases)
        EXPECT_EQ(Arguments({"--engines", text}, {{"engines", true}}).nameList("engines"), names) << text;
    EXPECT_THROW(Arguments({}, {{"engines", true}}).nameList("engines"), UsageError);
}
