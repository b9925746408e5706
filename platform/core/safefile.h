#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

// A file that could not be read or written; what() names the file and the reason.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the whole file as bytes. Throws FileError when it cannot be opened or read.
std::string readFileBytes(const std::filesystem::path& path);

// Writes data to a temporary file beside path and renames it over path, so a crash or a full
// disk leaves either the old file or the new one, never half of one. Creates missing parent
// folders. ownerOnly makes the file readable by its owner alone. Throws FileError.
void writeFileAtomically(const std::filesystem::path& path, std::string_view data, bool ownerOnly = false);

// Like writeFileAtomically, but never replaces a file: returns false, writing nothing, when path
// already exists at the moment the new file would take its place. Throws FileError.
bool writeNewFileAtomically(const std::filesystem::path& path, std::string_view data);
