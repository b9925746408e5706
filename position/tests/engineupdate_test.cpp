#include "position/engineupdate.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

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
const char* kGoogle = "1\r\nhttp://www.google.com/search?q=#C\r\n";
const char* kGoogle2 = "1\r\nhttp://www.google.com/search?q=#C&start=10\r\n";

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
        writeFileAtomically(fx.dir / "engines" / "def.txt", "old index");
        writeFileAtomically(fx.dir / "edata" / "Google.hdf", "old google");
        writeFileAtomically(fx.dir / "edata" / "Yahoo.hdf", "old yahoo");
    }
    std::string file(const std::string& relative) { return readFileBytes(fx.dir / relative); }
    void serve(const std::string& name, const std::string& body) {
        fx.server.script(std::string("/updateranqorfp2/") + name, ScriptedResponse::ok(body));
    }
    // Every file as it was before the update, and nothing staged left beside them.
    void expectOldFilesOnly() {
        EXPECT_EQ(file("engines/engines.txt"), "old catalog");
        EXPECT_EQ(file("engines/def.txt"), "old index");
        EXPECT_EQ(file("edata/Google.hdf"), "old google");
        EXPECT_EQ(file("edata/Yahoo.hdf"), "old yahoo");
        EXPECT_FALSE(fs::exists(fx.dir / "edata" / "Google2.hdf"));
        for (const char* folder : {"engines", "edata"}) {
            for (const auto& entry : fs::directory_iterator(fx.dir / folder)) {
                EXPECT_NE(entry.path().extension(), ".download") << entry.path();
                EXPECT_NE(entry.path().extension(), ".previous") << entry.path();
            }
        }
        EXPECT_EQ(ended, 0);
    }
};

}  // namespace

TEST_F(EngineUpdateTest, ReplacesTheCatalogAndTheNamedDefinitionsThenEndsTheProgram) {
    serve("engines.txt", kCatalog);
    serve("def.txt", "Google.hdf\r\n\r\nGoogle2.hdf\r\n");
    serve("Google.hdf", kGoogle);
    serve("Google2.hdf", kGoogle2);
    prompts.confirmAnswers = {true};

    EXPECT_TRUE(update.RzToolbarButton19Click());

    EXPECT_EQ(file("engines/engines.txt"), kCatalog);
    EXPECT_EQ(file("edata/Google.hdf"), kGoogle);
    EXPECT_EQ(file("edata/Google2.hdf"), kGoogle2);
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
    EXPECT_FALSE(fs::exists(fx.dir / "edata" / "Google.hdf.previous"));
}

