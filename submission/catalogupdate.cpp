#include "submission/catalogupdate.h"

#include "net/stageddownload.h"
#include "platform/core/definitionfile.h"
#include "platform/core/gridfile.h"
#include "platform/core/programfolder.h"
#include "platform/core/text.h"
#include "platform/prompts.h"
#include "submission/core/catalog.h"

namespace {
const char* kCannotLoad = "Could not Load New Definitions, Please Run Update Again!";
}

CatalogUpdate::CatalogUpdate(UpdateContext context, std::function<void()> loadCatalog, std::string server)
    : m_session(std::move(context), std::move(server), "Vistral", "/updatevistralfp/"),
      m_loadCatalog(std::move(loadCatalog)) {}

bool CatalogUpdate::fetchCatalog(GridTable& catalog) {
    UpdateContext& c = m_session.context();
    StagedDownload download(c.http);
    std::filesystem::path staged;
    try {
        staged = download.fetch(m_session.address("engines.txt"), c.folder.resolveForWriting(kCatalogFile));
    } catch (const DownloadError&) {
        m_session.fail("Could Not Connect to Update Server!", "Failed to get Definition List");
        return false;
    }
    // A page that is no catalog (a server's own error text, say) must not replace the catalog.
    try {
        readGridFile(catalog, staged);
        download.commit();
    } catch (const GridFileError&) {
        m_session.fail(kCannotLoad);
        return false;
    } catch (const DownloadError& e) {
        m_session.fail(e.what());
        return false;
    }
    return true;
}

CatalogUpdate::Result CatalogUpdate::updateClick() {
    Result result;
    if (!m_session.start())
        return result;
    UpdateContext& c = m_session.context();
    c.setStatus("Getting New Definition List");
    GridTable catalog;
    if (!fetchCatalog(catalog))
        return result;
    try {
        m_loadCatalog();
    } catch (const std::exception&) {
        m_session.fail(kCannotLoad);
        return result;
    }
    for (int row = 0; row < catalog.rowCount(); ++row) {
        const std::string name = trimText(catalog.cell(0, row));
        if (name.empty())
            continue;
        c.setStatus("Getting Definition: " + name);
        try {
            // The server names the files; a name that would land outside edata\ is refused.
            if (!isPlainName(name))
                throw DownloadError(name + " is no file name");
            m_session.fetch(name + ".hdf", "edata\\" + name + ".hdf", [&](const std::filesystem::path& file) {
                checkDownloadedDefinition(m_session.address(name + ".hdf"), file, kVistralTemplateRules);
            });
        } catch (const std::exception&) {
            c.prompts.error("Update Definition!" + name);
            ++result.failedDefinitions;
        }
    }
    result.completed = true;
    m_session.finish();
    return result;
}
