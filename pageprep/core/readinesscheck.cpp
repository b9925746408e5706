#include "pageprep/core/readinesscheck.h"

#include "pageprep/core/readinessreport.h"

const char* const CouldNotLoadFileMessage = "Could not Load File, Error 101!";

namespace {

void appendEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
}

void appendLine(std::string& out, std::string_view label, std::string_view text) {
    out += label;
    appendEscaped(out, text);
    out += '\n';
}

}  // namespace

ReadinessCheck readPageValues(std::string_view pageName, const std::optional<std::string>& pageText,
                              const HeadProgress& progress) {
    ReadinessCheck check;
    if (!pageText) {
        check.fault = ReadinessFault::Unreadable;
        check.message = CouldNotLoadFileMessage;
        return check;
    }
    try {
        ReadPageHead(*pageText, pageName, check.head, progress);
    } catch (const EInvalidHTMLFile& error) {
        check.fault = ReadinessFault::HeadFault;
        check.message = error.what();
    } catch (const EInvalidMetaTag& error) {
        check.fault = ReadinessFault::HeadFault;
        check.message = error.what();
    } catch (const EMetaTagGeneralError& error) {
        check.fault = ReadinessFault::GeneralError;
        check.message = error.what();
    }
    return check;
}

ReadinessCheck checkPageReadiness(std::string_view pageName, const std::optional<std::string>& pageText,
                                  const HeadProgress& progress) {
    ReadinessCheck check = readPageValues(pageName, pageText, progress);
    if (check.fault != ReadinessFault::Unreadable && check.fault != ReadinessFault::GeneralError)
        check.report = buildReadinessReport(check.head.keywords, check.head.description, *pageText);
    return check;
}

std::string formatReadinessOutput(const ReadinessCheck& check) {
    std::string out;
    appendLine(out, "Title: ", check.head.title);
    appendLine(out, "Description: ", check.head.description);
    appendLine(out, "Keywords: ", check.head.keywords);
    if (check.fault != ReadinessFault::None)
        appendLine(out, "Message: ", check.message);
    if (check.report) {
        for (const std::string& line : *check.report)
            appendLine(out, "", line);
    }
    return out;
}

ReadinessCommandResult runReadinessCommand(std::string_view pageName,
                                           const std::optional<std::string>& pageText) {
    const ReadinessCheck check = checkPageReadiness(pageName, pageText);
    return {formatReadinessOutput(check), check.report ? 0 : 1};
}
