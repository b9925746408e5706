#include "pageprep/core/projectlists.h"

#include "pageprep/core/folderfiles.h"
#include "platform/core/programfolder.h"
#include "sitetools/core/filelist.h"

namespace fs = std::filesystem;

ProjectFileLists::ProjectFileLists(const ProgramFolder& folder, std::string project)
    : m_folder(folder), m_project(std::move(project)) {}

fs::path ProjectFileLists::projectFolder() const {
    return m_folder.resolve("My Projects\\" + m_project);
}

fs::path ProjectFileLists::fileOfList(std::string_view list, std::string_view extension) const {
    return m_folder.resolve("My Projects\\" + m_project + "\\" + std::string(list) + std::string(extension));
}

fs::path ProjectFileLists::listFile(std::string_view list) const {
    return fileOfList(list, ".fls");
}

std::vector<std::string> ProjectFileLists::names() const {
    std::vector<std::string> names;
    ListFilesByExtension(projectFolder(), "fls", names);
    return names;
}

std::vector<std::string> ProjectFileLists::read(std::string_view list) const {
    return readFileList(listFile(list));
}

void ProjectFileLists::write(std::string_view list, const std::vector<std::string>& entries) const {
    writeFileList(listFile(list), entries);
}

void ProjectFileLists::remove(std::string_view list) const {
    std::error_code ec;
    fs::remove(listFile(list), ec);
}

void ProjectFileLists::rename(std::string_view from, std::string_view to,
                              const std::vector<std::string>& entries) const {
    const fs::path old = listFile(from);
    const fs::path renamed = listFile(to);
    writeFileList(renamed, entries);
    // A new name that differs only in letter case resolves to the old file itself.
    if (old != renamed) {
        std::error_code ec;
        fs::remove(old, ec);
    }
}

void ProjectFileLists::writePageValues(std::string_view list, const PageValueLines& values) const {
    writeFileList(fileOfList(list, ".ttl"), values.title);
    writeFileList(fileOfList(list, ".dsc"), values.description);
    writeFileList(fileOfList(list, ".key"), values.keywords);
}
