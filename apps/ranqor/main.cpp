#include <QApplication>
#include <QCoreApplication>
#include <cstring>
#include <iostream>
#include <map>

#include "apps/ranqor/commands.h"
#include "apps/ranqor/programsetup.h"
#include "platform/core/arguments.h"
#include "platform/core/programfolder.h"
#include "platform/core/settingsstore.h"
#include "platform/pacer.h"
#include "platform/programwindow.h"
#include "position/mainwindow.h"

namespace {

const char* const kUsage =
    "Usage: ranqor [COMMAND] [OPTIONS]\n"
    "\n"
    "Without a command, ranqor opens its window.\n"
    "\n"
    "Commands (no display needed; each has its own --help):\n"
    "  analyze          find an address on saved result pages of an engine\n"
    "  check            check an address's positions for terms and engines\n"
    "  batch            check every address of a web file list\n"
    "  update-engines   fetch the current engine list and definitions\n"
    "\n"
    "The program folder is RANQOR_HOME when set; the settings file is ORLEK_SETTINGS when set.\n";

int runWindow(int& argc, char** argv) {
    return runMainWindow<TForm1>(argc, argv, "Ranqor", ranqorProgramFolder(argv[0]), ranqorUpdateServer);
}

struct Command {
    int (*run)(const std::vector<std::string>&, const char*);
    const char* usage;
};

int analyze(const std::vector<std::string>& args, const char*) {
    return analyzeCommand(args);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return runWindow(argc, argv);
    const std::string first = argv[1];
    if (first == "--help" || first == "-h") {
        std::cout << kUsage;
        return 0;
    }
    const std::map<std::string, Command> commands = {
        {"analyze", {analyze, kAnalyzeUsage}},
        {"check", {checkCommand, kCheckUsage}},
        {"batch", {batchCommand, kBatchUsage}},
        {"update-engines", {updateEnginesCommand, kUpdateUsage}}};
    auto command = commands.find(first);
    if (command == commands.end()) {
        if (first.rfind("-", 0) == 0)
            return runWindow(argc, argv);  // Qt's own options
        std::cerr << "ranqor: unknown command " << first << "\n\n" << kUsage;
        return 2;
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::cout << command->second.usage;
            return 0;
        }
    }
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("Ranqor");
    try {
        return command->second.run(args, argv[0]);
    } catch (const UsageError& e) {
        std::cerr << "ranqor " << first << ": " << e.what() << "\n\n" << command->second.usage;
        return 2;
    }
}
