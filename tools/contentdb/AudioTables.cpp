#include "tools/contentdb/AudioTables.h"

#include "Classes/Core/ChapterInfo.h"
#include "tools/recitations/RecitationTiming.h"

#include <memory>

namespace AudioTables {

namespace {

using StmtPtr = std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)>;

StmtPtr prepare(sqlite3* db, const char* sql, std::string& error)
{
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &raw, nullptr) != SQLITE_OK)
        error = std::string("cannot prepare (") + sqlite3_errmsg(db) + "): " + sql;
    return StmtPtr(raw, sqlite3_finalize);
}

bool step(sqlite3* db, sqlite3_stmt* stmt, std::string& error)
{
    const int rc = sqlite3_step(stmt);
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE) {
        error = std::string("audio table insert failed: ") + sqlite3_errmsg(db);
        return false;
    }
    return true;
}

}  // namespace

bool write(sqlite3* db, const ChapterTexts& simple, std::string& error)
{
    if (simple.size() != 114 || simple[0].empty()) {
        error = "the audio tables need the verse texts of all 114 chapters";
        return false;
    }
    StmtPtr parts = prepare(db, "INSERT INTO audioparts (reciter, surah, verse, part) VALUES (?, ?, ?, ?)", error);
    StmtPtr timings =
        prepare(db, "INSERT INTO audiotimings (reciter, surah, verse, beginsat) VALUES (?, ?, ?, ?)", error);
    StmtPtr sizes = prepare(db, "INSERT INTO recitationmp3sizes (reciter, surah, size) VALUES (?, ?, ?)", error);
    if (!parts || !timings || !sizes)
        return false;
    for (int reciter = 0; reciter <= 8; ++reciter) {
        const auto& voice =
            RecitationTiming::voiceForFolder(ChapterInfo::getRemoteFolderNumberForReciter(reciter));
        for (int surah = 1; surah <= 114; ++surah) {
            const RecitationTiming::ChapterText chapter{surah, simple[surah - 1], simple[0][0]};
            for (const auto& v :
                 RecitationTiming::layoutChapter(chapter, voice, ChapterInfo::getTotalPartsForChapter(surah))) {
                for (sqlite3_stmt* s : {parts.get(), timings.get()}) {
                    sqlite3_bind_int(s, 1, reciter);
                    sqlite3_bind_int(s, 2, surah);
                    sqlite3_bind_int(s, 3, v.verse);
                }
                sqlite3_bind_int(parts.get(), 4, v.part);
                sqlite3_bind_double(timings.get(), 4, v.beginsAt());
                if (!step(db, parts.get(), error) || !step(db, timings.get(), error))
                    return false;
            }
            sqlite3_bind_int(sizes.get(), 1, reciter);
            sqlite3_bind_int(sizes.get(), 2, surah);
            sqlite3_bind_int64(sizes.get(), 3, RecitationTiming::perVerseArchiveSize(chapter, voice));
            if (!step(db, sizes.get(), error))
                return false;
        }
    }
    return true;
}

}  // namespace AudioTables
