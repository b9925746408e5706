#include "position/historystore.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>
#include <map>

#include "platform/core/programfolder.h"
#include "platform/displaytext.h"

namespace {

// Stored as text, so the file reads well in any SQLite tool and a term typed on the command line
// finds the same term read from a Windows-1252 term file; it reads back as UTF-8.
QString bytes(const std::string& text) {
    return toDisplay(text);
}

std::string text(const QVariant& value) {
    return value.toString().toStdString();
}

std::string joined(const std::vector<std::string>& parts) {
    std::string out;
    for (const std::string& part : parts)
        out += (out.empty() ? "" : "\n") + part;
    return out;
}

// The first schema: runs and their checks with the position and the count of matches only.
const char* const kVersion1[] = {
    "CREATE TABLE runs (id INTEGER PRIMARY KEY, time INTEGER NOT NULL, address TEXT NOT NULL, "
    "compare_address TEXT NOT NULL, precise INTEGER NOT NULL, top_ten INTEGER NOT NULL)",
    "CREATE TABLE checks (run INTEGER NOT NULL REFERENCES runs(id), engine TEXT NOT NULL, term TEXT NOT "
    "NULL, "
    "address TEXT NOT NULL, position INTEGER, matches INTEGER NOT NULL)",
};

// Version 2 tells an engine that failed or could not be read from a lost ranking. The checks of
// version 1 could not tell: one with a position was ranked, any other counted as not ranked.
const char* const kVersion2[] = {
    "ALTER TABLE checks ADD COLUMN matched TEXT NOT NULL DEFAULT ''",
    "ALTER TABLE checks ADD COLUMN result_rows INTEGER NOT NULL DEFAULT 0",
    "ALTER TABLE checks ADD COLUMN outcome TEXT NOT NULL DEFAULT 'not-ranked'",
    "ALTER TABLE checks ADD COLUMN error_code INTEGER NOT NULL DEFAULT 0",
    "ALTER TABLE checks ADD COLUMN error TEXT NOT NULL DEFAULT ''",
    "UPDATE checks SET outcome = 'ranked' WHERE position IS NOT NULL",
    "CREATE INDEX checks_by_address ON checks (address, run)",
};

}  // namespace

struct HistoryStore::Statements {
    QSqlQuery run;
    QSqlQuery check;
    std::vector<QString> outcomes;  // the names, in the order of kAllOutcomes
};

HistoryStore::HistoryStore(std::filesystem::path file, int busyTimeoutMs)
    : m_file(std::move(file)),
      m_busyTimeout(busyTimeoutMs),
      m_connection("history-" + QUuid::createUuid().toString(QUuid::WithoutBraces)) {}

