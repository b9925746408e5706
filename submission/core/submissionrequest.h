#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/definitionfile.h"

struct SubmissionProfile;

// The definition of an engine's submission request, relative to the program folder.
std::string submissionDefinitionPath(std::string_view engine);

// Fills the request variables for one page and engine: A to E from the profile, F the category
// already translated for the engine, G always empty, H the page's address, K the IndexNow key.
void setSubmissionVariables(TemplateVariables& variables, const SubmissionProfile& profile,
                            std::string_view translatedCategory, std::string_view pageAddress);

// Reads an engine's submission definition and expands its request with the variables: profile
// values and the page address percent-encoded where they would cut or split the request, the
// category as it stands; a "#" at the very end warns and adds nothing. Returns nothing when the
// file cannot be read ("Error writing to " + path has been shown); a definition with an empty
// first or second line gives the empty address, which is still sent and fails there.
std::optional<std::string> LoadData(const std::filesystem::path& definition,
                                    const TemplateVariables& variables, const DefinitionMessages& messages);

// The lines after the template that read "Success: 200 202" (the word in any case, the codes
// parted by blanks or commas) name the status codes that count as a success for a service that
// answers more than "200 OK", as IndexNow does. A line whose codes are not all three-digit
// status codes gives none of them but a problem, "line N: " and why.
struct SuccessCodes {
    std::vector<int> codes;
    std::vector<std::string> problems;
};
SuccessCodes readSuccessCodes(std::string_view text);

// What the run sends for one page and engine, and how it judges the answer.
struct SubmissionDefinition {
    std::string address;
    // "Name: value" fields sent with the request.
    std::vector<std::string> headers;
    // Empty: the exact status lines of submissionAccepted rule.
    std::vector<int> successCodes;
    // Header and success lines that could not be used, "line N: " and why.
    std::vector<std::string> problems;
};

// LoadData with the header and success lines of the definition.
std::optional<SubmissionDefinition> loadSubmissionDefinition(const std::filesystem::path& definition,
                                                             const TemplateVariables& variables,
                                                             const DefinitionMessages& messages);

// An engine took the submission only when its status line is one of the three it sends on
// success, exactly: "HTTP/1.0 200 OK", "HTTP/1.1 200 OK" or "Status: HTTP/1.1 200 Document
// Follows". Another reason text or letter case, a redirection or an error is a failure.
bool submissionAccepted(std::string_view statusLine);

// With success codes from the definition, the status code of the line decides, whatever its
// reason text; without them, the exact lines above.
bool submissionAccepted(std::string_view statusLine, const std::vector<int>& successCodes);
