#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/safefile.h"

// A file list (".fls", ".lls") is 8-bit text with one entry per line. Reading takes CR, LF or
// CR LF as one break, stops at a NUL, adds no entry after a final break and keeps empty lines as
// empty entries. Every piece of the programs that reads or writes a list goes through here.

// A list file that could not be read or written; what() says which file and why.
class FileListError : public FileError {
public:
    using FileError::FileError;
};

std::vector<std::string> parseFileList(std::string_view bytes);

// Every entry followed by CR LF, the last one included.
std::string formatFileList(const std::vector<std::string>& entries);

// Throw FileListError.
std::vector<std::string> readFileList(const std::filesystem::path& path);
void writeFileList(const std::filesystem::path& path, const std::vector<std::string>& entries);

// A list as a text editor holds it: the file's text up to a NUL, every break as CR LF, and a
// final break only where the file has one. Throws FileListError.
std::string readFileListText(const std::filesystem::path& path);

// Writes an editor's text as it is, every break as CR LF and nothing added at the end.
// Throws FileListError.
void writeFileListText(const std::filesystem::path& path, std::string_view text);
