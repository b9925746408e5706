#pragma once

#include <string>

#include "platform/core/gridtable.h"

// The position report: two columns whose last row is always empty and is the row the next
// write fills. Row 0 holds the header cells.
class ReportGrid {
public:
    // A new grid: two columns 193 and 394 pixels wide captioned "Position" and "URL", and the
    // empty last row.
    ReportGrid();

    GridTable& table() { return m_table; }
    const GridTable& table() const { return m_table; }
    int rowCount() const { return m_table.rowCount(); }

    // Every cell emptied, two columns and two rows, "Ranqor TM Report" and the date in row 0.
    void reset(const std::string& date);
    // "Ranqor TM Report" and the date in row 0, the rest as it is.
    void writeHeader(const std::string& date);
    // Fills the last row and adds a new empty one.
    void appendRow(std::string position, std::string url);
    // Adds one empty row (a separator: the old last row stays empty above the new one).
    void appendEmptyRow();

private:
    GridTable m_table;
};
