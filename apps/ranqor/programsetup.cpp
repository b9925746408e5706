#include "apps/ranqor/programsetup.h"

#include <unistd.h>

#include "platform/core/programfolder.h"
#include "platform/core/settingsstore.h"
#include "position/core/ranqorsettings.h"

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

fs::path ranqorProgramFolder(const char* argv0) {
    fs::path exe = executableDir(argv0);
    return ProgramFolder::locate(
        {"RANQOR_HOME", "edata", exe, exe.parent_path() / "share" / "ranqor", "ranqor"});
}

std::string ranqorUpdateServer(SettingsStore& store) {
    try {
        if (std::optional<std::string> server = store.readValue(kRanqorKey, "updateserver"))
            return *server;
    } catch (const std::exception&) {
    }
    return "http://update.orlek.example";
}
