#include "position/core/reportexport.h"

#include <cstdio>

#include "platform/core/text.h"

std::string csvCell(const std::string& cell) {
    if (cell.empty())
        return "\"\"";
    // A spreadsheet would run a cell that starts like a formula; a page title can start so.
    std::string text = cell.find_first_of("=+-@") == 0 ? "'" + cell : cell;
    if (text.find_first_of(",\r\n\"") == std::string::npos)
        return text;
    std::string out = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

namespace {

std::string escapeHtml(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string htmlCell(const std::string& text) {
    if (text.empty())
        return "<br>";
    std::string shown;
    for (char c : escapeHtml(text)) {
        if (c == '\r') {
            shown += "<br>";
        } else {
            shown += c;
        }
    }
    // Only web addresses become links: a result is whatever the page said, "javascript:" too.
    if (!startsWithIgnoringCase(text, "http://") && !startsWithIgnoringCase(text, "https://"))
        return shown;
    // A browser drops line breaks from an address anyway; here they would only split the line.
    std::string target;
    for (char c : text) {
        if (c != '\r' && c != '\n')
            target += c;
    }
    return "<A HREF=\"" + escapeHtml(target) + "\">" + shown + "</A>";
}

std::string hexColour(RgbColour colour) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%02X%02X%02X", colour.red, colour.green, colour.blue);
    return digits;
}

}  // namespace

std::string reportCsv(const GridTable& table) {
    std::string out;
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int column = 0; column < table.columnCount(); ++column) {
            if (column > 0)
                out += ',';
            out += csvCell(table.cell(column, row));
        }
        out += "\r\n";
    }
    return out;
}

std::string reportHtml(const GridTable& table, RgbColour headerColour) {
    std::string out = "<table border=1>\r\n";
    for (int row = 0; row < table.rowCount(); ++row) {
        out += "<tr>\r\n";
        for (int column = 0; column < table.columnCount(); ++column) {
            const std::string& text = table.cell(column, row);
            if (row == 0) {
                out += "<td nowrap BGCOLOR=\"#" + hexColour(headerColour) + "\"><B>" + htmlCell(text) +
                       "</B></td>\r\n";
            } else {
                out += "<td nowrap>" + htmlCell(text) + "</td>\r\n";
            }
        }
        out += "</tr>\r\n";
    }
    out += "</table><p>\r\n";
    return out;
}
