// The template user database, copied as the reader does at first launch and taken through the
// schema steps that then run (3.1 and 3.24).
#include "ContentDbFixture.h"

#include <cstdlib>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace {

class UserTemplate : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* docs = std::getenv("LUMENO_DOCUMENTS_DIR");
        fs::path dir = fs::path(docs ? docs : fs::temp_directory_path().string()) / "contentdb-template";
        fs::create_directories(dir);
        path_ = (dir / "lumenodyn.db").string();
        fs::copy_file(bundlePath("lumenodyn.db"), path_, fs::copy_options::overwrite_existing);
        db_ = std::make_unique<SqliteDb>(path_, SQLITE_OPEN_READWRITE);
    }

    // Runs one statement as a schema step does: prepare, step once; false when either fails.
    bool run(const std::string& sql)
    {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db_->get(), sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
            return false;
        int rc = sqlite3_step(stmt);
        sqlite3_finalize(stmt);
        return rc == SQLITE_ROW || rc == SQLITE_DONE;
    }

    std::string path_;
    std::unique_ptr<SqliteDb> db_;
};

TEST_F(UserTemplate, CarriesTheThreeZeroSchemaWithoutVersionTable)
{
    auto names = db_->rows("SELECT name FROM sqlite_master WHERE type IN ('table', 'index') AND name NOT LIKE 'sqlite_%'");
    std::set<std::string> have;
    for (const auto& r : names)
        have.insert(r[0]);
    for (const char* name : {"bookmarks", "savedsearches", "searchmatches", "recitations", "recitationmp3s",
                             "optimizedtrans", "optimizedtrans_all", "bookmarksections", "bookmarksections_surah",
                             "recitations_recsur"})
        EXPECT_TRUE(have.count(name)) << name;
    for (const char* name : {"dbversion", "contrecitations", "contrecitationmp3s", "searchmatches_surahverse"})
        EXPECT_FALSE(have.count(name)) << name;
    // the columns step 3.0 adds, with their defaults
    ASSERT_TRUE(run("INSERT INTO bookmarks (surah, verse, is_audio, note) VALUES (2, 255, 0, NULL)"));
    EXPECT_EQ(db_->value("SELECT bkgroup FROM bookmarks"), "0");
    ASSERT_TRUE(run("INSERT INTO savedsearches (searchword, hitcount, translation, isuse) VALUES ('mercy', 3, 3, 0)"));
    EXPECT_EQ(db_->value("SELECT datesearched FROM savedsearches"), "0.0");
}

TEST_F(UserTemplate, FirstLaunchStepsFailOnlyWhereExpected)
{
    const std::vector<std::string> step31 = {
        "CREATE INDEX searchmatches_surahverse ON searchmatches (surah, verse)",
        "CREATE TABLE dbversion ('version' double)",
        "CREATE UNIQUE INDEX dbver ON dbversion (version)",
        "REPLACE INTO dbversion (version) VALUES (3.1)",
        "CREATE TABLE contrecitations ('reciter' integer, 'surah' integer, 'ishq' integer NOT NULL DEFAULT 0)",
        "CREATE INDEX contrecitsurahrecit ON contrecitations (reciter, surah, ishq)",
        "CREATE TABLE contrecitationmp3s ('reciter' integer, 'surah' integer, 'part' integer, 'mp3' BLOB)",
        "CREATE INDEX contrecitationmp3s_recitersurah ON contrecitationmp3s (reciter, surah)",
        "CREATE UNIQUE INDEX contrecitationmp3s_recitersurahpart ON contrecitationmp3s (reciter, surah, part)",
    };
    const std::vector<std::string> step324 = {
        "DROP INDEX optimizedtrans_all",
        "ALTER TABLE optimizedtrans ADD COLUMN isipad INTEGER NOT NULL DEFAULT 0",
        "ALTER TABLE contrecitations ADD COLUMN ishq integer NOT NULL DEFAULT 0",
        "DROP INDEX contrecitsurahrecit",
        "CREATE INDEX contrecitsurahrecit ON contrecitations (reciter, surah, ishq)",
        "ALTER TABLE optimizedtrans ADD COLUMN fontscale INTEGER NOT NULL DEFAULT 0",
        "ALTER TABLE optimizedtrans ADD COLUMN isfullscreen INTEGER NOT NULL DEFAULT 0",
        "CREATE UNIQUE INDEX optimizedtrans_all ON optimizedtrans (translation, surah, verse, islandscape, "
        "potraitwidth, landscapewidth, isipad, fontscale, isfullscreen)",
    };
    // the version table is missing, so both steps run
    EXPECT_FALSE(run("SELECT version FROM dbversion ORDER BY version DESC LIMIT 1"));
    std::vector<std::string> failed;
    for (const auto& sql : step31)
        if (!run(sql))
            failed.push_back(sql);
    EXPECT_TRUE(failed.empty()) << failed.front();
    ASSERT_TRUE(run("REPLACE INTO dbversion (version) VALUES (3.1)"));
    for (const auto& sql : step324)
        if (!run(sql))
            failed.push_back(sql);
    ASSERT_TRUE(run("REPLACE INTO dbversion (version) VALUES (3.24)"));
    // only the columns that already exist fail
    EXPECT_EQ(failed, (std::vector<std::string>{step324[1], step324[2], step324[5], step324[6]}));
    EXPECT_EQ(db_->value("SELECT version FROM dbversion ORDER BY version DESC LIMIT 1"), "3.24");
    EXPECT_EQ(db_->value("SELECT count(*) FROM dbversion"), "2");
}

