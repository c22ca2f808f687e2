#include "Classes/Core/UserDatabaseSalvage.h"

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/DataStoreConnection.h"
#include "Classes/Core/NSData+Bzip2.h"

#include "platform/foundation/NSDate.h"
#include "platform/foundation/NSDateFormatter.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/StringUtils.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <tuple>
#include <vector>

namespace {

// The tables of the user's own records, checked at every start.
const char* const kCheckedTables[] = {"bookmarks",  "bookmarksections", "savedsearches", "searchmatches",
                                      "recitations", "contrecitations",  "dbversion"};

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool hasTable(sqlite3* db, const std::string& name) {
    SQLiteStatement stmt = DataStoreConnection::prepare(
        db, "SELECT 1 FROM sqlite_master WHERE type IN ('table', 'index') AND name = ?");
    if (!stmt) return false;
    bindAll(stmt.get(), name);
    return sqlite3_step(stmt.get()) == SQLITE_ROW;
}

std::vector<std::string> columnsOf(sqlite3* db, const std::string& table) {
    std::vector<std::string> columns;
    SQLiteStatement stmt = DataStoreConnection::prepare(db, "SELECT name FROM pragma_table_info(?)");
    if (!stmt) return columns;
    bindAll(stmt.get(), table);
    while (sqlite3_step(stmt.get()) == SQLITE_ROW) columns.push_back(columnString(stmt.get(), 0));
    return columns;
}

struct ValueDeleter {
    void operator()(sqlite3_value* value) const { sqlite3_value_free(value); }
};
using Value = std::unique_ptr<sqlite3_value, ValueDeleter>;

// One row as far as it reads: a value per column, null where it could not be read.
struct Row {
    std::vector<Value> values;
    bool whole = false;
};

// A table of the damaged file, read around its damage: the rows its own pages give, and the
// keys its index holds for rows on damaged pages.
struct Table {
    std::string name;
    std::vector<std::string> columns;  // those the file has, of those asked for
    std::map<sqlite3_int64, Row> rows;

    const sqlite3_value* get(const Row& row, const std::string& column) const {
        for (size_t i = 0; i < columns.size(); ++i)
            if (columns[i] == column) return row.values[i].get();
        return nullptr;
    }
    int integer(const Row& row, const std::string& column) const {
        const sqlite3_value* v = get(row, column);
        return v ? sqlite3_value_int(const_cast<sqlite3_value*>(v)) : 0;
    }
};

class TableReader {
public:
    TableReader(sqlite3* db, Table& table) : db_(db), table_(table) {
        const std::string from = " FROM " + table.name + " NOT INDEXED ";
        scan_ = DataStoreConnection::prepare(
            db, "SELECT rowid, " + str::join(table.columns, ", ") + from + "WHERE rowid >= ? ORDER BY rowid");
        probe_ = DataStoreConnection::prepare(
            db, "SELECT rowid, " + str::join(table.columns, ", ") + from + "WHERE rowid >= ? ORDER BY rowid LIMIT 1");
        lookup_ = DataStoreConnection::prepare(db, "SELECT " + str::join(table.columns, ", ") + from + "WHERE rowid = ?");
    }

    // Reads the table's rows in rowid order. Where a read fails, the first start past the
    // damage from which reading works again is searched for (doubling steps, then halving),
    // so the rows on sound pages beyond it are read too.
    void readRows() {
        if (!scan_ || !probe_) return;
        constexpr sqlite3_int64 kLowest = std::numeric_limits<sqlite3_int64>::min();
        sqlite3_int64 from = kLowest;
        for (;;) {
            sqlite3_int64 last = 0;
            int read = 0;
            if (run(scan_.get(), from, &last, &read)) return;
            if (read > 0 && last == std::numeric_limits<sqlite3_int64>::max()) return;
            sqlite3_int64 failing = read > 0 ? last + 1 : from;
            std::optional<sqlite3_int64> reads;
            for (uint64_t step = 1; step != 0 && !reads; step <<= 1) {
                const std::optional<sqlite3_int64> next = plus(failing, step);
                if (!next) break;
                if (readsFrom(*next)) reads = next;
                else failing = *next;
            }
            if (!reads) return;
            sqlite3_int64 good = *reads;
            while (static_cast<uint64_t>(good) - static_cast<uint64_t>(failing) > 1) {
                const sqlite3_int64 mid = *plus(failing, (static_cast<uint64_t>(good) - static_cast<uint64_t>(failing)) / 2);
                if (readsFrom(mid)) good = mid;
                else failing = mid;
            }
            from = good;
        }
    }

