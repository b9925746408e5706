#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A folder that cannot be entered; what() is the message the user is shown:
// "Invalid Directory - " + the folder.
class DirectoryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Adds to target, for each file (not folder) of folder whose extension is extension (without
// the dot, compared without regard to letter case), the file's name without the extension, in
// the order the folder lists them. Returns how many it added. Throws DirectoryError and adds
// nothing when the folder cannot be entered.
int ListFilesByExtension(const std::filesystem::path& folder, std::string_view extension,
                         std::vector<std::string>& target);

// Deletes every file (not folder) of folder with that extension; returns how many it deleted.
// Throws DirectoryError when the folder cannot be entered.
int DeleteFilesByExtension(const std::filesystem::path& folder, std::string_view extension);

// Why name cannot become one file or folder name inside its folder, or nothing when it can. A
// user's project and list names are such names: one holding a path separator, "." or "..", a
// NUL or another control character, or more bytes than a file name may hold with its extension,
// would write outside its folder or fail half way.
std::optional<std::string> fileNameProblem(std::string_view name);
