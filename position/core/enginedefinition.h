#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

// The eight program-wide template variables A to H. The position run sets C to the term and H to
// the address looked for; the others stay empty.
class TemplateVariables {
public:
    // letter is 'A'..'H' in either case.
    std::string& operator[](char letter);
    const std::string& operator[](char letter) const;

private:
    std::array<std::string, 8> m_values;
};

// A template that ends in a lone "#".
class DefinitionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Boxes the reading shows: a warning per invalid variable, an error for an unreadable file.
struct DefinitionMessages {
    std::function<void(const std::string&)> warning;
    std::function<void(const std::string&)> error;
};

// Expands a query template: "##" is "#", "#A".."#H" (either case) the variable's value, "#" and
// any other character a warning and nothing. Values go in as they are, without any encoding.
// Throws DefinitionError for a "#" at the very end.
std::string expandTemplate(std::string_view text, const TemplateVariables& variables,
                           const DefinitionMessages& messages);

struct EngineDefinition {
    std::string address;  // empty when the file is unreadable or line 1 or 2 is empty
    bool flag = false;    // line 1 is exactly "1"; read and kept, nothing acts on it
};

// Reads line 1 (the flag) and line 2 (the query template) of a definition file and expands the
// template. An unreadable file shows "Error writing to " + path and gives an empty address.
// Throws DefinitionError from the expansion.
EngineDefinition ReadEngineDefinition(const std::filesystem::path& path, const TemplateVariables& variables,
                                      const DefinitionMessages& messages);
