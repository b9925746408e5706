#include "submission/core/presubmissionreport.h"

#include "pageprep/core/projectcontext.h"
#include "submission/core/profile.h"

namespace {
const char* const kNoValue = "NO VALUE EXIST, Submission will not be possible";
}

std::vector<std::string> preSubmissionReport(const ActiveProject& project, const SubmissionProfile& profile,
                                             const std::vector<std::string>& pages,
                                             const std::vector<std::string>& engines) {
    std::vector<std::string> lines = {
        "",
        "",
        "Review this report to review what you will be submitting and where you will be submitting.",
        "",
        "",
        "Active Project: " + project.name,
        "Web Base Address: " + project.webPath,
    };
    if (project.webPath.empty())
        lines.push_back(std::string("Web Base Address: ") + kNoValue);
    lines.insert(lines.end(),
                 {"", "", "Personalization", "", "Name: " + profile.firstName + " " + profile.lastName,
                  "E-Mail: " + profile.email});
    if (profile.email.empty())
        lines.push_back(std::string("E-Mail: ") + kNoValue);
    lines.push_back("");
    for (const std::string& page : pages) {
        lines.insert(lines.end(), {"Submitting File", "", pageAddress(project.webPath, page), "", ""});
        for (const std::string& engine : engines)
            lines.push_back("to: " + engine);
        lines.insert(lines.end(), {" ", " "});
    }
    return lines;
}
