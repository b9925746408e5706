#include "position/core/reportgrid.h"

ReportGrid::ReportGrid() : m_table(2, 2) {
    m_table.setColumnWidth(0, 193);
    m_table.setColumnWidth(1, 394);
    m_table.setCell(0, 0, "Position");
    m_table.setCell(1, 0, "URL");
}

void ReportGrid::reset(const std::string& date) {
    m_table.clearCells();
    // An opened file may have brought another number of columns; the run writes two.
    m_table.setColumnCount(2);
    m_table.setRowCount(2);
    writeHeader(date);
}

void ReportGrid::writeHeader(const std::string& date) {
    m_table.setCell(0, 0, "Ranqor TM Report");
    m_table.setCell(1, 0, date);
}

void ReportGrid::appendRow(std::string position, std::string url) {
    int last = m_table.rowCount() - 1;
    m_table.setCell(0, last, std::move(position));
    m_table.setCell(1, last, std::move(url));
    m_table.setRowCount(last + 2);
}

void ReportGrid::appendEmptyRow() {
    m_table.setRowCount(m_table.rowCount() + 1);
}
