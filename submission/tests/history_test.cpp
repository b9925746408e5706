#include "submission/core/history.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/core/safefile.h"
#include "platform/tests/tempdir.h"

namespace {

using Lines = std::vector<std::string>;

Lines namesIn(const std::filesystem::path& folder) {
    Lines names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(HistoryFile, NamesAreProjectMonthDayYearHourMinuteInTwoDigits) {
    struct Case {
        const char* project;
        LocalTime time;
        int take;
        const char* name;
    };
    const Case cases[] = {
        {"MySite", {2001, 12, 8, 21, 43}, 1, "MySite1208012143.vhs"},
        {"Shop", {2001, 7, 3, 9, 5}, 1, "Shop0703010905.vhs"},
        {"Shop", {2010, 1, 1, 0, 0}, 1, "Shop0101100000.vhs"},
        {"Shop", {1999, 10, 31, 23, 59}, 1, "Shop1031992359.vhs"},
        {"Shop", {2001, 7, 3, 9, 5}, 2, "Shop0703010905-2.vhs"},
        {"Shop", {2001, 7, 3, 9, 5}, 12, "Shop0703010905-12.vhs"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(historyFileName(c.project, c.time, c.take), c.name);
}

TEST(HistoryFile, TheClockGivesAPlausibleMoment) {
    LocalTime now = currentLocalTime();
    EXPECT_GE(now.year, 2024);
    EXPECT_TRUE(now.month >= 1 && now.month <= 12);
    EXPECT_TRUE(now.day >= 1 && now.day <= 31);
    EXPECT_TRUE(now.hour >= 0 && now.hour <= 23);
    EXPECT_TRUE(now.minute >= 0 && now.minute <= 59);
}

TEST(HistoryFile, WritesTheLogAsCrLfLinesIntoAFolderItCreates) {
    TempDir dir;
    const Lines log = {"Process Start: Shop", "", "Set Current file to: A: http://s.com/a.htm", "2, 1"};
    std::filesystem::path path = writeHistoryFile(dir / "history", "Shop", {2001, 7, 3, 9, 5}, log);
    EXPECT_EQ(path, dir / "history" / "Shop0703010905.vhs");
    EXPECT_EQ(readFileBytes(path),
              "Process Start: Shop\r\n\r\nSet Current file to: A: http://s.com/a.htm\r\n2, 1\r\n");
    EXPECT_EQ(historyFileText({}), "");
}

TEST(HistoryFile, ALaterRunInTheSameMinuteGetsTheNextFreeNumber) {
    TempDir dir;
    const LocalTime time{2001, 7, 3, 9, 5};
    EXPECT_EQ(writeHistoryFile(dir.path(), "Shop", time, {"first"}).filename(), "Shop0703010905.vhs");
    EXPECT_EQ(writeHistoryFile(dir.path(), "Shop", time, {"second"}).filename(), "Shop0703010905-2.vhs");
    EXPECT_EQ(writeHistoryFile(dir.path(), "Shop", time, {"third"}).filename(), "Shop0703010905-3.vhs");
    // Another project or another minute starts with the plain name again.
    EXPECT_EQ(writeHistoryFile(dir.path(), "Shoe", time, {"x"}).filename(), "Shoe0703010905.vhs");
    EXPECT_EQ(writeHistoryFile(dir.path(), "Shop", {2001, 7, 3, 9, 6}, {"x"}).filename(),
              "Shop0703010906.vhs");
    EXPECT_EQ(readFileBytes(dir / "Shop0703010905.vhs"), "first\r\n");
    EXPECT_EQ(readFileBytes(dir / "Shop0703010905-2.vhs"), "second\r\n");
    EXPECT_EQ(namesIn(dir.path()),
              (Lines{"Shoe0703010905.vhs", "Shop0703010905-2.vhs", "Shop0703010905-3.vhs",
                     "Shop0703010905.vhs", "Shop0703010906.vhs"}));
}

TEST(HistoryFile, AFolderThatCannotBeMadeIsReportedWithTheFileTried) {
    TempDir dir;
    writeFileAtomically(dir / "history", "a file where the folder should be");
    try {
        writeHistoryFile(dir / "history", "Shop", {2001, 7, 3, 9, 5}, {"x"});
        FAIL() << "no error";
    } catch (const HistoryFileError& error) {
        EXPECT_EQ(error.path(), dir / "history" / "Shop0703010905.vhs");
        EXPECT_NE(std::string(error.what()).find("history"), std::string::npos);
    }
}
