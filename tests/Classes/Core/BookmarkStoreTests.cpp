// Bookmarks, notes, groups, moves and collapsed sections.

#include "Classes/Core/ChapterInfo.h"
#include "tests/Classes/Core/DataStoreFixture.h"

#include "platform/foundation/Format.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSUserDefaults.h"

namespace {

class BookmarkStore : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        NSUserDefaults::standardUserDefaults().setInteger(3, "CurrentTranslationv22");
    }
    void add(int surah, int verse, bool audio, int group, std::optional<std::string> note) {
        ASSERT_TRUE(ChapterInfo::insertBookmark(user(), surah, verse, audio, group, note));
    }
    // "S<chapter>(<count>)" for a section row, "<chapter>:<verse>" for a bookmark, "!" when last.
    static std::string shape(const Bookmark::List& list) {
        std::string out;
        for (const auto& b : list) {
            if (b->IsSurahSection())
                out += stringWithFormat("S%i(%i)%s ", b->surah(), b->SectionBookmarkCount(),
                                        b->IsSectionCollapsed() ? "c" : "");
            else
                out += stringWithFormat("%i:%i%s ", b->surah(), b->verse(), b->IsLastInSection() ? "!" : "");
        }
        return out;
    }
};

TEST_F(BookmarkStore, NotesAreStoredAsGivenAndBlankNotesDoNotCount) {
    add(1, 1, false, 0, std::nullopt);
    add(1, 1, true, 0, std::string("   "));
    EXPECT_EQ(fixture::scalar(user(), "SELECT count(*) FROM bookmarks WHERE note IS NULL"), 0);  // nil stored as ""
    EXPECT_TRUE(ChapterInfo::isBookmarked(user(), 1, 1));
    EXPECT_FALSE(ChapterInfo::isBookmarked(user(), 1, 2));
    EXPECT_FALSE(ChapterInfo::hasBookmarkNote(user(), 1, 1));
    // A verse without a bookmark row takes no note, and says so.
    EXPECT_FALSE(ChapterInfo::insertBookmarkNote(user(), 1, 2, "nowhere to go"));
    EXPECT_FALSE(ChapterInfo::isBookmarked(user(), 1, 2));

    // A note is set on every row of the verse, quotes and SQL included as plain text.
    const std::string note = "Don't forget'); DROP TABLE bookmarks; --";
    ASSERT_TRUE(ChapterInfo::insertBookmarkNote(user(), 1, 1, note));
    EXPECT_EQ(fixture::scalar(user(), "SELECT count(*) FROM bookmarks WHERE surah = 1 AND verse = 1 AND note = '" +
                                          std::string("Don''t forget''); DROP TABLE bookmarks; --") + "'"),
              2);
    EXPECT_TRUE(ChapterInfo::hasBookmarkNote(user(), 1, 1));
    EXPECT_EQ(ChapterInfo::getBookmarkNote(user(), 1, 1), note);

    ASSERT_TRUE(ChapterInfo::deleteBookmarkNote(user(), 1, 1));
    EXPECT_EQ(ChapterInfo::getBookmarkNote(user(), 1, 1), "");
    Bookmark loaded;
    loaded.setSurah(1);
    loaded.setVerse(1);
    ChapterInfo::loadBookmarkNote(user(), loaded);
    EXPECT_EQ(loaded.BookmarkedNote(), std::optional<std::string>(""));  // NULL note reads as empty

    ASSERT_TRUE(ChapterInfo::deleteBookmark(user(), 1, 1, true));
    EXPECT_TRUE(ChapterInfo::isBookmarked(user(), 1, 1));  // the non-audio row remains
    ASSERT_TRUE(ChapterInfo::deleteBookmark(user(), 1, 1, false));
    EXPECT_FALSE(ChapterInfo::isBookmarked(user(), 1, 1));
}

TEST_F(BookmarkStore, ListingBuildsSectionsWithCountsTextsAndCollapsedState) {
    add(1, 1, false, 1, std::string("Remember mercy"));
    add(1, 2, false, 1, std::string("   "));
    add(1, 3, false, 2, std::nullopt);
    add(2, 1, false, 0, std::nullopt);
    ASSERT_TRUE(ChapterInfo::setBookmarkSectionCollapsed(user(), 2, true));

    Bookmark::List all = ChapterInfo::getAllBookmarks(user(), true, -1, std::nullopt);
    EXPECT_EQ(shape(all), "S1(3) 1:1 1:2 1:3! S2(1)c 2:1! ");
    EXPECT_TRUE(all[1]->hasNote());
    EXPECT_FALSE(all[2]->hasNote());
    EXPECT_EQ(all[1]->BookmarkGroup(), 1);
    EXPECT_TRUE(all[1]->HasExtraDetails());
    EXPECT_EQ(all[1]->Translation(), std::optional<std::string>("In the name of Allah, the Most Merciful"));
    EXPECT_EQ(all[5]->ArabicVerse(), std::optional<std::string>("الم"));
    EXPECT_FALSE(all[1]->BookmarkedNote().has_value());  // notes are loaded only for a search

    EXPECT_EQ(shape(ChapterInfo::getAllBookmarks(user(), -1)), "1:1 1:2 1:3 2:1! ");
    EXPECT_EQ(shape(ChapterInfo::getAllBookmarks(user(), 0)), "2:1! ");
    EXPECT_EQ(shape(ChapterInfo::getAllBookmarks(user(), true, -1, std::nullopt, true)), "S1(1) 1:1! ");

    struct SearchCase {
        const char* text;
        const char* expected;
    } searches[] = {
        {"MERCIFUL", "S1(2) 1:1 1:3! "},  // translation, case-insensitive
        {"remember", "S1(1) 1:1! "},      // note
        {"الرحمن", "S1(1) 1:1! "},        // Arabic without its marks
        {"nothing like this", ""},       {"", "S1(3) 1:1 1:2 1:3! S2(1)c 2:1! "},
    };
    for (const SearchCase& c : searches)
        EXPECT_EQ(shape(ChapterInfo::getAllBookmarks(user(), true, -1, std::string(c.text))), c.expected) << c.text;

    NSUserDefaults::standardUserDefaults().setInteger(1000, "CurrentTranslationv22");
    EXPECT_FALSE(ChapterInfo::getAllBookmarks(user(), -1).front()->Translation().has_value());
}

