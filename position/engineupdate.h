#pragma once

#include <string>

#include "sitetools/updatesession.h"

// The engine pack update: the engine catalog, the definition index and every definition file it
// names, fetched from the update server; then the program ends so the next start uses them. All
// files are fetched and checked (the catalog and the definitions must be what they claim to be)
// before any is replaced, so a failed or broken download keeps every old file and is reported
// with its address and cause.
class EngineUpdate {
public:
    // Its component is the update component: no proxy, no event handlers.
    using Context = UpdateContext;

    // server: scheme and host of the update server, e.g. "http://update.example.com".
    EngineUpdate(Context context, std::string server);

    // Asks first, then updates. True when every file was replaced and the program was told to
    // end; false when the user said No or the update failed.
    bool RzToolbarButton19Click();

private:
    // Shows the failure's box (its fixed text, then the cause) and ends the update.
    bool fail(const std::string& message, const std::string& cause, const std::string& status);

    UpdateSession m_session;
};
