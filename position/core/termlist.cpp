#include "position/core/termlist.h"

#include <charconv>
#include <unordered_set>

#include "platform/core/gridfile.h"
#include "platform/core/text.h"

namespace {

int toInt(std::string_view text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        throw TermFileError("'" + std::string(text) + "' is not a valid integer value");
    }
    return value;
}

std::string fromFileText(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == '\t')
            c = '\r';
        else if (c == '\b')
            c = '\n';
    }
    return out;
}

}  // namespace

void TermList::addTerms(const std::vector<std::string>& lines) {
    std::unordered_set<std::string> known;
    for (const TermEntry& entry : m_entries)
        known.insert(entry.caption);
    for (const std::string& line : lines) {
        if (known.insert(line).second)
            m_entries.push_back({line, false, {}});
    }
}

void TermList::deleteMarked() {
    std::erase_if(m_entries, [](const TermEntry& entry) { return entry.marked; });
}

void TermList::setAllMarks(bool marked) {
    for (TermEntry& entry : m_entries)
        entry.marked = marked;
}

void TermList::setMark(int index, bool marked) {
    m_entries.at(static_cast<size_t>(index)).marked = marked;
}

void TermList::setCaption(int index, std::string caption) {
    m_entries.at(static_cast<size_t>(index)).caption = std::move(caption);
}

std::vector<std::string> TermList::markedCaptions() const {
    std::vector<std::string> captions;
    for (const TermEntry& entry : m_entries) {
        if (entry.marked && !entry.caption.empty())
            captions.push_back(entry.caption);
    }
    return captions;
}

std::string TermList::toTermFile() const {
    // The term file is a grid text file of one column whose rows are the entries.
    GridTable table(1, size());
    table.setColumnWidth(0, m_columnWidth);
    for (int i = 0; i < size(); ++i)
        table.setCell(0, i, m_entries[static_cast<size_t>(i)].caption);
    return gridFileText(table);
}

void TermList::readTermFile(std::string_view bytes, const std::string& fileName) {
    m_entries.clear();
    std::vector<std::string> lines = splitLines(bytes);
    const std::string corrupt = "File contains no data or corrupt file " + fileName;
    if (lines.empty())
        throw TermFileError(corrupt);
    size_t comma = lines[0].find(',');
    if (comma == std::string::npos)
        throw TermFileError(corrupt);
    int columns = toInt(std::string_view(lines[0]).substr(0, comma));
    int count = toInt(std::string_view(lines[0]).substr(comma + 1));
    // Entries are made up to the last one the file holds, not as many as line 1 claims: a list
    // read back keeps the empty captions between its terms, but a count beyond them adds nothing.
    // A count beyond what the bytes could hold is no term file at all.
    if (columns <= 0 || count <= 0 || static_cast<size_t>(count) > bytes.size())
        throw TermFileError(corrupt);

    for (size_t n = 1; n < lines.size(); ++n) {
        std::string_view line = lines[n];
        if (line.empty())
            continue;
        if (line.starts_with("cw")) {
            size_t c = line.find(',');
            if (c != std::string_view::npos && c > 3 && toInt(line.substr(3, c - 3)) == 0) {
                m_columnWidth = toInt(line.substr(c + 1));
            }
            continue;
        }
        size_t first = line.find(',');
        size_t second = first == std::string_view::npos ? first : line.find(',', first + 1);
        if (second == std::string_view::npos)
            throw TermFileError(corrupt);
        int column = toInt(line.substr(0, first));
        int index = toInt(line.substr(first + 1, second - first - 1));
        if (index < 0 || index >= count) {
            throw TermFileError("List index out of bounds (" + std::to_string(index) + ")");
        }
        // The list shows one column; further columns are kept, within the count line 1 gives.
        if (column < 0 || column >= columns || column > 255)
            continue;
        if (m_entries.size() <= static_cast<size_t>(index))
            m_entries.resize(static_cast<size_t>(index) + 1);
        TermEntry& entry = m_entries[static_cast<size_t>(index)];
        std::string text = fromFileText(line.substr(second + 1));
        if (column == 0) {
            entry.caption = std::move(text);
        } else {
            if (entry.subItems.size() < static_cast<size_t>(column))
                entry.subItems.resize(static_cast<size_t>(column));
            entry.subItems[static_cast<size_t>(column) - 1] = std::move(text);
        }
    }
}