    // Adds the keys an index holds for rows not read from the table, read from both of its
    // ends up to any damage; each such row is then looked up by its rowid once more.
    void readIndex(const char* index, size_t keyColumns) {
        if (!hasTable(db_, index) || keyColumns > table_.columns.size()) return;
        const std::vector<std::string> keys(table_.columns.begin(), table_.columns.begin() + keyColumns);
        for (const char* order : {"", " DESC"}) {
            SQLiteStatement stmt = DataStoreConnection::prepare(db_, "SELECT rowid, " + str::join(keys, ", ") + " FROM " +
                                                                         table_.name + " INDEXED BY " + index +
                                                                         " ORDER BY " + str::join(keys, std::string(order) + ", ") + order);
            while (stmt && sqlite3_step(stmt.get()) == SQLITE_ROW) {
                const sqlite3_int64 rowid = sqlite3_column_int64(stmt.get(), 0);
                if (table_.rows.count(rowid)) continue;
                Row row;
                for (size_t i = 0; i < table_.columns.size(); ++i)
                    row.values.emplace_back(i < keyColumns ? sqlite3_value_dup(sqlite3_column_value(stmt.get(), 1 + static_cast<int>(i)))
                                                           : nullptr);
                if (lookup(rowid, row)) row.whole = true;
                table_.rows.emplace(rowid, std::move(row));
            }
        }
    }

private:
    static std::optional<sqlite3_int64> plus(sqlite3_int64 base, uint64_t step) {
        const uint64_t room =
            static_cast<uint64_t>(std::numeric_limits<sqlite3_int64>::max()) - static_cast<uint64_t>(base);
        if (step > room) return std::nullopt;
        return static_cast<sqlite3_int64>(static_cast<uint64_t>(base) + step);
    }

    bool readsFrom(sqlite3_int64 from) {
        sqlite3_int64 last = 0;
        int read = 0;
        return run(probe_.get(), from, &last, &read);
    }

    // Steps the statement from a rowid, keeping each row; true when it ran to its end.
    bool run(sqlite3_stmt* stmt, sqlite3_int64 from, sqlite3_int64* last, int* read) {
        sqlite3_reset(stmt);
        sqlite3_bind_int64(stmt, 1, from);
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            *last = sqlite3_column_int64(stmt, 0);
            ++*read;
            Row row;
            row.whole = true;
            for (size_t i = 0; i < table_.columns.size(); ++i)
                row.values.emplace_back(sqlite3_value_dup(sqlite3_column_value(stmt, 1 + static_cast<int>(i))));
            table_.rows.insert_or_assign(*last, std::move(row));
        }
        sqlite3_reset(stmt);
        return rc == SQLITE_DONE;
    }

    bool lookup(sqlite3_int64 rowid, Row& row) {
        if (!lookup_) return false;
        sqlite3_reset(lookup_.get());
        sqlite3_bind_int64(lookup_.get(), 1, rowid);
        const bool found = sqlite3_step(lookup_.get()) == SQLITE_ROW;
        if (found)
            for (size_t i = 0; i < table_.columns.size(); ++i)
                row.values[i].reset(sqlite3_value_dup(sqlite3_column_value(lookup_.get(), static_cast<int>(i))));
        sqlite3_reset(lookup_.get());
        return found;
    }

    sqlite3* db_;
    Table& table_;
    SQLiteStatement scan_, probe_, lookup_;
};

// Reads the columns asked for (those the file has) of a table, with the index on its first
// keyColumns columns where there is one.
Table readTable(sqlite3* db, const char* name, const std::vector<std::string>& wanted, const char* index,
                size_t keyColumns) {
    Table table;
    table.name = name;
    if (!hasTable(db, name)) return table;
    const std::vector<std::string> present = columnsOf(db, name);
    for (const std::string& column : wanted)
        if (std::find(present.begin(), present.end(), column) != present.end()) table.columns.push_back(column);
    TableReader reader(db, table);
    reader.readRows();
    if (index) reader.readIndex(index, keyColumns);
    return table;
}

