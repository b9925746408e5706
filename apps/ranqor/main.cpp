#include "apps/ranqor/commands.h"
#include "apps/ranqor/programsetup.h"
#include "platform/programwindow.h"
#include "position/historystore.h"
#include "position/historywindow.h"
#include "position/mainwindow.h"

#include <cstring>

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
    "  history          print the recorded positions of an address (without options: its window)\n"
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

// "ranqor history" alone: the history window as a program of its own.
class HistoryProgram : public HistoryWindow {
public:
    explicit HistoryProgram(ProgramServices services)
        : HistoryWindow(HistoryStore::defaultFile(services.folder), services.prompts) {
        reload();
    }
    void setEndProgram(std::function<void(int)>) {}
    void handlerFailed(const std::exception& e) { std::cerr << "ranqor: " << e.what() << '\n'; }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "history") == 0)
        return runMainWindow<HistoryProgram>(argc, argv, "Ranqor", ranqorProgramFolder(argv[0]),
                                             ranqorUpdateServer);
    return programMain(argc, argv, "Ranqor", RANQOR_VERSION, kUsage,
                       {{"analyze", kAnalyzeUsage, analyzeCommand},
                        {"check", kCheckUsage, checkCommand},
                        {"batch", kBatchUsage, batchCommand},
                        {"history", kHistoryUsage, historyCommand},
                        {"update-engines", kUpdateUsage, updateEnginesCommand}},
                       runWindow);
}
