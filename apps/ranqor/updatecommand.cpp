#include <iostream>

#include "apps/ranqor/commands.h"
#include "apps/ranqor/programsetup.h"
#include "net/tickhttp.h"
#include "platform/consoleprompts.h"
#include "platform/core/arguments.h"
#include "platform/core/programfolder.h"
#include "platform/core/settingsstore.h"
#include "position/core/ranqorfolder.h"
#include "position/engineupdate.h"

const char* const kUpdateUsage =
    "Usage: ranqor update-engines\n"
    "\n"
    "Fetches the current engine list and engine definition files from the update server (the\n"
    "\"updateserver\" setting) into the program folder. Each file is replaced only when its\n"
    "download succeeded.\n"
    "\n"
    "Exit status: 0 the update completed, 1 it failed, 2 bad arguments.\n";

int updateEnginesCommand(const std::vector<std::string>& args, const char* argv0) {
    Arguments arguments(args, {});
    if (!arguments.positional().empty())
        throw UsageError("unexpected argument " + arguments.positional().front());
    ProgramFolder folder(ranqorProgramFolder(argv0));
    if (std::optional<std::string> missing = missingRanqorFolder(folder.root())) {
        std::cerr << "ranqor update-engines: " << *missing << '\n';
        return 1;
    }
    SettingsStore store(SettingsStore::defaultFile());
    // Asking for the update on the command line is the answer to the window's question.
    ConsolePrompts prompts(std::cerr, true);
    TickHTTP http;
    http.setUseCache(false);
    http.setUserAgent("Redore Web Browser (1.1 W32)");
    http.setTimeout(60);
    EngineUpdate update({http, folder, prompts,
                         [](const std::string& status) { std::cerr << status << '\n'; }, [](bool) {}, [] {}},
                        ranqorUpdateServer(store));
    EngineUpdate::Result result = update.RzToolbarButton19Click();
    return result.completed && result.failedDefinitions == 0 ? 0 : 1;
}
