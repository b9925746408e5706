#include "net/stageddownload.h"

#include <gtest/gtest.h>

#include "net/tests/httptestkit.h"
#include "net/tests/support/scriptedserver.h"
#include "net/tickhttp.h"
#include "platform/core/safefile.h"
#include "platform/tests/tempdir.h"

namespace fs = std::filesystem;

namespace {

class StagedDownloadTest : public testing::Test {
protected:
    void SetUp() override {
        clearProxyEnvironment();
        writeFileAtomically(dir / "a.txt", "old a");
        writeFileAtomically(dir / "b.txt", "old b");
        server.script("/a", ScriptedResponse::ok("new a"));
        server.script("/b", ScriptedResponse::ok("new b"));
        ScriptedResponse error = ScriptedResponse::ok("<html>Server error</html>");
        error.statusLine = "HTTP/1.1 500 Internal Server Error";
        server.script("/error", error);
        server.script("/empty", ScriptedResponse::ok(""));
    }

    ScriptedServer server;
    TempDir dir;
    TickHTTP http;
};

TEST_F(StagedDownloadTest, TargetsChangeOnlyOnCommitAndAllTogether) {
    StagedDownload download(http);
    fs::path staged = download.fetch(server.url("/a"), dir / "a.txt");
    download.fetch(server.url("/b"), dir / "b.txt");
    EXPECT_EQ(readFileBytes(staged), "new a");
    EXPECT_EQ(readFileBytes(dir / "a.txt"), "old a");
    download.commit();
    EXPECT_EQ(readFileBytes(dir / "a.txt"), "new a");
    EXPECT_EQ(readFileBytes(dir / "b.txt"), "new b");
    EXPECT_FALSE(fs::exists(staged));
    EXPECT_TRUE(download.empty());
}

TEST_F(StagedDownloadTest, ATargetThatCannotBeReplacedPutsBackEveryOldFile) {
    fs::create_directories(dir / "c.txt" / "in the way");
    server.script("/c", ScriptedResponse::ok("new c"));
    server.script("/new", ScriptedResponse::ok("brand new"));
    StagedDownload download(http);
    download.fetch(server.url("/a"), dir / "a.txt");
    download.fetch(server.url("/new"), dir / "new.txt");
    download.fetch(server.url("/b"), dir / "b.txt");
    download.fetch(server.url("/c"), dir / "c.txt");
    EXPECT_THROW(download.commit(), DownloadError);
    EXPECT_EQ(readFileBytes(dir / "a.txt"), "old a");
    EXPECT_EQ(readFileBytes(dir / "b.txt"), "old b");
    EXPECT_TRUE(fs::is_directory(dir / "c.txt"));
    EXPECT_FALSE(fs::exists(dir / "new.txt"));
    // Nothing is left over beside the targets.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 3);
}

TEST_F(StagedDownloadTest, ATargetFetchedAgainKeepsTheLaterFile) {
    StagedDownload download(http);
    download.fetch(server.url("/a"), dir / "a.txt");
    download.fetch(server.url("/b"), dir / "a.txt");
    download.commit();
    EXPECT_EQ(readFileBytes(dir / "a.txt"), "new b");
    EXPECT_TRUE(download.empty());
}

TEST_F(StagedDownloadTest, AFailedFetchStagesNothingAndNamesTheAddressAndCause) {
    struct Case {
        std::string path;
        std::string cause;
    };
    const Case cases[] = {{"/error", "500"}, {"/empty", "no data"}};
    for (const Case& c : cases) {
        StagedDownload download(http);
        download.fetch(server.url("/a"), dir / "a.txt");
        try {
            download.fetch(server.url(c.path), dir / "b.txt");
            ADD_FAILURE() << c.path << " was staged";
        } catch (const DownloadError& e) {
            EXPECT_NE(std::string(e.what()).find(server.url(c.path)), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.cause), std::string::npos) << e.what();
        }
        EXPECT_FALSE(fs::exists(dir / "b.txt.download")) << c.path;
    }
    EXPECT_EQ(readFileBytes(dir / "b.txt"), "old b");
}

TEST_F(StagedDownloadTest, WhatIsNotCommittedIsRemovedAndTheComponentKeepsItsLocalFile) {
    http.setLocalFile("result.ef");
    {
        StagedDownload download(http);
        download.fetch(server.url("/a"), dir / "a.txt");
        EXPECT_TRUE(fs::exists(dir / "a.txt.download"));
    }
    EXPECT_FALSE(fs::exists(dir / "a.txt.download"));
    EXPECT_EQ(readFileBytes(dir / "a.txt"), "old a");
    EXPECT_EQ(http.LocalFile(), "result.ef");
}

}  // namespace
