#pragma once
// The data store's front: reference answers about chapters, verses and divisions, the
// translation and reciter catalogues, and every read and write on the three database
// connections. Class-level operations only; each database operation takes the connection first.
//
// Locking: every database operation holds its connection's lock (DataStoreConnection.h) for its
// whole run. Writes return false (and log) when SQLite did not carry them out.

#include "Classes/Core/Bookmark.h"
#include "Classes/Core/DataStoreConnection.h"
#include "Classes/Core/SavedSearch.h"
#include "Classes/Core/SearchResult.h"

#include <sqlite3.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

class ChapterInfo {
public:
    ChapterInfo() = delete;

    // ---- Schema steps and version table ----
    // Each step runs in one transaction; "already exists" and "duplicate column" failures are
    // expected and tolerated. False when any other statement failed (the step is rolled back).
    [[nodiscard]] static bool updateDatabase3_0(sqlite3* db);
    [[nodiscard]] static bool updateDatabase3_1(sqlite3* db);
    [[nodiscard]] static bool updateDatabase3_2(sqlite3* db);
    // Highest version recorded; 1.0 without a version table or row.
    static double dbVersion(sqlite3* db);
    [[nodiscard]] static bool setDBVersion(sqlite3* db, double version);

    // ---- Content database ----
    static std::string getTranslationFor(sqlite3* db, int trans, int surah, int verse);
    // Whether the content database holds any text for the translation slot; "no
    // translation" (0) and the notes (1000) always count as having it.
    static bool hasTranslationText(sqlite3* db, int trans);
    // Element i holds verse i+1.
    static std::vector<std::string> getTranslationDataFor(sqlite3* db, int trans, int surah);
    static std::string getArabicVerseFor(sqlite3* db, int surah, int verse);
    static Blob getVerseData(sqlite3* db, int surah, int verse);
    // Element 0 is an empty placeholder, then one entry per row whose blob is not NULL.
    static std::vector<std::optional<Blob>> getAllVerseData(sqlite3* db, int surah);
    // The glyph bytes of every verse of a chapter that has them, by verse, in one query.
    static std::map<int, Blob> getChapterVerseData(sqlite3* db, int surah);
    static int hezbFromSurah(sqlite3* db, int surah, int verse);
    static int getContMP3Part(sqlite3* db, int surah, int verse, int reciter);
    static double getContMP3BeginsTime(sqlite3* db, int surah, int verse, int reciter);
    static int getMP3RecitationSize(sqlite3* db, int surah, int reciter);
    // Glyph images (PNG bytes) of one style keyed by glyph code, and one image.
    static std::map<int, Blob> getGlyphImages(sqlite3* db, int style);
    static Blob getGlyphImage(sqlite3* db, int style, int glyph);
    static void finalizeStatements();
    static void finalizeDynamicQueries() {}

    // ---- Bookmarks, notes, sections ----
    static Bookmark::List getAllBookmarks(sqlite3* db, bool withSections, int group,
                                          const std::optional<std::string>& search, bool onlyNotes);
    static Bookmark::List getAllBookmarks(sqlite3* db, bool withSections, int group,
                                          const std::optional<std::string>& search);
    static Bookmark::List getAllBookmarks(sqlite3* db, int group);
    static Bookmark::List getAllBookmarks(sqlite3* db, int surah, int group);
    static int getBookmarkCount(sqlite3* db, int surah, int group);
    static bool isBookmarked(sqlite3* db, int surah, int verse);
    static bool hasBookmarkNote(sqlite3* db, int surah, int verse);
    static std::string getBookmarkNote(sqlite3* db, int surah, int verse);
    static void loadBookmarkNote(sqlite3* db, Bookmark& bookmark);
    [[nodiscard]] static bool insertBookmark(sqlite3* db, int surah, int verse, bool isAudio, int bkgroup,
                                             const std::optional<std::string>& bkNote);
    [[nodiscard]] static bool insertBookmarkNote(sqlite3* db, int surah, int verse, const std::string& note);
    [[nodiscard]] static bool deleteBookmarkNote(sqlite3* db, int surah, int verse);
    [[nodiscard]] static bool deleteBookmark(sqlite3* db, int surah, int verse, bool isAudio);
    [[nodiscard]] static bool deleteAllBookmarks(sqlite3* db, int surah);
    [[nodiscard]] static bool moveBookmarks(sqlite3* db, const Bookmark::List& bookmarks, int group);
    static bool hasBookmarkSectionCollapsed(sqlite3* db, int surah);
    [[nodiscard]] static bool setBookmarkSectionCollapsed(sqlite3* db, int surah, bool isCollapsed);

