#include "apps/vistral/programsetup.h"

#include "platform/core/programlocation.h"
#include "submission/core/projects.h"

std::filesystem::path vistralProgramFolder(const char* argv0) {
    return programFolderOf(argv0, {"VISTRAL_HOME", "My Profiles", "vistral"});
}

std::string vistralUpdateServer(const SettingsStore& store) {
    return updateServerOf(store, kVistralKey);
}
