#include "position/core/ranqorsettings.h"

#include <charconv>

#include "platform/core/settingsstore.h"

namespace {

struct Flag {
    const char* name;
    bool RanqorSettings::*member;
};

constexpr Flag kFlags[] = {
    {"topten", &RanqorSettings::topTen},   {"allten", &RanqorSettings::otherSites},
    {"precise", &RanqorSettings::precise}, {"autoload", &RanqorSettings::autoload},
    {"history", &RanqorSettings::history},
};

}  // namespace

RanqorSettings RanqorSettings::read(SettingsStore& store) {
    RanqorSettings settings;
    store.createKey(kRanqorKey);
    for (const Flag& flag : kFlags) {
        if (std::optional<std::string> value = store.readValue(kRanqorKey, flag.name)) {
            settings.*flag.member = *value != "0";
        }
    }
    return settings;
}

void RanqorSettings::write(SettingsStore& store) const {
    store.createKey(kRanqorKey);
    for (const Flag& flag : kFlags)
        store.writeValue(kRanqorKey, flag.name, this->*flag.member ? "1" : "0");
}

bool historyEnabled(SettingsStore& store) {
    std::optional<std::string> value = store.readValue(kRanqorKey, "history");
    return !value || *value != "0";
}

long long resultPageLimit(SettingsStore& store) {
    std::optional<std::string> text = store.readValue(kRanqorKey, "pagelimit");
    if (!text)
        return kDefaultResultPageLimit;
    int mebibytes = 0;
    auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), mebibytes);
    if (error != std::errc() || end != text->data() + text->size() || mebibytes < 1 || mebibytes > 2047)
        return kDefaultResultPageLimit;
    return static_cast<long long>(mebibytes) << 20;
}
