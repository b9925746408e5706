#include "submission/catalogupdate.h"

#include <gtest/gtest.h>

#include <map>

#include "net/tests/support/scriptedserver.h"
#include "net/tickhttp.h"
#include "platform/core/enginelist.h"
#include "platform/core/programfolder.h"
#include "platform/core/safefile.h"
#include "platform/scriptedprompts.h"
#include "platform/tests/tempdir.h"

namespace fs = std::filesystem;

namespace {

using Kind = ScriptedPrompts::Kind;
using Shown = ScriptedPrompts::Shown;
using Lines = std::vector<std::string>;

const char* kQuestion =
    "The Engine List Update requires a restart of Vistral upon completion.\n\r\n\rThe update will retrieve "
    "the "
    "latest engine definition list fron the Orlek Server as well as the latest engine definition files. The "
    "engine List update will automatically update your system. No user interaction is required.\n\r\n\rDo "
    "you "
    "want to run the update now?";
const char* kDone =
    "Engine definition update is complete, Vistral will now shutdown. The next time you start Vistral you "
    "will "
    "be using the updated definitions.";
const char* kOldCatalog = "2,1\r\n0,0,Old\r\n";

std::string catalog(const Lines& names) {
    std::string text = "2," + std::to_string(names.size()) + "\r\ncw 0,100\r\ncw 1,340\r\n";
    for (size_t row = 0; row < names.size(); ++row) {
        if (!names[row].empty())
            text += "0," + std::to_string(row) + "," + names[row] + "\r\n";
    }
    return text;
}

class CatalogUpdateTest : public ::testing::Test {
protected:
    TempDir dir;
    ProgramFolder folder{dir.path()};
    ScriptedServer server;
    TickHTTP http;
    ScriptedPrompts prompts;
    Lines statuses;
    int loads = 0;
    int ended = 0;
    CatalogUpdate update{{http, folder, prompts, [this](const std::string& s) { statuses.push_back(s); },
                          [](bool) {}, [this] { ++ended; }},
                         [this] {
                             ++loads;
                             EngineList().load(dir / "engines" / "engines.txt");
                         },
                         server.url("/")};

    void SetUp() override {
        http.setTimeout(10);
        writeFileAtomically(dir / "engines" / "engines.txt", kOldCatalog);
        writeFileAtomically(dir / "edata" / "Excite.hdf", "old excite");
        prompts.confirmAnswers = {true};
    }
    std::string file(const std::string& relative) { return readFileBytes(dir / relative); }
    void serve(const std::string& path, const std::string& body) {
        server.script("/updatevistralfp/" + path, ScriptedResponse::ok(body));
    }
};

}  // namespace

