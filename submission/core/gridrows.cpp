#include "submission/core/gridrows.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/core/gridtable.h"
#include "platform/core/text.h"

namespace {

bool blankRow(const GridTable& table, int row) {
    for (int column = 0; column < table.columnCount(); ++column) {
        if (!trimText(table.cell(column, row)).empty())
            return false;
    }
    return true;
}

std::vector<std::string> rowCells(const GridTable& table, int row) {
    std::vector<std::string> cells;
    for (int column = 0; column < table.columnCount(); ++column)
        cells.push_back(table.cell(column, row));
    return cells;
}

}  // namespace

void removeBlankRows(GridTable& table) {
    for (int row = table.rowCount() - 2; row >= 1; --row) {
        if (blankRow(table, row))
            table.removeRow(row);
    }
}

bool canImportInto(const GridTable& list) {
    return list.rowCount() > 6;
}

void importRows(GridTable& list, const GridTable& imported) {
    const int columns = std::min(list.columnCount(), imported.columnCount());
    for (int row = 0; row < imported.rowCount(); ++row) {
        list.insertRow(0);
        for (int column = 0; column < columns; ++column)
            list.setCell(column, 0, imported.cell(column, row));
    }
}

void sortRows(GridTable& table) {
    if (table.columnCount() == 0)
        return;
    std::vector<std::vector<std::string>> rows;
    for (int row = 0; row < table.rowCount(); ++row)
        rows.push_back(rowCells(table, row));
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto& a, const auto& b) { return lowerAscii(a[0]) < lowerAscii(b[0]); });
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int column = 0; column < table.columnCount(); ++column)
            table.setCell(column, row, rows[static_cast<size_t>(row)][static_cast<size_t>(column)]);
    }
}
