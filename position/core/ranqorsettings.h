#pragma once

#include <string>

class SettingsStore;

// The position checker's key; the proxy dialog spells it "\Software\Orlek\Ranqor", and key names
// ignore letter case, so both name the same key.
inline constexpr const char* kRanqorKey = "\\Software\\Orlek\\ranqor";

// The most bytes of one result page a run takes: a page past it is a failed fetch, so an endless
// answer can fill neither the disk nor memory. Set by the "pagelimit" value, in MiB from 1 to
// 2047; missing or any other text means the default of 16 MiB. Throws SettingsError.
inline constexpr long long kDefaultResultPageLimit = 16LL << 20;
long long resultPageLimit(SettingsStore& store);

// Whether completed checks are recorded in the rank history: the "history" value, read as the
// flags are ("0" off, any other text on, on when missing). Throws SettingsError.
bool historyEnabled(SettingsStore& store);

// The check boxes the position checker keeps between runs.
struct RanqorSettings {
    bool topTen = false;      // "topten", hidden
    bool otherSites = false;  // "allten"
    bool precise = true;      // "precise"
    bool autoload = false;    // "autoload", hidden
    bool history = true;      // "history": record every completed check in the rank history

    // Opens the key, creating it when missing. A flag value other than "0", an empty one
    // included, counts as on; a missing value keeps the default. Throws SettingsError.
    static RanqorSettings read(SettingsStore& store);
    // Writes the flags as "1" or "0". Throws SettingsError.
    void write(SettingsStore& store) const;
};
