#include <QCoreApplication>
#include <iostream>
#include <optional>

#include "apps/ranqor/commands.h"
#include "apps/ranqor/programsetup.h"
#include "platform/core/commandline.h"
#include "platform/programwindow.h"
#include "position/mainwindow.h"

namespace {

const char* const kUsage =
    "Usage: ranqor [COMMAND] [OPTIONS]\n"
    "\n"
    "Without a command, ranqor opens its window.\n"
    "\n"
    "Commands (no display needed):\n"
    "  analyze          find an address on saved result pages of an engine\n"
    "  check            check an address's positions for terms and engines\n"
    "  batch            check every address of a web file list\n"
    "  update-engines   fetch the current engine list and definitions\n"
    "  help [COMMAND]   show this help, or a command's (as COMMAND --help does)\n"
    "\n"
    "  --help           show this help\n"
    "  --version        show ranqor's version\n"
    "\n"
    "Exit status: 0 the job ran, 1 it failed or could not start, 2 bad arguments.\n"
    "The program folder is RANQOR_HOME when set; the settings file is ORLEK_SETTINGS when set.\n";

int runWindow(int& argc, char** argv) {
    return runMainWindow<TForm1>(argc, argv, "Ranqor", ranqorProgramFolder(argv[0]), ranqorUpdateServer);
}

}  // namespace

int main(int argc, char** argv) {
    using Run = int (*)(const std::vector<std::string>&, const char*);
    // Each command runs with the Qt core the HTTP component needs, and without a display.
    auto withCore = [&argc, argv](Run run) {
        return [&argc, argv, run](const std::vector<std::string>& args) {
            QCoreApplication app(argc, argv);
            QCoreApplication::setApplicationName("Ranqor");
            return run(args, argv[0]);
        };
    };
    const CommandLineProgram program{"ranqor",
                                     RANQOR_VERSION,
                                     kUsage,
                                     {{"analyze", kAnalyzeUsage, withCore(analyzeCommand)},
                                      {"check", kCheckUsage, withCore(checkCommand)},
                                      {"batch", kBatchUsage, withCore(batchCommand)},
                                      {"update-engines", kUpdateUsage, withCore(updateEnginesCommand)}}};
    std::optional<int> status = runCommandLine(program, {argv + 1, argv + argc}, std::cout, std::cerr);
    if (!status)
        return runWindow(argc, argv);
    return finishStandardOutput(program.name, *status, std::cerr);
}
