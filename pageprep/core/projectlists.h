#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class ProgramFolder;

// The named page lists of one project: list name + ".fls" in the folder "My Projects\" +
// project. Names are those of the files, matched without regard to letter case as every path of
// the program folder is.
class ProjectFileLists {
public:
    ProjectFileLists(const ProgramFolder& folder, std::string project);

    const std::string& project() const { return m_project; }
    std::filesystem::path projectFolder() const;
    std::filesystem::path listFile(std::string_view list) const;

    // The list names in the order the folder lists them. Throws DirectoryError.
    std::vector<std::string> names() const;
    // Throw FileListError.
    std::vector<std::string> read(std::string_view list) const;
    void write(std::string_view list, const std::vector<std::string>& entries) const;
    // A list that does not exist is no error.
    void remove(std::string_view list) const;

    // Writes entries under the new name, replacing a list of that name, and only then removes
    // the old list, so a failed write loses nothing. Throws FileListError.
    void rename(std::string_view from, std::string_view to, const std::vector<std::string>& entries) const;

    // The page values read for a list, stored beside it as list + ".ttl" (title), ".dsc"
    // (description) and ".key" (key words), each line followed by CR LF. Throws FileListError.
    struct PageValueLines {
        std::vector<std::string> title;
        std::vector<std::string> description;
        std::vector<std::string> keywords;
    };
    void writePageValues(std::string_view list, const PageValueLines& values) const;

private:
    std::filesystem::path fileOfList(std::string_view list, std::string_view extension) const;

    const ProgramFolder& m_folder;
    std::string m_project;
};
