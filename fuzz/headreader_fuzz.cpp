// Reads random bytes as a page and runs the whole readiness check on them. Only the reader's own
// error kinds may leave it; after a fault no description or keywords are delivered; the values,
// read from single head lines, hold no line break; and the command's output has exactly one line
// per value, message and report line. Anything else, and any sanitizer report, is a crash.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "pageprep/core/readinesscheck.h"

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<std::string> page(std::in_place, reinterpret_cast<const char*>(data), size);
    const ReadinessCheck check = checkPageReadiness("fuzz.htm", page);

    const bool faulted = check.fault != ReadinessFault::None;
    require(faulted != check.message.empty());
    if (faulted)
        require(check.head.description.empty() && check.head.keywords.empty());
    for (const std::string* value : {&check.head.description, &check.head.keywords})
        require(value->find_first_of("\r\n") == std::string::npos);
    require(check.report.has_value() == (check.fault != ReadinessFault::GeneralError));

    const std::string output = formatReadinessOutput(check);
    std::size_t lines = 3 + (faulted ? 1 : 0) + (check.report ? check.report->size() : 0);
    for (char c : output) {
        require(c != '\r');
        if (c == '\n')
            --lines;
    }
    require(lines == 0 && output.back() == '\n');
    return 0;
}
