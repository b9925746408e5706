// Reads random bytes as an engine rule file and checks what must hold for any input: a refused
// file names a line it has (or 0) and a reason; a rule writes out to a file that reads back as
// the same rule; and a page rule prepares a page and cuts rows from it without failing, the page
// being the input itself.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/core/text.h"
#include "position/core/rulefile.h"

namespace {

EngineRuleFile withoutLines(EngineRuleFile rule) {
    if (PageRule* page = std::get_if<PageRule>(&rule)) {
        for (RuleStep& step : page->steps)
            step.line = 0;
    }
    return rule;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const RuleFileReading reading = readRuleFile(bytes);
    if (!reading.ok()) {
        if (reading.errorLine < 0 || static_cast<size_t>(reading.errorLine) > splitLines(bytes).size())
            std::abort();
        return 0;
    }
    if (!reading.error.empty() || reading.errorLine != 0)
        std::abort();
    const RuleFileReading again = readRuleFile(formatRuleFile(reading.rule));
    if (!again.ok() || withoutLines(again.rule) != withoutLines(reading.rule))
        std::abort();
    if (const PageRule* page = std::get_if<PageRule>(&reading.rule)) {
        // An address may be cut to nothing by cut-address-at; a label never is.
        for (const ResultRow& row : pageRuleRows(*page, bytes)) {
            if (row.label.empty())
                std::abort();
        }
    }
    return 0;
}
