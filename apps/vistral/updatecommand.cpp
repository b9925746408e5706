#include <iostream>

#include "apps/vistral/commands.h"
#include "apps/vistral/programsetup.h"
#include "net/tickhttp.h"
#include "platform/consoleprompts.h"
#include "platform/core/arguments.h"
#include "platform/core/enginelist.h"
#include "platform/core/programfolder.h"
#include "platform/core/settingsstore.h"
#include "sitetools/proxyapply.h"
#include "submission/catalogupdate.h"
#include "submission/core/catalog.h"

const char* const kUpdateUsage =
    "Usage: vistral update-engines\n"
    "\n"
    "Fetches the current engine catalog and every catalog engine's submission definition from the\n"
    "update server (the \"updateserver\" setting) into the program folder. Each file is replaced only\n"
    "when its download succeeded, the catalog only when it reads as one. The proxy, its user and\n"
    "password and the timeout are the window's settings.\n"
    "\n"
    "Exit status: 0 the update completed, 1 it or one of its definitions failed, 2 bad arguments.\n";

int updateEnginesCommand(const std::vector<std::string>& args, const char* argv0) {
    Arguments arguments(args, {});
    if (!arguments.positional().empty())
        throw UsageError("unexpected argument " + arguments.positional().front());
    ProgramFolder folder(vistralProgramFolder(argv0));
    SettingsStore store(SettingsStore::defaultFile());
    // Asking for the update on the command line is the answer to the window's question.
    ConsolePrompts prompts(std::cerr, true);
    TickHTTP geturl;
    geturl.setUseCache(false);
    geturl.setUserAgent("Redore Web Browser Beta One");
    int timeout = 60000;
    applyVistralSettings(store, {&geturl}, timeout);
    geturl.setTimeout(timeout / 1000);
    CatalogUpdate update(
        {geturl, folder, prompts, [](const std::string& status) { std::cerr << status << '\n'; }, [](bool) {},
         [] {}},
        [&folder] { EngineList().load(folder.resolve(kCatalogFile)); }, vistralUpdateServer(store));
    CatalogUpdate::Result result = update.updateClick();
    return result.completed && result.failedDefinitions == 0 ? 0 : 1;
}
