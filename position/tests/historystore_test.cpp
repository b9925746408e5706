#include "position/historystore.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "platform/core/safefile.h"
#include "platform/tests/tempdir.h"
#include "position/tests/historyfixture.h"

namespace {

using history_fixture::check;
using history_fixture::kSite;

// A plain connection beside the store's, as another program would hold one.
class RawDatabase {
public:
    explicit RawDatabase(const std::filesystem::path& file) { sqlite3_open(file.c_str(), &m_db); }
    ~RawDatabase() { sqlite3_close(m_db); }
    bool exec(const std::string& sql) {
        return sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    long long count(const std::string& table) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(m_db, ("SELECT count(*) FROM " + table).c_str(), -1, &statement, nullptr);
        long long n = sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : -1;
        sqlite3_finalize(statement);
        return n;
    }

private:
    sqlite3* m_db = nullptr;
};

RunRecord run(long long time, std::vector<CheckRecord> checks) {
    RunRecord r;
    r.time = time;
    r.address = kSite;
    r.checks = std::move(checks);
    return r;
}

class HistoryStoreTest : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path file = dir / "ranqor.sqlite";
};

}  // namespace

TEST_F(HistoryStoreTest, ARecordedRunReadsBackInRunOrder) {
    HistoryStore store(file);
    // A term as a Windows-1252 term file holds it reads back as the same text in UTF-8.
    const std::string term = "caf\xe9";
    const std::string utf8 = "caf\xc3\xa9";
    CheckRecord failed = check("Yahoo", term, CheckOutcome::Failed);
    failed.errorCode = 12029;
    failed.error = "12029: cannot connect";
    CheckRecord ranked = check("Google", term, CheckOutcome::Ranked, 4);
    ranked.resultRows = 10;
    ASSERT_EQ(store.record(run(1000, {ranked, failed})), std::nullopt);
    ASSERT_EQ(store.record(run(2000, {check("Google", term, CheckOutcome::NotRanked)})), std::nullopt);

    std::vector<HistoryPoint> points = store.points(kSite);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0], (HistoryPoint{1, 1000, "Google", utf8, CheckOutcome::Ranked, 4, 1, 10, 0}));
    EXPECT_EQ(points[1], (HistoryPoint{1, 1000, "Yahoo", utf8, CheckOutcome::Failed, 0, 0, 0, 12029}));
    EXPECT_EQ(points[2], (HistoryPoint{2, 2000, "Google", utf8, CheckOutcome::NotRanked, 0, 0, 0, 0}));
    EXPECT_EQ(store.points(kSite, {.term = utf8}).size(), 3u);
    EXPECT_EQ(store.schemaVersion(), HistoryStore::kSchemaVersion);
    EXPECT_EQ(store.addresses(), (std::vector<std::string>{kSite}));
}

TEST_F(HistoryStoreTest, FiltersByTermEngineAndDay) {
    HistoryStore store(file);
    store.write(run(1000, {check("Google", "seo", CheckOutcome::Ranked, 1),
                           check("Yahoo", "seo", CheckOutcome::NotRanked),
                           check("Google", "web", CheckOutcome::NoResults)}));
    store.write(run(90000, {check("Google", "seo", CheckOutcome::Ranked, 2)}));
    EXPECT_EQ(store.points(kSite, {.term = "seo"}).size(), 3u);
    EXPECT_EQ(store.points(kSite, {.term = "seo", .engine = "Google"}).size(), 2u);
    std::vector<HistoryPoint> recent = store.points(kSite, {.since = 86400});
    ASSERT_EQ(recent.size(), 1u);
    EXPECT_EQ(recent[0].position, 2);
    EXPECT_TRUE(store.points("http://other.example/").empty());
}

TEST_F(HistoryStoreTest, ACompareAddressHasChecksOfItsOwn) {
    HistoryStore store(file);
    RunRecord r = run(1000, {check("Google", "seo", CheckOutcome::Ranked, 1)});
    r.compareAddress = "http://rival.example/";
    CheckRecord rival = check("Google", "seo", CheckOutcome::Ranked, 2);
    rival.address = r.compareAddress;
    r.checks.push_back(rival);
    store.write(r);
    EXPECT_EQ(store.addresses(), (std::vector<std::string>{"http://rival.example/", kSite}));
    EXPECT_EQ(store.points("http://rival.example/").front().position, 2);
}

TEST_F(HistoryStoreTest, ARunThatFailsHalfwayLeavesNothing) {
    {
        HistoryStore store(file);
        store.write(run(1000, {check("Google", "seo", CheckOutcome::Ranked, 1)}));
    }
    RawDatabase raw(file);
    // Stands in for a full disk: the second check of the run cannot be written.
    ASSERT_TRUE(
        raw.exec("CREATE TRIGGER full BEFORE INSERT ON checks WHEN NEW.engine = 'Yahoo' "
                 "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END"));
    HistoryStore store(file);
    std::optional<std::string> error =
        store.record(run(2000, {check("Google", "seo", CheckOutcome::Ranked, 2),
                                check("Yahoo", "seo", CheckOutcome::Failed)}));
    ASSERT_TRUE(error);
    EXPECT_NE(error->find(file.string()), std::string::npos);
    EXPECT_NE(error->find("the run was not recorded"), std::string::npos);
    EXPECT_EQ(raw.count("runs"), 1);
    EXPECT_EQ(raw.count("checks"), 1);
}