HistoryStore::~HistoryStore() {
    m_statements.reset();
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

std::filesystem::path HistoryStore::defaultFile(const ProgramFolder& folder) {
    return folder.resolveForWriting("history\\ranqor.sqlite");
}

void HistoryStore::fail(const std::string& what, const QSqlError& error) const {
    const QString code = error.nativeErrorCode();
    std::string reason;
    // SQLite's result codes: 5 busy, 6 locked, 11 corrupt, 26 not a database.
    if (code == "5" || code == "6") {
        reason = "the database is in use by another program";
    } else if (code == "11" || code == "26") {
        reason = "the file is damaged or is no history database; move it aside and a new history is started";
    } else {
        reason = error.text().toStdString();
    }
    throw HistoryError("The history " + m_file.string() + " could not be " + what + ": " + reason);
}

void HistoryStore::exec(QSqlDatabase& db, const QString& statement, const std::string& what) {
    QSqlQuery query(db);
    if (!query.exec(statement))
        fail(what, query.lastError());
}

QSqlDatabase HistoryStore::database() {
    if (QSqlDatabase::contains(m_connection))
        return QSqlDatabase::database(m_connection, false);
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", m_connection);
    db.setDatabaseName(QString::fromStdString(m_file.string()));
    db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=" + QString::number(m_busyTimeout));
    return db;
}

QSqlDatabase HistoryStore::open() {
    QSqlDatabase db = database();
    if (!db.isValid())
        throw HistoryError("The history " + m_file.string() +
                           " cannot be kept: Qt's SQLite driver is missing");
    if (!db.isOpen() && !db.open())
        fail("opened", db.lastError());
    if (m_ready)
        return db;
    const int version = schemaVersion();
    if (version > kSchemaVersion) {
        throw HistoryError("The history " + m_file.string() +
                           " was written by a newer version of ranqor and is left as it is");
    }
    if (version < kSchemaVersion) {
        if (!db.transaction())
            fail("upgraded", db.lastError());
        try {
            if (version < 1) {
                for (const char* statement : kVersion1)
                    exec(db, statement, "created");
            }
            for (const char* statement : kVersion2)
                exec(db, statement, "upgraded");
            exec(db, "PRAGMA user_version = " + QString::number(kSchemaVersion), "upgraded");
            if (!db.commit())
                fail("upgraded", db.lastError());
        } catch (const HistoryError&) {
            db.rollback();
            throw;
        }
    }
    m_statements = std::make_unique<Statements>(Statements{QSqlQuery(db), QSqlQuery(db), {}});
    for (CheckOutcome outcome : kAllOutcomes)
        m_statements->outcomes.push_back(QString::fromUtf8(outcomeName(outcome)));
    if (!m_statements->run.prepare("INSERT INTO runs (time, address, compare_address, precise, top_ten) "
                                   "VALUES (?, ?, ?, ?, ?)"))
        fail("written", m_statements->run.lastError());
    if (!m_statements->check.prepare(
            "INSERT INTO checks (run, engine, term, address, position, matches, "
            "matched, result_rows, outcome, "
            "error_code, error) VALUES (:run, :engine, :term, :address, :position, :matches, "
            ":matched, :rows, :outcome, :code, :error)"))
        fail("written", m_statements->check.lastError());
    m_ready = true;
    return db;
}

int HistoryStore::schemaVersion() {
    QSqlDatabase db = database();
    if (!db.isOpen() && !db.open())
        fail("opened", db.lastError());
    QSqlQuery query(db);
    if (!query.exec("PRAGMA user_version") || !query.next())
        fail("read", query.lastError());
    return query.value(0).toInt();
}

void HistoryStore::write(const RunRecord& run) {
    QSqlDatabase db = open();
    if (!db.transaction())
        fail("written", db.lastError());
    try {
        QSqlQuery& insertRun = m_statements->run;
        insertRun.addBindValue(static_cast<qlonglong>(run.time));
        insertRun.addBindValue(bytes(run.address));
        insertRun.addBindValue(bytes(run.compareAddress));
        insertRun.addBindValue(run.precise ? 1 : 0);
        insertRun.addBindValue(run.topTen ? 1 : 0);
        if (!insertRun.exec())
            fail("written", insertRun.lastError());
        const QVariant id = insertRun.lastInsertId();
        QSqlQuery& insertCheck = m_statements->check;
        static const QString kRun = ":run", kEngine = ":engine", kTerm = ":term", kAddress = ":address",
                             kPosition = ":position", kMatches = ":matches", kMatched = ":matched",
                             kRows = ":rows", kOutcome = ":outcome", kCode = ":code", kError = ":error";
        // A run repeats its address and each engine and term many times: each is converted once.
        std::map<std::string_view, QString> texts;
        auto cached = [&texts](const std::string& value) -> const QString& {
            auto [it, added] = texts.try_emplace(value);
            if (added)
                it->second = bytes(value);
            return it->second;
        };
        for (const CheckRecord& check : run.checks) {
            // By name: Qt binds a value by position through a placeholder name it formats anew each time.
            insertCheck.bindValue(kRun, id);
            insertCheck.bindValue(kEngine, cached(check.engine));
            insertCheck.bindValue(kTerm, cached(check.term));
            insertCheck.bindValue(kAddress, cached(check.address));
            insertCheck.bindValue(kPosition, check.position > 0 ? QVariant(check.position) : QVariant());
            insertCheck.bindValue(kMatches, check.matches);
            insertCheck.bindValue(kMatched,
                                  check.matched.empty() ? QString("") : bytes(joined(check.matched)));
            insertCheck.bindValue(kRows, check.resultRows);
            insertCheck.bindValue(kOutcome, m_statements->outcomes[static_cast<size_t>(check.outcome)]);
            insertCheck.bindValue(kCode, check.errorCode);
            insertCheck.bindValue(kError, cached(check.error));
            if (!insertCheck.exec())
                fail("written", insertCheck.lastError());
        }
        if (!db.commit())
            fail("written", db.lastError());
    } catch (const HistoryError&) {
        db.rollback();
        throw;
    }
}

std::optional<std::string> HistoryStore::record(const RunRecord& run) {
    try {
        write(run);
        return std::nullopt;
    } catch (const HistoryError& e) {
        return std::string(e.what()) + "; the run was not recorded.";
    }
}

std::vector<std::string> HistoryStore::addresses() {
    // Reading never creates the file: a history nobody recorded is empty.
    if (!std::filesystem::exists(m_file))
        return {};
    QSqlDatabase db = open();
    QSqlQuery query(db);
    if (!query.exec("SELECT DISTINCT address FROM checks ORDER BY address"))
        fail("read", query.lastError());
    std::vector<std::string> out;
    while (query.next())
        out.push_back(text(query.value(0)));
    return out;
}

std::vector<HistoryPoint> HistoryStore::points(const std::string& address, const HistoryFilter& filter) {
    if (!std::filesystem::exists(m_file))
        return {};
    QSqlDatabase db = open();
    QString sql =
        "SELECT c.run, r.time, c.engine, c.term, c.outcome, c.position, c.matches, c.result_rows, "
        "c.error_code "
        "FROM checks c JOIN runs r ON r.id = c.run WHERE c.address = ?";
    if (!filter.term.empty())
        sql += " AND c.term = ?";
    if (!filter.engine.empty())
        sql += " AND c.engine = ?";
    if (filter.since != 0)
        sql += " AND r.time >= ?";
    sql += " ORDER BY c.run, c.rowid";
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        fail("read", query.lastError());
    query.addBindValue(bytes(address));
    if (!filter.term.empty())
        query.addBindValue(bytes(filter.term));
    if (!filter.engine.empty())
        query.addBindValue(bytes(filter.engine));
    if (filter.since != 0)
        query.addBindValue(static_cast<qlonglong>(filter.since));
    if (!query.exec())
        fail("read", query.lastError());
    std::vector<HistoryPoint> out;
    while (query.next()) {
        HistoryPoint point;
        point.run = query.value(0).toLongLong();
        point.time = query.value(1).toLongLong();
        point.engine = text(query.value(2));
        point.term = text(query.value(3));
        point.outcome = outcomeFromName(text(query.value(4))).value_or(CheckOutcome::NotRanked);
        point.position = query.value(5).isNull() ? 0 : query.value(5).toInt();
        point.matches = query.value(6).toInt();
        point.resultRows = query.value(7).toInt();
        point.errorCode = query.value(8).toInt();
        out.push_back(std::move(point));
    }
    return out;
}
