#include "platform/core/gridfile.h"

#include "platform/core/safefile.h"
#include "platform/tests/tempdir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long long> g_allocated{0};

long long allocatedBytes() {
    return g_allocated.load();
}

GridTable headerOnlyReport() {
    GridTable table(2, 2);
    table.setColumnWidth(0, 193);
    table.setColumnWidth(1, 394);
    table.setCell(0, 0, "Ranqor TM Report");
    table.setCell(1, 0, "01/02/2024");
    return table;
}

std::string errorOf(GridTable& table, std::string_view text, const std::string& name = "r.prp") {
    try {
        readGridText(table, text, name);
    } catch (const GridFileError& e) {
        return e.what();
    }
    return "no error";
}

}  // namespace

// Every allocation of this test program is counted, so a test can tell what reading took.
void* operator new(size_t size) {
    g_allocated += static_cast<long long>(size);
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}

TEST(GridFileWrite, HeaderOnlyReportIsFourLinesAfterTheCounts) {
    EXPECT_EQ(gridFileText(headerOnlyReport()),
              "2,2\r\n"
              "cw 0,193\r\n"
              "cw 1,394\r\n"
              "0,0,Ranqor TM Report\r\n"
              "1,0,01/02/2024\r\n");
}

TEST(GridFileWrite, CellsGoRowByRowAndLineBreaksBecomeTabAndBackspace) {
    GridTable table(2, 3);
    table.setCell(1, 2, "x, y");
    table.setCell(0, 2, "first\r\nsecond");
    table.setCell(1, 1, "lone\nfeed");
    EXPECT_EQ(gridFileText(table),
              "2,3\r\ncw 0,64\r\ncw 1,64\r\n"
              "1,1,lone\bfeed\r\n"
              "0,2,first\t\bsecond\r\n"
              "1,2,x, y\r\n");
}

TEST(GridFileRoundTrip, TableComesBackEqual) {
    GridTable table = headerOnlyReport();
    table.setRowCount(5);
    table.setCell(0, 2, "Google result 1 *****");
    table.setCell(1, 2, "http://www.example.com/a,b?c");
    table.setCell(1, 3, "two\r\nlines");
    table.setCell(0, 3, "caf\xE9 \x93quoted\x94");
    TempDir dir;
    writeGridFile(dir / "report.prp", table);
    GridTable read(1, 1);
    readGridFile(read, dir / "report.prp");
    EXPECT_EQ(read, table);
    EXPECT_EQ(readFileBytes(dir / "report.prp"), gridFileText(table));
}

TEST(GridFileWrite, ReplacesAnExistingFile) {
    TempDir dir;
    writeFileAtomically(dir / "r.prp", std::string(5000, 'x'));
    writeGridFile(dir / "r.prp", headerOnlyReport());
    EXPECT_EQ(readFileBytes(dir / "r.prp"), gridFileText(headerOnlyReport()));
}

TEST(GridFileRead, ClearsOldCellsAndSetsCountsAndWidths) {
    GridTable table(3, 4);
    table.setCell(2, 3, "old");
    readGridText(table, "2,3\r\ncw 0,10\r\ncw 1,20\r\n1,2,new\r\n", "r.prp");
    GridTable expected(2, 3);
    expected.setColumnWidth(0, 10);
    expected.setColumnWidth(1, 20);
    expected.setCell(1, 2, "new");
    EXPECT_EQ(table, expected);
}

TEST(GridFileRead, TextIsEverythingAfterTheSecondCommaWithTabAndBackspaceTurnedBack) {
    GridTable table;
    readGridText(table, "2,2\r\n0,1,a,b,,c\r\n1,1,x\ty\bz\r\n1,0,\r\n", "r.prp");
    EXPECT_EQ(table.cell(0, 1), "a,b,,c");
    EXPECT_EQ(table.cell(1, 1), "x\ry\nz");
    EXPECT_EQ(table.cell(1, 0), "");
}

TEST(GridFileRead, AcceptsLfAndCrLineEnds) {
    GridTable table;
    readGridText(table, "2,2\ncw 0,50\r0,0,a\n1,1,b", "r.prp");
    EXPECT_EQ(table.columnWidth(0), 50);
    EXPECT_EQ(table.cell(0, 0), "a");
    EXPECT_EQ(table.cell(1, 1), "b");
}