TEST_F(HistoryStoreTest, AVersionOneHistoryIsUpgradedAndKeepsItsChecks) {
    {
        RawDatabase raw(file);
        ASSERT_TRUE(raw.exec(
            "CREATE TABLE runs (id INTEGER PRIMARY KEY, time INTEGER NOT NULL, address TEXT NOT NULL, "
            "compare_address TEXT NOT NULL, precise INTEGER NOT NULL, top_ten INTEGER NOT NULL);"
            "CREATE TABLE checks (run INTEGER NOT NULL REFERENCES runs(id), engine TEXT NOT NULL, "
            "term TEXT NOT NULL, address TEXT NOT NULL, position INTEGER, matches INTEGER NOT NULL);"
            "INSERT INTO runs VALUES (1, 1000, 'http://www.example.com/', '', 1, 0);"
            "INSERT INTO checks VALUES (1, 'Google', 'seo', 'http://www.example.com/', 3, 1);"
            "INSERT INTO checks VALUES (1, 'Yahoo', 'seo', 'http://www.example.com/', NULL, 0);"
            "PRAGMA user_version = 1;"));
    }
    HistoryStore store(file);
    std::vector<HistoryPoint> old = store.points(kSite);
    ASSERT_EQ(old.size(), 2u);
    EXPECT_EQ(old[0].outcome, CheckOutcome::Ranked);
    EXPECT_EQ(old[0].position, 3);
    EXPECT_EQ(old[1].outcome, CheckOutcome::NotRanked);
    EXPECT_EQ(store.schemaVersion(), 2);

    ASSERT_EQ(store.record(run(2000, {check("Yahoo", "seo", CheckOutcome::Unreadable)})), std::nullopt);
    EXPECT_EQ(store.points(kSite).back().outcome, CheckOutcome::Unreadable);
}

TEST_F(HistoryStoreTest, AHistoryOfANewerVersionIsLeftAlone) {
    {
        RawDatabase raw(file);
        ASSERT_TRUE(raw.exec("CREATE TABLE future (x); PRAGMA user_version = 7;"));
    }
    HistoryStore store(file);
    std::optional<std::string> error =
        store.record(run(1000, {check("Google", "seo", CheckOutcome::Ranked, 1)}));
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("newer version"), std::string::npos);
    RawDatabase raw(file);
    EXPECT_EQ(raw.count("future"), 0);
    EXPECT_EQ(raw.count("runs"), -1);  // no table was made
}

TEST_F(HistoryStoreTest, ALockedHistoryIsReportedAndTheRunIsNotHalfWritten) {
    {
        HistoryStore store(file);
        store.write(run(1000, {check("Google", "seo", CheckOutcome::Ranked, 1)}));
    }
    RawDatabase other(file);
    ASSERT_TRUE(other.exec("BEGIN EXCLUSIVE"));
    HistoryStore store(file, 0);
    std::optional<std::string> error =
        store.record(run(2000, {check("Google", "seo", CheckOutcome::Ranked, 2)}));
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("in use by another program"), std::string::npos) << *error;
    ASSERT_TRUE(other.exec("COMMIT"));
    EXPECT_EQ(other.count("runs"), 1);
    // Once the other program lets go, the next run is recorded.
    EXPECT_EQ(store.record(run(3000, {check("Google", "seo", CheckOutcome::Ranked, 3)})), std::nullopt);
    EXPECT_EQ(store.points(kSite).size(), 2u);
}

TEST_F(HistoryStoreTest, AFileThatIsNoDatabaseIsReportedAndNeverReplaced) {
    const std::string bytes(4096, 'x');
    writeFileAtomically(file, "These are a user's notes, not a database.\n" + bytes);
    HistoryStore store(file);
    std::optional<std::string> error =
        store.record(run(1000, {check("Google", "seo", CheckOutcome::Ranked, 1)}));
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("damaged or is no history database"), std::string::npos) << *error;
    EXPECT_THROW(store.addresses(), HistoryError);
    EXPECT_EQ(readFileBytes(file), "These are a user's notes, not a database.\n" + bytes);
}

TEST_F(HistoryStoreTest, ReadingAHistoryNobodyRecordedCreatesNoFile) {
    HistoryStore store(file);
    EXPECT_TRUE(store.addresses().empty());
    EXPECT_TRUE(store.points(kSite).empty());
    EXPECT_FALSE(std::filesystem::exists(file));
}
