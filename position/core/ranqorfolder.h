#pragma once

#include <filesystem>
#include <optional>
#include <string>

// What to tell a user whose program folder does not exist: which folder is missing and how to get
// one. Nothing when the folder exists.
std::optional<std::string> missingRanqorFolder(const std::filesystem::path& root);