    // ---- Search and saved searches ----
    // Sets *limitReached to 1 when 200 or more hits are returned; never clears it.
    static SearchResult::List getSearchResults(sqlite3* db, int translation, const std::optional<std::string>& text,
                                               int* limitReached);
    // The new row's id, or -1.
    [[nodiscard]] static int addSavedSearch(sqlite3* db, SavedSearch& search);
    [[nodiscard]] static bool updateSavedSearch(sqlite3* db, SavedSearch& search);
    // Removes the saved search and the verse marks that belong to it.
    [[nodiscard]] static bool deleteSavedSearch(sqlite3* db, const SavedSearch& search);
    static SavedSearch::List getSavedSearch(sqlite3* db);
    static std::shared_ptr<SavedSearch> getFirstSavedSearch(sqlite3* db, int surah, int verse);
    static bool isReflectedSearch(sqlite3* db, int surah, int verse);
    [[nodiscard]] static bool reflectSearchedVerses(sqlite3* db, int surah, int verse, int savedID);
    [[nodiscard]] static bool removeReflecttionOnSearchedVerses(sqlite3* db, int savedID);

    // ---- Installed audio ----
    static std::vector<int> getInstalledAudios(sqlite3* db, int reciter);
    static std::vector<int> getInstalledAudioReciters(sqlite3* db);
    static bool isSurahAudioInstalled(sqlite3* db, int surah, int reciter);
    static bool isSurahAudioHQInstalled(sqlite3* db, int surah, int reciter);
    static bool isSurahAudioContinuous(sqlite3* db, int surah, int reciter);
    static int getResolvedReciterCode(sqlite3* db, int reciter, int surah);
    [[nodiscard]] static bool markAudioAsInstalled(sqlite3* db, int surah, int reciter);
    [[nodiscard]] static bool markContAudioAsInstalled(sqlite3* db, int surah, int reciter, bool isHQ);
    // Clips are stored gzip-compressed; false when compression or the write failed.
    [[nodiscard]] static bool insertMP3Blob(sqlite3* db, int surah, int verse, int reciter, const Blob& mp3Data);
    [[nodiscard]] static bool insertContMP3Blob(sqlite3* db, int surah, int part, int reciter, const Blob& mp3Data);
    // The same for clips already compressed with NSData::gzipDeflate (the installer compresses
    // ahead on helper threads).
    [[nodiscard]] static bool insertCompressedMP3Blob(sqlite3* db, int surah, int verse, int reciter,
                                                      const Blob& gzipped);
    [[nodiscard]] static bool insertCompressedContMP3Blob(sqlite3* db, int surah, int part, int reciter,
                                                          const Blob& gzipped);
    static Blob getMP3Recitation(sqlite3* db, int surah, int verse, int reciter);
    static Blob getContMP3Recitation(sqlite3* db, int surah, int part, int reciter);
    [[nodiscard]] static bool deleteAudio(sqlite3* db, int surah, int reciter, bool andData);
    [[nodiscard]] static bool deleteAudioMP3(sqlite3* db, int surah, int reciter);
    [[nodiscard]] static bool deleteContAudio(sqlite3* db, int surah, int reciter);
    [[nodiscard]] static bool deleteContAudioMP3(sqlite3* db, int surah, int reciter);
    [[nodiscard]] static bool vacuumDB(sqlite3* db);
    [[nodiscard]] static bool beginTrans(sqlite3* db);
    [[nodiscard]] static bool commitTrans(sqlite3* db);
    [[nodiscard]] static bool rollbackTrans(sqlite3* db);

    // ---- Reference tables (no database, no lock) ----
    static bool isTextRTL(const std::string& text);
    static std::string getArabicNumbersFrom(const std::string& text);
    static std::string getNameFromNumber(int surah);
    static std::string getMeaningFromNumber(int surah);
    static std::string getAltNameFromNumber(int surah);
    static std::string getAltMeaningFromNumber(int surah);
    static std::string getCityFromNumber(int surah);
    static std::optional<std::string> getExtraChronoFromNumber(int surah);
    static int getChronoOrderForChapter(int surah);
    static int getVersesFromNumber(int surah);
    static int getSurahNameOffsetForAlignment(int surah);
    static bool isSajda(int surah, int verse);
    static bool isHizb(int surah, int verse);
    static bool isJuz(int surah, int verse);
    static int juzFrom(int surah, int verse);
    static int nearestjuzFrom(int surah, int verse);
    static void setSurahVerseForJuz(int* surah, int* verse, int juz);
    static std::string getSurahVerseForJuz(int juz);
    static int getHizbForJuz(int juz);
    static void setSurahVerseForHizb(int* surah, int* verse, int hizb);
    static std::string getSurahVerseForHizb(int hizb);
    static std::string getTwoDigitNumberFromInt(int n);
    static std::string getThreeDigitNumberFromInt(int n);

    // ---- Translation and reciter catalogues ----
    static bool isTranslationRTL(int trans);
    static std::vector<int> getAvailableTranslations(bool includeNotes);
    static std::string getTranslationAbbrNameForNumber(int trans);
    static std::string getTranslationNameForNumber(int trans);
    static std::string getTranslationFullNameForNumber(int trans);
    static int getWebsiteTransCodeFrom(int trans);
    static int getTotalRecitersCount() { return 9; }
    static std::string getReciterShortNameFromNumber(int reciter);
    static std::string getReciterFullNameFromNumber(int reciter);
    static bool doesReciterSupportContRecitation(int reciter);
    static int getRemoteFolderNumberForReciter(int reciter);
    static int getRemoteReciterHQCode(int reciter);
    static int getTotalPartsForChapter(int surah);
};
