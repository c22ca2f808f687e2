#pragma once
// Turns a downloaded chapter archive into rows of the user database: unpacks it under the
// caches folder and stores every clip found, compressed, inside one transaction.

#include "Classes/Audio/ChapterAudioDownload.h"

#include <sqlite3.h>

#include <string>
#include <vector>

class ChapterAudioInstaller {
public:
    ChapterAudioInstaller() = delete;

    // True when the archive was unpacked, at least one clip was stored and the transaction
    // committed. On any failure the transaction is rolled back, so the database is as it was,
    // and the archive files are gone; the extraction folder stays only after a failed
    // extraction (the next attempt deletes it).
    [[nodiscard]] static bool install(sqlite3* db, const ChapterAudioDownload& download);

    // The member names looked for, in the order they are stored: "CCC-PP.mp3" for parts 1 to
    // the chapter's part count (continuous), else "CCCVVV.mp3" for verses 0 to the verse count.
    static std::vector<std::string> memberNames(const ChapterAudioDownload& download);
};
