#include "bench/htmlcorpus.h"

#include <algorithm>
#include <fstream>
#include <iterator>

std::vector<std::string> loadHtmlPages(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> paths;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
         it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        const auto extension = it->path().extension();
        if (it->is_regular_file() && (extension == ".html" || extension == ".htm")) {
            paths.push_back(it->path());
        }
    }
    std::sort(paths.begin(), paths.end());
    std::vector<std::string> pages;
    for (const auto& path : paths) {
        std::ifstream in(path, std::ios::binary);
        pages.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return pages;
}
