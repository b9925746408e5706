#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pageprep/core/headreader.h"

// One readiness check of a page: its head read, then the report built from what was read, as
// step 3 and `vistral readiness` both run it.

enum class ReadinessFault {
    None,
    Unreadable,    // the page could not be obtained: "Could not Load File, Error 101!", no report
    HeadFault,     // EInvalidHTMLFile or EInvalidMetaTag: shown, and the report is still made
    GeneralError,  // EMetaTagGeneralError: it ends the check without a report
};

struct ReadinessCheck {
    PageHead head;  // what was read before any fault
    ReadinessFault fault = ReadinessFault::None;
    std::string message;                             // the fault's message; empty without one
    std::optional<std::vector<std::string>> report;  // absent when none was made
};

extern const char* const CouldNotLoadFileMessage;

// The read that opens a check: the page's values, and its fault with the message; no report.
// `pageText` is absent when the page could not be read.
ReadinessCheck readPageValues(std::string_view pageName, const std::optional<std::string>& pageText,
                              const HeadProgress& progress = {});

// The read, then, unless the page was unreadable or the general error ended it, the report.
ReadinessCheck checkPageReadiness(std::string_view pageName, const std::optional<std::string>& pageText,
                                  const HeadProgress& progress = {});

// The command's output: the three values, the fault's message when there was one, then the
// report, each line ending in LF; CR and LF inside are written as the two characters \r and \n.
std::string formatReadinessOutput(const ReadinessCheck& check);

struct ReadinessCommandResult {
    std::string output;
    int exitStatus = 1;  // 0 when a report was made
};
ReadinessCommandResult runReadinessCommand(std::string_view pageName,
                                           const std::optional<std::string>& pageText);
