// Bookmarks, notes and collapsed bookmark sections in the user database.

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Core/NSString+More.h"

#include "platform/foundation/Format.h"
#include "platform/foundation/NSUserDefaults.h"

namespace {

constexpr int kNotesTranslation = 1000;

sqlite3* contentConnection() {
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    return app ? app->dbConnectionStatic() : nullptr;
}

std::string listingClause(int group, bool onlyNotes) {
    if (group == -1) return onlyNotes ? " WHERE note IS NOT NULL AND length(trim(note)) > 0 " : "";
    return onlyNotes ? stringWithFormat(" WHERE bkgroup = %i AND note IS NOT NULL AND length(trim(note)) > 0 ", group)
                     : stringWithFormat(" WHERE bkgroup = %i ", group);
}

bool matchesSearch(const Bookmark& bookmark, const std::optional<std::string>& search) {
    if (!search || search->empty()) return true;
    if (bookmark.Translation() && NSString::doesContain(*bookmark.Translation(), *search)) return true;
    if (bookmark.BookmarkedNote() && NSString::doesContain(*bookmark.BookmarkedNote(), *search)) return true;
    return bookmark.ArabicVerse() &&
           NSString::doesContain(NSString::cleanArabicAccents(*bookmark.ArabicVerse()), *search);
}

// One bookmark from a row (surah, verse, is_audio, trimmed note, bkgroup).
std::shared_ptr<Bookmark> bookmarkFromRow(sqlite3_stmt* s) {
    auto bookmark = std::make_shared<Bookmark>();
    bookmark->setSurah(sqlite3_column_int(s, 0));
    bookmark->setVerse(sqlite3_column_int(s, 1));
    bookmark->setIsAudio(sqlite3_column_int(s, 2) == 1);
    std::optional<std::string> note = columnOptionalString(s, 3);
    bookmark->setHasNote(note && !note->empty());
    bookmark->setBookmarkGroup(sqlite3_column_int(s, 4));
    return bookmark;
}

}  // namespace

Bookmark::List ChapterInfo::getAllBookmarks(sqlite3* db, bool withSections, int group,
                                            const std::optional<std::string>& search, bool onlyNotes) {
    Bookmark::List list;
    if (!db) return list;
    auto guard = DataStoreConnection::lock(db);
    SQLiteStatement stmt = DataStoreConnection::prepare(
        db,
        stringWithFormat("SELECT surah, verse, is_audio, trim(note) as nn, bkgroup FROM bookmarks %@ ORDER BY "
                         "surah, verse, is_audio",
                         listingClause(group, onlyNotes)),
        "getAllBookmarks");
    if (!stmt) return list;
    const int translation =
        static_cast<int>(NSUserDefaults::standardUserDefaults().integerForKey("CurrentTranslationv22"));
    const bool hasSearch = search && !search->empty();
    sqlite3* content = contentConnection();

    int lastSurah = -1;
    std::shared_ptr<Bookmark> section;
    std::shared_ptr<Bookmark> lastKept;
    int count = 0;
    stepAll(db, stmt.get(), "getAllBookmarks", [&](sqlite3_stmt* s) {
        std::shared_ptr<Bookmark> bookmark = bookmarkFromRow(s);
        bookmark->setHasExtraDetails(true);
        std::optional<std::string> note = columnOptionalString(s, 3);
        if (hasSearch && note) bookmark->setBookmarkedNote(note);
        bookmark->setArabicVerse(getArabicVerseFor(content, bookmark->surah(), bookmark->verse()));
        if (translation != 0 && translation != kNotesTranslation)
            bookmark->setTranslation(getTranslationFor(content, translation, bookmark->surah(), bookmark->verse()));
        bool matches = matchesSearch(*bookmark, search);

        if (bookmark->surah() != lastSurah) {
            if (!matches) return true;  // a section opens only with a matching bookmark
            if (section) section->setSectionBookmarkCount(count);
            if (withSections) {
                if (lastKept) lastKept->setIsLastInSection(true);
                section = std::make_shared<Bookmark>();
                section->setSurah(bookmark->surah());
                section->setIsSurahSection(true);
                section->setIsSectionCollapsed(hasBookmarkSectionCollapsed(db, bookmark->surah()));
                list.push_back(section);
                lastKept.reset();
            }
            count = 0;
        }
        if (matches) {
            list.push_back(bookmark);
            lastKept = bookmark;
            ++count;
        }
        lastSurah = bookmark->surah();
        return true;
    });
    if (lastKept) lastKept->setIsLastInSection(true);
    if (section) section->setSectionBookmarkCount(count);
    return list;
}

