#pragma once

#include <string>
#include <string_view>
#include <vector>

// An entry of a page list gets a row of its own only when it sorts after a single blank in byte
// order: empty entries, a lone blank and entries that begin with a control character have none.
bool sortsAfterBlank(std::string_view entry);

// The pages of the list being worked on (WorkFileList) and the rows the page list shows for
// them, each with its tick. Entries read from a file stay as they are, blank ones included; an
// entry the user adds is appended only when no entry equals it without regard to letter case.
// A row keeps the caption it was given, so deleting ticked rows removes the entries that equal
// their captions.
class WorkFiles {
public:
    struct Row {
        std::string caption;
        bool ticked = false;
    };

    const std::vector<std::string>& entries() const { return m_entries; }
    const std::vector<Row>& rows() const { return m_rows; }

    void clear();
    // Replaces the entries with a list's and gives each entry that shows a row, unticked.
    void load(std::vector<std::string> entries);
    bool contains(std::string_view entry) const;
    // Appends entry unless an equal one is there; false when it was there.
    bool add(const std::string& entry);

    void setTicked(size_t row, bool ticked);
    void setAllTicked(bool ticked);

    // For each ticked row, top to bottom, removes the first entry equal to its caption; then
    // removes the ticked rows. Returns how many rows went.
    int deleteTicked();

    // ActiveFiles: the captions of the ticked rows, top to bottom, or the single entry "None".
    std::vector<std::string> activeFiles() const;

private:
    std::vector<std::string> m_entries;
    std::vector<Row> m_rows;
};

// Which list of a project may not be deleted or renamed.
enum class ListGuard { Allowed, NoName, DefaultList, BaseList };

// Delete checks the project's default list (named like the project, exactly) before a list
// named "BASE" in any letter case; Rename checks the two the other way round, and does nothing
// for a name that sorts at or before a single blank.
ListGuard deleteGuard(std::string_view list, std::string_view project);
ListGuard renameGuard(std::string_view list, std::string_view project);
