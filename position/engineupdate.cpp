#include "position/engineupdate.h"

#include "net/stageddownload.h"
#include "net/tickhttp.h"
#include "platform/core/programfolder.h"
#include "platform/core/text.h"
#include "platform/prompts.h"
#include "sitetools/core/filelist.h"

namespace {
const std::string kParagraph = "\n\r\n\r";
const char* kRoot = "/updateranqorfp2/";
}  // namespace

EngineUpdate::EngineUpdate(Context context, std::string server)
    : m_c(std::move(context)), m_server(std::move(server)) {
    while (!m_server.empty() && m_server.back() == '/')
        m_server.pop_back();
}

void EngineUpdate::fetch(const std::string& path, const std::string& target) {
    StagedDownload download(m_c.http);
    download.fetch(m_server + path, m_c.folder.resolveForWriting(target));
    download.commit();
}

EngineUpdate::Result EngineUpdate::RzToolbarButton19Click() {
    Result result;
    if (!m_c.prompts.confirm(
            "The Engine List Update requires a restart of Ranqor upon completion." + kParagraph +
            "The update will retrieve the latest engine definition list fron the Orlek Server as well as the "
            "latest "
            "engine definition files. The engine List update will automatically update your system. No user "
            "interaction is required." +
            kParagraph + "Do you want to run the update now?")) {
        return result;
    }
    m_c.setBusyCursor(true);
    const char* steps[][3] = {{"Getting New Definition List", "engines.txt", "engines\\engines.txt"},
                              {"Getting New Definition List (2)", "def.txt", "engines\\def.txt"}};
    for (const auto& step : steps) {
        m_c.setStatus(step[0]);
        try {
            fetch(std::string(kRoot) + step[1], step[2]);
        } catch (const DownloadError&) {
            m_c.prompts.error("Could Not Connect to Update Server!");
            m_c.setStatus("Failed to get Definition List");
            m_c.setBusyCursor(false);
            return result;
        }
    }

    std::vector<std::string> definitions;
    try {
        definitions = readFileList(m_c.folder.resolve("engines\\def.txt"));
    } catch (const std::exception&) {
        m_c.prompts.error("Could not Load New Definitions, Please Run Update Again!");
        m_c.setBusyCursor(false);
        return result;
    }
    for (const std::string& line : definitions) {
        if (line.empty())
            continue;
        m_c.setStatus("Getting Definition: " + line);
        // The server names the files; one that would land outside edata\ is refused.
        if (!staysInside(line)) {
            m_c.prompts.error("Update Definition!");
            ++result.failedDefinitions;
            continue;
        }
        try {
            fetch(kRoot + line, "edata\\" + line);
        } catch (const DownloadError&) {
            m_c.prompts.error("Update Definition!");
            ++result.failedDefinitions;
        }
    }
    m_c.setStatus("Engine Update Complete");
    m_c.prompts.information(
        "Engine definition update is complete, Ranqor will now shutdown. The next time you start Ranqor you "
        "will be "
        "using the updated definitions.");
    m_c.http.setLocalFile("");
    m_c.setBusyCursor(false);
    result.completed = true;
    m_c.endProgram();
    return result;
}