Bookmark::List ChapterInfo::getAllBookmarks(sqlite3* db, bool withSections, int group,
                                            const std::optional<std::string>& search) {
    return getAllBookmarks(db, withSections, group, search, false);
}

Bookmark::List ChapterInfo::getAllBookmarks(sqlite3* db, int group) {
    return getAllBookmarks(db, false, group, std::nullopt, false);
}

Bookmark::List ChapterInfo::getAllBookmarks(sqlite3* db, int surah, int group) {
    Bookmark::List list;
    if (!db) return list;
    auto guard = DataStoreConnection::lock(db);
    SQLiteStatement stmt = DataStoreConnection::prepare(
        db,
        stringWithFormat("SELECT surah, verse, is_audio, trim(note) as nn, bkgroup FROM bookmarks WHERE surah = ? "
                         "%@ ORDER BY surah, verse, is_audio",
                         group == -1 ? std::string() : stringWithFormat(" AND bkgroup = %i ", group)),
        "getAllBookmarks");
    if (!stmt) return list;
    bindAll(stmt.get(), surah);
    stepAll(db, stmt.get(), "getAllBookmarks", [&](sqlite3_stmt* s) {
        list.push_back(bookmarkFromRow(s));
        return true;
    });
    return list;
}

int ChapterInfo::getBookmarkCount(sqlite3* db, int surah, int group) {
    if (!db) return 0;
    std::string groupClause = group > 0 ? stringWithFormat(" WHERE bkgroup = %i ", group) : std::string();
    std::string surahClause;
    if (surah != -1)
        surahClause = stringWithFormat(groupClause.empty() ? " WHERE surah = %i " : " AND surah = %i ", surah);
    auto guard = DataStoreConnection::lock(db);
    SQLiteStatement stmt = DataStoreConnection::prepare(
        db,
        stringWithFormat("SELECT surah, verse, is_audio FROM bookmarks %@ %@ ORDER BY surah, verse, is_audio",
                         groupClause, surahClause),
        "getBookmarkCount");
    if (!stmt) return 0;
    int count = 0;
    stepAll(db, stmt.get(), "getBookmarkCount", [&](sqlite3_stmt*) {
        ++count;
        return true;
    });
    return count;
}

bool ChapterInfo::isBookmarked(sqlite3* db, int surah, int verse) {
    return queryExists(db, "SELECT surah FROM bookmarks WHERE surah = ? AND verse = ?", "isBookmarked", surah, verse);
}

bool ChapterInfo::hasBookmarkNote(sqlite3* db, int surah, int verse) {
    return queryExists(db, "SELECT note FROM bookmarks WHERE surah = ? AND verse = ? AND trim(note) != ''",
                       "hasBookmarkNote", surah, verse);
}

std::string ChapterInfo::getBookmarkNote(sqlite3* db, int surah, int verse) {
    std::string note;
    queryCached(
        db, "SELECT note FROM bookmarks WHERE surah = ? AND verse = ?", "getBookmarkNote",
        [&](sqlite3_stmt* s) {
            note = columnString(s, 0);
            return false;
        },
        surah, verse);
    return note;
}

