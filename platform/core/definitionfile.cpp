#include "platform/core/definitionfile.h"

#include "platform/core/safefile.h"
#include "platform/core/text.h"

namespace {

size_t variableIndex(char letter) {
    char upper = (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 'a' + 'A') : letter;
    if (upper < 'A' || upper > 'H')
        throw std::out_of_range(std::string("no template variable ") + letter);
    return static_cast<size_t>(upper - 'A');
}

bool isVariableLetter(char c) {
    return (c >= 'A' && c <= 'H') || (c >= 'a' && c <= 'h');
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
        } else if (isVariableLetter(next)) {
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
    std::vector<std::string> lines = splitLines(text);
    std::string flag = lines.size() > 0 ? lines[0] : std::string();
    std::string query = lines.size() > 1 ? lines[1] : std::string();
    definition.flag = flag == "1";
    if (flag.empty() || query.empty())
        return definition;
    definition.address = expandTemplate(query, variables, messages, rules);
    return definition;
}
