// Installed recitation audio in the user database: installed marks, compressed clips,
// deletion, compaction and the installer's transaction.

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/NSData+Bzip2.h"

#include "platform/foundation/Log.h"

namespace {

template <class... Args>
std::vector<int> readInts(sqlite3* db, const char* sql, const char* tag, const Args&... args) {
    std::vector<int> values;
    queryCached(
        db, sql, tag,
        [&](sqlite3_stmt* s) {
            values.push_back(sqlite3_column_int(s, 0));
            return true;
        },
        args...);
    return values;
}

template <class... Args>
Blob readClip(sqlite3* db, const char* sql, const char* tag, bool* found, const Args&... args) {
    Blob stored;
    *found = false;
    queryCached(
        db, sql, tag,
        [&](sqlite3_stmt* s) {
            stored = columnBlob(s, 0);
            *found = true;
            return false;
        },
        args...);
    if (!*found) return Blob();
    return NSData::gzipInflate(stored).value_or(Blob());
}

bool runTransactionStatement(sqlite3* db, const char* sql) { return writeCached(db, sql, "transaction"); }

}  // namespace

std::vector<int> ChapterInfo::getInstalledAudios(sqlite3* db, int reciter) {
    return readInts(db, "SELECT surah FROM recitations WHERE (reciter = ? OR reciter = ?) ORDER BY surah",
                    "getInstalledAudios", reciter, getRemoteReciterHQCode(reciter));
}

std::vector<int> ChapterInfo::getInstalledAudioReciters(sqlite3* db) {
    std::vector<int> codes =
        readInts(db, "SELECT DISTINCT reciter FROM recitations ORDER BY reciter", "getInstalledAudioReciters");
    bool hasOne = false;
    std::vector<int> result;
    for (int code : codes) {
        if (code == 1) hasOne = true;
        if (code == 7 && hasOne) continue;
        result.push_back(code);
    }
    return result;
}

bool ChapterInfo::isSurahAudioInstalled(sqlite3* db, int surah, int reciter) {
    return queryExists(db, "SELECT surah FROM recitations WHERE (reciter = ? OR reciter = ?) AND surah = ? LIMIT 1",
                       "isSurahAudioInstalled", reciter, getRemoteReciterHQCode(reciter), surah);
}

bool ChapterInfo::isSurahAudioHQInstalled(sqlite3* db, int surah, int reciter) {
    return queryExists(db, "SELECT ishq FROM contrecitations WHERE reciter = ? AND surah = ? AND ishq = 1 LIMIT 1",
                       "isSurahAudioInstalled", getRemoteReciterHQCode(reciter), surah);
}

bool ChapterInfo::isSurahAudioContinuous(sqlite3* db, int surah, int reciter) {
    if (isSurahAudioHQInstalled(db, surah, reciter)) return true;
    return queryExists(db, "SELECT surah FROM contrecitations WHERE reciter = ? AND surah = ? AND ishq = 0 LIMIT 1",
                       "isSurahAudioCont", reciter, surah);
}

int ChapterInfo::getResolvedReciterCode(sqlite3* db, int reciter, int surah) {
    if (reciter != 1) return reciter;
    bool plainContinuous = !isSurahAudioHQInstalled(db, surah, reciter) && isSurahAudioContinuous(db, surah, reciter);
    return plainContinuous ? 1 : getRemoteReciterHQCode(1);
}

bool ChapterInfo::markAudioAsInstalled(sqlite3* db, int surah, int reciter) {
    return writeCached(db, "INSERT INTO recitations (reciter, surah) VALUES (?, ?)", "markAudioAsInstalled", reciter,
                       surah);
}

bool ChapterInfo::markContAudioAsInstalled(sqlite3* db, int surah, int reciter, bool isHQ) {
    return writeCached(db, "INSERT INTO contrecitations (reciter, surah, ishq) VALUES (?, ?, ?)",
                       "markContAudioAsInstalled", reciter, surah, isHQ ? 1 : 0);
}

namespace {

std::optional<Blob> compressClip(const Blob& mp3Data, const char* tag) {
    std::optional<Blob> compressed = NSData::gzipDeflate(mp3Data);
    if (!compressed) NSLog("[%s] Error: cannot compress the clip.", tag);
    return compressed;
}

}  // namespace

bool ChapterInfo::insertMP3Blob(sqlite3* db, int surah, int verse, int reciter, const Blob& mp3Data) {
    std::optional<Blob> compressed = compressClip(mp3Data, "insertMP3Blob");
    return compressed && insertCompressedMP3Blob(db, surah, verse, reciter, *compressed);
}

