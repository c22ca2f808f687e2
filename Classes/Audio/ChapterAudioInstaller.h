#pragma once
// Turns a downloaded chapter archive into rows of the user database: unpacks it under the
// caches folder and stores every clip found, compressed, inside one transaction.

#include "Classes/Audio/ChapterAudioDownload.h"
#include "Classes/Audio/InstallOutcome.h"

#include <sqlite3.h>

#include <string>
#include <vector>

class ChapterAudioInstaller {
public:
    ChapterAudioInstaller() = delete;

    // Installed when the archive was unpacked, every clip found decodes as MP3 audio, at least
    // one was stored and the transaction committed. On any other outcome the transaction is
    // rolled back, so the database is as it was. Either way nothing of the download is left
    // in the caches folder.
    [[nodiscard]] static InstallOutcome install(sqlite3* db, const ChapterAudioDownload& download);

    // The most the archive may unpack to: twice the larger of its expected size and its own
    // size, plus room for headers, and never more than half of what the caches folder has
    // free (the members are written out once more). `byFreeSpace` tells which bound applies.
    static long long unpackBound(const ChapterAudioDownload& download, bool* byFreeSpace = nullptr);

    // The member names looked for, in the order they are stored: "CCC-PP.mp3" for parts 1 to
    // the chapter's part count (continuous), else "CCCVVV.mp3" for verses 0 to the verse count.
    static std::vector<std::string> memberNames(const ChapterAudioDownload& download);
};
