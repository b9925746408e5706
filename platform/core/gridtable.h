#pragma once

#include <string>
#include <vector>

// A table of text cells with column widths: what a grid on screen holds and what the grid text
// file stores (reports, engine catalogs and lists, profiles). Cells are addressed column first,
// as the file writes them.
class GridTable {
public:
    GridTable(int columns = 0, int rows = 0);

    int columnCount() const { return m_columns; }
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    // Changing a count keeps the cells that still fit; new cells are empty, new widths 64.
    void setColumnCount(int columns);
    void setRowCount(int rows);

    const std::string& cell(int column, int row) const;
    void setCell(int column, int row, std::string text);

    int columnWidth(int column) const;
    void setColumnWidth(int column, int width);

    // Empties every cell; the counts and widths stay.
    void clearCells();
    // Inserts an empty row before row (row == rowCount() appends); removes a row.
    void insertRow(int row);
    void removeRow(int row);

    // Same counts, widths and cell texts.
    bool operator==(const GridTable& other) const;

private:
    int m_columns = 0;
    std::vector<int> m_widths;
    // A row holds its cells up to the last one written; the cells after it are empty. A grid
    // read from a file takes memory for the cells the file holds, not for the counts it claims.
    std::vector<std::vector<std::string>> m_rows;
};
