#include "submission/core/gridrows.h"

#include <gtest/gtest.h>

#include "platform/core/gridtable.h"
#include "submission/core/catalog.h"

namespace {

using Lines = std::vector<std::string>;

GridTable engines(const Lines& names) {
    GridTable table(2, static_cast<int>(names.size()));
    for (size_t i = 0; i < names.size(); ++i) {
        table.setCell(0, static_cast<int>(i), names[i]);
        if (!names[i].empty())
            table.setCell(1, static_cast<int>(i), "http://" + names[i] + ".example/add");
    }
    return table;
}

Lines names(const GridTable& table) {
    Lines out;
    for (int row = 0; row < table.rowCount(); ++row)
        out.push_back(table.cell(0, row));
    return out;
}

}  // namespace

TEST(GridRows, BlankRowsGoExceptTheFirstAndTheLast) {
    const Lines cells = {"", "", "A", "a", " ", "\t", "", "only an address", "B", "b", "\t\r\n", " ", "", ""};
    GridTable table(2, 7);
    for (int i = 0; i < 14; ++i)
        table.setCell(i % 2, i / 2, cells[static_cast<size_t>(i)]);
    removeBlankRows(table);
    EXPECT_EQ(names(table), (Lines{"", "A", "", "B", ""}));  // rows 2 and 5 were blank
    EXPECT_EQ(table.cell(1, 2), "only an address");

    GridTable two = engines({"", ""});
    removeBlankRows(two);
    EXPECT_EQ(two.rowCount(), 2);
}

TEST(GridRows, ImportPutsTheImportedRowsOnTopInReverseOrder) {
    GridTable six = engines({"a", "b", "c", "d", "e", "f"});
    EXPECT_FALSE(canImportInto(six));
    GridTable list = engines({"a", "b", "c", "d", "e", "f", "g"});
    EXPECT_TRUE(canImportInto(list));
    importRows(list, engines({"First", "Second", "Third"}));
    EXPECT_EQ(names(list), (Lines{"Third", "Second", "First", "a", "b", "c", "d", "e", "f", "g"}));
    EXPECT_EQ(list.cell(1, 0), "http://Third.example/add");

    GridTable narrow(1, 1);
    narrow.setCell(0, 0, "NameOnly");
    importRows(list, narrow);
    EXPECT_EQ(list.cell(0, 0), "NameOnly");
    EXPECT_EQ(list.cell(1, 0), "");
}

TEST(GridRows, SortIgnoresLetterCaseAndKeepsEqualNamesInOrder) {
    GridTable table = engines({"lycos", "AltaVista", "Excite", "excite", "altavista"});
    table.setCell(1, 2, "first Excite");
    sortRows(table);
    EXPECT_EQ(names(table), (Lines{"AltaVista", "altavista", "Excite", "excite", "lycos"}));
    EXPECT_EQ(table.cell(1, 2), "first Excite");
}

TEST(Catalog, TheSubmissionPageOfTheFirstRowNamedSo) {
    GridTable lookup = engines({" Excite ", "Lycos", "Excite"});
    lookup.setCell(1, 0, "  http://www.excite.com/add  ");
    EXPECT_EQ(submissionPageOf(lookup, "Excite"), "http://www.excite.com/add");
    EXPECT_EQ(submissionPageOf(lookup, "Lycos"), "http://Lycos.example/add");
    EXPECT_EQ(submissionPageOf(lookup, "lycos"), std::nullopt);
    EXPECT_EQ(submissionPageOf(lookup, "Nowhere"), std::nullopt);
    EXPECT_EQ(submissionPageOf(GridTable(), "Lycos"), std::nullopt);
}
