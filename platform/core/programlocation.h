#pragma once

#include <filesystem>
#include <string>
#include <string_view>

class SettingsStore;

// What tells one program of the suite from the other where its data and its updates are.
struct ProgramIdentity {
    std::string environmentVariable;  // names the program folder when set, e.g. RANQOR_HOME
    std::string marker;               // a subfolder every program folder of it has, e.g. edata
    std::string name;                 // as installed: share/<name>, and the user's copy <name>
};

// Where the program keeps its data, found the same way by its window and its commands (see
// ProgramFolder::locate); argv0 serves when the running executable cannot be asked.
std::filesystem::path programFolderOf(const char* argv0, const ProgramIdentity& program);

// The update server both programs fetch their engine files from unless told otherwise.
inline constexpr const char* kDefaultUpdateServer = "http://update.orlek.example";

// The "updateserver" value of the program's key; the default when it is missing or the settings
// cannot be read, since an update must be possible even then.
std::string updateServerOf(const SettingsStore& store, std::string_view key);
