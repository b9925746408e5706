#pragma once

#include <filesystem>
#include <string>
#include <vector>

// One engine of the engine catalog: its name (the key of its definition files and of everything
// else kept per engine) and its manual submission page.
struct EngineEntry {
    std::string name;
    std::string submitUrl;
    bool marked = false;
};

// The engines of the catalog as the engine step lists them, each with its tick.
class EngineList {
public:
    const std::vector<EngineEntry>& entries() const { return m_entries; }
    int size() const { return static_cast<int>(m_entries.size()); }

    // Empties the list and reads the catalog (a grid text file): every row, row 0 included, is
    // an entry, unmarked. Throws GridFileError and stays empty.
    void load(const std::filesystem::path& catalog);
    // Adds an unmarked entry for each name the list does not hold yet (compared without regard
    // to letter case), at its end.
    void addMissing(const std::vector<std::string>& names);

    void setMark(int index, bool marked);
    void setAllMarks(bool marked);
    // The names of the marked entries in list order.
    std::vector<std::string> markedNames() const;

private:
    std::vector<EngineEntry> m_entries;
};
