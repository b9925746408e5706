#include "apps/ranqor/programsetup.h"

#include "platform/core/programlocation.h"
#include "position/core/ranqorsettings.h"

std::filesystem::path ranqorProgramFolder(const char* argv0) {
    return programFolderOf(argv0, {"RANQOR_HOME", "edata", "ranqor"});
}

std::string ranqorUpdateServer(SettingsStore& store) {
    return updateServerOf(store, kRanqorKey);
}
