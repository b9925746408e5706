#pragma once

#include <filesystem>
#include <string>

class SettingsStore;

// Where this vistral keeps its data, found the same way by the window and the commands.
std::filesystem::path vistralProgramFolder(const char* argv0);

// The update server: the "updateserver" value of the program's key, or the default.
std::string vistralUpdateServer(const SettingsStore& store);