TEST_F(EngineUpdateTest, ADefinitionWithHeaderLinesIsWrittenReadableByItsOwnerAlone) {
    const char* api = "1\r\nhttps://api.example.com/search?q=#C\r\nHeader: X-Subscription-Token: key\r\n";
    serve("engines.txt", kCatalog);
    serve("def.txt", "Google.hdf\r\nApi.hdf\r\n");
    serve("Google.hdf", kGoogle);
    serve("Api.hdf", api);
    prompts.confirmAnswers = {true};
    const mode_t old = ::umask(022);

    EXPECT_TRUE(update.RzToolbarButton19Click());
    ::umask(old);

    EXPECT_EQ(file("edata/Api.hdf"), api);
    EXPECT_EQ(fs::status(fx.dir / "edata" / "Api.hdf").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    // A definition without header lines is left as the system makes files.
    EXPECT_NE(fs::status(fx.dir / "edata" / "Google.hdf").permissions() & fs::perms::others_read,
              fs::perms::none);
}

TEST_F(EngineUpdateTest, NoChangesNothingAndSendsNothing) {
    prompts.confirmAnswers = {false};
    EXPECT_FALSE(update.RzToolbarButton19Click());
    EXPECT_TRUE(fx.server.requests().empty());
    expectOldFilesOnly();
}

// Whichever file fails or is not what it claims to be, the update keeps every old file and says
// which download failed and why.
TEST_F(EngineUpdateTest, AnyFailedOrBrokenFileKeepsEveryOldFile) {
    ScriptedResponse serverError = ScriptedResponse::ok("<html>Internal error</html>");
    serverError.statusLine = "HTTP/1.0 500 Internal Server Error";
    ScriptedResponse notFound = ScriptedResponse::ok("<html>Not here</html>");
    notFound.statusLine = "HTTP/1.0 404 Not Found";
    const std::string errorPage = "<html>\r\n<body>The update service is down</body>\r\n</html>\r\n";
    struct Case {
        std::string name;
        ScriptedResponse response;
        std::string box;    // the fixed first paragraph
        std::string cause;  // found in the second
        std::string status;
    };
    const std::string connect = "Could Not Connect to Update Server!";
    const std::string definition = "Update Definition!";
    const Case cases[] = {
        {"engines.txt", serverError, connect, "500 Internal Server Error", "Failed to get Definition List"},
        {"engines.txt", ScriptedResponse::ok(errorPage), connect, "not an engine list",
         "Failed to get Definition List"},
        {"engines.txt", ScriptedResponse::ok(""), connect, "no data", "Failed to get Definition List"},
        {"def.txt", notFound, connect, "404 Not Found", "Failed to get Definition List"},
        {"def.txt", ScriptedResponse::ok("Google.hdf\r\n..\\..\\evil.hdf\r\n"), connect,
         "\"..\\..\\evil.hdf\" is no file name in edata", "Failed to get Definition List"},
        {"def.txt", ScriptedResponse::ok("Google.hdf\r\n/tmp/evil.hdf\r\n"), connect, "is no file name",
         "Failed to get Definition List"},
        {"Google2.hdf", notFound, definition, "404 Not Found", "Failed to get Definition: Google2.hdf"},
        {"Google2.hdf", ScriptedResponse::ok(errorPage), definition, "not an engine definition",
         "Failed to get Definition: Google2.hdf"},
        {"Google2.hdf", ScriptedResponse::ok("1\r\nhttp://www.google.com/?q=#\r\n"), definition, "lone #",
         "Failed to get Definition: Google2.hdf"},
        {"Google2.hdf", ScriptedResponse::ok(""), definition, "no data",
         "Failed to get Definition: Google2.hdf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + " " + c.cause);
        serve("engines.txt", kCatalog);
        serve("def.txt", "Google.hdf\r\nGoogle2.hdf\r\nYahoo.hdf\r\n");
        serve("Google.hdf", kGoogle);
        serve("Google2.hdf", kGoogle2);
        serve("Yahoo.hdf", "1\r\nhttp://search.yahoo.com/search?p=#C\r\n");
        fx.server.script("/updateranqorfp2/" + c.name, c.response);
        prompts.confirmAnswers = {true};
        statuses.clear();

        EXPECT_FALSE(update.RzToolbarButton19Click());

        expectOldFilesOnly();
        EXPECT_EQ(statuses.back(), c.status);
        const ScriptedPrompts::Shown box = prompts.shown().back();
        EXPECT_EQ(box.kind, Kind::Error);
        EXPECT_TRUE(box.text.starts_with(c.box + "\n\r\n\r")) << box.text;
        EXPECT_NE(box.text.find(fx.server.url("/updateranqorfp2/" + c.name)), std::string::npos) << box.text;
        EXPECT_NE(box.text.find(c.cause), std::string::npos) << box.text;
    }
    EXPECT_FALSE(fs::exists(fx.dir / "evil.hdf"));
    EXPECT_FALSE(fs::exists("/tmp/evil.hdf"));
}

TEST_F(EngineUpdateTest, NothingIsReplacedWhenOneTargetCannotBe) {
    serve("engines.txt", kCatalog);
    serve("def.txt", "Google.hdf\r\nYahoo.hdf\r\n");
    serve("Google.hdf", kGoogle);
    serve("Yahoo.hdf", "1\r\nhttp://search.yahoo.com/search?p=#C\r\n");
    fs::remove(fx.dir / "edata" / "Yahoo.hdf");
    fs::create_directories(fx.dir / "edata" / "Yahoo.hdf" / "in the way");
    prompts.confirmAnswers = {true};

    EXPECT_FALSE(update.RzToolbarButton19Click());
    EXPECT_EQ(file("engines/engines.txt"), "old catalog");
    EXPECT_EQ(file("engines/def.txt"), "old index");
    EXPECT_EQ(file("edata/Google.hdf"), "old google");
    EXPECT_TRUE(prompts.shown().back().text.starts_with(
        "Could not Load New Definitions, Please Run Update Again!\n\r\n\rCannot replace "));
    EXPECT_EQ(ended, 0);
}
