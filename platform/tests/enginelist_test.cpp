#include "platform/core/enginelist.h"

#include <gtest/gtest.h>

#include "platform/core/gridfile.h"
#include "platform/core/safefile.h"
#include "platform/tests/tempdir.h"

using Names = std::vector<std::string>;

TEST(EngineList, EveryRowOfTheCatalogIsAnUnmarkedEntry) {
    TempDir dir;
    writeFileAtomically(
        dir / "engines.txt",
        "2,3\r\ncw 0,100\r\ncw 1,340\r\n0,0,Google\r\n1,0,http://www.google.com/addurl.html\r\n"
        "0,1,Yahoo\r\n0,2,Google\r\n");
    EngineList list;
    list.load(dir / "engines.txt");
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list.entries()[0].name, "Google");
    EXPECT_EQ(list.entries()[0].submitUrl, "http://www.google.com/addurl.html");
    EXPECT_EQ(list.entries()[1].submitUrl, "");
    EXPECT_TRUE(list.markedNames().empty());

    // A duplicated name is two entries; both marked, the run queries that engine twice.
    list.setAllMarks(true);
    EXPECT_EQ(list.markedNames(), (Names{"Google", "Yahoo", "Google"}));
    list.setMark(1, false);
    EXPECT_EQ(list.markedNames(), (Names{"Google", "Google"}));
    list.setAllMarks(false);
    EXPECT_TRUE(list.markedNames().empty());
}

TEST(EngineList, AMissingOrCorruptCatalogRaisesTheGridFileErrorAndLeavesTheListEmpty) {
    TempDir dir;
    EngineList list;
    writeFileAtomically(dir / "engines.txt", "2,1\r\n0,0,Google\r\n");
    list.load(dir / "engines.txt");
    EXPECT_THROW(list.load(dir / "missing.txt"), GridFileError);
    EXPECT_EQ(list.size(), 0);
    writeFileAtomically(dir / "bad.txt", "0,0\r\n");
    EXPECT_THROW(list.load(dir / "bad.txt"), GridFileError);
}