TEST(GridFileRead, LinesOutsideTheCountsAreSkipped) {
    GridTable table;
    readGridText(
        table,
        "2,2\r\ncw 5,100\r\ncw -1,7\r\n5,0,x\r\n0,9,y\r\n-1,0,z\r\n0,99999999999999999999,w\r\n0,0,ok\r\n",
        "r.prp");
    GridTable expected(2, 2);
    expected.setCell(0, 0, "ok");
    EXPECT_EQ(table, expected);
}

TEST(GridFileRead, MissingFileIsReportedAfterTheCellsWereCleared) {
    TempDir dir;
    GridTable table = headerOnlyReport();
    std::filesystem::path path = dir / "none.prp";
    try {
        readGridFile(table, path);
        FAIL() << "no error";
    } catch (const GridFileError& e) {
        EXPECT_EQ(std::string(e.what()), "File " + path.string() + " not found");
    }
    EXPECT_EQ(table.cell(0, 0), "");
    EXPECT_EQ(table.rowCount(), 2);
}

TEST(GridFileRead, FirstLineWithoutColumnsOrRowsIsCorrupt) {
    const char* cases[] = {
        "",
        "\r\n0,0,a\r\n",
        "0,2\r\n",
        "2,0\r\n",
        "2\r\n",
        "two,2\r\n",
        "2,\r\n",
        "-1,2\r\n",
        "2,-3\r\n",
        "2,3000000000\r\n",
        // Counts that would claim gigabytes of empty cells.
        "100000,100000\r\n",
        "1,99999999999999999999999\r\n",
        "2147483647,2147483647\r\n",
    };
    for (const char* text : cases) {
        GridTable table(3, 4);
        table.setCell(2, 3, "old");
        EXPECT_EQ(errorOf(table, text, "/tmp/x.prp"), "File contains no data or corrupt file /tmp/x.prp")
            << text;
        EXPECT_EQ(table.columnCount(), 3) << text;
        EXPECT_EQ(table.rowCount(), 4) << text;
        EXPECT_EQ(table.cell(2, 3), "") << text;
    }
}

TEST(GridFileRead, CellsBeyondAFewEmptyOnesMustBeBackedByTheFileSize) {
    struct Case {
        std::string text;
        bool accepted;
    };
    const std::string backing = "0,0," + std::string(600'000, 'x') + "\r\n";  // backs 100,000 cells
    const Case cases[] = {
        {"128,128\r\n", true},  // all 16,384 cells empty
        {"129,128\r\n", false},
        {"2,500000\r\n0,0,Google\r\n", false},  // an engine list of a few bytes
        {"1000,116\r\n" + backing, true},
        {"1000,117\r\n" + backing, false},
        {"10000,10000\r\n" + backing, false},
    };
    for (const Case& c : cases) {
        GridTable table(3, 4);
        EXPECT_EQ(errorOf(table, c.text) == "no error", c.accepted) << c.text.substr(0, 20);
        EXPECT_EQ(table.rowCount(), c.accepted ? std::stoi(c.text.substr(c.text.find(',') + 1)) : 4)
            << c.text.substr(0, 20);
    }
}

TEST(GridFileRead, TakesMemoryForTheCellsReadNotForTheCountsClaimed) {
    GridTable table;
    long long before = allocatedBytes();
    readGridText(table, "16,1024\r\n0,0,only\r\n15,1023,last\r\n", "r.prp");
    long long taken = allocatedBytes() - before;
    EXPECT_EQ(table.cell(15, 1023), "last");
    EXPECT_EQ(table.cell(14, 1023), "");
    // A row of 16 empty cells would take 512 bytes of strings alone, 512 KiB for the grid.
    EXPECT_LT(taken, 100 * 1024);
}

TEST(GridFileRead, MalformedLineStopsTheReadingWhereItIs) {
    const char* cases[] = {"0,1\r\n",    "x,1,a\r\n",     "0,y,a\r\n", "cw 0\r\n",
                           "cw x,5\r\n", "cw 0,wide\r\n", "text\r\n"};
    for (const char* bad : cases) {
        GridTable table;
        std::string text = std::string("2,2\r\n0,0,kept\r\n") + bad + "1,1,never\r\n";
        EXPECT_EQ(errorOf(table, text), "File contains no data or corrupt file r.prp") << bad;
        EXPECT_EQ(table.cell(0, 0), "kept") << bad;
        EXPECT_EQ(table.cell(1, 1), "") << bad;
    }
}

TEST(GridFileRead, BlankLinesCarryNoCell) {
    GridTable table;
    readGridText(table, "2,2\r\n\r\n0,0,a\r\n\r\n", "r.prp");
    EXPECT_EQ(table.cell(0, 0), "a");
}
