#pragma once

#include <QString>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "position/core/history.h"
#include "position/core/historytable.h"

class ProgramFolder;
class QSqlDatabase;
class QSqlError;

// A history that could not be opened, read or written; the message names the file and says why
// in words a user can act on.
class HistoryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The rank history: an SQLite database through Qt's SQL module, one row per run and one per
// engine × term × address. The schema carries its version (SQLite's user_version) and is brought
// up to date when the file is opened; a file of a newer version is left alone. Every run is
// written in one transaction, so a crash or a full disk never leaves half a run. A file that is
// no SQLite database is reported and never replaced.
class HistoryStore : public RunRecorder {
public:
    static constexpr int kSchemaVersion = 2;
    // How long a write waits for another program that holds the database, in milliseconds.
    static constexpr int kDefaultBusyTimeout = 2000;

    explicit HistoryStore(std::filesystem::path file, int busyTimeoutMs = kDefaultBusyTimeout);
    ~HistoryStore() override;
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // history\ranqor.sqlite of the program folder, creating the history folder.
    static std::filesystem::path defaultFile(const ProgramFolder& folder);

    const std::filesystem::path& file() const { return m_file; }

    // Writes the run and its checks, or nothing. Throws HistoryError.
    void write(const RunRecord& run);
    // RunRecorder: write, with the error turned into the message for the user.
    std::optional<std::string> record(const RunRecord& run) override;

    // The addresses that have recorded checks, in byte order. Throws HistoryError.
    std::vector<std::string> addresses();
    // The checks of one address, in run order. Throws HistoryError.
    std::vector<HistoryPoint> points(const std::string& address, const HistoryFilter& filter = {});

    // The schema version of the file as it stands (0 for a new, empty file). Throws HistoryError.
    int schemaVersion();

private:
    QSqlDatabase database();
    // Opens the connection and brings the schema up to date.
    QSqlDatabase open();
    [[noreturn]] void fail(const std::string& what, const QSqlError& error) const;
    // Runs one statement of the schema; throws HistoryError.
    void exec(QSqlDatabase& db, const QString& statement, const std::string& what);

    std::filesystem::path m_file;
    int m_busyTimeout;
    QString m_connection;
    bool m_ready = false;
    struct Statements;
    std::unique_ptr<Statements> m_statements;  // prepared once per connection
};
