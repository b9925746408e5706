#include "platform/core/gridtable.h"

#include <stdexcept>

namespace {
const int kDefaultWidth = 64;
const std::string kEmptyCell;
}  // namespace

GridTable::GridTable(int columns, int rows) {
    setColumnCount(columns);
    setRowCount(rows);
}

void GridTable::setColumnCount(int columns) {
    if (columns < 0)
        throw std::out_of_range("negative column count");
    m_columns = columns;
    m_widths.resize(static_cast<size_t>(columns), kDefaultWidth);
    for (auto& row : m_rows) {
        if (row.size() > static_cast<size_t>(columns))
            row.resize(static_cast<size_t>(columns));
    }
}

void GridTable::setRowCount(int rows) {
    if (rows < 0)
        throw std::out_of_range("negative row count");
    m_rows.resize(static_cast<size_t>(rows));
}

const std::string& GridTable::cell(int column, int row) const {
    if (column < 0 || column >= m_columns || row < 0 || row >= rowCount()) {
        throw std::out_of_range("grid cell " + std::to_string(column) + "," + std::to_string(row));
    }
    const std::vector<std::string>& cells = m_rows[static_cast<size_t>(row)];
    return static_cast<size_t>(column) < cells.size() ? cells[static_cast<size_t>(column)] : kEmptyCell;
}

void GridTable::setCell(int column, int row, std::string text) {
    if (column < 0 || column >= m_columns || row < 0 || row >= rowCount()) {
        throw std::out_of_range("grid cell " + std::to_string(column) + "," + std::to_string(row));
    }
    std::vector<std::string>& cells = m_rows[static_cast<size_t>(row)];
    if (static_cast<size_t>(column) >= cells.size()) {
        if (text.empty())
            return;
        cells.resize(static_cast<size_t>(column) + 1);
    }
    cells[static_cast<size_t>(column)] = std::move(text);
}

int GridTable::columnWidth(int column) const {
    if (column < 0 || column >= m_columns)
        throw std::out_of_range("grid column " + std::to_string(column));
    return m_widths[static_cast<size_t>(column)];
}

void GridTable::setColumnWidth(int column, int width) {
    if (column < 0 || column >= m_columns)
        throw std::out_of_range("grid column " + std::to_string(column));
    m_widths[static_cast<size_t>(column)] = width;
}

void GridTable::clearCells() {
    for (auto& row : m_rows)
        row = {};
}

void GridTable::insertRow(int row) {
    if (row < 0 || row > rowCount())
        throw std::out_of_range("grid row " + std::to_string(row));
    m_rows.insert(m_rows.begin() + row, std::vector<std::string>());
}

void GridTable::removeRow(int row) {
    if (row < 0 || row >= rowCount())
        throw std::out_of_range("grid row " + std::to_string(row));
    m_rows.erase(m_rows.begin() + row);
}

bool GridTable::operator==(const GridTable& other) const {
    if (m_columns != other.m_columns || m_widths != other.m_widths || rowCount() != other.rowCount())
        return false;
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < m_columns; ++column) {
            if (cell(column, row) != other.cell(column, row))
                return false;
        }
    }
    return true;
}