void ChapterInfo::loadBookmarkNote(sqlite3* db, Bookmark& bookmark) {
    // Its own statement (the text differs by a trailing space from getBookmarkNote's).
    queryCached(
        db, "SELECT note FROM bookmarks WHERE surah = ? AND verse = ? ", "",
        [&](sqlite3_stmt* s) {
            bookmark.setBookmarkedNote(columnString(s, 0));
            return false;
        },
        bookmark.surah(), bookmark.verse());
}

bool ChapterInfo::insertBookmark(sqlite3* db, int surah, int verse, bool isAudio, int bkgroup,
                                 const std::optional<std::string>& bkNote) {
    return writeCached(db, "REPLACE INTO bookmarks (surah, verse, is_audio, note, bkgroup) VALUES (?, ?, ?, ?, ?)",
                       "insertBookmark", surah, verse, isAudio ? 1 : 0, bkNote.value_or(std::string()), bkgroup);
}

// A verse without a bookmark row keeps no note: that is a failure, not a save.
bool ChapterInfo::insertBookmarkNote(sqlite3* db, int surah, int verse, const std::string& note) {
    if (!db) return false;
    auto guard = DataStoreConnection::lock(db);
    return writeCached(db, "UPDATE bookmarks SET note = ? WHERE surah = ? AND verse = ?", "insertBookmarkNote", note,
                       surah, verse) &&
           sqlite3_changes(db) > 0;
}

bool ChapterInfo::deleteBookmarkNote(sqlite3* db, int surah, int verse) {
    return writeCached(db, "UPDATE bookmarks SET note = NULL WHERE surah = ? AND verse = ?", "deleteBookmarkNote",
                       surah, verse);
}

bool ChapterInfo::deleteBookmark(sqlite3* db, int surah, int verse, bool isAudio) {
    return writeCached(db, "DELETE FROM bookmarks WHERE surah = ? AND verse = ? AND is_audio = ?", "deleteBookmark",
                       surah, verse, isAudio ? 1 : 0);
}

bool ChapterInfo::deleteAllBookmarks(sqlite3* db, int surah) {
    if (!db) return false;
    auto guard = DataStoreConnection::lock(db);
    SQLiteStatement stmt =
        DataStoreConnection::prepare(db, "DELETE FROM bookmarks WHERE surah = ?", "deleteAllBookmarks");
    if (!stmt) return false;
    bindAll(stmt.get(), surah);
    if (!stepAll(db, stmt.get(), "deleteAllBookmarks", [](sqlite3_stmt*) { return false; })) return false;
    return setBookmarkSectionCollapsed(db, surah, false);
}

bool ChapterInfo::moveBookmarks(sqlite3* db, const Bookmark::List& bookmarks, int group) {
    bool ok = true;
    for (const std::shared_ptr<Bookmark>& bookmark : bookmarks) {
        if (!bookmark) continue;
        loadBookmarkNote(db, *bookmark);
        ok = insertBookmark(db, bookmark->surah(), bookmark->verse(), bookmark->isAudio(), group,
                            bookmark->BookmarkedNote()) &&
             ok;
    }
    return ok;
}

bool ChapterInfo::hasBookmarkSectionCollapsed(sqlite3* db, int surah) {
    return queryExists(db, "SELECT collapsed FROM bookmarksections WHERE surah = ?", "hasBookmarkSectionCollapsed",
                       surah);
}

bool ChapterInfo::setBookmarkSectionCollapsed(sqlite3* db, int surah, bool isCollapsed) {
    if (!db) return false;
    auto guard = DataStoreConnection::lock(db);
    if (!writeCached(db, "DELETE FROM bookmarksections WHERE surah = ?", "setBookmarkSectionCollapsed", surah))
        return false;
    if (!isCollapsed) return true;
    return writeCached(db, "INSERT INTO bookmarksections (surah, collapsed) VALUES (?, 1)", "", surah);
}
