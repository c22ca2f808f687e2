#include "Classes/Core/InstalledAudioSnapshot.h"

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/DataStoreConnection.h"

InstalledAudioSnapshot InstalledAudioSnapshot::read(sqlite3* db) {
    InstalledAudioSnapshot snapshot;
    queryCached(db, "SELECT reciter, surah FROM recitations", "isSurahAudioInstalled", [&](sqlite3_stmt* s) {
        snapshot.clips_.emplace(sqlite3_column_int(s, 0), sqlite3_column_int(s, 1));
        return true;
    });
    queryCached(db, "SELECT reciter, surah, ishq FROM contrecitations", "isSurahAudioCont", [&](sqlite3_stmt* s) {
        (sqlite3_column_int(s, 2) == 1 ? snapshot.continuousHQ_ : snapshot.continuous_)
            .emplace(sqlite3_column_int(s, 0), sqlite3_column_int(s, 1));
        return true;
    });
    return snapshot;
}

bool InstalledAudioSnapshot::isSurahAudioInstalled(int surah, int reciter) const {
    return clips_.count({reciter, surah}) || clips_.count({ChapterInfo::getRemoteReciterHQCode(reciter), surah});
}

bool InstalledAudioSnapshot::isSurahAudioHQInstalled(int surah, int reciter) const {
    return continuousHQ_.count({ChapterInfo::getRemoteReciterHQCode(reciter), surah}) > 0;
}

bool InstalledAudioSnapshot::isSurahAudioContinuous(int surah, int reciter) const {
    return isSurahAudioHQInstalled(surah, reciter) || continuous_.count({reciter, surah}) > 0;
}
