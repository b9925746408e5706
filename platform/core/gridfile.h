#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/core/gridtable.h"

// The grid text file: reports (.prp), the engine catalog and engine lists, and profiles.
// Lines end with CR LF: "columns,rows", one "cw index,width" line per column, then one
// "column,row,text" line per non-empty cell, rows downwards and columns rightwards. In the
// text a CR is written as a tab and an LF as a backspace, so each cell stays on one line.

// A grid file that cannot be read; what() is the message the user is shown.
class GridFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The cells (columns times rows) a file may claim: a few empty ones that need no backing, and
// one for every line the file's bytes could hold. Empty cells are not written, so a grid is
// allowed some, but no file these programs write is nearly nothing but empty cells.
inline constexpr long long kGridCellsWithoutBacking = 16'384;
inline constexpr long long kShortestCellLine = 6;  // "0,0,x" and a line feed

// The bytes of the file that stores table.
std::string gridFileText(const GridTable& table);

// Writes table to path through a temporary file. Throws FileError.
void writeGridFile(const std::filesystem::path& path, const GridTable& table);

// Empties every cell of table and reads the file's text into it. name is the file name the
// messages give. Throws GridFileError "File contains no data or corrupt file " + name when the
// first line gives no columns or no rows, or more cells than the file can back (the counts then
// stay as they were), or when a later line is not in the format (the table keeps what the
// reading had reached). Cell and "cw" lines outside the counts are skipped.
void readGridText(GridTable& table, std::string_view text, const std::string& name);

// Empties every cell of table and reads the file at path into it, as readGridText. Throws
// GridFileError "File " + path + " not found" when the file cannot be opened.
void readGridFile(GridTable& table, const std::filesystem::path& path);
