#pragma once

#include <functional>
#include <string>

class ProgramFolder;
class Prompts;
class TickHTTP;

// The engine pack update: the engine catalog, the definition index and every definition file it
// names, fetched from the update server; then the program ends so the next start uses them.
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

    struct Result {
        bool completed = false;  // ran to its end, and the program was told to end
        int failedDefinitions = 0;
    };

    // Asks first, then updates.
    Result RzToolbarButton19Click();

private:
    // Downloads path into the file below the program folder, replacing it only when the whole
    // download succeeded. Throws DownloadError.
    void fetch(const std::string& path, const std::string& target);

    Context m_c;
    std::string m_server;
};
