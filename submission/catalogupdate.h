#pragma once

#include <functional>
#include <string>

#include "platform/core/gridtable.h"
#include "sitetools/updatesession.h"

// The catalog update: the engine catalog and each catalog engine's submission definition,
// fetched from the update server; then the program ends so the next start uses them. Each file
// replaces its target only when its fetch succeeded, and the catalog only when it reads as one.
class CatalogUpdate {
public:
    // server: scheme and host of the update server, e.g. "http://update.example.com";
    // loadCatalog loads the new catalog into the engine step and throws GridFileError.
    CatalogUpdate(UpdateContext context, std::function<void()> loadCatalog, std::string server);

    struct Result {
        bool completed = false;  // ran to its end, and the program was told to end
        int failedDefinitions = 0;
    };

    // Asks first, then updates.
    Result updateClick();

private:
    // Fetches the catalog and replaces the old one when the new one reads as a catalog.
    bool fetchCatalog(GridTable& catalog);

    UpdateSession m_session;
    std::function<void()> m_loadCatalog;
};
