#include "submission/core/submissionrequest.h"

#include <algorithm>

#include "platform/core/safefile.h"
#include "platform/core/text.h"
#include "submission/core/profile.h"

namespace {

constexpr std::string_view kSuccessWord = "Success:";

// The three digits of a status code, 100 to 599; -1 for anything else.
int statusCodeValue(std::string_view text) {
    if (text.size() != 3 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    const int value = (text[0] - '0') * 100 + (text[1] - '0') * 10 + (text[2] - '0');
    return value >= 100 && value <= 599 ? value : -1;
}

// The code of a status line such as "HTTP/1.1 202 Accepted"; -1 when it has none.
int statusCodeOf(std::string_view statusLine) {
    if (!startsWithIgnoringCase(statusLine, "HTTP/"))
        return -1;
    const size_t space = statusLine.find(' ');
    if (space == std::string_view::npos)
        return -1;
    std::string_view rest = statusLine.substr(space + 1);
    return statusCodeValue(rest.substr(0, rest.find(' ')));
}

}  // namespace

std::string submissionDefinitionPath(std::string_view engine) {
    return "edata\\" + std::string(engine) + ".hdf";
}

void setSubmissionVariables(TemplateVariables& variables, const SubmissionProfile& profile,
                            std::string_view translatedCategory, std::string_view pageAddress) {
    variables['A'] = profile.siteDescription;
    variables['B'] = profile.siteTitle;
    variables['C'] = profile.siteKeyWords;
    variables['D'] = profile.lastName;
    variables['E'] = profile.email;
    variables['F'] = translatedCategory;
    variables['G'].clear();
    variables['H'] = pageAddress;
    variables['K'] = profile.indexNowKey;
}

std::optional<std::string> LoadData(const std::filesystem::path& definition,
                                    const TemplateVariables& variables, const DefinitionMessages& messages) {
    EngineDefinition read = ReadEngineDefinition(definition, variables, messages, kVistralTemplateRules);
    if (!read.read)
        return std::nullopt;
    return read.address;
}

std::optional<SubmissionDefinition> loadSubmissionDefinition(const std::filesystem::path& definition,
                                                             const TemplateVariables& variables,
                                                             const DefinitionMessages& messages) {
    EngineDefinition read = ReadEngineDefinition(definition, variables, messages, kVistralTemplateRules);
    if (!read.read)
        return std::nullopt;
    SubmissionDefinition out{
        std::move(read.address), std::move(read.headers), {}, std::move(read.headerProblems)};
    std::string text;
    try {
        text = readFileBytes(definition);
    } catch (const FileError&) {
        // Gone since it was read: its request goes out, judged by the exact status lines.
        return out;
    }
    SuccessCodes success = readSuccessCodes(text);
    out.successCodes = std::move(success.codes);
    out.problems.insert(out.problems.end(), success.problems.begin(), success.problems.end());
    return out;
}

SuccessCodes readSuccessCodes(std::string_view text) {
    SuccessCodes success;
    const std::vector<std::string> lines = splitLines(text);
    for (size_t i = 2; i < lines.size(); ++i) {
        std::string_view line = trimmedView(lines[i]);
        if (!startsWithIgnoringCase(line, kSuccessWord))
            continue;
        const std::string where = "line " + std::to_string(i + 1) + ": ";
        std::vector<int> codes;
        std::string bad;
        std::string_view rest = line.substr(kSuccessWord.size());
        while (!rest.empty() && bad.empty()) {
            const size_t start = rest.find_first_not_of(" \t,");
            if (start == std::string_view::npos)
                break;
            rest = rest.substr(start);
            const size_t end = std::min(rest.find_first_of(" \t,"), rest.size());
            const std::string_view token = rest.substr(0, end);
            const int code = statusCodeValue(token);
            if (code < 0)
                bad = token;
            else
                codes.push_back(code);
            rest = rest.substr(end);
        }
        if (!bad.empty())
            success.problems.push_back(where + "\"" + bad + "\" is no status code from 100 to 599");
        else if (codes.empty())
            success.problems.push_back(where + "no status code after \"Success:\"");
        else
            success.codes.insert(success.codes.end(), codes.begin(), codes.end());
    }
    return success;
}

bool submissionAccepted(std::string_view statusLine, const std::vector<int>& successCodes) {
    if (successCodes.empty())
        return submissionAccepted(statusLine);
    const int code = statusCodeOf(statusLine);
    return std::find(successCodes.begin(), successCodes.end(), code) != successCodes.end();
}

bool submissionAccepted(std::string_view statusLine) {
    return statusLine == "HTTP/1.0 200 OK" || statusLine == "HTTP/1.1 200 OK" ||
           statusLine == "Status: HTTP/1.1 200 Document Follows";
}
