#include "tools/contentdb/ContentDatabase.h"
#include "tools/contentdb/SegmentedSearchText.h"

#include "tools/contentdb/AudioTables.h"
#include "tools/contentdb/VerseEncoder.h"

#include <sqlite3.h>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct StmtFinalizer {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using DbPtr = std::unique_ptr<sqlite3, DbCloser>;
using StmtPtr = std::unique_ptr<sqlite3_stmt, StmtFinalizer>;

// A database file being built: removed again unless commit() renames it into place.
class PendingDatabase {
public:
    explicit PendingDatabase(std::string target)
        : target_(std::move(target)), temp_(target_ + ".building-" + std::to_string(getpid())) {}
    ~PendingDatabase()
    {
        db_.reset();
        if (!committed_)
            std::remove(temp_.c_str());
    }

    bool open(std::string& error)
    {
        std::remove(temp_.c_str());
        sqlite3* raw = nullptr;
        int rc = sqlite3_open_v2(temp_.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        db_.reset(raw);
        if (rc != SQLITE_OK) {
            error = "cannot create " + temp_ + ": " + (raw ? sqlite3_errmsg(raw) : "out of memory");
            return false;
        }
        return exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA page_size=4096", error);
    }

    bool exec(const std::string& sql, std::string& error)
    {
        char* message = nullptr;
        if (sqlite3_exec(db_.get(), sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
            error = "SQL failed (" + std::string(message ? message : "?") + "): " + sql.substr(0, 200);
            sqlite3_free(message);
            return false;
        }
        return true;
    }

    bool prepare(const std::string& sql, StmtPtr& out, std::string& error)
    {
        sqlite3_stmt* raw = nullptr;
        if (sqlite3_prepare_v2(db_.get(), sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
            error = "cannot prepare (" + std::string(sqlite3_errmsg(db_.get())) + "): " + sql;
            return false;
        }
        out.reset(raw);
        return true;
    }

    bool step(sqlite3_stmt* stmt, std::string& error)
    {
        int rc = sqlite3_step(stmt);
        sqlite3_reset(stmt);
        sqlite3_clear_bindings(stmt);
        if (rc != SQLITE_DONE) {
            error = "insert failed: " + std::string(sqlite3_errmsg(db_.get()));
            return false;
        }
        return true;
    }

    sqlite3* handle() const { return db_.get(); }

    bool commit(std::string& error)
    {
        if (!exec("VACUUM", error))
            return false;
        if (sqlite3_close(db_.release()) != SQLITE_OK) {
            error = "cannot close " + temp_;
            return false;
        }
        if (std::rename(temp_.c_str(), target_.c_str()) != 0) {
            error = "cannot move " + temp_ + " to " + target_;
            return false;
        }
        committed_ = true;
        return true;
    }

private:
    std::string target_;
    std::string temp_;
    DbPtr db_;
    bool committed_ = false;
};

std::string verseName(int surah, int verse)
{
    return std::to_string(surah) + ":" + std::to_string(verse);
}

bool insertTexts(PendingDatabase& db, const std::string& table, const ChapterTexts& texts, bool integerKeys,
                 std::string& error)
{
    StmtPtr insert;
    if (!db.prepare("INSERT INTO " + table + " (surah, verse, translation) VALUES (?, ?, ?)", insert, error))
        return false;
    for (size_t c = 0; c < texts.size(); ++c) {
        for (size_t v = 0; v < texts[c].size(); ++v) {
            if (integerKeys) {
                sqlite3_bind_int(insert.get(), 1, static_cast<int>(c + 1));
                sqlite3_bind_int(insert.get(), 2, static_cast<int>(v + 1));
            } else {
                std::string s = std::to_string(c + 1), n = std::to_string(v + 1);
                sqlite3_bind_text(insert.get(), 1, s.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(insert.get(), 2, n.c_str(), -1, SQLITE_TRANSIENT);
            }
            sqlite3_bind_text(insert.get(), 3, texts[c][v].c_str(), -1, SQLITE_TRANSIENT);
            if (!db.step(insert.get(), error))
                return false;
        }
    }
    return true;
}

std::string plainTable(const std::string& name)
{
    return "CREATE TABLE " + name + " (surah INTEGER NOT NULL, verse INTEGER NOT NULL, translation TEXT NOT NULL);"
           "CREATE UNIQUE INDEX " + name + "_surahverse ON " + name + " (surah, verse);";
}

std::string ftsTable(const std::string& name)
{
    return "CREATE VIRTUAL TABLE " + name + " USING fts4(surah, verse, translation, notindexed=surah, "
           "notindexed=verse, tokenize=unicode61);";
}

} // namespace

const std::vector<TranslationSource>& translationSources()
{
    static const std::vector<TranslationSource> sources = {
        {3, "quran_en.json", "translation"},  {5, "quran_id.json", "translation"},
        {8, "quran_fr.json", "translation"},  {9, "quran_es.json", "translation"},
        {10, "quran_transliteration.json", "transliteration"},
        {11, "quran_tr.json", "translation"}, {13, "quran_ru.json", "translation"},
        {15, "quran_ur.json", "translation"}, {22, "quran_bn.json", "translation"},
        {24, "quran_zh.json", "translation"}, {30, "quran_sv.json", "translation"},
    };
    return sources;
}

namespace ContentDatabase {

bool build(const ContentInputs& inputs, const std::string& path, std::string& error, const StyleObserver& observer)
{
    // read and encode everything before the file is touched
    ChapterTexts arabic;
    if (!QuranSources::loadTexts(inputs.quranJsonDir + "/quran.json", "text", inputs.meta, arabic, error))
        return false;
    std::vector<std::vector<std::vector<uint8_t>>> codes(114);
    ChapterTexts simple(114), search(114);
    for (size_t c = 0; c < 114; ++c) {
        for (size_t v = 0; v < arabic[c].size(); ++v) {
            std::vector<uint8_t> bytes;
            std::string why;
            if (!VerseEncoder::encode(arabic[c][v], bytes, why)) {
                error = "verse " + verseName(static_cast<int>(c + 1), static_cast<int>(v + 1)) + ": " + why;
                return false;
            }
            codes[c].push_back(std::move(bytes));
            simple[c].push_back(VerseEncoder::simpleArabic(arabic[c][v]));
            search[c].push_back(VerseEncoder::searchText(simple[c].back()));
        }
    }
    std::vector<std::pair<int, ChapterTexts>> translations;
    for (const auto& source : translationSources()) {
        ChapterTexts texts;
        if (!QuranSources::loadTexts(inputs.quranJsonDir + "/" + source.file, source.field, inputs.meta, texts, error))
            return false;
        translations.emplace_back(source.id, std::move(texts));
    }

    PendingDatabase db(path);
    if (!db.open(error) || !db.exec("BEGIN", error))
        return false;

    std::string schema =
        "CREATE TABLE surahdata (surah INTEGER NOT NULL, verse INTEGER NOT NULL, data BLOB NOT NULL);"
        "CREATE UNIQUE INDEX surahdata_surahverse ON surahdata (surah, verse);"
        "CREATE TABLE glyphs (style INTEGER NOT NULL, glyph INTEGER NOT NULL, data BLOB NOT NULL);"
        "CREATE UNIQUE INDEX glyphs_styleglyph ON glyphs (style, glyph);"
        "CREATE TABLE hezbmeta (surah INTEGER NOT NULL, verse INTEGER NOT NULL, hezb INTEGER NOT NULL);"
        "CREATE UNIQUE INDEX hezbmeta_surahverse ON hezbmeta (surah, verse);"
        "CREATE TABLE audioparts (reciter INTEGER NOT NULL, surah INTEGER NOT NULL, verse INTEGER NOT NULL, "
        "part INTEGER NOT NULL);"
        "CREATE UNIQUE INDEX audioparts_recitersurahverse ON audioparts (reciter, surah, verse);"
        "CREATE TABLE audiotimings (reciter INTEGER NOT NULL, surah INTEGER NOT NULL, verse INTEGER NOT NULL, "
        "beginsat REAL NOT NULL);"
        "CREATE UNIQUE INDEX audiotimings_recitersurahverse ON audiotimings (reciter, surah, verse);"
        "CREATE TABLE recitationmp3sizes (reciter INTEGER NOT NULL, surah INTEGER NOT NULL, size INTEGER NOT NULL);"
        "CREATE UNIQUE INDEX recitationmp3sizes_recitersurah ON recitationmp3sizes (reciter, surah);" +
        plainTable("simplearabic") + ftsTable("trans0fts") + ftsTable("transliterationdata");
    for (int id = 1; id <= 38; ++id)
        schema += plainTable("trans" + std::to_string(id)) + ftsTable("trans" + std::to_string(id) + "fts");
    if (!db.exec(schema, error))
        return false;

    StmtPtr insertVerse, insertHezb;
    if (!db.prepare("INSERT INTO surahdata (surah, verse, data) VALUES (?, ?, ?)", insertVerse, error) ||
        !db.prepare("INSERT INTO hezbmeta (surah, verse, hezb) VALUES (?, ?, ?)", insertHezb, error))
        return false;
    for (size_t c = 0; c < 114; ++c) {
        for (size_t v = 0; v < codes[c].size(); ++v) {
            int surah = static_cast<int>(c + 1), verse = static_cast<int>(v + 1);
            sqlite3_bind_int(insertVerse.get(), 1, surah);
            sqlite3_bind_int(insertVerse.get(), 2, verse);
            sqlite3_bind_blob(insertVerse.get(), 3, codes[c][v].data(), static_cast<int>(codes[c][v].size()),
                              SQLITE_TRANSIENT);
            sqlite3_bind_int(insertHezb.get(), 1, surah);
            sqlite3_bind_int(insertHezb.get(), 2, verse);
            sqlite3_bind_int(insertHezb.get(), 3, inputs.meta.quarterOf({surah, verse}));
            if (!db.step(insertVerse.get(), error) || !db.step(insertHezb.get(), error))
                return false;
        }
    }
    if (!insertTexts(db, "simplearabic", simple, true, error) || !insertTexts(db, "trans0fts", search, false, error) ||
        !AudioTables::write(db.handle(), simple, error))
        return false;
    for (const auto& [id, texts] : translations) {
        std::string name = "trans" + std::to_string(id);
        if (!insertTexts(db, name, texts, true, error) ||
            !insertTexts(db, name + "fts", SegmentedSearchText::forTranslation(id, texts), false, error))
            return false;
        if (id == 10 && !insertTexts(db, "transliterationdata", texts, false, error))
            return false;
    }

    if (!inputs.renderer) {
        error = "no glyph renderer";
        return false;
    }
    StmtPtr insertGlyph;
    if (!db.prepare("INSERT INTO glyphs (style, glyph, data) VALUES (?, ?, ?)", insertGlyph, error))
        return false;
    for (int style : inputs.styles) {
        std::vector<GlyphImage> images;
        GlyphMetrics metrics;
        if (!inputs.renderer->renderStyle(style, images, metrics, error))
            return false;
        for (size_t i = 0; i < images.size(); ++i) {
            sqlite3_bind_int(insertGlyph.get(), 1, style);
            sqlite3_bind_int(insertGlyph.get(), 2, static_cast<int>(82 + i));
            sqlite3_bind_blob(insertGlyph.get(), 3, images[i].png.data(), static_cast<int>(images[i].png.size()),
                              SQLITE_TRANSIENT);
            if (!db.step(insertGlyph.get(), error))
                return false;
        }
        if (observer)
            observer(style, images, metrics);
    }
    std::string optimize = "INSERT INTO trans0fts(trans0fts) VALUES('optimize');"
                           "INSERT INTO transliterationdata(transliterationdata) VALUES('optimize');";
    for (const auto& [id, texts] : translations) {
        std::string fts = "trans" + std::to_string(id) + "fts";
        optimize += "INSERT INTO " + fts + "(" + fts + ") VALUES('optimize');";
    }
    insertVerse.reset();
    insertHezb.reset();
    insertGlyph.reset();
    return db.exec(optimize, error) && db.exec("COMMIT", error) && db.commit(error);
}

const std::vector<std::string>& userTemplateSchema()
{
    static const std::vector<std::string> schema = {
        "CREATE TABLE bookmarks (surah INTEGER NOT NULL, verse INTEGER NOT NULL, is_audio INTEGER NOT NULL DEFAULT 0, "
        "note TEXT, bkgroup INTEGER NOT NULL DEFAULT 0)",
        "CREATE UNIQUE INDEX bookmarks_surahverseaudio ON bookmarks (surah, verse, is_audio)",
        "CREATE TABLE savedsearches (savesearch_id INTEGER PRIMARY KEY AUTOINCREMENT, searchword TEXT, "
        "hitcount INTEGER, translation INTEGER, isuse INTEGER NOT NULL DEFAULT 0, "
        "datesearched DOUBLE NOT NULL DEFAULT 0)",
        "CREATE TABLE searchmatches (surah INTEGER, verse INTEGER, savesearch_id INTEGER)",
        "CREATE TABLE recitations (reciter INTEGER, surah INTEGER)",
        "CREATE TABLE recitationmp3s (reciter INTEGER, surah INTEGER, verse INTEGER, mp3 BLOB)",
        "CREATE UNIQUE INDEX recitationmp3s_recitersurahverse ON recitationmp3s (reciter, surah, verse)",
        // what the 3.0 schema step adds
        "CREATE TABLE optimizedtrans (translation INTEGER NOT NULL, surah INTEGER NOT NULL, verse INTEGER NOT NULL, "
        "height INTEGER NOT NULL, islandscape INTEGER NOT NULL DEFAULT 0, potraitwidth INTEGER NOT NULL, "
        "landscapewidth INTEGER NOT NULL, devicescale DOUBLE NOT NULL DEFAULT 1, isipad INTEGER NOT NULL DEFAULT 0, "
        "fontscale INTEGER NOT NULL DEFAULT 0, isfullscreen INTEGER NOT NULL DEFAULT 0)",
        "CREATE UNIQUE INDEX optimizedtrans_all ON optimizedtrans (translation, surah, verse, islandscape, "
        "potraitwidth, landscapewidth, isipad, fontscale, isfullscreen)",
        "CREATE UNIQUE INDEX recitations_recsur ON recitations (reciter, surah)",
        "CREATE TABLE bookmarksections (surah INTEGER NOT NULL DEFAULT 1, collapsed INTEGER NOT NULL DEFAULT 1)",
        "CREATE INDEX bookmarksections_surah ON bookmarksections (surah)",
    };
    return schema;
}

bool buildUserTemplate(const std::string& path, std::string& error)
{
    PendingDatabase db(path);
    if (!db.open(error))
        return false;
    for (const auto& sql : userTemplateSchema())
        if (!db.exec(sql, error))
            return false;
    return db.exec("PRAGMA journal_mode=DELETE", error) && db.commit(error);
}

} // namespace ContentDatabase