TEST_F(UserTemplate, ReplaceOverwritesTheSameKey)
{
    ASSERT_TRUE(run("REPLACE INTO bookmarks (surah, verse, is_audio, note, bkgroup) VALUES (2, 255, 0, 'a', 0)"));
    ASSERT_TRUE(run("REPLACE INTO bookmarks (surah, verse, is_audio, note, bkgroup) VALUES (2, 255, 0, 'b', 3)"));
    ASSERT_TRUE(run("REPLACE INTO bookmarks (surah, verse, is_audio, note, bkgroup) VALUES (2, 255, 1, NULL, 0)"));
    EXPECT_EQ(db_->rows("SELECT note, bkgroup FROM bookmarks WHERE is_audio = 0"),
              (std::vector<std::vector<std::string>>{{"b", "3"}}));
    EXPECT_EQ(db_->value("SELECT count(*) FROM bookmarks"), "2");

    ASSERT_TRUE(run("REPLACE INTO recitationmp3s (reciter, surah, verse, mp3) VALUES (1, 1, 1, x'01')"));
    ASSERT_TRUE(run("REPLACE INTO recitationmp3s (reciter, surah, verse, mp3) VALUES (1, 1, 1, x'0203')"));
    ASSERT_TRUE(run("REPLACE INTO recitationmp3s (reciter, surah, verse, mp3) VALUES (2, 1, 1, x'04')"));
    EXPECT_EQ(db_->value("SELECT hex(mp3) FROM recitationmp3s WHERE reciter = 1"), "0203");
    EXPECT_EQ(db_->value("SELECT count(*) FROM recitationmp3s"), "2");

    ASSERT_TRUE(run("INSERT INTO recitations (reciter, surah) VALUES (1, 2)"));
    EXPECT_FALSE(run("INSERT INTO recitations (reciter, surah) VALUES (1, 2)")) << "recitations_recsur is unique";

    // savesearch_id is the row id, and a deleted id is not handed out again
    ASSERT_TRUE(run("INSERT INTO savedsearches (searchword, hitcount, translation, isuse) VALUES ('a', 1, 3, 0)"));
    ASSERT_TRUE(run("INSERT INTO savedsearches (searchword, hitcount, translation, isuse) VALUES ('b', 1, 3, 0)"));
    EXPECT_EQ(sqlite3_last_insert_rowid(db_->get()), 2);
    EXPECT_EQ(db_->value("SELECT savesearch_id FROM savedsearches WHERE searchword = 'b'"), "2");
    ASSERT_TRUE(run("DELETE FROM savedsearches WHERE savesearch_id = 2"));
    ASSERT_TRUE(run("INSERT INTO savedsearches (searchword, hitcount, translation, isuse) VALUES ('c', 1, 3, 0)"));
    EXPECT_EQ(db_->value("SELECT savesearch_id FROM savedsearches WHERE searchword = 'c'"), "3");
}

} // namespace
