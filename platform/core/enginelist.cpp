#include "platform/core/enginelist.h"

#include <algorithm>

#include "platform/core/gridfile.h"
#include "platform/core/text.h"

void EngineList::load(const std::filesystem::path& catalog) {
    m_entries.clear();
    GridTable table(2, 1);
    readGridFile(table, catalog);
    for (int row = 0; row < table.rowCount(); ++row) {
        m_entries.push_back({table.cell(0, row), table.columnCount() > 1 ? table.cell(1, row) : "", false});
    }
}

void EngineList::addMissing(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        bool listed = std::any_of(m_entries.begin(), m_entries.end(), [&](const EngineEntry& entry) {
            return equalsIgnoringCase(entry.name, name);
        });
        if (!listed)
            m_entries.push_back({name, "", false});
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
