#include "position/engineupdate.h"

#include "net/stageddownload.h"
#include "net/tickhttp.h"
#include "platform/core/definitionfile.h"
#include "platform/core/gridfile.h"
#include "platform/core/programfolder.h"
#include "platform/core/safefile.h"
#include "platform/core/text.h"
#include "platform/prompts.h"

namespace {

const std::string kParagraph = "\n\r\n\r";

// An update file that arrived but is not what it should be, such as an error page sent with 200.
DownloadError notA(const std::string& url, const std::string& what, const std::string& cause) {
    return DownloadError(url + ": not " + what + " (" + cause + ")");
}

void checkCatalog(const std::string& url, const std::filesystem::path& file) {
    GridTable table;
    try {
        readGridText(table, readFileBytes(file), url);
    } catch (const std::exception& e) {
        throw notA(url, "an engine list", e.what());
    }
}

// The file names def.txt gives, each a plain name of a file in edata\.
std::vector<std::string> definitionNames(const std::string& url, const std::filesystem::path& file) {
    std::vector<std::string> names;
    for (std::string& line : splitLines(readFileBytes(file))) {
        if (line.empty())
            continue;
        // The server names the files; one that would land outside edata\ is refused.
        if (!isPlainName(line))
            throw notA(url, "a definition index", "\"" + line + "\" is no file name in edata");
        names.push_back(std::move(line));
    }
    return names;
}

}  // namespace

EngineUpdate::EngineUpdate(Context context, std::string server)
    : m_session(std::move(context), std::move(server), "Ranqor", "/updateranqorfp2/") {}

bool EngineUpdate::fail(const std::string& message, const std::string& cause, const std::string& status) {
    m_session.fail(message + kParagraph + cause, status);
    return false;
}

bool EngineUpdate::RzToolbarButton19Click() {
    if (!m_session.start())
        return false;
    UpdateContext& c = m_session.context();
    // Every file is fetched and checked before any is replaced: a failure anywhere keeps all the
    // old files, and what was fetched is removed when `staged` goes.
    StagedDownload staged(c.http);
    const std::string catalogUrl = m_session.address("engines.txt");
    const std::string indexUrl = m_session.address("def.txt");
    std::vector<std::string> names;
    try {
        c.setStatus("Getting New Definition List");
        checkCatalog(catalogUrl,
                     staged.fetch(catalogUrl, c.folder.resolveForWriting("engines\\engines.txt")));
        c.setStatus("Getting New Definition List (2)");
        names =
            definitionNames(indexUrl, staged.fetch(indexUrl, c.folder.resolveForWriting("engines\\def.txt")));
    } catch (const std::exception& e) {
        return fail("Could Not Connect to Update Server!", e.what(), "Failed to get Definition List");
    }

    for (const std::string& name : names) {
        c.setStatus("Getting Definition: " + name);
        const std::string url = m_session.address(name);
        try {
            checkDownloadedDefinition(url, staged.fetch(url, c.folder.resolveForWriting("edata\\" + name)),
                                      kRanqorTemplateRules);
        } catch (const std::exception& e) {
            return fail("Update Definition!", e.what(), "Failed to get Definition: " + name);
        }
    }

    try {
        staged.commit();
    } catch (const DownloadError& e) {
        return fail("Could not Load New Definitions, Please Run Update Again!", e.what(),
                    "Engine Update Failed");
    }
    m_session.finish();
    return true;
}
