#include <iostream>
#include <stdexcept>

#include "apps/vistral/commands.h"
#include "apps/vistral/programsetup.h"
#include "net/tickhttp.h"
#include "pageprep/core/readinesscheck.h"
#include "pageprep/pagesource.h"
#include "platform/core/arguments.h"
#include "platform/core/commandline.h"
#include "platform/core/programfolder.h"
#include "platform/core/safefile.h"
#include "platform/core/settingsstore.h"
#include "platform/core/text.h"
#include "sitetools/proxyapply.h"
#include "submission/core/projects.h"

const char* const kReadinessUsage =
    "Usage: vistral readiness FILE\n"
    "       vistral readiness --project NAME --page ENTRY\n"
    "\n"
    "Checks a page's search engine readiness as step 3 of the window does, and writes to standard\n"
    "output, one line each:\n"
    "  Title: TITLE\n"
    "  Description: DESCRIPTION\n"
    "  Keywords: KEYWORDS\n"
    "  Message: MESSAGE     only when the page's head has a fault, or the page could not be read\n"
    "  and the lines of the readiness report, unless the page could not be read or a meta tag\n"
    "  ended the check.\n"
    "Values, messages and report lines are the page's bytes as they stand, except that a carriage\n"
    "return is written as \\r and a line feed as \\n.\n"
    "\n"
    "FILE is a page file read as it is. With --project, ENTRY is a page of that project's lists:\n"
    "a local file for a local web, otherwise a page below the project's web path, fetched into\n"
    "temp/temp.htm of the program folder with the proxy settings of the window.\n"
    "\n"
    "Exit status: 0 a report was made, 1 none was, 2 bad arguments.\n";

namespace {

// The project's page as step 3 reads it; nothing, after a line on standard error that says
// why, when it could not be had. A project that is not there, or has no web path, ends the
// command before anything is read, as the window's check ends.
std::optional<std::string> projectPage(const std::string& name, const std::string& entry, const char* argv0) {
    ProgramFolder folder(vistralProgramFolder(argv0));
    SettingsStore store(SettingsStore::defaultFile());
    ActiveProject project;
    project.name = findProject(folder, name).value_or("");
    if (project.name.empty())
        throw std::runtime_error("there is no project " + name);
    const StoredProjectSettings stored = readProjectSettings(store, project.name);
    project.webPath = stored.webPath.value_or("");
    project.webType = webTypeFromText(stored.webType.value_or("1"));
    if (project.webPath.empty()) {
        throw std::runtime_error("the project " + project.name +
                                 " has no web path; give it one in the window's Project Editor");
    }

    TickHTTP plain;
    plain.setUserAgent(kMetaVerificationAgent);
    TickHTTPS secure;
    secure.setUserAgent(kSecureVerificationAgent);
    int timeout = 60000;
    applyVistralSettings(store, {&plain, &secure}, timeout);
    // Without a window there is nobody to give up on a server that never answers.
    plain.setTimeout(timeout / 1000);
    secure.setTimeout(timeout / 1000);
    PageSource source(folder, plain, secure);
    std::optional<std::string> page = source.obtain(project, entry);
    if (!page)
        std::cerr << "vistral readiness: " << source.failure() << '\n';
    return page;
}

}  // namespace

int readinessCommand(const std::vector<std::string>& args, const char* argv0) {
    Arguments arguments(args, {{"project", true}, {"page", true}});
    const std::vector<std::string>& positional = arguments.positional();
    std::string pageName;
    std::optional<std::string> page;
    if (arguments.has("project") || arguments.has("page")) {
        if (!positional.empty())
            throw UsageError("give FILE or --project with --page, not both");
        const std::string project = arguments.required("project");
        pageName = arguments.required("page");
        if (pageName < std::string(" "))
            throw UsageError("--page needs a page of the project");
        page = projectPage(project, pageName, argv0);
    } else {
        if (positional.empty())
            throw UsageError("a page FILE, or --project and --page, is required");
        if (positional.size() > 1)
            throw UsageError("unexpected argument " + positional[1]);
        pageName = positional.front();
        try {
            page = readFileBytes(pageName);
        } catch (const FileError& e) {
            std::cerr << "vistral readiness: " << e.what() << '\n';
        }
    }
    const ReadinessCommandResult result = runReadinessCommand(pageName, page);
    writeStandardOutput(result.output);
    return result.exitStatus;
}
