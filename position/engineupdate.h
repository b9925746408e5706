#pragma once

#include <string>

#include "sitetools/updatesession.h"

// The engine pack update: the engine catalog, the definition index and every definition file it
// names, fetched from the update server; then the program ends so the next start uses them.
class EngineUpdate {
public:
    // Its component is the update component: no proxy, no event handlers.
    using Context = UpdateContext;

    // server: scheme and host of the update server, e.g. "http://update.example.com".
    EngineUpdate(Context context, std::string server);

    struct Result {
        bool completed = false;  // ran to its end, and the program was told to end
        int failedDefinitions = 0;
    };

    // Asks first, then updates.
    Result RzToolbarButton19Click();

private:
    UpdateSession m_session;
};
