#include "sitetools/proxyapply.h"

#include <charconv>

#include "net/tickhttp.h"
#include "platform/core/settingsstore.h"
#include "sitetools/proxysettings.h"

namespace {

int wholeNumber(const std::string& text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        throw ConversionError("'" + text + "' is not a valid integer value");
    }
    return value;
}

}  // namespace

void applyRanqorProxy(SettingsStore& store, TickHTTP& search) {
    if (std::optional<std::string> proxy = store.readValue(kRanqorSettingsKey, "proxy"))
        search.setProxyServer(*proxy);
}

void applyVistralSettings(SettingsStore& store, const std::vector<TickHTTP*>& components,
                          int& watchdogMilliseconds) {
    if (std::optional<std::string> proxy = store.readValue(kVistralSettingsKey, "proxy")) {
        for (TickHTTP* http : components)
            http->setProxyServer(*proxy);
    }
    if (std::optional<std::string> timeout = store.readValue(kVistralSettingsKey, "timeout")) {
        const int seconds = wholeNumber(*timeout);
        if (seconds > INT32_MAX / 1000 || seconds < INT32_MIN / 1000) {
            throw ConversionError("'" + *timeout + "' is not a valid integer value");
        }
        watchdogMilliseconds = seconds * 1000;
    }
    if (std::optional<std::string> user = store.readValue(kVistralSettingsKey, "puser")) {
        for (TickHTTP* http : components)
            http->setUser(*user);
    }
    if (std::optional<std::string> password = store.readValue(kVistralSettingsKey, "puserp")) {
        for (TickHTTP* http : components)
            http->setPassword(*password);
    }
}
