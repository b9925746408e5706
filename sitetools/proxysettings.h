#pragma once

#include <string>
#include <vector>

class SettingsStore;

inline constexpr const char* kRanqorSettingsKey = "\\Software\\Orlek\\Ranqor";
inline constexpr const char* kVistralSettingsKey = "\\Software\\Orlek\\Vistral";

// What tells the position checker's proxy dialog from the submission tool's: the key, the
// controls beyond the server box, the texts and the help topic.
struct ProxySettingsVariant {
    struct Value {
        std::string name;
        std::string firstContent;  // what a program's first start stores when the value is missing
    };

    std::string caption;
    std::string key;
    std::vector<Value> values;  // every value the dialog reads and writes
    bool hasUserPasswordTimeout = false;
    std::vector<std::string> serverNotes;  // the notes below the server box
    std::string saveHint;
    std::string closeHint;
    std::string helpHint;
    std::string confirmation;  // shown after Save Settings
    std::string helpTopic;

    static const ProxySettingsVariant& ranqor();
    static const ProxySettingsVariant& vistral();
};

// The values are meant to be created by an installation step, and the dialog only ever writes
// values that exist. A program calls this at start-up so that its dialog has values to save:
// every missing value of the variant is created with its first content; existing values, and
// the values of other programs, stay as they are. Throws SettingsError.
void createMissingProxyValues(SettingsStore& store, const ProxySettingsVariant& variant);
