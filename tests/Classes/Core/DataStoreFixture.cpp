#include "tests/Classes/Core/DataStoreFixture.h"

#include "platform/foundation/Paths.h"
#include "platform/foundation/Thread.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>

namespace fixture {

std::string freshFolder(const std::string& name) {
    const char* base = std::getenv("LUMENO_TEMP_DIR");
    std::filesystem::path folder =
        std::filesystem::path(base ? base : std::filesystem::temp_directory_path().string()) / ("datastore-" + name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string();
}

SQLiteConnection open(const std::string& path) {
    sqlite3* raw = nullptr;
    sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX, nullptr);
    SQLiteConnection db(raw);
    DataStoreConnection::configure(db.get());
    return db;
}

void exec(sqlite3* db, const std::string& sql) {
    char* message = nullptr;
    int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message);
    EXPECT_EQ(rc, SQLITE_OK) << (message ? message : "") << "\n" << sql;
    sqlite3_free(message);
}

long long scalar(sqlite3* db, const std::string& sql) {
    SQLiteStatement stmt = DataStoreConnection::prepare(db, sql);
    EXPECT_TRUE(stmt) << sqlite3_errmsg(db) << "\n" << sql;
    if (!stmt || sqlite3_step(stmt.get()) != SQLITE_ROW) return 0;
    return sqlite3_column_int64(stmt.get(), 0);
}

void slowDown(sqlite3* db, int millisecondsPerStep) {
    sqlite3_progress_handler(
        db, 1,
        [](void* ms) {
            sleepForTimeInterval(static_cast<double>(reinterpret_cast<intptr_t>(ms)) / 1000);
            return 0;
        },
        reinterpret_cast<void*>(static_cast<intptr_t>(millisecondsPerStep)));
}

namespace {

const char* kBaseUserTables =
    "CREATE TABLE savedsearches (savesearch_id INTEGER PRIMARY KEY AUTOINCREMENT, searchword TEXT, hitcount INTEGER, "
    "translation INTEGER, isuse INTEGER NOT NULL DEFAULT 0%s);"
    "CREATE TABLE searchmatches (surah INTEGER, verse INTEGER, savesearch_id INTEGER);"
    "CREATE TABLE recitations (reciter INTEGER, surah INTEGER);"
    "CREATE TABLE recitationmp3s (reciter INTEGER, surah INTEGER, verse INTEGER, mp3 BLOB);"
    "CREATE UNIQUE INDEX recitationmp3s_recitersurahverse ON recitationmp3s (reciter, surah, verse);"
    "CREATE UNIQUE INDEX bookmarks_surahverseaudio ON bookmarks (surah, verse, is_audio);";

std::string userTables(bool withDate) {
    std::string sql = kBaseUserTables;
    sql.replace(sql.find("%s"), 2, withDate ? ", datesearched DOUBLE NOT NULL DEFAULT 0" : "");
    return sql;
}

}  // namespace

void createUserTemplate(const std::string& path) {
    SQLiteConnection db = open(path);
    exec(db.get(),
         "CREATE TABLE bookmarks (surah INTEGER NOT NULL, verse INTEGER NOT NULL, is_audio INTEGER NOT NULL DEFAULT 0, "
         "note TEXT, bkgroup INTEGER NOT NULL DEFAULT 0);" +
             userTables(true) +
             "CREATE TABLE optimizedtrans (translation INTEGER NOT NULL, surah INTEGER NOT NULL, verse INTEGER NOT "
             "NULL, "
             "height INTEGER NOT NULL, islandscape INTEGER NOT NULL DEFAULT 0, potraitwidth INTEGER NOT NULL, "
             "landscapewidth INTEGER NOT NULL, devicescale DOUBLE NOT NULL DEFAULT 1, isipad INTEGER NOT NULL DEFAULT "
             "0, "
             "fontscale INTEGER NOT NULL DEFAULT 0, isfullscreen INTEGER NOT NULL DEFAULT 0);"
             "CREATE UNIQUE INDEX optimizedtrans_all ON optimizedtrans (translation, surah, verse, islandscape, "
             "potraitwidth, landscapewidth, isipad, fontscale, isfullscreen);"
             "CREATE UNIQUE INDEX recitations_recsur ON recitations (reciter, surah);"
             "CREATE TABLE bookmarksections (surah INTEGER NOT NULL DEFAULT 1, collapsed INTEGER NOT NULL DEFAULT 1);"
             "CREATE INDEX bookmarksections_surah ON bookmarksections (surah);");
}

void createUserDatabaseBefore3_0(const std::string& path) {
    SQLiteConnection db = open(path);
    exec(db.get(),
         "CREATE TABLE bookmarks (surah INTEGER NOT NULL, verse INTEGER NOT NULL, is_audio INTEGER NOT NULL DEFAULT 0, "
         "note TEXT);" +
             userTables(false) + "INSERT INTO bookmarks (surah, verse, is_audio, note) VALUES (2, 255, 0, 'kept');");
}

