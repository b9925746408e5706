#include "submission/core/projects.h"

#include <algorithm>

#include "pageprep/core/folderfiles.h"
#include "platform/core/gridfile.h"
#include "platform/core/programfolder.h"
#include "platform/core/settingsstore.h"
#include "platform/core/text.h"
#include "sitetools/core/filelist.h"
#include "submission/core/gridrows.h"

namespace fs = std::filesystem;

namespace {

std::string projectPath(std::string_view name) {
    return "My Projects\\" + std::string(name);
}

}  // namespace

std::vector<std::string> listProjects(const ProgramFolder& folder) {
    std::vector<std::string> names;
    ListFilesByExtension(folder.resolve("My Profiles"), "rpf", names);
    return names;
}

std::optional<std::string> findProject(const ProgramFolder& folder, std::string_view name) {
    for (const std::string& project : listProjects(folder)) {
        if (equalsIgnoringCase(project, name))
            return project;
    }
    return std::nullopt;
}

bool isBaseProject(std::string_view name) {
    return upperAscii(name) == "BASE";
}

std::array<std::string, 3> projectValueNames(std::string_view name) {
    const std::string n(name);
    return {n, n + "WebType", n + "Category"};
}

StoredProjectSettings readProjectSettings(const SettingsStore& store, std::string_view name) {
    const std::array<std::string, 3> names = projectValueNames(name);
    return {store.readValue(kVistralKey, names[0]), store.readValue(kVistralKey, names[1]),
            store.readValue(kVistralKey, names[2])};
}

void writeProjectSettings(SettingsStore& store, std::string_view name, const std::string& webPath,
                          const std::string& webType, const std::string& category) {
    const std::array<std::string, 3> names = projectValueNames(name);
    store.writeValue(kVistralKey, names[0], webPath);
    store.writeValue(kVistralKey, names[1], webType);
    store.writeValue(kVistralKey, names[2], category);
}

WebType webTypeFromText(std::string_view text) {
    if (text == "0")
        return WebType::Local;
    if (text == "2")
        return WebType::SecureNet;
    return WebType::Net;
}

std::optional<NameRefusal> refuseProjectName(std::string_view name,
                                             const std::vector<std::string>& existing) {
    using Box = NameRefusal::Box;
    if (name < std::string_view(" "))
        return NameRefusal{Box::Plain, "You must specify a name to save the project"};
    if (name.find(' ') != std::string_view::npos)
        return NameRefusal{Box::Error, "Character in Project name [SPACE] Spaces Are not Allowed! "};
    if (std::optional<std::string> problem = fileNameProblem(name)) {
        return NameRefusal{Box::Error, "The project name \"" + std::string(name) + "\" cannot be used: " +
                                           *problem + ". A project name is used as a file and folder name."};
    }
    if (std::find(existing.begin(), existing.end(), name) != existing.end())
        return std::nullopt;
    for (const std::string& other : existing) {
        if (equalsIgnoringCase(other, name)) {
            return NameRefusal{Box::Error, "The project \"" + other + "\" exists already. \"" +
                                               std::string(name) +
                                               "\" differs from it only in letter case, and the two would "
                                               "share their settings: choose another name."};
        }
    }
    return std::nullopt;
}

void writeProjectFiles(const ProgramFolder& folder, std::string_view name, GridTable& profile) {
    const std::string n(name);
    removeBlankRows(profile);
    writeGridFile(folder.resolveForWriting("My Profiles\\" + n + ".rpf"), profile);
    std::error_code ec;
    const bool existed = fs::is_directory(folder.resolve(projectPath(n)), ec);
    const fs::path projectFolder = folder.folder(projectPath(n));
    if (!existed)
        writeFileList(projectFolder / (n + ".fls"), {"MySample.htm"});
    const std::pair<const char*, const char*> placeholders[] = {
        {".ttl", "Enter Site Title"}, {".dsc", "Enter Site Description"}, {".key", "Enter Site Key Words"}};
    for (const auto& [extension, line] : placeholders)
        writeFileList(folder.resolve(projectPath(n) + "\\" + n + extension), {line});
}

std::vector<std::string> deleteProjectFiles(const ProgramFolder& folder, std::string_view name) {
    const std::string n(name);
    std::vector<std::string> messages;
    const fs::path projectFolder = folder.resolve(projectPath(n));
    for (const char* extension : {"fls", "ttl", "dsc", "key"}) {
        try {
            DeleteFilesByExtension(projectFolder, extension);
        } catch (const DirectoryError& e) {
            messages.push_back(e.what());
        }
    }
    std::error_code ec;
    fs::remove(folder.resolve("My Profiles\\" + n + ".rpf"), ec);
    return messages;
}
