#include "pageprep/core/projectcontext.h"

std::string pageFileName(std::string_view entry) {
    size_t cut = entry.find_last_of("\\:");
    return std::string(cut == std::string_view::npos ? entry : entry.substr(cut + 1));
}

std::string pageAddress(std::string_view webPath, std::string_view entry) {
    return std::string(webPath) + "/" + pageFileName(entry);
}