bool ChapterInfo::insertContMP3Blob(sqlite3* db, int surah, int part, int reciter, const Blob& mp3Data) {
    std::optional<Blob> compressed = compressClip(mp3Data, "insertContMP3");
    return compressed && insertCompressedContMP3Blob(db, surah, part, reciter, *compressed);
}

bool ChapterInfo::insertCompressedMP3Blob(sqlite3* db, int surah, int verse, int reciter, const Blob& gzipped) {
    return writeCached(db, "REPLACE INTO recitationmp3s (reciter, surah, verse, mp3) VALUES (?, ?, ?, ?)",
                       "insertMP3Blob", reciter, surah, verse, gzipped);
}

bool ChapterInfo::insertCompressedContMP3Blob(sqlite3* db, int surah, int part, int reciter, const Blob& gzipped) {
    return writeCached(db, "REPLACE INTO contrecitationmp3s (reciter, surah, part, mp3) VALUES (?, ?, ?, ?)",
                       "insertContMP3", reciter, surah, part, gzipped);
}

Blob ChapterInfo::getMP3Recitation(sqlite3* db, int surah, int verse, int reciter) {
    bool found = false;
    return readClip(db, "SELECT mp3 FROM recitationmp3s WHERE surah = ? AND verse = ? AND reciter = ?",
                    "getMP3Recitation", &found, surah, verse, reciter);
}

Blob ChapterInfo::getContMP3Recitation(sqlite3* db, int surah, int part, int reciter) {
    bool found = false;
    Blob clip = readClip(db, "SELECT mp3 FROM contrecitationmp3s WHERE surah = ? AND part = ? AND reciter = ?",
                         "getContMP3Recitation", &found, surah, part, reciter);
    if (!found) NSLog("MP3 NOT FOUND FOR: %i:%i", surah, part);
    return clip;
}

bool ChapterInfo::deleteAudio(sqlite3* db, int surah, int reciter, bool andData) {
    bool ok = writeCached(db, "DELETE FROM recitations WHERE surah = ? AND (reciter = ? OR reciter = ?)", "deleteAudio",
                          surah, reciter, getRemoteReciterHQCode(reciter));
    if (andData) ok = deleteAudioMP3(db, surah, reciter) && ok;
    return ok;
}

bool ChapterInfo::deleteAudioMP3(sqlite3* db, int surah, int reciter) {
    return writeCached(db, "DELETE FROM recitationmp3s WHERE surah = ? AND (reciter = ? OR reciter = ?)",
                       "deleteAudioMP3", surah, reciter, getRemoteReciterHQCode(reciter));
}

bool ChapterInfo::deleteContAudio(sqlite3* db, int surah, int reciter) {
    bool ok = writeCached(db, "DELETE FROM contrecitations WHERE surah = ? AND reciter = ?", "deleteContAudio", surah,
                          reciter);
    return deleteContAudioMP3(db, surah, reciter) && ok;
}

bool ChapterInfo::deleteContAudioMP3(sqlite3* db, int surah, int reciter) {
    return writeCached(db, "DELETE FROM contrecitationmp3s WHERE surah = ? AND reciter = ?", "deleteContAudioMP3",
                       surah, reciter);
}

// VACUUM and ANALYZE are separate statements; both must run outside a transaction.
bool ChapterInfo::vacuumDB(sqlite3* db) {
    if (!db) return false;
    auto guard = DataStoreConnection::lock(db);
    for (const char* sql : {"VACUUM", "ANALYZE"}) {
        if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
            NSLog("[vacuumDB] Error: %s failed with message '%s'.", sql, sqlite3_errmsg(db));
            return false;
        }
    }
    return true;
}

bool ChapterInfo::beginTrans(sqlite3* db) {
    if (!runTransactionStatement(db, "BEGIN EXCLUSIVE TRANSACTION")) return false;
    DataStoreConnection::noteWriteTransaction(db);
    return true;
}

bool ChapterInfo::commitTrans(sqlite3* db) {
    const bool ok = runTransactionStatement(db, "COMMIT TRANSACTION");
    DataStoreConnection::noteWriteTransaction(db);
    return ok;
}

bool ChapterInfo::rollbackTrans(sqlite3* db) {
    const bool ok = runTransactionStatement(db, "ROLLBACK TRANSACTION");
    DataStoreConnection::noteWriteTransaction(db);
    return ok;
}