TEST_F(CatalogUpdateTest, ADefinitionWithHeaderLinesIsKeptForItsOwnersEyesOnly) {
    serve("engines.txt", catalog({"Excite", "Lycos"}));
    serve("Excite.hdf", "1\r\nhttps://api.excite.example/add?u=#H\r\nHeader: X-Key: secret\r\n");
    serve("Lycos.hdf", "1\r\nhttp://new.lycos.example/add?u=#H\r\n");

    EXPECT_EQ(update.updateClick().failedDefinitions, 0);
    EXPECT_EQ(fs::status(dir / "edata" / "Excite.hdf").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_NE(fs::status(dir / "edata" / "Lycos.hdf").permissions() & fs::perms::others_read,
              fs::perms::none);
}

TEST_F(CatalogUpdateTest, ReplacesTheCatalogAndEveryEnginesDefinitionThenEndsTheProgram) {
    const std::string fresh = catalog({"Excite", " Nerd World ", "", "Lycos"});
    serve("engines.txt", fresh);
    serve("Excite.hdf", "1\r\nhttp://new.excite.example/add?u=#H\r\n");
    serve("Nerd%20World.hdf", "1\r\nhttp://new.nerdworld.example/add?u=#H\r\n");
    serve("Lycos.hdf", "1\r\nhttp://new.lycos.example/add?u=#H\r\n");

    CatalogUpdate::Result result = update.updateClick();

    EXPECT_EQ(std::pair(result.completed, result.failedDefinitions), std::pair(true, 0));
    const std::map<std::string, std::string> replaced = {
        {"engines/engines.txt", fresh},
        {"edata/Excite.hdf", "1\r\nhttp://new.excite.example/add?u=#H\r\n"},
        {"edata/Nerd World.hdf", "1\r\nhttp://new.nerdworld.example/add?u=#H\r\n"},
        {"edata/Lycos.hdf", "1\r\nhttp://new.lycos.example/add?u=#H\r\n"}};
    for (const auto& [target, content] : replaced)
        EXPECT_EQ(file(target), content) << target;
    EXPECT_EQ(statuses, (Lines{"Getting New Definition List", "Getting Definition: Excite",
                               "Getting Definition: Nerd World", "Getting Definition: Lycos",
                               "Engine Update Complete"}));
    EXPECT_EQ(prompts.shown(), (std::vector<Shown>{{Kind::Confirm, kQuestion}, {Kind::Information, kDone}}));
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(http.LocalFile(), "");
    EXPECT_EQ(server.requests()[0].target, "/updatevistralfp/engines.txt");
}

TEST_F(CatalogUpdateTest, NoChangesNothing) {
    prompts.confirmAnswers = {false};
    EXPECT_FALSE(update.updateClick().completed);
    EXPECT_TRUE(server.requests().empty());
    EXPECT_EQ(ended, 0);
}

TEST_F(CatalogUpdateTest, AnErrorPageOrAPageThatIsNoCatalogLeavesTheOldCatalog) {
    ScriptedResponse error = ScriptedResponse::ok("<html>Internal error</html>");
    error.statusLine = "HTTP/1.0 500 Internal Server Error";
    server.script("/updatevistralfp/engines.txt", error);
    EXPECT_FALSE(update.updateClick().completed);
    EXPECT_EQ(prompts.shown().back(), (Shown{Kind::Error, "Could Not Connect to Update Server!"}));
    EXPECT_EQ(statuses.back(), "Failed to get Definition List");
    EXPECT_EQ(file("engines/engines.txt"), kOldCatalog);

    // A 200 page that does not read as a grid (a portal's own error page) does not replace it either.
    serve("engines.txt", "<html>Sorry, this domain is parked</html>");
    prompts.confirmAnswers = {true};
    EXPECT_FALSE(update.updateClick().completed);
    EXPECT_EQ(prompts.shown().back(),
              (Shown{Kind::Error, "Could not Load New Definitions, Please Run Update Again!"}));
    EXPECT_EQ(file("engines/engines.txt"), kOldCatalog);
    EXPECT_FALSE(fs::exists(dir / "engines" / "engines.txt.download"));
    EXPECT_EQ(loads, 0);
    EXPECT_EQ(ended, 0);
}

TEST_F(CatalogUpdateTest, AFailedOrHostileDefinitionIsReportedAndTheRestGoOn) {
    serve("engines.txt", catalog({"../../evil", "Missing", "sub/dir", "..", "Parked", "Excite"}));
    serve("Excite.hdf", "1\r\nhttp://new.excite.example/add?u=#H\r\n");
    // An error page sent with 200 is no definition and must not replace one.
    writeFileAtomically(dir / "edata" / "Parked.hdf", "1\r\nhttp://parked.example/add?u=#H\r\n");
    serve("Parked.hdf", "<html>Sorry, this domain is parked</html>");
    serve("../../evil.hdf", "1\r\nevil\r\n");

    CatalogUpdate::Result result = update.updateClick();

    EXPECT_TRUE(result.completed);
    EXPECT_EQ(result.failedDefinitions, 5);
    Lines errors;
    for (const Shown& shown : prompts.shown()) {
        if (shown.kind == Kind::Error)
            errors.push_back(shown.text);
    }
    EXPECT_EQ(errors,
              (Lines{"Update Definition!../../evil", "Update Definition!Missing", "Update Definition!sub/dir",
                     "Update Definition!..", "Update Definition!Parked"}));
    EXPECT_EQ(file("edata/Parked.hdf"), "1\r\nhttp://parked.example/add?u=#H\r\n");
    EXPECT_FALSE(fs::exists(dir / "edata" / "Parked.hdf.download"));
    EXPECT_FALSE(fs::exists(dir / "evil.hdf"));
    EXPECT_FALSE(fs::exists(dir.path().parent_path() / "evil.hdf"));
    EXPECT_EQ(file("edata/Excite.hdf"), "1\r\nhttp://new.excite.example/add?u=#H\r\n");
    for (const ReceivedRequest& request : server.requests())
        EXPECT_EQ(request.target.find("evil"), std::string::npos) << request.target;
    EXPECT_EQ(ended, 1);
}
