#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The definition file both programs share: a flag line and a request template whose "#A".."#H"
// are filled from eight program-wide variables. The position checker sets C to the term and H to
// the address looked for; the submission tool fills A to F and H from the project and the page.
class TemplateVariables {
public:
    // letter is 'A'..'Z' in either case; a template reads only the letters its rules allow.
    std::string& operator[](char letter);
    const std::string& operator[](char letter) const;

private:
    std::array<std::string, 26> m_values;
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

// Where the two programs fill templates differently.
struct TemplateRules {
    // Variables whose values are percent-encoded as they go in (see percentEncodeValue).
    std::string encodedLetters;
    // A "#" at the very end of the template: false throws DefinitionError; true warns like an
    // invalid variable and keeps what was built.
    bool trailingHashWarns = false;
    // Letters past "H" that are variables too; any other is an invalid variable.
    std::string extraLetters{};
};

// The position checker encodes the term and the address; a trailing "#" is an error.
inline const TemplateRules kRanqorTemplateRules{"CH", false};
// The submission tool encodes the profile values and the page address, never the category, whose
// translated values (such as "T17=1") are meant as pieces of the request; it fills K, the
// IndexNow key, too.
inline const TemplateRules kVistralTemplateRules{"ABCDEHK", true, "K"};

// The four characters that would end a value early or change its meaning in a query ("%", "&",
// "+", "#") as "%25", "%26", "%2B" and "%23"; every other byte as it stands.
std::string percentEncodeValue(std::string_view value);

// Expands a template: "##" is "#", "#A".."#H" (either case) the variable's value (encoded when
// rules name its letter), "#" and any other character a warning and nothing. Throws
// DefinitionError for a "#" at the very end unless rules say it only warns.
std::string expandTemplate(std::string_view text, const TemplateVariables& variables,
                           const DefinitionMessages& messages, const TemplateRules& rules = {});

// Why a text is no definition file, empty when it is one: a definition has a flag line and a
// template line that is a web address (http:// or https://) and expands under rules. A page a
// server sent in place of a definition, an error page say, is none.
std::string definitionFormError(std::string_view text, const TemplateRules& rules);

struct EngineDefinition {
    std::string address;  // empty when the file is unreadable or line 1 or 2 is empty
    bool flag = false;    // line 1 is exactly "1"; read and kept, nothing acts on it
    // The submission tool skips an engine whose file it cannot read, but still sends the empty
    // address of a file with an empty line.
    bool read = false;
    // Why the file could not be read (its path and the system's reason), for a log that wants
    // more than the box; empty when it was read.
    std::string readError;
    // The request header fields of the file (see readDefinitionHeaders); the position checker
    // sends them with the query, the submission tool leaves them unread.
    std::vector<std::string> headers;
    std::vector<std::string> headerProblems;
};

// The lines after the template that read "Header: Name: value" (the word in any case) give a
// header field for the request, as the line "Name: value"; this is how an API key that a service
// wants in a header is sent. Other lines stay ignored. A header line with no proper field name
// or no value gives no field but a problem, "line N: " and why.
struct DefinitionHeaders {
    std::vector<std::string> fields;
    std::vector<std::string> problems;
};
DefinitionHeaders readDefinitionHeaders(std::string_view text);

// Whether a definition's text has a header line: it may hold a key, and a file holding one is
// kept readable by its owner alone.
bool hasHeaderLines(std::string_view text);

// Reads line 1 (the flag) and line 2 (the query template) of a definition file and expands the
// template. An unreadable file shows "Error writing to " + path, the text users of the first
// programs know, and gives an empty address. Throws DefinitionError from the expansion.
EngineDefinition ReadEngineDefinition(const std::filesystem::path& path, const TemplateVariables& variables,
                                      const DefinitionMessages& messages, const TemplateRules& rules = {});
