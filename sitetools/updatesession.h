#pragma once

#include <filesystem>
#include <functional>
#include <string>

class ProgramFolder;
class Prompts;
class TickHTTP;
struct TemplateRules;

// Checks a downloaded engine definition before it may replace the one in use: its form under the
// program's template rules (an error page sent with 200 is none). Header lines may hold a key, so
// a definition with them is made readable by its owner alone. Throws DownloadError naming url.
void checkDownloadedDefinition(const std::string& url, const std::filesystem::path& file,
                               const TemplateRules& rules);

// What an engine update is given by the window or the command that runs it.
struct UpdateContext {
    TickHTTP& http;
    ProgramFolder& folder;
    Prompts& prompts;
    std::function<void(const std::string&)> setStatus;  // the third panel of the status bar
    std::function<void(bool)> setBusyCursor;
    std::function<void()> endProgram;
};

// What the engine updates of both programs share: the question that warns of the restart, the
// files fetched from the update server that replace their targets only when complete, and the
// end that tells the user and closes the program so its next start reads the new files.
class UpdateSession {
public:
    // server: scheme and host of the update server; program: "Ranqor" or "Vistral"; root: the
    // server's folder of the program's files, "/updateranqorfp2/" say.
    UpdateSession(UpdateContext context, std::string server, std::string program, std::string root);

    UpdateContext& context() { return m_c; }
    // The address of a file of the program's folder on the server.
    std::string address(const std::string& file) const;

    // Asks whether to update now; on Yes shows the busy cursor and caps each download.
    bool start();
    // Downloads file from the server into target (relative to the program folder), replacing
    // it only when the whole download succeeded and check (given the downloaded file) did not
    // throw. Throws DownloadError, or what check throws.
    void fetch(const std::string& file, const std::string& target,
               const std::function<void(const std::filesystem::path&)>& check = {});
    // Shows message as an error, status in the status bar when given, and the normal cursor.
    void fail(const std::string& message, const std::string& status = "");
    // The end of a completed update: the user is told and the program ends.
    void finish();

private:
    UpdateContext m_c;
    std::string m_server;
    std::string m_program;
    std::string m_root;
};
