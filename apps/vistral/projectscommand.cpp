#include <algorithm>
#include <iostream>

#include "apps/vistral/commands.h"
#include "apps/vistral/programsetup.h"
#include "pageprep/core/folderfiles.h"
#include "platform/core/arguments.h"
#include "platform/core/programfolder.h"
#include "submission/core/projects.h"

const char* const kProjectsUsage =
    "Usage: vistral projects\n"
    "\n"
    "Lists the projects of the program folder, one name per line, in byte order.\n"
    "\n"
    "Exit status: 0 the list was written, 1 the projects could not be read, 2 bad arguments.\n";

int projectsCommand(const std::vector<std::string>& args, const char* argv0) {
    Arguments arguments(args, {});
    if (!arguments.positional().empty())
        throw UsageError("unexpected argument " + arguments.positional().front());
    ProgramFolder folder(vistralProgramFolder(argv0));
    std::vector<std::string> names;
    try {
        names = listProjects(folder);
    } catch (const DirectoryError& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names)
        std::cout << name << '\n';
    return 0;
}
