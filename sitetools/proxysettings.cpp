#include "sitetools/proxysettings.h"

#include "platform/core/settingsstore.h"

const ProxySettingsVariant& ProxySettingsVariant::ranqor() {
    static const ProxySettingsVariant variant{
        .caption = "Ranqor - Proxy Settings",
        .key = kRanqorSettingsKey,
        .values = {{"proxy", ""}},
        .hasUserPasswordTimeout = false,
        .serverNotes = {"The proxy server address, e.g. 172.16.0.99, must be entered in the above box.",
                        "The Format must be ###.###.###.### e.g. 172.16.0.99"},
        .saveHint = "Save Proxy Setting",
        .closeHint = "Close Proxy Setting Window",
        .helpHint = "Help with the Proxy Settings",
        .confirmation = "Proxy Setting Updated",
        .helpTopic = "proxy-settings",
    };
    return variant;
}

const ProxySettingsVariant& ProxySettingsVariant::vistral() {
    static const ProxySettingsVariant variant{
        .caption = "Vistral - Settings",
        .key = kVistralSettingsKey,
        .values = {{"proxy", ""}, {"puser", ""}, {"puserp", ""}, {"timeout", "60"}},
        .hasUserPasswordTimeout = true,
        .serverNotes = {"The Proxy Server Address, e.g. 172.16.0.99, must be entered in the above box."},
        .saveHint = "Save Vistral Settings",
        .closeHint = "Close the settings form",
        .helpHint = "Help",
        .confirmation = "Proxy Settings Updated",
        .helpTopic = "proxy-settings",
    };
    return variant;
}

void createMissingProxyValues(SettingsStore& store, const ProxySettingsVariant& variant) {
    for (const ProxySettingsVariant::Value& value : variant.values) {
        if (!store.valueExists(variant.key, value.name))
            store.writeValue(variant.key, value.name, value.firstContent);
    }
}
