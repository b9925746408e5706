#include "platform/core/definitionfile.h"

#include <algorithm>

#include "platform/core/safefile.h"
#include "platform/core/text.h"

namespace {

size_t variableIndex(char letter) {
    char upper = (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 'a' + 'A') : letter;
    if (upper < 'A' || upper > 'Z')
        throw std::out_of_range(std::string("no template variable ") + letter);
    return static_cast<size_t>(upper - 'A');
}

constexpr std::string_view kHeaderWord = "Header:";

// The characters a header field name may hold.
bool isTokenCharacter(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
}

bool isHeaderLine(std::string_view line) {
    return startsWithIgnoringCase(trimmedView(line), kHeaderWord);
}

bool isVariableLetter(char c, const TemplateRules& rules) {
    const char upper = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return (upper >= 'A' && upper <= 'H') || rules.extraLetters.find(upper) != std::string::npos;
}

}  // namespace

std::string& TemplateVariables::operator[](char letter) {
    return m_values[variableIndex(letter)];
}

const std::string& TemplateVariables::operator[](char letter) const {
    return m_values[variableIndex(letter)];
}

std::string percentEncodeValue(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        switch (c) {
            case '%':
                out += "%25";
                break;
            case '&':
                out += "%26";
                break;
            case '+':
                out += "%2B";
                break;
            case '#':
                out += "%23";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string expandTemplate(std::string_view text, const TemplateVariables& variables,
                           const DefinitionMessages& messages, const TemplateRules& rules) {
    std::string out;
    out.reserve(text.size() + 64);
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c != '#') {
            out += c;
            ++i;
            continue;
        }
        if (i + 1 >= text.size()) {
            if (!rules.trailingHashWarns)
                throw DefinitionError("The query template ends in a lone #.");
            if (messages.warning)
                messages.warning("Invalid variable: encountered. Ignoring it.");
            break;
        }
        char next = text[i + 1];
        if (next == '#') {
            out += '#';
        } else if (isVariableLetter(next, rules)) {
            const std::string& value = variables[next];
            char upper = upperAscii(std::string_view(&next, 1))[0];
            out += rules.encodedLetters.find(upper) != std::string::npos ? percentEncodeValue(value) : value;
        } else if (messages.warning) {
            messages.warning("Invalid variable:" + upperAscii(std::string_view(&next, 1)) +
                             " encountered. Ignoring it.");
        }
        i += 2;
    }
    return out;
}

EngineDefinition ReadEngineDefinition(const std::filesystem::path& path, const TemplateVariables& variables,
                                      const DefinitionMessages& messages, const TemplateRules& rules) {
    EngineDefinition definition;
    std::string text;
    try {
        text = readFileBytes(path);
    } catch (const FileError& e) {
        definition.readError = e.what();
        if (messages.error)
            messages.error("Error writing to " + path.string());
        return definition;
    }
    definition.read = true;
    DefinitionHeaders headers = readDefinitionHeaders(text);
    definition.headers = std::move(headers.fields);
    definition.headerProblems = std::move(headers.problems);
    std::vector<std::string> lines = splitLines(text);
    std::string flag = lines.size() > 0 ? lines[0] : std::string();
    std::string query = lines.size() > 1 ? lines[1] : std::string();
    definition.flag = flag == "1";
    if (flag.empty() || query.empty())
        return definition;
    definition.address = expandTemplate(query, variables, messages, rules);
    return definition;
}

std::string definitionFormError(std::string_view text, const TemplateRules& rules) {
    std::vector<std::string> lines = splitLines(text);
    if (lines.empty() || lines[0].empty())
        return "line 1, the flag, is empty";
    if (lines.size() < 2 || lines[1].empty())
        return "line 2, the address template, is empty";
    if (!startsWithIgnoringCase(lines[1], "http://") && !startsWithIgnoringCase(lines[1], "https://"))
        return "line 2 is no web address: " + lines[1].substr(0, 80);
    try {
        expandTemplate(lines[1], TemplateVariables(), DefinitionMessages(), rules);
    } catch (const DefinitionError& e) {
        return e.what();
    }
    return {};
}

DefinitionHeaders readDefinitionHeaders(std::string_view text) {
    DefinitionHeaders headers;
    std::vector<std::string> lines = splitLines(text);
    for (size_t i = 2; i < lines.size(); ++i) {
        if (!isHeaderLine(lines[i]))
            continue;
        const std::string where = "line " + std::to_string(i + 1) + ": ";
        std::string_view field = trimmedView(trimmedView(lines[i]).substr(kHeaderWord.size()));
        size_t colon = field.find(':');
        std::string_view name = trimmedView(field.substr(0, colon));
        if (colon == std::string_view::npos || name.empty() ||
            !std::all_of(name.begin(), name.end(), isTokenCharacter)) {
            headers.problems.push_back(where + "no header field \"Name: value\" after \"Header:\"");
            continue;
        }
        std::string_view value = trimmedView(field.substr(colon + 1));
        if (value.empty()) {
            headers.problems.push_back(where + "the header " + std::string(name) + " has no value");
            continue;
        }
        if (std::any_of(value.begin(), value.end(), [](char c) {
                return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7f;
            })) {
            headers.problems.push_back(where + "the value of the header " + std::string(name) +
                                       " holds a control character");
            continue;
        }
        headers.fields.push_back(std::string(name) + ": " + std::string(value));
    }
    return headers;
}

bool hasHeaderLines(std::string_view text) {
    std::vector<std::string> lines = splitLines(text);
    return std::any_of(lines.begin() + std::min<size_t>(2, lines.size()), lines.end(),
                       [](const std::string& line) { return isHeaderLine(line); });
}
