#include "position/engineupdate.h"

#include "net/stageddownload.h"
#include "platform/core/programfolder.h"
#include "platform/prompts.h"
#include "sitetools/core/filelist.h"

EngineUpdate::EngineUpdate(Context context, std::string server)
    : m_session(std::move(context), std::move(server), "Ranqor", "/updateranqorfp2/") {}

EngineUpdate::Result EngineUpdate::RzToolbarButton19Click() {
    Result result;
    if (!m_session.start())
        return result;
    UpdateContext& c = m_session.context();
    const char* steps[][3] = {{"Getting New Definition List", "engines.txt", "engines\\engines.txt"},
                              {"Getting New Definition List (2)", "def.txt", "engines\\def.txt"}};
    for (const auto& step : steps) {
        c.setStatus(step[0]);
        try {
            m_session.fetch(step[1], step[2]);
        } catch (const DownloadError&) {
            m_session.fail("Could Not Connect to Update Server!", "Failed to get Definition List");
            return result;
        }
    }

    std::vector<std::string> definitions;
    try {
        definitions = readFileList(c.folder.resolve("engines\\def.txt"));
    } catch (const std::exception&) {
        m_session.fail("Could not Load New Definitions, Please Run Update Again!");
        return result;
    }
    for (const std::string& line : definitions) {
        if (line.empty())
            continue;
        c.setStatus("Getting Definition: " + line);
        // The server names the files; one that would land outside edata\ is refused.
        if (!staysInside(line)) {
            c.prompts.error("Update Definition!");
            ++result.failedDefinitions;
            continue;
        }
        try {
            m_session.fetch(line, "edata\\" + line);
        } catch (const DownloadError&) {
            c.prompts.error("Update Definition!");
            ++result.failedDefinitions;
        }
    }
    result.completed = true;
    m_session.finish();
    return result;
}
