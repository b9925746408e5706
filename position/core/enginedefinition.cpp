#include "position/core/enginedefinition.h"

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

std::string expandTemplate(std::string_view text, const TemplateVariables& variables,
                           const DefinitionMessages& messages) {
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
        if (i + 1 >= text.size())
            throw DefinitionError("The query template ends in a lone #.");
        char next = text[i + 1];
        if (next == '#') {
            out += '#';
        } else if (isVariableLetter(next)) {
            out += variables[next];
        } else if (messages.warning) {
            messages.warning("Invalid variable:" + upperAscii(std::string_view(&next, 1)) +
                             " encountered. Ignoring it.");
        }
        i += 2;
    }
    return out;
}

EngineDefinition ReadEngineDefinition(const std::filesystem::path& path, const TemplateVariables& variables,
                                      const DefinitionMessages& messages) {
    EngineDefinition definition;
    std::string text;
    try {
        text = readFileBytes(path);
    } catch (const FileError&) {
        if (messages.error)
            messages.error("Error writing to " + path.string());
        return definition;
    }
    std::vector<std::string> lines = splitLines(text);
    std::string flag = lines.size() > 0 ? lines[0] : std::string();
    std::string query = lines.size() > 1 ? lines[1] : std::string();
    definition.flag = flag == "1";
    if (flag.empty() || query.empty())
        return definition;
    definition.address = expandTemplate(query, variables, messages);
    return definition;
}
