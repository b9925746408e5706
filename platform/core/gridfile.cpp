#include "platform/core/gridfile.h"

#include <algorithm>
#include <climits>
#include <optional>

#include "platform/core/safefile.h"
#include "platform/core/text.h"

namespace {

const char kTab = '\t';
const char kBackspace = '\b';

std::string corrupt(const std::string& name) {
    return "File contains no data or corrupt file " + name;
}

// A decimal number with optional blanks around it and an optional sign. A value beyond the
// range of long long is clamped, which puts it outside every grid.
std::optional<long long> parseNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value > (LLONG_MAX - 9) / 10 ? LLONG_MAX : value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

bool within(long long index, int count) {
    return index >= 0 && index < count;
}

}  // namespace

std::string gridFileText(const GridTable& table) {
    std::string out = std::to_string(table.columnCount()) + "," + std::to_string(table.rowCount()) + "\r\n";
    for (int column = 0; column < table.columnCount(); ++column) {
        out += "cw " + std::to_string(column) + "," + std::to_string(table.columnWidth(column)) + "\r\n";
    }
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int column = 0; column < table.columnCount(); ++column) {
            const std::string& text = table.cell(column, row);
            if (text.empty())
                continue;
            out += std::to_string(column) + "," + std::to_string(row) + ",";
            for (char c : text)
                out += c == '\r' ? kTab : c == '\n' ? kBackspace : c;
            out += "\r\n";
        }
    }
    return out;
}

void writeGridFile(const std::filesystem::path& path, const GridTable& table) {
    writeFileAtomically(path, gridFileText(table));
}

void readGridText(GridTable& table, std::string_view text, const std::string& name) {
    table.clearCells();
    std::vector<std::string> lines = splitLines(text);
    std::string_view counts = lines.empty() ? std::string_view() : std::string_view(lines[0]);
    size_t comma = counts.find(',');
    if (comma == std::string_view::npos)
        throw GridFileError(corrupt(name));
    std::optional<long long> columns = parseNumber(counts.substr(0, comma));
    std::optional<long long> rows = parseNumber(counts.substr(comma + 1));
    // Checked before the counts change: a grid left without columns or rows is no grid for the
    // next run to write into, and absurd counts must not exhaust memory.
    if (!columns || !rows || *columns <= 0 || *rows <= 0 || *columns > INT_MAX || *rows > INT_MAX) {
        throw GridFileError(corrupt(name));
    }
    long long cellLimit = kGridCellsWithoutBacking + static_cast<long long>(text.size()) / kShortestCellLine;
    if (*rows > cellLimit / *columns)
        throw GridFileError(corrupt(name));
    table.setColumnCount(static_cast<int>(*columns));
    table.setRowCount(static_cast<int>(*rows));

    for (size_t i = 1; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        if (line.empty())
            continue;
        size_t first = line.find(',');
        if (line.starts_with("cw")) {
            if (first == std::string_view::npos || first < 3)
                throw GridFileError(corrupt(name));
            std::optional<long long> column = parseNumber(line.substr(3, first - 3));
            std::optional<long long> width = parseNumber(line.substr(first + 1));
            if (!column || !width)
                throw GridFileError(corrupt(name));
            if (within(*column, table.columnCount())) {
                table.setColumnWidth(static_cast<int>(*column),
                                     static_cast<int>(std::clamp<long long>(*width, INT_MIN, INT_MAX)));
            }
            continue;
        }
        size_t second = first == std::string_view::npos ? first : line.find(',', first + 1);
        if (second == std::string_view::npos)
            throw GridFileError(corrupt(name));
        std::optional<long long> column = parseNumber(line.substr(0, first));
        std::optional<long long> row = parseNumber(line.substr(first + 1, second - first - 1));
        if (!column || !row)
            throw GridFileError(corrupt(name));
        if (!within(*column, table.columnCount()) || !within(*row, table.rowCount()))
            continue;
        std::string cell(line.substr(second + 1));
        for (char& c : cell)
            c = c == kTab ? '\r' : c == kBackspace ? '\n' : c;
        table.setCell(static_cast<int>(*column), static_cast<int>(*row), std::move(cell));
    }
}

void readGridFile(GridTable& table, const std::filesystem::path& path) {
    table.clearCells();
    std::string text;
    try {
        text = readFileBytes(path);
    } catch (const FileError&) {
        throw GridFileError("File " + path.string() + " not found");
    }
    readGridText(table, text, path.string());
}
