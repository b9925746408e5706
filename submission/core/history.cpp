#include "submission/core/history.h"

#include <cstdio>
#include <ctime>
#include <system_error>

#include "platform/core/safefile.h"

namespace {

std::string twoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value % 100);
    return text;
}

// More runs of one project in one minute than anyone makes; a folder that refuses every name
// (read-only, full) is reported rather than tried forever.
constexpr int kMostTakes = 1000;

}  // namespace

LocalTime currentLocalTime() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
}

std::string historyFileName(std::string_view project, const LocalTime& time, int take) {
    std::string name(project);
    name += twoDigits(time.month) + twoDigits(time.day) + twoDigits(time.year) + twoDigits(time.hour) +
            twoDigits(time.minute);
    if (take > 1)
        name += "-" + std::to_string(take);
    return name + ".vhs";
}

std::string historyFileText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

HistoryFileError::HistoryFileError(std::filesystem::path path, const std::string& reason)
    : std::runtime_error(reason), m_path(std::move(path)) {}

std::filesystem::path writeHistoryFile(const std::filesystem::path& folder, std::string_view project,
                                       const LocalTime& time, const std::vector<std::string>& lines) {
    const std::string text = historyFileText(lines);
    std::filesystem::path path = folder / historyFileName(project, time);
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec)
        throw HistoryFileError(path, folder.string() + ": " + ec.message());
    for (int take = 1; take <= kMostTakes; ++take) {
        path = folder / historyFileName(project, time, take);
        try {
            if (writeNewFileAtomically(path, text))
                return path;
        } catch (const FileError& error) {
            throw HistoryFileError(path, error.what());
        }
    }
    throw HistoryFileError(path, path.string() + ": every name of this minute is taken");
}
