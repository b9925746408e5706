#include "submission/core/submissionrequest.h"

#include "submission/core/profile.h"

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
}

std::optional<std::string> LoadData(const std::filesystem::path& definition,
                                    const TemplateVariables& variables, const DefinitionMessages& messages) {
    EngineDefinition read = ReadEngineDefinition(definition, variables, messages, kVistralTemplateRules);
    if (!read.read)
        return std::nullopt;
    return read.address;
}

bool submissionAccepted(std::string_view statusLine) {
    return statusLine == "HTTP/1.0 200 OK" || statusLine == "HTTP/1.1 200 OK" ||
           statusLine == "Status: HTTP/1.1 200 Document Follows";
}
