#include "platform/core/programfolder.h"

#include <cstdlib>
#include <vector>

#include "platform/core/text.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> components(std::string_view relative) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : relative) {
        if (c == '\\' || c == '/') {
            if (!current.empty())
                parts.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        parts.push_back(std::move(current));
    return parts;
}

// The existing entry of folder whose name equals name ignoring case; an exact match wins.
fs::path matchEntry(const fs::path& folder, const std::string& name) {
    fs::path exact = folder / name;
    std::error_code ec;
    if (name == "." || name == ".." || fs::exists(exact, ec))
        return exact;
    fs::path found;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (equalsIgnoringCase(entry, name) && (found.empty() || entry < found.filename().string())) {
            found = it->path();
        }
    }
    return found.empty() ? exact : found;
}

bool isAbsolute(std::string_view path) {
    return !path.empty() && (path[0] == '/');
}

}  // namespace

bool isPlainName(std::string_view name) {
    if (name.empty() || name == "." || name.find("..") != std::string_view::npos)
        return false;
    return name.find_first_of("/\\") == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

bool staysInside(std::string_view relative) {
    if (relative.empty() || isAbsolute(relative) || relative.find(':') != std::string_view::npos)
        return false;
    for (const std::string& part : components(relative)) {
        if (part == "..")
            return false;
    }
    return !components(relative).empty();
}

ProgramFolder::ProgramFolder(fs::path root) : m_root(std::move(root)) {}

fs::path ProgramFolder::resolve(std::string_view relative) const {
    fs::path result = isAbsolute(relative) ? fs::path("/") : m_root;
    for (const std::string& part : components(relative))
        result = matchEntry(result, part);
    return result;
}

fs::path ProgramFolder::resolveForWriting(std::string_view relative) const {
    fs::path path = resolve(relative);
    if (path.has_parent_path()) {
        std::error_code ec;
        fs::create_directories(path.parent_path(), ec);
    }
    return path;
}

fs::path ProgramFolder::folder(std::string_view relative) const {
    fs::path path = resolve(relative);
    std::error_code ec;
    fs::create_directories(path, ec);
    return path;
}

fs::path ProgramFolder::locate(const Location& where) {
    if (const char* env = std::getenv(where.environmentVariable.c_str()); env && *env)
        return fs::path(env);
    std::error_code ec;
    if (!where.executableDir.empty() && fs::is_directory(where.executableDir / where.marker, ec)) {
        return where.executableDir;
    }
    fs::path dataHome;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
        dataHome = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        dataHome = fs::path(home) / ".local" / "share";
    } else {
        dataHome = fs::temp_directory_path();
    }
    fs::path own = dataHome / where.userFolderName;
    if (!where.installedData.empty() && fs::is_directory(where.installedData, ec)) {
        fs::create_directories(own, ec);
        // A newer installation may bring files the user's copy lacks; the user's own files stay.
        fs::copy(where.installedData, own, fs::copy_options::recursive | fs::copy_options::skip_existing, ec);
    }
    return own;
}
