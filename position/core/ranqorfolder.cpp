#include "position/core/ranqorfolder.h"

std::optional<std::string> missingRanqorFolder(const std::filesystem::path& root) {
    std::error_code ec;
    if (std::filesystem::is_directory(root, ec))
        return std::nullopt;
    return "The program folder " + root.string() +
           " does not exist. Set RANQOR_HOME to a ranqor program folder, or start ranqor with "
           "scripts/ranqor, which builds it and puts its program folder beside it; an installed ranqor "
           "gives each user a copy of its own.";
}
