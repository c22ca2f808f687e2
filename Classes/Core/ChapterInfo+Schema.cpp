// Schema steps of the user database and its version table.

#include "Classes/Core/ChapterInfo.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/NSDate.h"
#include "platform/foundation/StringUtils.h"

namespace {

struct SchemaStatement {
    const char* label;
    const char* sql;
};

// Failures a step expects on a database that already has part of its schema.
bool isExpectedFailure(const std::string& message, const char* sql) {
    if (str::contains(message, "already exists") || str::contains(message, "duplicate column")) return true;
    return str::hasPrefix(sql, "DROP INDEX") && str::contains(message, "no such index");
}

bool exec(sqlite3* db, const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

// "ALTER TABLE t ADD COLUMN c ..." whose column t already has: the template and databases
// made by later steps carry it, so the statement is skipped rather than left to fail.
bool addsExistingColumn(sqlite3* db, const char* sql) {
    const std::vector<std::string> words = str::split(sql, " ");
    if (words.size() < 6 || words[0] != "ALTER" || words[1] != "TABLE" || words[3] != "ADD" || words[4] != "COLUMN")
        return false;
    SQLiteStatement info = DataStoreConnection::prepare(db, "SELECT 1 FROM pragma_table_info(?) WHERE name = ?");
    if (!info) return false;
    sqlite3_bind_text(info.get(), 1, words[2].c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(info.get(), 2, words[5].c_str(), -1, SQLITE_TRANSIENT);
    return sqlite3_step(info.get()) == SQLITE_ROW;
}

// Runs the statements of one step under a savepoint: a transaction of its own, or a part of
// the caller's. Every statement is tried and its failure logged; the step succeeds only when
// each failure was an expected one, and otherwise leaves nothing behind.
bool runSchemaStep(sqlite3* db, const char* stepName, const std::vector<SchemaStatement>& statements) {
    if (!db) return false;
    auto guard = DataStoreConnection::lock(db);
    if (!exec(db, "SAVEPOINT schema_step")) {
        NSLog("%s Schema ERROR: cannot begin: message '%s'.", stepName, sqlite3_errmsg(db));
        return false;
    }
    bool ok = true;
    for (const SchemaStatement& statement : statements) {
        if (addsExistingColumn(db, statement.sql)) continue;
        SQLiteStatement stmt = DataStoreConnection::prepare(db, statement.sql);
        if (!stmt) {
            std::string message = sqlite3_errmsg(db);
            NSLog("[%s] %s Schema ERROR: message '%@'.", statement.label, stepName, message);
            ok = ok && isExpectedFailure(message, statement.sql);
            continue;
        }
        int rc = sqlite3_step(stmt.get());
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
            std::string message = sqlite3_errmsg(db);
            NSLog("ERROR - [%@] [%s] %s Schema ERROR: message '%@'.", describe(NSDate::date()), statement.label,
                  stepName, message);
            ok = ok && isExpectedFailure(message, statement.sql);
        }
    }
    if (ok && exec(db, "RELEASE schema_step")) return true;
    NSLog("%s Schema ERROR: step not applied: message '%s'.", stepName, sqlite3_errmsg(db));
    exec(db, "ROLLBACK TO schema_step");
    exec(db, "RELEASE schema_step");
    return false;
}

}  // namespace

bool ChapterInfo::updateDatabase3_0(sqlite3* db) {
    NSLog("Running Schema 3.0 Update");
    return runSchemaStep(
        db, "3.0",
        {
            {"1",
             "CREATE TABLE optimizedtrans (translation INTEGER NOT NULL, surah INTEGER NOT NULL, verse INTEGER NOT "
             "NULL, "
             "height INTEGER NOT NULL, islandscape INTEGER NOT NULL DEFAULT 0, potraitwidth INTEGER NOT NULL, "
             "landscapewidth INTEGER NOT NULL, devicescale DOUBLE NOT NULL DEFAULT 1, isipad INTEGER NOT NULL DEFAULT "
             "0, "
             "fontscale INTEGER NOT NULL DEFAULT 0, isfullscreen INTEGER NOT NULL DEFAULT 0)"},
            {"1.1",
             "CREATE UNIQUE INDEX optimizedtrans_all ON optimizedtrans (translation, surah, verse, islandscape, "
             "potraitwidth, landscapewidth, isipad, fontscale, isfullscreen)"},
            {"2", "CREATE UNIQUE INDEX recitations_recsur ON recitations (reciter, surah)"},
            {"3",
             "CREATE TABLE bookmarksections (surah INTEGER NOT NULL DEFAULT 1, collapsed INTEGER NOT NULL DEFAULT 1)"},
            {"4", "CREATE INDEX bookmarksections_surah ON bookmarksections (surah)"},
            {"5", "ALTER TABLE bookmarks ADD COLUMN bkgroup INTEGER NOT NULL DEFAULT 0"},
            {"6", "ALTER TABLE savedsearches ADD COLUMN datesearched DOUBLE NOT NULL DEFAULT 0"},
        });
}

bool ChapterInfo::updateDatabase3_1(sqlite3* db) {
    NSLog("Running Schema 3.1 Update");
    return runSchemaStep(
        db, "3.1",
        {
            {"1", "CREATE INDEX searchmatches_surahverse ON searchmatches (surah, verse)"},
            {"1.1", "CREATE TABLE dbversion ('version' double)"},
            {"1.2", "CREATE UNIQUE INDEX dbver ON dbversion (version)"},
            {"1.3", "REPLACE INTO dbversion (version) VALUES (3.1)"},
            {"2",
             "CREATE TABLE contrecitations ('reciter' integer, 'surah' integer, 'ishq' integer NOT NULL DEFAULT 0)"},
            {"3", "CREATE INDEX contrecitsurahrecit ON contrecitations (reciter, surah, ishq)"},
            {"4", "CREATE TABLE contrecitationmp3s ('reciter' integer, 'surah' integer, 'part' integer, 'mp3' BLOB)"},
            {"5", "CREATE INDEX contrecitationmp3s_recitersurah ON contrecitationmp3s (reciter, surah)"},
            {"6",
             "CREATE UNIQUE INDEX contrecitationmp3s_recitersurahpart ON contrecitationmp3s (reciter, surah, part)"},
        });
}

bool ChapterInfo::updateDatabase3_2(sqlite3* db) {
    return runSchemaStep(
        db, "3.2",
        {
            {"1.1", "DROP INDEX optimizedtrans_all"},
            {"1.2", "ALTER TABLE optimizedtrans ADD COLUMN isipad INTEGER NOT NULL DEFAULT 0"},
            {"1.3", "ALTER TABLE contrecitations ADD COLUMN ishq integer NOT NULL DEFAULT 0"},
            {"1.3", "DROP INDEX contrecitsurahrecit"},
            {"1.3", "CREATE INDEX contrecitsurahrecit ON contrecitations (reciter, surah, ishq)"},
            {"1.3", "ALTER TABLE optimizedtrans ADD COLUMN fontscale INTEGER NOT NULL DEFAULT 0"},
            {"1.3", "ALTER TABLE optimizedtrans ADD COLUMN isfullscreen INTEGER NOT NULL DEFAULT 0"},
            {"1.4",
             "CREATE UNIQUE INDEX optimizedtrans_all ON optimizedtrans (translation, surah, verse, islandscape, "
             "potraitwidth, landscapewidth, isipad, fontscale, isfullscreen)"},
        });
}

double ChapterInfo::dbVersion(sqlite3* db) {
    double version = 1.0;
    queryCached(db, "SELECT version FROM dbversion ORDER BY version DESC LIMIT 1", "", [&](sqlite3_stmt* s) {
        version = sqlite3_column_double(s, 0);
        return false;
    });
    return version;
}

bool ChapterInfo::setDBVersion(sqlite3* db, double version) {
    return writeCached(db, "REPLACE INTO dbversion (version) VALUES (?)", "setDBVersion", version);
}
