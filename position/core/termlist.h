#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// One entry of the search term list: the term and its mark. Further columns of a term file are
// kept with the entry, though the list shows only the first.
struct TermEntry {
    std::string caption;
    bool marked = false;
    std::vector<std::string> subItems;
    bool operator==(const TermEntry&) const = default;
};

// A term file that cannot be read; what() is the message the user sees.
class TermFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TermList {
public:
    const std::vector<TermEntry>& entries() const { return m_entries; }
    int size() const { return static_cast<int>(m_entries.size()); }
    int columnWidth() const { return m_columnWidth; }
    void setColumnWidth(int width) { m_columnWidth = width; }

    void clear() { m_entries.clear(); }
    // Appends every line that is not yet the caption of an entry (letter case counts), unmarked;
    // a line given twice is added once. Empty lines are terms like any other.
    void addTerms(const std::vector<std::string>& lines);
    void deleteMarked();
    void setAllMarks(bool marked);
    void setMark(int index, bool marked);
    void setCaption(int index, std::string caption);

    // The captions of the marked entries in list order: what the next run uses. An empty
    // caption is no term to search for and is left out.
    std::vector<std::string> markedCaptions() const;

    // The term file (.tms): the counts, the column width, then "0,index,caption" for each entry
    // with a caption; line breaks inside a caption are kept as tab and backspace. No marks.
    std::string toTermFile() const;
    // Replaces the list with the entries of a term file, all unmarked, up to the last entry the
    // file holds. The list is emptied first, so a failing read leaves what was read so far.
    // Throws TermFileError.
    void readTermFile(std::string_view bytes, const std::string& fileName);

private:
    std::vector<TermEntry> m_entries;
    int m_columnWidth = 250;
};
