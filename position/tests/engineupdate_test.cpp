#include "position/engineupdate.h"

#include <gtest/gtest.h>

#include "net/tickhttp.h"
#include "platform/scriptedprompts.h"
#include "position/tests/runfixture.h"

namespace fs = std::filesystem;

namespace {

using Kind = ScriptedPrompts::Kind;
using Lines = std::vector<std::string>;

const char* kQuestion =
    "The Engine List Update requires a restart of Ranqor upon completion.\n\r\n\rThe update will retrieve "
    "the "
    "latest engine definition list fron the Orlek Server as well as the latest engine definition files. The "
    "engine "
    "List update will automatically update your system. No user interaction is required.\n\r\n\rDo you want "
    "to run "
    "the update now?";
const char* kCatalog = "2,1\r\ncw 0,100\r\ncw 1,340\r\n0,0,Google\r\n";

class EngineUpdateTest : public ::testing::Test {
protected:
    RunFixture fx;
    TickHTTP http;
    ScriptedPrompts prompts;
    Lines statuses;
    int ended = 0;
    EngineUpdate update{{http, fx.folder, prompts, [this](const std::string& s) { statuses.push_back(s); },
                         [](bool) {}, [this] { ++ended; }},
                        fx.server.url("")};

    void SetUp() override {
        http.setTimeout(10);
        writeFileAtomically(fx.dir / "engines" / "engines.txt", "old catalog");
        writeFileAtomically(fx.dir / "edata" / "Google.hdf", "old google");
        writeFileAtomically(fx.dir / "edata" / "Yahoo.hdf", "old yahoo");
    }
    std::string file(const std::string& relative) { return readFileBytes(fx.dir / relative); }
};

}  // namespace

TEST_F(EngineUpdateTest, ReplacesTheCatalogAndTheNamedDefinitionsThenEndsTheProgram) {
    fx.server.script("/updateranqorfp2/engines.txt", ScriptedResponse::ok(kCatalog));
    fx.server.script("/updateranqorfp2/def.txt", ScriptedResponse::ok("Google.hdf\r\n\r\nGoogle2.hdf\r\n"));
    fx.server.script("/updateranqorfp2/Google.hdf", ScriptedResponse::ok("1\r\nnew google\r\n"));
    fx.server.script("/updateranqorfp2/Google2.hdf", ScriptedResponse::ok("1\r\nnew google 2\r\n"));
    prompts.confirmAnswers = {true};

    EngineUpdate::Result result = update.RzToolbarButton19Click();

    EXPECT_TRUE(result.completed);
    EXPECT_EQ(result.failedDefinitions, 0);
    EXPECT_EQ(file("engines/engines.txt"), kCatalog);
    EXPECT_EQ(file("edata/Google.hdf"), "1\r\nnew google\r\n");
    EXPECT_EQ(file("edata/Google2.hdf"), "1\r\nnew google 2\r\n");
    EXPECT_EQ(file("edata/Yahoo.hdf"), "old yahoo");
    EXPECT_EQ(statuses, (Lines{"Getting New Definition List", "Getting New Definition List (2)",
                               "Getting Definition: Google.hdf", "Getting Definition: Google2.hdf",
                               "Engine Update Complete"}));
    EXPECT_EQ(prompts.shown(),
              (std::vector<ScriptedPrompts::Shown>{{Kind::Confirm, kQuestion},
                                                   {Kind::Information,
                                                    "Engine definition update is complete, Ranqor will now "
                                                    "shutdown. The next time you start Ranqor you "
                                                    "will be using the updated definitions."}}));
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(http.LocalFile(), "");
    EXPECT_FALSE(fs::exists(fx.dir / "engines" / "engines.txt.download"));
}

TEST_F(EngineUpdateTest, NoChangesNothingAndSendsNothing) {
    prompts.confirmAnswers = {false};
    EXPECT_FALSE(update.RzToolbarButton19Click().completed);
    EXPECT_TRUE(fx.server.requests().empty());
    EXPECT_EQ(file("engines/engines.txt"), "old catalog");
    EXPECT_EQ(ended, 0);
}

TEST_F(EngineUpdateTest, AnErrorPageNeverReplacesTheCatalog) {
    ScriptedResponse error = ScriptedResponse::ok("<html>Internal error</html>");
    error.statusLine = "HTTP/1.0 500 Internal Server Error";
    fx.server.script("/updateranqorfp2/engines.txt", error);
    prompts.confirmAnswers = {true};

    EXPECT_FALSE(update.RzToolbarButton19Click().completed);
    EXPECT_EQ(file("engines/engines.txt"), "old catalog");
    EXPECT_EQ(prompts.shown().back(),
              (ScriptedPrompts::Shown{Kind::Error, "Could Not Connect to Update Server!"}));
    EXPECT_EQ(statuses.back(), "Failed to get Definition List");
    EXPECT_EQ(ended, 0);
    EXPECT_FALSE(fs::exists(fx.dir / "engines" / "engines.txt.download"));
}

TEST_F(EngineUpdateTest, DefinitionsThatFailOrWouldLeaveEdataAreRefusedAndTheRestGoOn) {
    fx.server.script("/updateranqorfp2/engines.txt", ScriptedResponse::ok(kCatalog));
    fx.server.script(
        "/updateranqorfp2/def.txt",
        ScriptedResponse::ok("../evil.hdf\r\n/tmp/evil.hdf\r\nsub\\..\\..\\evil.hdf\r\nYahoo.hdf\r\n"
                             "Google.hdf\r\n"));
    fx.server.script("/updateranqorfp2/Google.hdf", ScriptedResponse::ok("1\r\nnew google\r\n"));
    prompts.confirmAnswers = {true};

    EngineUpdate::Result result = update.RzToolbarButton19Click();

    EXPECT_TRUE(result.completed);
    EXPECT_EQ(result.failedDefinitions, 4);
    int refusals = 0;
    for (const auto& shown : prompts.shown())
        refusals += shown == ScriptedPrompts::Shown{Kind::Error, "Update Definition!"};
    EXPECT_EQ(refusals, 4);
    EXPECT_FALSE(fs::exists(fx.dir / "evil.hdf"));
    EXPECT_FALSE(fs::exists("/tmp/evil.hdf"));
    EXPECT_EQ(file("edata/Yahoo.hdf"), "old yahoo");  // its fetch failed (404), the old file stays
    EXPECT_EQ(file("edata/Google.hdf"), "1\r\nnew google\r\n");
    // Only the two files inside edata\ were asked for.
    EXPECT_EQ(fx.targets(), (Lines{"/updateranqorfp2/engines.txt", "/updateranqorfp2/def.txt",
                                   "/updateranqorfp2/Yahoo.hdf", "/updateranqorfp2/Google.hdf"}));
}