// Inserts the values of a row that were read; the table's defaults fill the rest.
bool insertRow(sqlite3* db, const Table& table, const Row& row, const char* verb = "INSERT OR IGNORE") {
    std::vector<std::string> names;
    std::vector<const sqlite3_value*> values;
    for (size_t i = 0; i < table.columns.size(); ++i) {
        if (!row.values[i]) continue;
        names.push_back(table.columns[i]);
        values.push_back(row.values[i].get());
    }
    if (names.empty()) return false;
    const std::string marks = str::join(std::vector<std::string>(names.size(), "?"), ", ");
    SQLiteStatement stmt = DataStoreConnection::prepare(
        db, std::string(verb) + " INTO " + table.name + " (" + str::join(names, ", ") + ") VALUES (" + marks + ")");
    if (!stmt) return false;
    for (size_t i = 0; i < values.size(); ++i) sqlite3_bind_value(stmt.get(), static_cast<int>(i) + 1, values[i]);
    return sqlite3_step(stmt.get()) == SQLITE_DONE && sqlite3_changes(db) > 0;
}

bool exec(sqlite3* db, const std::string& sql) { return sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK; }

// The check's verdict ("ok" when sound), or nullopt when it could not run for a reason that is not
// damage (another program's lock, say): that is no ground to rebuild the file.
std::optional<std::string> quickCheck(sqlite3* db, const std::string& argument) {
    SQLiteStatement stmt = DataStoreConnection::prepare(db, "PRAGMA quick_check" + argument);
    const int rc = stmt ? sqlite3_step(stmt.get()) : sqlite3_extended_errcode(db);
    if (rc == SQLITE_ROW) return columnString(stmt.get(), 0);
    if (DataStoreConnection::isDamage(sqlite3_extended_errcode(db))) return std::string(sqlite3_errmsg(db));
    return std::nullopt;
}

int pageSize(sqlite3* db) {
    SQLiteStatement stmt = DataStoreConnection::prepare(db, "PRAGMA page_size");
    return stmt && sqlite3_step(stmt.get()) == SQLITE_ROW ? sqlite3_column_int(stmt.get(), 0) : 0;
}

// The carrying over, from the damaged file into the new database.
class Carrier {
public:
    Carrier(sqlite3* damaged, sqlite3* sound, SalvageReport& report)
        : damaged_(damaged), sound_(sound), report_(report) {}

    void bookmarks() {
        const Table table =
            readTable(damaged_, "bookmarks", {"surah", "verse", "is_audio", "note", "bkgroup"}, "bookmarks_surahverseaudio", 3);
        for (const auto& [rowid, row] : table.rows) {
            const int surah = table.integer(row, "surah");
            if (surah < 1 || surah > 114 || !table.get(row, "verse")) continue;
            ++report_.bookmarksFound;
            if (!insertRow(sound_, table, row)) continue;
            ++report_.bookmarks;
            const sqlite3_value* note = table.get(row, "note");
            if (!row.whole) ++report_.notesUnreadable;
            else if (note && sqlite3_value_type(const_cast<sqlite3_value*>(note)) == SQLITE_TEXT &&
                     !str::trim(reinterpret_cast<const char*>(sqlite3_value_text(const_cast<sqlite3_value*>(note)))).empty())
                ++report_.notes;
        }
        const Table sections =
            readTable(damaged_, "bookmarksections", {"surah", "collapsed"}, "bookmarksections_surah", 1);
        std::set<int> collapsed;
        for (const auto& [rowid, row] : sections.rows) collapsed.insert(sections.integer(row, "surah"));
        for (int surah : collapsed)
            if (surah >= 1 && surah <= 114) (void)writeCached(sound_, "INSERT INTO bookmarksections (surah, collapsed) VALUES (?, 1)", "", surah);
    }

    void savedSearches() {
        const Table searches = readTable(
            damaged_, "savedsearches",
            {"savesearch_id", "searchword", "hitcount", "translation", "isuse", "datesearched"}, nullptr, 0);
        std::set<int> carried;
        for (const auto& [rowid, row] : searches.rows) {
            ++report_.savedSearchesFound;
            if (!searches.get(row, "searchword") || !insertRow(sound_, searches, row)) continue;
            ++report_.savedSearches;
            carried.insert(static_cast<int>(rowid));
        }
        const Table hits = readTable(damaged_, "searchmatches", {"surah", "verse", "savesearch_id"}, nullptr, 0);
        for (const auto& [rowid, row] : hits.rows)
            if (row.whole && carried.count(hits.integer(row, "savesearch_id")) && insertRow(sound_, hits, row, "INSERT"))
                ++report_.searchHits;
    }