TEST_F(BookmarkStore, ChapterListingsAndCountsByGroup) {
    add(1, 1, false, 1, std::nullopt);
    add(1, 2, true, 2, std::string("n"));
    add(2, 1, false, 1, std::nullopt);
    Bookmark::List chapter = ChapterInfo::getAllBookmarks(user(), 1, -1);
    ASSERT_EQ(chapter.size(), 2u);
    EXPECT_TRUE(chapter[1]->isAudio());
    EXPECT_TRUE(chapter[1]->hasNote());
    EXPECT_EQ(ChapterInfo::getAllBookmarks(user(), 1, 2).size(), 1u);
    EXPECT_TRUE(ChapterInfo::getAllBookmarks(user(), 1, 0).empty());

    struct CountCase {
        int surah, group, expected;
    } counts[] = {{-1, 0, 3}, {-1, 1, 2}, {1, 0, 2}, {1, 1, 1}, {2, 2, 0}, {3, -1, 0}};
    for (const CountCase& c : counts)
        EXPECT_EQ(ChapterInfo::getBookmarkCount(user(), c.surah, c.group), c.expected) << c.surah << "/" << c.group;
}

TEST_F(BookmarkStore, MovingKeepsTheStoredNoteAndDeletingAChapterExpandsItsSection) {
    add(3, 7, false, 1, std::string("keep me"));
    add(3, 8, false, 1, std::nullopt);
    Bookmark::List list = ChapterInfo::getAllBookmarks(user(), 3, -1);
    ASSERT_TRUE(ChapterInfo::moveBookmarks(user(), list, 4));
    EXPECT_EQ(ChapterInfo::getBookmarkCount(user(), 3, 4), 2);
    EXPECT_EQ(ChapterInfo::getBookmarkNote(user(), 3, 7), "keep me");
    EXPECT_EQ(fixture::scalar(user(), "SELECT count(*) FROM bookmarks"), 2);  // replaced, not duplicated

    ASSERT_TRUE(ChapterInfo::setBookmarkSectionCollapsed(user(), 3, true));
    ASSERT_TRUE(ChapterInfo::setBookmarkSectionCollapsed(user(), 3, true));
    EXPECT_EQ(fixture::scalar(user(), "SELECT count(*) FROM bookmarksections WHERE surah = 3"), 1);
    ASSERT_TRUE(ChapterInfo::deleteAllBookmarks(user(), 3));
    EXPECT_EQ(ChapterInfo::getBookmarkCount(user(), 3, 0), 0);
    EXPECT_FALSE(ChapterInfo::hasBookmarkSectionCollapsed(user(), 3));
}

TEST_F(BookmarkStore, WritesReportFailureAndReadsGiveEmptyResultsWithoutTheirTable) {
    fixture::exec(user(), "DROP TABLE bookmarks");
    LogCapture log;
    EXPECT_FALSE(ChapterInfo::insertBookmark(user(), 1, 1, false, 0, std::nullopt));
    EXPECT_TRUE(
        log.contains("[insertBookmark] Error: failed to prepare statement with message 'no such table: bookmarks'."));
    EXPECT_TRUE(ChapterInfo::getAllBookmarks(user(), true, -1, std::nullopt).empty());
    EXPECT_TRUE(log.contains("[getAllBookmarks] Error: failed to prepare statement"));
    EXPECT_EQ(ChapterInfo::getBookmarkCount(user(), -1, 0), 0);
    EXPECT_EQ(ChapterInfo::getBookmarkNote(user(), 1, 1), "");
    EXPECT_FALSE(ChapterInfo::deleteAllBookmarks(user(), 1));
}

}  // namespace

namespace {

class WriteFailureTest : public StoreTest {};

TEST_F(WriteFailureTest, AFailedWriteKeepsWhyForTheScreenThatAsked) {
    struct Case {
        const char* breakStore;
        const char* reason;
    };
    const std::string note(100000, 'n');  // more pages than a full disk leaves
    for (const Case& c : {Case{"PRAGMA max_page_count = 1", "The disk is full"},
                          Case{"PRAGMA query_only = 1", "read-only"},
                          Case{"DROP TABLE bookmarks", "damaged (no such table: bookmarks)"}}) {
        SCOPED_TRACE(c.breakStore);
        if (std::string(c.breakStore).find("DROP") != std::string::npos)
            fixture::exec(user(), "PRAGMA query_only = 0");
        fixture::exec(user(), c.breakStore);
        DataStoreConnection::clearLastFailure();
        EXPECT_FALSE(ChapterInfo::insertBookmark(user(), 2, 255, false, 0, note));
        auto failure = DataStoreConnection::lastFailure();
        ASSERT_TRUE(failure.has_value());
        EXPECT_NE(DataStoreConnection::describe(*failure).find(c.reason), std::string::npos)
            << DataStoreConnection::describe(*failure);
    }
}

}  // namespace
