// The rank history against the plain SQLite C library, both in the same run on the same schema:
// 100,000 engine × term checks recorded as 1,000 runs of 100, one transaction per run, then one
// address's year of history (365 runs) read back and summarised as the history window's table
// needs it. Prints both rates and the history's ratio to the plain library (higher is better;
// the goal is at least 0.5 for both). The files lie in /dev/shm when it exists, so the figures are
// the two sides' own work rather than the disk's flushes, which both would wait for alike.

#include <sqlite3.h>

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "position/core/historytable.h"
#include "position/historystore.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRuns = 1000;
constexpr int kYear = 365;  // runs of the address read back
constexpr int kEngines = 10;
constexpr int kTerms = 10;
constexpr int kRounds = 3;                // the best round of each side counts: the machine may be busy
constexpr long long kStart = 1767225600;  // 2026-01-01

double seconds(const std::function<void()>& work) {
    auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The runs a year of daily checks of one address makes, between checks of other addresses.
std::vector<RunRecord> makeRuns() {
    std::mt19937 random(7);
    std::vector<RunRecord> runs;
    for (int r = 0; r < kRuns; ++r) {
        RunRecord run;
        run.time = kStart + r * 3600LL * 8;
        run.address = r % 3 == 0 && r / 3 < kYear ? "http://www.example.com/"
                                                  : "http://site" + std::to_string(r % 7) + ".example/";
        for (int e = 0; e < kEngines; ++e) {
            for (int t = 0; t < kTerms; ++t) {
                CheckRecord check;
                check.engine = "Engine" + std::to_string(e);
                check.term = "search term " + std::to_string(t);
                check.address = run.address;
                const int position = static_cast<int>(random() % 40);
                check.position = position < 30 ? position + 1 : 0;
                check.outcome = check.position ? CheckOutcome::Ranked : CheckOutcome::NotRanked;
                check.matches = check.position ? 1 : 0;
                if (check.position)
                    check.matched = {run.address};
                check.resultRows = 30;
                run.checks.push_back(std::move(check));
            }
        }
        runs.push_back(std::move(run));
    }
    return runs;
}

void check(int rc, sqlite3* db, const char* what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
}

// The plain library doing what the store does: the same rows, a transaction per run.
class PlainHistory {
public:
    explicit PlainHistory(const fs::path& file) {
        check(sqlite3_open(file.c_str(), &m_db), m_db, "open");
        check(sqlite3_prepare_v2(m_db,
                                 "INSERT INTO runs (time, address, compare_address, precise, top_ten) "
                                 "VALUES (?, ?, ?, ?, ?)",
                                 -1, &m_run, nullptr),
              m_db, "prepare");
        check(sqlite3_prepare_v2(
                  m_db,
                  "INSERT INTO checks (run, engine, term, address, position, matches, matched, "
                  "result_rows, outcome, error_code, error) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                  -1, &m_check, nullptr),
              m_db, "prepare");
    }
    ~PlainHistory() {
        sqlite3_finalize(m_run);
        sqlite3_finalize(m_check);
        sqlite3_close(m_db);
    }

    void write(const RunRecord& run) {
        check(sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr), m_db, "begin");
        sqlite3_bind_int64(m_run, 1, run.time);
        text(m_run, 2, run.address);
        text(m_run, 3, run.compareAddress);
        sqlite3_bind_int(m_run, 4, run.precise);
        sqlite3_bind_int(m_run, 5, run.topTen);
        check(sqlite3_step(m_run), m_db, "insert");
        sqlite3_reset(m_run);
        const sqlite3_int64 id = sqlite3_last_insert_rowid(m_db);
        for (const CheckRecord& c : run.checks) {
            std::string matched;
            for (const std::string& m : c.matched)
                matched += (matched.empty() ? "" : "\n") + m;
            sqlite3_bind_int64(m_check, 1, id);
            text(m_check, 2, c.engine);
            text(m_check, 3, c.term);
            text(m_check, 4, c.address);
            if (c.position > 0)
                sqlite3_bind_int(m_check, 5, c.position);
            else
                sqlite3_bind_null(m_check, 5);
            sqlite3_bind_int(m_check, 6, c.matches);
            text(m_check, 7, matched);
            sqlite3_bind_int(m_check, 8, c.resultRows);
            text(m_check, 9, std::string(outcomeName(c.outcome)));
            sqlite3_bind_int(m_check, 10, c.errorCode);
            text(m_check, 11, c.error);
            check(sqlite3_step(m_check), m_db, "insert");
            sqlite3_reset(m_check);
        }
        check(sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr), m_db, "commit");
    }

    std::vector<HistoryPoint> points(const std::string& address) {
        sqlite3_stmt* query = nullptr;
        check(sqlite3_prepare_v2(m_db,
                                 "SELECT c.run, r.time, c.engine, c.term, c.outcome, c.position, c.matches, "
                                 "c.result_rows, c.error_code FROM checks c JOIN runs r ON r.id = c.run "
                                 "WHERE c.address = ? ORDER BY c.run, c.rowid",
                                 -1, &query, nullptr),
              m_db, "prepare");
        text(query, 1, address);
        std::vector<HistoryPoint> out;
        auto column = [&](int i) {
            return std::string(reinterpret_cast<const char*>(sqlite3_column_text(query, i)));
        };
        while (sqlite3_step(query) == SQLITE_ROW) {
            HistoryPoint p;
            p.run = sqlite3_column_int64(query, 0);
            p.time = sqlite3_column_int64(query, 1);
            p.engine = column(2);
            p.term = column(3);
            p.outcome = outcomeFromName(column(4)).value_or(CheckOutcome::NotRanked);
            p.position = sqlite3_column_int(query, 5);
            p.matches = sqlite3_column_int(query, 6);
            p.resultRows = sqlite3_column_int(query, 7);
            p.errorCode = sqlite3_column_int(query, 8);
            out.push_back(std::move(p));
        }
        sqlite3_finalize(query);
        return out;
    }

private:
    static void text(sqlite3_stmt* statement, int index, const std::string& value) {
        sqlite3_bind_text(statement, index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
    }

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_run = nullptr;
    sqlite3_stmt* m_check = nullptr;
};

struct Times {
    double record = 1e9;
    double read = 1e9;
    size_t rows = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    const fs::path dir = base / ("bench-history-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::vector<RunRecord> runs = makeRuns();
    const std::string address = "http://www.example.com/";
    Times ours, plain;
    try {
        for (int round = 0; round < kRounds; ++round) {
            const fs::path ourFile = dir / ("ours" + std::to_string(round) + ".sqlite");
            const fs::path plainFile = dir / ("plain" + std::to_string(round) + ".sqlite");
            {
                HistoryStore store(ourFile);
                ours.record = std::min(ours.record, seconds([&] {
                                           for (const RunRecord& run : runs)
                                               store.write(run);
                                       }));
                ours.read = std::min(
                    ours.read, seconds([&] { ours.rows = summarizeHistory(store.points(address)).size(); }));
            }
            {
                // The same schema, made by the store and not timed.
                HistoryStore(plainFile).write(RunRecord{});
                PlainHistory db(plainFile);
                plain.record = std::min(plain.record, seconds([&] {
                                            for (const RunRecord& run : runs)
                                                db.write(run);
                                        }));
                plain.read = std::min(
                    plain.read, seconds([&] { plain.rows = summarizeHistory(db.points(address)).size(); }));
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_history: %s\n", e.what());
        fs::remove_all(dir);
        return 1;
    }
    fs::remove_all(dir);
    if (ours.rows != plain.rows || ours.rows != static_cast<size_t>(kEngines * kTerms)) {
        std::fprintf(stderr, "bench_history: the two sides read different tables\n");
        return 1;
    }
    const double checks = static_cast<double>(kRuns) * kEngines * kTerms;
    const double yearChecks = static_cast<double>(kYear) * kEngines * kTerms;
    std::printf("files in %s, best of %d rounds\n", base.c_str(), kRounds);
    std::printf("record %d runs of %d checks: history %.0f checks/s, sqlite3 %.0f checks/s, ratio %.2f\n",
                kRuns, kEngines * kTerms, checks / ours.record, checks / plain.record,
                plain.record / ours.record);
    std::printf(
        "read a year of one address (%d runs, %.0f checks) into the window's table: history %.1f ms, "
        "sqlite3 %.1f ms, ratio %.2f\n",
        kYear, yearChecks, ours.read * 1000, plain.read * 1000, plain.read / ours.read);
    return 0;
}
