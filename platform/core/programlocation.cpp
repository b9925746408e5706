#include "platform/core/programlocation.h"

#include "platform/core/programfolder.h"
#include "platform/core/settingsstore.h"

namespace fs = std::filesystem;

namespace {

fs::path executableDir(const char* argv0) {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        self = fs::absolute(argv0, ec);
    return self.parent_path();
}

}  // namespace

fs::path programFolderOf(const char* argv0, const ProgramIdentity& program) {
    fs::path exe = executableDir(argv0);
    return ProgramFolder::locate({program.environmentVariable, program.marker, exe,
                                  exe.parent_path() / "share" / program.name, program.name});
}

std::string updateServerOf(const SettingsStore& store, std::string_view key) {
    try {
        if (std::optional<std::string> server = store.readValue(key, "updateserver"))
            return *server;
    } catch (const std::exception&) {
    }
    return kDefaultUpdateServer;
}
