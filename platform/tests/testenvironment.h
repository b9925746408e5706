#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

// Every test program starts here: whatever reads the settings store without being given a file
// reads a file of this run's own, never the user's settings.
inline void prepareTestEnvironment() {
    const char* settings = std::getenv("ORLEK_SETTINGS");
    if (settings && *settings) return;
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("orlek-test-settings-" + std::to_string(::getpid()) + ".ini");
    ::setenv("ORLEK_SETTINGS", file.c_str(), 1);
    static struct Cleanup {
        std::filesystem::path file;
        ~Cleanup() {
            std::error_code ec;
            std::filesystem::remove(file, ec);
        }
    } cleanup{file};
}
