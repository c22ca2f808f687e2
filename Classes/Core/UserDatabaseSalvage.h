#pragma once
// A user database with damaged pages: finding the damage, keeping the damaged file aside and
// carrying whatever still reads into a sound database made from the template.

#include <sqlite3.h>

#include <optional>
#include <string>

// What a salvage carried over, out of what the damaged file was seen to hold.
struct SalvageReport {
    std::string damagedCopy;  // where the damaged file is kept
    int bookmarks = 0, bookmarksFound = 0;
    int notes = 0;
    int notesUnreadable = 0;  // bookmarks carried whose note could not be read
    int savedSearches = 0, savedSearchesFound = 0;
    int searchHits = 0;
    int audioChapters = 0, audioChaptersFound = 0;
};

class UserDatabaseSalvage {
public:
    UserDatabaseSalvage() = delete;

    // The damage SQLite's quick check finds in the tables of the user's own records (bookmarks,
    // sections, saved searches, installed marks), or nullopt when they are sound. The clip
    // tables are left out: they can be most of the file, and a damaged clip shows when read.
    static std::optional<std::string> findDamage(sqlite3* db);

    // Copies the file, and its -wal and -journal where they hold anything, byte for byte beside it as
    // "<name>.damaged-<yyyy-MM-dd>.db" (with "-2", "-3"... when that name is taken; nothing
    // is overwritten). The copy's path, or nullopt with the reason and the system's error.
    static std::optional<std::string> keepAside(const std::string& path, std::string* error, int* systemError);

    // Builds a sound database from the template beside `path` and carries into it every
    // bookmark, note, collapsed section, saved search with its hits and whole chapter of audio
    // that reads from `damaged` (the open connection on `path`), then writes it over the file
    // through that connection, so every connection on the file goes on with the sound data.
    // The caller holds the locks of the connections on the file. Nullopt with the reason when
    // it could not be done; the file is then as it was.
    static std::optional<SalvageReport> rebuild(sqlite3* damaged, const std::string& path,
                                                const std::string& templatePath, std::string* error);
};