    // Verse clips with their marks in recitations, and parts with theirs in contrecitations:
    // a chapter comes over only when every clip of it that the file names reads whole.
    void audio() {
        chapters({"recitations", {"reciter", "surah"}, "recitations_recsur", 2},
                 {"recitationmp3s", {"reciter", "surah", "verse"}, "recitationmp3s_recitersurahverse", 3});
        chapters({"contrecitations", {"reciter", "surah", "ishq"}, "contrecitsurahrecit", 3},
                 {"contrecitationmp3s", {"reciter", "surah", "part"}, "contrecitationmp3s_recitersurahpart", 3});
    }

private:
    struct Shape {
        const char* table;
        std::vector<std::string> columns;
        const char* index;
        size_t keys;
    };

    void chapters(const Shape& markShape, const Shape& clipShape) {
        const Table marks = readTable(damaged_, markShape.table, markShape.columns, markShape.index, markShape.keys);
        if (marks.rows.empty()) return;
        const Table clips = readTable(damaged_, clipShape.table, clipShape.columns, clipShape.index, clipShape.keys);
        std::map<std::pair<int, int>, std::vector<sqlite3_int64>> clipsOf;  // (reciter, surah) -> rowids
        for (const auto& [rowid, row] : clips.rows)
            clipsOf[{clips.integer(row, "reciter"), clips.integer(row, "surah")}].push_back(rowid);
        std::set<std::pair<int, int>> seen;
        for (const auto& [rowid, row] : marks.rows) {
            const std::pair<int, int> key{marks.integer(row, "reciter"), marks.integer(row, "surah")};
            if (!seen.insert(key).second) continue;
            ++report_.audioChaptersFound;
            auto found = clipsOf.find(key);
            if (found == clipsOf.end() || !exec(sound_, "SAVEPOINT chapter")) continue;
            bool whole = insertRow(sound_, marks, row);
            for (sqlite3_int64 clip : found->second) {
                if (!whole) break;
                whole = copyClip(clips, clips.rows.at(clip), clip);
            }
            if (whole) {
                ++report_.audioChapters;
                (void)exec(sound_, "RELEASE chapter");
            } else {
                (void)exec(sound_, "ROLLBACK TO chapter");
                (void)exec(sound_, "RELEASE chapter");
            }
        }
    }

    bool copyClip(const Table& clips, const Row& row, sqlite3_int64 rowid) {
        SQLiteStatement read =
            DataStoreConnection::prepare(damaged_, "SELECT mp3 FROM " + clips.name + " NOT INDEXED WHERE rowid = ?");
        if (!read) return false;
        sqlite3_bind_int64(read.get(), 1, rowid);
        if (sqlite3_step(read.get()) != SQLITE_ROW) return false;
        const Blob stored = columnBlob(read.get(), 0);
        if (stored.empty() || !NSData::gzipInflate(stored)) return false;
        Table one{clips.name, clips.columns, {}};
        Row copy;
        for (const Value& v : row.values) copy.values.emplace_back(v ? sqlite3_value_dup(v.get()) : nullptr);
        one.columns.push_back("mp3");
        copy.values.emplace_back(sqlite3_value_dup(sqlite3_column_value(read.get(), 0)));
        return insertRow(sound_, one, copy, "INSERT");
    }

    sqlite3* damaged_;
    sqlite3* sound_;
    SalvageReport& report_;
};

// A scratch database file (with its journal files), removed as the scope begins (a leftover of an
// earlier run) and when it ends.
class ScratchFile {
public:
    explicit ScratchFile(std::string path) : path_(std::move(path)) { remove(); }
    ~ScratchFile() { remove(); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

private:
    void remove() const {
        for (const char* suffix : {"", "-journal", "-wal", "-shm"}) ::unlink((path_ + suffix).c_str());
    }
    std::string path_;
};

}  // namespace

