#include "pageprep/core/workfiles.h"

#include <algorithm>

#include "platform/core/text.h"

bool sortsAfterBlank(std::string_view entry) {
    return entry > std::string_view(" ");
}

void WorkFiles::clear() {
    m_entries.clear();
    m_rows.clear();
}

void WorkFiles::load(std::vector<std::string> entries) {
    m_entries = std::move(entries);
    m_rows.clear();
    for (const std::string& entry : m_entries) {
        if (sortsAfterBlank(entry))
            m_rows.push_back({entry, false});
    }
}

bool WorkFiles::contains(std::string_view entry) const {
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [&](const std::string& e) { return equalsIgnoringCase(e, entry); });
}

bool WorkFiles::add(const std::string& entry) {
    if (contains(entry))
        return false;
    m_entries.push_back(entry);
    if (sortsAfterBlank(entry))
        m_rows.push_back({entry, false});
    return true;
}

void WorkFiles::setTicked(size_t row, bool ticked) {
    m_rows.at(row).ticked = ticked;
}

void WorkFiles::setAllTicked(bool ticked) {
    for (Row& row : m_rows)
        row.ticked = ticked;
}

int WorkFiles::deleteTicked() {
    for (const Row& row : m_rows) {
        if (!row.ticked)
            continue;
        auto entry = std::find_if(m_entries.begin(), m_entries.end(),
                                  [&](const std::string& e) { return equalsIgnoringCase(e, row.caption); });
        if (entry != m_entries.end())
            m_entries.erase(entry);
    }
    const size_t before = m_rows.size();
    std::erase_if(m_rows, [](const Row& row) { return row.ticked; });
    return static_cast<int>(before - m_rows.size());
}

std::vector<std::string> WorkFiles::activeFiles() const {
    std::vector<std::string> active;
    for (const Row& row : m_rows) {
        if (row.ticked)
            active.push_back(row.caption);
    }
    if (active.empty())
        active.push_back("None");
    return active;
}

ListGuard deleteGuard(std::string_view list, std::string_view project) {
    if (list == project)
        return ListGuard::DefaultList;
    if (upperAscii(list) == "BASE")
        return ListGuard::BaseList;
    return ListGuard::Allowed;
}

ListGuard renameGuard(std::string_view list, std::string_view project) {
    if (!sortsAfterBlank(list))
        return ListGuard::NoName;
    if (upperAscii(list) == "BASE")
        return ListGuard::BaseList;
    if (list == project)
        return ListGuard::DefaultList;
    return ListGuard::Allowed;
}
