#pragma once

#include <string>

class SettingsStore;

// The position checker's key; the proxy dialog spells it "\Software\Orlek\Ranqor", and key names
// ignore letter case, so both name the same key.
inline constexpr const char* kRanqorKey = "\\Software\\Orlek\\ranqor";

// The check boxes the position checker keeps between runs.
struct RanqorSettings {
    bool topTen = false;      // "topten", hidden
    bool otherSites = false;  // "allten"
    bool precise = true;      // "precise"
    bool autoload = false;    // "autoload", hidden

    // Opens the key, creating it when missing. A flag value other than "0", an empty one
    // included, counts as on; a missing value keeps the default. Throws SettingsError.
    static RanqorSettings read(SettingsStore& store);
    // Writes the four flags as "1" or "0". Throws SettingsError.
    void write(SettingsStore& store) const;
};
