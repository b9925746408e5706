#pragma once

#include <functional>
#include <string>

class ProgramFolder;
class Prompts;
class TickHTTP;

// The engine pack update: the engine catalog, the definition index and every definition file it
// names, fetched from the update server; then the program ends so the next start uses them. All
// files are fetched and checked (the catalog and the definitions must be what they claim to be)
// before any is replaced, so a failed or broken download keeps every old file and is reported
// with its address and cause.
class EngineUpdate {
public:
    struct Context {
        TickHTTP& http;  // the update component: no proxy, no event handlers
        ProgramFolder& folder;
        Prompts& prompts;
        std::function<void(const std::string&)> setStatus;  // panel 3 of the status bar
        std::function<void(bool)> setBusyCursor;
        std::function<void()> endProgram;
    };

    // server: scheme and host of the update server, e.g. "http://update.example.com".
    EngineUpdate(Context context, std::string server);

    // Asks first, then updates. True when every file was replaced and the program was told to
    // end; false when the user said No or the update failed.
    bool RzToolbarButton19Click();

private:
    // Shows the failure's box (its fixed text, then the cause) and ends the update.
    bool fail(const std::string& message, const std::string& cause, const std::string& status);

    Context m_c;
    std::string m_server;
};
