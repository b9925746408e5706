#include "platform/core/enginelist.h"

#include "platform/core/gridfile.h"

void EngineList::load(const std::filesystem::path& catalog) {
    m_entries.clear();
    GridTable table(2, 1);
    readGridFile(table, catalog);
    for (int row = 0; row < table.rowCount(); ++row) {
        m_entries.push_back({table.cell(0, row), table.columnCount() > 1 ? table.cell(1, row) : "", false});
    }
}

void EngineList::setMark(int index, bool marked) {
    m_entries.at(static_cast<size_t>(index)).marked = marked;
}

void EngineList::setAllMarks(bool marked) {
    for (EngineEntry& entry : m_entries)
        entry.marked = marked;
}

std::vector<std::string> EngineList::markedNames() const {
    std::vector<std::string> names;
    for (const EngineEntry& entry : m_entries) {
        if (entry.marked)
            names.push_back(entry.name);
    }
    return names;
}
