#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A moment of the local clock, to the minute.
struct LocalTime {
    int year = 2000;  // full year
    int month = 1;    // 1 to 12
    int day = 1;      // 1 to 31
    int hour = 0;     // 0 to 23
    int minute = 0;   // 0 to 59
};

LocalTime currentLocalTime();

// The history file of a run of project that ended at time: the project name, then month, day,
// year, hour and minute in two digits each, then ".vhs" ("Shop0703010905.vhs"). A later run
// that ended in the same minute gets "-2", "-3", ... before ".vhs" (take is 1 for the first).
std::string historyFileName(std::string_view project, const LocalTime& time, int take = 1);

// The history file's bytes: each line of the activity log ended by CR LF.
std::string historyFileText(const std::vector<std::string>& lines);

// A history file that could not be written; path() is the file that was tried.
class HistoryFileError : public std::runtime_error {
public:
    HistoryFileError(std::filesystem::path path, const std::string& reason);
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// Writes the activity log of a completed run into folder (created when missing) under the first
// of historyFileName's names that no file has yet, and returns the file's path. An earlier run's
// file is never replaced. Throws HistoryFileError.
std::filesystem::path writeHistoryFile(const std::filesystem::path& folder, std::string_view project,
                                       const LocalTime& time, const std::vector<std::string>& lines);
