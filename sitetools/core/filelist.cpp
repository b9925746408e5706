#include "sitetools/core/filelist.h"

#include "platform/core/text.h"

namespace {

std::string_view beforeNul(std::string_view bytes) {
    return bytes.substr(0, bytes.find('\0'));
}

std::string readBytes(const std::filesystem::path& path) {
    try {
        return readFileBytes(path);
    } catch (const FileError& e) {
        throw FileListError(std::string("Cannot read ") + e.what());
    }
}

void writeBytes(const std::filesystem::path& path, std::string_view data) {
    // An empty path would make the atomic write create its temporary file in the working folder.
    if (path.empty())
        throw FileListError("Cannot write the file list: no file name was given");
    try {
        writeFileAtomically(path, data);
    } catch (const FileError& e) {
        throw FileListError(std::string("Cannot write ") + e.what());
    }
}

}  // namespace

std::vector<std::string> parseFileList(std::string_view bytes) {
    return splitLines(beforeNul(bytes));
}

std::string formatFileList(const std::vector<std::string>& entries) {
    std::string out;
    for (const std::string& entry : entries) {
        out += entry;
        out += "\r\n";
    }
    return out;
}

std::vector<std::string> readFileList(const std::filesystem::path& path) {
    return parseFileList(readBytes(path));
}

void writeFileList(const std::filesystem::path& path, const std::vector<std::string>& entries) {
    writeBytes(path, formatFileList(entries));
}

std::string readFileListText(const std::filesystem::path& path) {
    return withCrLf(beforeNul(readBytes(path)));
}

void writeFileListText(const std::filesystem::path& path, std::string_view text) {
    writeBytes(path, withCrLf(text));
}