std::optional<std::string> UserDatabaseSalvage::findDamage(sqlite3* db) {
    for (const char* table : kCheckedTables) {
        if (!hasTable(db, table)) continue;
        const std::optional<std::string> result = quickCheck(db, std::string("(") + table + ")");
        if (result && *result != "ok") return std::string(table) + ": " + *result;
    }
    return std::nullopt;
}

std::optional<std::string> UserDatabaseSalvage::keepAside(const std::string& path, std::string* error,
                                                          int* systemError) {
    NSFileManager& files = NSFileManager::defaultManager();
    const std::string folder = str::deletingLastPathComponent(path);
    const std::string stem = str::deletingPathExtension(str::lastPathComponent(path));
    const std::string date = NSDateFormatter("yyyy-MM-dd").stringFromDate(NSDate::date());
    const char* const suffixes[] = {"", "-wal", "-journal"};
    for (int n = 1; n < 1000; ++n) {
        const std::string name = stem + ".damaged-" + date + (n > 1 ? "-" + std::to_string(n) : "") + ".db";
        const std::string copy = str::appendPathComponent(folder, name);
        if (exists(copy) || exists(copy + "-wal") || exists(copy + "-journal")) continue;
        for (const char* suffix : suffixes) {
            // An empty log or journal holds nothing of the database.
            if (*suffix && files.fileSize(path + suffix).value_or(0) == 0) continue;
            errno = 0;
            if (!files.copyItemAtPath(path + suffix, copy + suffix, error)) {
                *systemError = errno;
                for (const char* made : suffixes) ::unlink((copy + made).c_str());
                return std::nullopt;
            }
        }
        return copy;
    }
    *error = "Every name for the damaged copy is taken.";
    *systemError = 0;
    return std::nullopt;
}

std::optional<SalvageReport> UserDatabaseSalvage::rebuild(sqlite3* damaged, const std::string& path,
                                                          const std::string& templatePath, std::string* error) {
    const std::string scratch = path + ".rebuilding";
    ScratchFile removeScratch(scratch);
    if (!NSFileManager::defaultManager().copyItemAtPath(templatePath, scratch, error)) return std::nullopt;
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(scratch.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, nullptr);
    SQLiteConnection sound(raw);
    struct Forget {
        sqlite3* db;
        ~Forget() { DataStoreConnection::finalizeConnection(db); }
    } forget{sound.get()};
    auto failed = [&](const std::string& what) {
        *error = what + " (" + (sound ? sqlite3_errmsg(sound.get()) : sqlite3_errstr(rc)) + ")";
        return std::nullopt;
    };
    if (rc != SQLITE_OK) return failed("The new database could not be opened");
    if (!ChapterInfo::updateDatabase3_1(sound.get()) || !ChapterInfo::setDBVersion(sound.get(), 3.1) ||
        !ChapterInfo::updateDatabase3_2(sound.get()) || !ChapterInfo::setDBVersion(sound.get(), 3.24))
        return failed("The new database could not be brought up to date");

    SalvageReport report;
    if (!exec(sound.get(), "BEGIN")) return failed("The new database could not be written");
    Carrier carrier(damaged, sound.get(), report);
    carrier.bookmarks();
    carrier.savedSearches();
    carrier.audio();
    if (!exec(sound.get(), "COMMIT")) return failed("The new database could not be written");
    // A file of another page size can only take pages of its own size once it is in WAL mode.
    const int size = pageSize(damaged);
    if (size > 0 && size != pageSize(sound.get()) &&
        !exec(sound.get(), "PRAGMA page_size = " + std::to_string(size) + "; VACUUM"))
        return failed("The new database could not take the page size of the damaged one");
    if (quickCheck(sound.get(), "") != "ok") return failed("The new database did not pass its check");

    sqlite3_backup* backup = sqlite3_backup_init(damaged, "main", sound.get(), "main");
    if (!backup) {
        *error = std::string("The damaged file could not be rewritten (") + sqlite3_errmsg(damaged) + ")";
        return std::nullopt;
    }
    const int stepped = sqlite3_backup_step(backup, -1);
    sqlite3_backup_finish(backup);
    if (stepped != SQLITE_DONE) {
        *error = std::string("The damaged file could not be rewritten (") + sqlite3_errstr(stepped) + ")";
        return std::nullopt;
    }
    return report;
}
