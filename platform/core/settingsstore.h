#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

class SettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The machine-wide key/value store the programs keep their settings in ("\Software\Orlek\Ranqor"),
// kept as one INI file. Key and value names are compared without regard to letter case; any
// value name and any value text survive a write and a read. Every change rewrites the file
// atomically and leaves it readable by its owner only, since it may hold a proxy password. The
// file is read afresh by every call, so two windows (or two programs) that share it see each
// other's writes; a change holds an advisory lock on "<file>.lock" from reading to writing, so
// two programs writing at once keep each other's values. Lines the store does not use stay as
// they are. A file that is no settings file, or is read-only, is never replaced: reading the
// first and writing either throws SettingsError naming it. A settings file that is a symbolic
// link is changed where the link points.
class SettingsStore {
public:
    explicit SettingsStore(std::filesystem::path file);

    // ORLEK_SETTINGS when set, else the user's config folder.
    static std::filesystem::path defaultFile();

    const std::filesystem::path& file() const { return m_file; }

    bool keyExists(std::string_view key) const;
    void createKey(std::string_view key);
    bool valueExists(std::string_view key, std::string_view name) const;
    std::optional<std::string> readValue(std::string_view key, std::string_view name) const;
    // Creates the key when it is missing.
    void writeValue(std::string_view key, std::string_view name, std::string_view value);

private:
    std::filesystem::path m_file;
};