void createContentDatabase(const std::string& path) {
    SQLiteConnection db = open(path);
    std::string sql =
        "CREATE TABLE surahdata (surah INTEGER, verse INTEGER, data BLOB);"
        "CREATE TABLE glyphs (style INTEGER, glyph INTEGER, data BLOB);"
        "CREATE TABLE hezbmeta (surah INTEGER, verse INTEGER, hezb INTEGER);"
        "CREATE TABLE audioparts (reciter INTEGER, surah INTEGER, verse INTEGER, part INTEGER);"
        "CREATE TABLE audiotimings (reciter INTEGER, surah INTEGER, verse INTEGER, beginsat REAL);"
        "CREATE TABLE recitationmp3sizes (reciter INTEGER, surah INTEGER, size INTEGER);"
        "CREATE TABLE simplearabic (surah INTEGER, verse INTEGER, translation TEXT);"
        "CREATE TABLE trans3 (surah INTEGER, verse INTEGER, translation TEXT);"
        "CREATE TABLE trans10 (surah INTEGER, verse INTEGER, translation TEXT);";
    for (const char* fts : {"trans0fts", "trans3fts", "trans10fts", "transliterationdata"})
        sql += std::string("CREATE VIRTUAL TABLE ") + fts +
               " USING fts4(surah, verse, translation, notindexed=surah, notindexed=verse, tokenize=unicode61);";
    sql +=
        "INSERT INTO surahdata VALUES (1, 1, x'5253200A'), (1, 2, x'6061'), (1, 3, NULL), (2, 1, x'7071');"
        "INSERT INTO glyphs VALUES (0, 82, x'01'), (0, 84, x'03'), (1, 82, x'11');"
        "INSERT INTO hezbmeta VALUES (1, 1, 1), (2, 26, 2);"
        "INSERT INTO audioparts VALUES (0, 2, 5, 3);"
        "INSERT INTO audiotimings VALUES (0, 2, 5, 12.3456789);"
        "INSERT INTO recitationmp3sizes VALUES (0, 2, 123456);"
        "INSERT INTO simplearabic VALUES (1, 1, 'بِسْمِ اللَّهِ الرَّحْمَٰنِ الرَّحِيمِ'), (1, 2, 'الْحَمْدُ لِلَّهِ'), (2, 1, 'الم');"
        "INSERT INTO trans3 VALUES (1, 1, 'In the name of Allah, the Most Merciful'), (1, 2, NULL),"
        " (1, 3, 'The Entirely Merciful'), (2, 1, 'Alif, Lam, Meem');"
        "INSERT INTO trans10 VALUES (1, 1, 'Bismi Allahi'), (1, 2, 'Alhamdu lillahi');"
        "INSERT INTO trans0fts VALUES ('1', '1', 'بسم الله الرحمن الرحيم'), ('1', '2', 'الحمد لله');"
        "INSERT INTO trans3fts VALUES ('1', '1', 'In the name of Allah, the Most Merciful'),"
        " ('1', '3', 'The Entirely Merciful'), ('2', '1', 'Alif, Lam, Meem');"
        "INSERT INTO transliterationdata VALUES ('1', '1', 'Bismi Allahi'), ('1', '2', 'Alhamdu lillahi');"
        "INSERT INTO trans10fts SELECT surah, verse, translation FROM transliterationdata;";
    exec(db.get(), sql);
}

}  // namespace fixture

void StoreTest::SetUp() {
    std::string root = fixture::freshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    bundle = root + "/bundle";
    documents = root + "/Documents";
    std::filesystem::create_directories(bundle);
    std::filesystem::create_directories(documents);
    if (realContent_) {
        // The databases the build puts next to the test program.
        std::string built = Paths::executableFolder() + "/bundle";
        ASSERT_TRUE(std::filesystem::exists(built + "/lumeno.db")) << "content database not built";
        std::filesystem::copy_file(built + "/lumenodyn.db", bundle + "/lumenodyn.db");
        std::filesystem::create_symlink(built + "/lumeno.db", bundle + "/lumeno.db");
    } else {
        fixture::createContentDatabase(bundle + "/lumeno.db");
        fixture::createUserTemplate(bundle + "/lumenodyn.db");
    }
    setenv("LUMENO_BUNDLE_DIR", bundle.c_str(), 1);
    setenv("LUMENO_DOCUMENTS_DIR", documents.c_str(), 1);
    app = std::make_unique<LumenoSDKAppDelegate>();
    ASSERT_TRUE(app->createEditableCopyOfDatabaseIfNeeded());
    ASSERT_TRUE(app->initializeDatabase());
}

void StoreTest::TearDown() { app.reset(); }
