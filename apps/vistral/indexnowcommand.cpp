#include <iostream>

#include "apps/vistral/commands.h"
#include "apps/vistral/programsetup.h"
#include "pageprep/core/folderfiles.h"
#include "platform/core/arguments.h"
#include "platform/core/gridfile.h"
#include "platform/core/programfolder.h"
#include "platform/core/safefile.h"
#include "platform/core/settingsstore.h"
#include "submission/core/indexnow.h"
#include "submission/core/profile.h"
#include "submission/core/projects.h"

const char* const kIndexNowKeyUsage =
    "Usage: vistral indexnow-key --project NAME --folder FOLDER\n"
    "\n"
    "Writes the IndexNow key file of a project into FOLDER: a file named after the key with\n"
    "\".txt\" after it, holding the key. The key is the value of the row \"IndexNow Key\" of the\n"
    "project's profile. Publish the file at the root of the site, so that the web path followed\n"
    "by \"/\" and the file's name shows the key; IndexNow then takes the site's announcements, which\n"
    "the engine IndexNow of the catalog sends.\n"
    "\n"
    "  --project NAME   the project, as vistral projects lists it\n"
    "  --folder FOLDER  an existing folder, the site's own root or any other (a file of that name\n"
    "                   in it is replaced)\n"
    "\n"
    "Exit status: 0 the key file was written, 1 the project has no usable key, FOLDER is no\n"
    "folder, or the file could not be written, 2 bad arguments.\n";

namespace {

const char* const kWho = "vistral indexnow-key: ";

int fail(const std::string& message) {
    std::cerr << kWho << message << '\n';
    return 1;
}

// "http://www.shop.com" of "http://www.shop.com/sub/": IndexNow looks for the key at the root of
// the host, whatever path the project's pages lie below. Empty for a path with no host.
std::string siteRoot(const std::string& webPath) {
    const size_t scheme = webPath.find("://");
    if (scheme == std::string::npos || scheme + 3 >= webPath.size())
        return {};
    return webPath.substr(0, webPath.find('/', scheme + 3));
}

}  // namespace

int indexNowKeyCommand(const std::vector<std::string>& args, const char* argv0) {
    Arguments arguments(args, {{"project", true}, {"folder", true}});
    if (!arguments.positional().empty())
        throw UsageError("unexpected argument " + arguments.positional().front());
    const std::string name = arguments.required("project");
    const std::filesystem::path target = arguments.required("folder");
    if (target.empty())
        throw UsageError("--folder needs a folder");

    ProgramFolder folder(vistralProgramFolder(argv0));
    std::optional<std::string> project;
    std::string key;
    try {
        project = findProject(folder, name);
        if (!project)
            return fail("there is no project " + name);
        key = profileValue(readProjectProfile(folder, *project), ProfileLabel::kIndexNowKey);
    } catch (const DirectoryError& e) {
        return fail(e.what());
    } catch (const GridFileError& e) {
        return fail(e.what());
    }
    if (key.empty()) {
        return fail("the project " + *project + " has no IndexNow key: give its profile the row \"" +
                    ProfileLabel::kIndexNowKey + "\" with a key in the Project Editor");
    }
    const std::string problem = indexNowKeyProblem(key);
    if (!problem.empty())
        return fail("the IndexNow key of the project " + *project + " cannot be used: " + problem);
    std::error_code error;
    if (!std::filesystem::is_directory(target, error))
        return fail("there is no folder " + target.string());

    const std::filesystem::path file = target / indexNowKeyFileName(key);
    try {
        writeFileAtomically(file, key);
    } catch (const FileError& e) {
        return fail(e.what());
    }
    std::cerr << "Key file: " << file.string() << '\n';
    std::string webPath;
    try {
        webPath =
            readProjectSettings(SettingsStore(SettingsStore::defaultFile()), *project).webPath.value_or("");
    } catch (const SettingsError&) {
        // The file is written; where it goes is only a hint.
    }
    const std::string root = siteRoot(webPath);
    if (!root.empty()) {
        std::cerr << "Publish it as " << root << '/' << indexNowKeyFileName(key) << '\n';
    } else {
        std::cerr << "Publish it at the root of the site.\n";
    }
    return 0;
}
