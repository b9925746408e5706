#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The .html and .htm files below `folder`, in path order, as bytes: the benchmarks' real pages
// (bench/setup installs Debian's git-doc pages for them).
std::vector<std::string> loadHtmlPages(const std::filesystem::path& folder);
