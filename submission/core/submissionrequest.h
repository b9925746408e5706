#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/definitionfile.h"

struct SubmissionProfile;

// The definition of an engine's submission request, relative to the program folder.
std::string submissionDefinitionPath(std::string_view engine);

// Fills the request variables for one page and engine: A to E from the profile, F the category
// already translated for the engine, G always empty, H the page's address.
void setSubmissionVariables(TemplateVariables& variables, const SubmissionProfile& profile,
                            std::string_view translatedCategory, std::string_view pageAddress);

// Reads an engine's submission definition and expands its request with the variables: profile
// values and the page address percent-encoded where they would cut or split the request, the
// category as it stands; a "#" at the very end warns and adds nothing. Returns nothing when the
// file cannot be read ("Error writing to " + path has been shown); a definition with an empty
// first or second line gives the empty address, which is still sent and fails there.
std::optional<std::string> LoadData(const std::filesystem::path& definition,
                                    const TemplateVariables& variables, const DefinitionMessages& messages);

// An engine took the submission only when its status line is one of the three it sends on
// success, exactly: "HTTP/1.0 200 OK", "HTTP/1.1 200 OK" or "Status: HTTP/1.1 200 Document
// Follows". Another reason text or letter case, a redirection or an error is a failure.
bool submissionAccepted(std::string_view statusLine);
