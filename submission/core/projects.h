#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pageprep/core/projectcontext.h"

class GridTable;
class ProgramFolder;
class SettingsStore;

// Projects: one web site each, kept as a profile "My Profiles\" + name + ".rpf" (a project exists
// exactly when its profile does), a folder "My Projects\" + name with its page lists, and three
// values in the program's settings key named after the project.

inline constexpr const char* kVistralKey = "\\Software\\Orlek\\Vistral";
inline constexpr const char* kSupportAddress = "support@orlek.example";

// The project names, from the profiles in the order the folder lists them. Throws
// DirectoryError when "My Profiles" cannot be entered.
std::vector<std::string> listProjects(const ProgramFolder& folder);

// The project called name, without regard to letter case as profiles and settings are found, in
// the spelling of its profile; nothing when there is none. Throws DirectoryError as listProjects.
std::optional<std::string> findProject(const ProgramFolder& folder, std::string_view name);

// The Base project ships with the program and is never deleted, in any letter case.
bool isBaseProject(std::string_view name);

// The settings value names of a project: web path, web type and category.
std::array<std::string, 3> projectValueNames(std::string_view name);

// The three values as stored; each is missing when the store has no such value.
struct StoredProjectSettings {
    std::optional<std::string> webPath;
    std::optional<std::string> webType;
    std::optional<std::string> category;
};
StoredProjectSettings readProjectSettings(const SettingsStore& store, std::string_view name);
void writeProjectSettings(SettingsStore& store, std::string_view name, const std::string& webPath,
                          const std::string& webType, const std::string& category);

// The web type a stored text names: "0", "1" or "2"; anything else is a web on the net, the
// editor's own first choice.
WebType webTypeFromText(std::string_view text);

// A name the Project Editor refuses to save under, and what the user is told.
struct NameRefusal {
    enum class Box { Plain, Error };
    Box box;
    std::string text;
};

// Why a project cannot be saved as name, or nothing. existing are the projects there are: a new
// name that equals one of them in another letter case is refused, since the settings store
// compares value names without regard to case and the two would share their settings.
std::optional<NameRefusal> refuseProjectName(std::string_view name, const std::vector<std::string>& existing);

// Writes the project's files: the profile, after its blank rows are removed; the project folder
// with its default list holding "MySample.htm" when the folder is new; and the title,
// description and key word files of the default list with their placeholder lines, on every
// save. Throws FileError or GridFileError at the first write that fails.
void writeProjectFiles(const ProgramFolder& folder, std::string_view name, GridTable& profile);

// Deletes the project's lists and their title, description and key word files, then its
// profile; its folder, other files and settings stay. Returns the message of each file kind
// whose folder could not be entered ("Invalid Directory - " + folder).
std::vector<std::string> deleteProjectFiles(const ProgramFolder& folder, std::string_view name);
