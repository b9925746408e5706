#include "apps/vistral/commands.h"
#include "apps/vistral/programsetup.h"
#include "platform/programwindow.h"
#include "submission/mainwindow.h"

namespace {

const char* const kUsage =
    "Usage: vistral [COMMAND] [OPTIONS]\n"
    "\n"
    "Without a command, vistral opens its window.\n"
    "\n"
    "Commands (no display needed):\n"
    "  projects         list the projects\n"
    "  readiness        check a page's title, description, key words and body text\n"
    "  update-engines   fetch the current engine catalog and submission definitions\n"
    "  submit           submit a project's pages to engines, as the window's step 5 does\n"
    "  verify           show what submit would send where\n"
    "  indexnow-key     write a project's IndexNow key file, for publishing on its site\n"
    "  help [COMMAND]   show this help, or a command's (as COMMAND --help does)\n"
    "\n"
    "  --help           show this help\n"
    "  --version        show vistral's version\n"
    "\n"
    "Exit status: 0 the job ran, 1 it failed or could not start, 2 bad arguments.\n"
    "The program folder is VISTRAL_HOME when set; the settings file is ORLEK_SETTINGS when set.\n";

int runWindow(int& argc, char** argv) {
    return runMainWindow<TForm1>(argc, argv, "Vistral", vistralProgramFolder(argv[0]), vistralUpdateServer);
}

}  // namespace

int main(int argc, char** argv) {
    return programMain(argc, argv, "Vistral", VISTRAL_VERSION, kUsage,
                       {{"projects", kProjectsUsage, projectsCommand},
                        {"readiness", kReadinessUsage, readinessCommand},
                        {"update-engines", kUpdateUsage, updateEnginesCommand},
                        {"submit", kSubmitUsage, submitCommand},
                        {"verify", kVerifyUsage, verifyCommand},
                        {"indexnow-key", kIndexNowKeyUsage, indexNowKeyCommand}},
                       runWindow);
}
