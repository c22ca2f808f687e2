// The bookmark row view: its mark, the room the Arabic takes with and without a translation,
// the header arrangements, and the long press.

#include "tests/Classes/Bookmarks/BookmarksFixture.h"

#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/NSUserDefaults.h"

namespace {

class BookmarkRowViewTest : public BookmarksTest {
protected:
    std::shared_ptr<BookmarkCellView> rowFor(int surah, int verse, bool note) {
        auto record = std::make_shared<Bookmark>();
        record->setSurah(surah);
        record->setVerse(verse);
        record->setHasNote(note);
        auto view = std::make_shared<BookmarkCellView>(CGRectMake(0, 0, 320, 44));
        view->setThisBookmark(record);
        return view;
    }
};

TEST_F(BookmarkRowViewTest, MarkShowsTheNoteFirstThenProstrationJuzAndHizbQuarter) {
    // Find verses of each kind from the reference tables rather than by heart.
    auto findVerse = [](auto predicate) {
        for (int s = 1; s <= 114; ++s)
            for (int v = 2; v <= ChapterInfo::getVersesFromNumber(s); ++v)
                if (predicate(s, v)) return std::make_pair(s, v);
        return std::make_pair(0, 0);
    };
    const auto sajdaJuz = findVerse([](int s, int v) { return ChapterInfo::isSajda(s, v) && !ChapterInfo::isJuz(s, v); });
    const auto juz = findVerse([](int s, int v) { return ChapterInfo::isJuz(s, v) && !ChapterInfo::isSajda(s, v); });
    const auto plain = std::make_pair(2, 5);
    ASSERT_FALSE(ChapterInfo::isHizb(2, 5) || ChapterInfo::isJuz(2, 5) || ChapterInfo::isSajda(2, 5));
    struct Case {
        std::pair<int, int> verse;
        bool note;
        const char* image;  // null: no mark
        bool enabled;
    };
    const Case cases[] = {
        {sajdaJuz, true, "bookmark-note.png", true},
        {sajdaJuz, false, "bookmarks-mark-sajda.png", false},
        {juz, false, "bookmarks-mark-juz.png", false},
        {plain, false, nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.verse.first << ":" << c.verse.second << " note " << c.note);
        auto view = rowFor(c.verse.first, c.verse.second, c.note);
        ASSERT_TRUE(view->btnVerseMeta);
        EXPECT_EQ(view->btnVerseMeta->isHidden(), c.image == nullptr);
        EXPECT_EQ(view->btnVerseMeta->isEnabled(), c.enabled);
        if (c.image) {
            EXPECT_EQ(view->btnVerseMeta->imageForState(UIControlStateNormal), UIImage::imageNamed(c.image));
        }
        EXPECT_EQ(view->btnVerse->titleForState(UIControlStateDisabled), std::to_string(c.verse.second));
    }

    // Hizb quarters: the remainder of the quarter's number picks the fraction shown.
    const char* quarterImages[] = {"bookmarks-mark-hezb34.png", "bookmarks-mark-hezb.png", "bookmarks-mark-hezb14.png",
                                   "bookmarks-mark-hezb12.png"};
    int seen = 0;
    for (int s = 1; s <= 114 && seen != 0xF; ++s)
        for (int v = 2; v <= ChapterInfo::getVersesFromNumber(s); ++v) {
            if (!ChapterInfo::isHizb(s, v) || ChapterInfo::isJuz(s, v) || ChapterInfo::isSajda(s, v)) continue;
            const int q = ChapterInfo::hezbFromSurah(app->dbConnectionStatic(), s, v) % 4;
            if (seen & (1 << q)) continue;
            seen |= 1 << q;
            auto view = rowFor(s, v, false);
            EXPECT_EQ(view->btnVerseMeta->imageForState(UIControlStateNormal), UIImage::imageNamed(quarterImages[q]))
                << s << ":" << v;
        }
    EXPECT_EQ(seen, 0xF);
}

TEST_F(BookmarkRowViewTest, ArabicTakesTheTranslationsRoomWhenNoneIsShown) {
    struct Case {
        int translation;
        bool shown;
    };
    for (const Case& c : {Case{3, true}, Case{0, false}, Case{27, false}, Case{38, false}, Case{1000, false}}) {
        SCOPED_TRACE(c.translation);
        NSUserDefaults::standardUserDefaults().setInteger(c.translation, "CurrentTranslationv22");
        auto view = rowFor(2, 255, false);
        EXPECT_EQ(view->lblTranslation->isHidden(), !c.shown);
        // a = 320 - 107 = 213, b = 106.
        EXPECT_EQ(view->lblArabicVerse->frame(), c.shown ? CGRectMake(156, 0, 107, 44) : CGRectMake(50, 0, 213, 44));
        EXPECT_FALSE(view->lblArabicVerse->text().empty());  // read from the content database
        EXPECT_EQ(view->lblTranslation->text().empty(), !c.shown);
    }
}

TEST_F(BookmarkRowViewTest, HeaderArrangementFollowsNameImagesAndInterfaceLanguage) {
    auto section = std::make_shared<Bookmark>();
    section->setSurah(1);
    section->setIsSurahSection(true);
    section->AllBookmarks().push_back(std::make_shared<Bookmark>());
    auto header = std::make_shared<BookmarkCellView>(CGRectMake(0, 0, 320, 44));
    header->setThisBookmark(section);
    EXPECT_FALSE(header->lblEngSurahLabel->isHidden());
    EXPECT_EQ(header->lblEngSurahLabel->text(), ChapterInfo::getNameFromNumber(1));
    EXPECT_EQ(header->btnVerseCounter->frame(), CGRectMake(231, 1, 35, 43));
    EXPECT_EQ(header->lblSurahNumLabel->frame(), CGRectMake(55, 0, 40, 44));
    EXPECT_EQ(header->lblSurahNumLabel->text(), "1");

    NSUserDefaults::standardUserDefaults().setBool(true, "IndexInArabic");
    header->refresh();
    EXPECT_TRUE(header->lblEngSurahLabel->isHidden());
    EXPECT_FALSE(header->imgSurahLabel->isHidden());
    const double offset = ChapterInfo::getSurahNameOffsetForAlignment(1);
    EXPECT_EQ(header->imgSurahLabel->frame(), CGRectMake(135 + offset, 4, 94, 36));
    EXPECT_EQ(header->btnVerseCounter->frame(), CGRectMake(45, 1, 35, 43));
    EXPECT_EQ(header->lblSurahNumLabel->frame(), CGRectMake(221, 0, 40, 44));
    NSUserDefaults::standardUserDefaults().setBool(false, "IndexInArabic");
}

TEST_F(BookmarkRowViewTest, HoldingARowOpensTheSheetButMovingOrLiftingEarlyDoesNot) {
    addBookmark(2, 5, 0);
    launch();
    BookmarksViewController& list = openGroup(0);
    UITableView& table = *list.tblBookmarks;
    const CGPoint p = screenCentre(table, table.rectForRowAtIndexPath(NSIndexPath{0, 0}));
    backend.longPress(p, 0.6);
    settle();
    EXPECT_EQ(list.actionSheet(), nullptr);
    backend.touchDown(1, p);
    backend.advance(300);
    backend.touchMove(1, CGPointMake(p.x, p.y + 30));
    backend.advance(600);
    backend.touchUp(1, CGPointMake(p.x, p.y + 30));
    settle();
    EXPECT_EQ(list.actionSheet(), nullptr);
    backend.longPress(p, 0.75);
    settle();
    ASSERT_NE(list.actionSheet(), nullptr);
    EXPECT_TRUE(list.actionSheet()->isVisible());
}

}  // namespace
