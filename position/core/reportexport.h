#pragma once

#include <string>

#include "platform/core/gridtable.h"

// The report's exports for other programs: CSV for spreadsheets, HTML for browsers. Both write
// every row, the header row 0 and the empty last row included, with CR LF line ends.

// One line per row, cells separated by ",". A cell beginning with "=", "+", "-" or "@" gets a "'"
// in front, so that no spreadsheet takes it for a formula. An empty cell is written as "", a cell
// holding a ",", a line break or a double quote between double quotes, with the CR of each CR LF
// removed and each double quote doubled; any other cell as it is.
std::string reportCsv(const GridTable& table);
// One cell of it, quoted and guarded as above.
std::string csvCell(const std::string& cell);

struct RgbColour {
    unsigned char red = 0;
    unsigned char green = 0;
    unsigned char blue = 0;
};

// A bordered table, one element per line; row 0 in bold on headerColour. Cell text is escaped,
// a CR becomes <br>, a web address (beginning with "http://" or "https://") becomes a link to
// itself, an empty cell <br>.
std::string reportHtml(const GridTable& table, RgbColour headerColour);
