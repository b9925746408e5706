#include "pageprep/core/folderfiles.h"

#include "platform/core/text.h"

namespace fs = std::filesystem;

namespace {

// Room for the extension a name gets (".fls") and the temporary name a safe write uses beside it.
constexpr size_t kLongestName = 200;

std::vector<fs::path> filesWithExtension(const fs::path& folder, std::string_view extension) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        throw DirectoryError("Invalid Directory - " + folder.string());
    std::vector<fs::path> files;
    const std::string wanted = "." + std::string(extension);
    for (fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            break;
        std::error_code typeError;
        if (it->is_directory(typeError))
            continue;
        if (equalsIgnoringCase(it->path().extension().string(), wanted))
            files.push_back(it->path());
    }
    return files;
}

}  // namespace

int ListFilesByExtension(const fs::path& folder, std::string_view extension,
                         std::vector<std::string>& target) {
    std::vector<fs::path> files = filesWithExtension(folder, extension);
    for (const fs::path& file : files)
        target.push_back(file.stem().string());
    return static_cast<int>(files.size());
}

int DeleteFilesByExtension(const fs::path& folder, std::string_view extension) {
    int deleted = 0;
    for (const fs::path& file : filesWithExtension(folder, extension)) {
        std::error_code ec;
        if (fs::remove(file, ec))
            ++deleted;
    }
    return deleted;
}

std::optional<std::string> fileNameProblem(std::string_view name) {
    if (name.empty())
        return "it is empty";
    if (name == "." || name == "..")
        return "\".\" and \"..\" name folders";
    if (name.find_first_of("\\/") != std::string_view::npos)
        return "it holds a \\ or a /, which separate folders";
    for (unsigned char c : name) {
        if (c < 32 || c == 127)
            return "it holds a control character";
    }
    if (name.size() > kLongestName)
        return "it is longer than " + std::to_string(kLongestName) + " characters";
    return std::nullopt;
}
