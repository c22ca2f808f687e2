// Verse rows: the number column with its marks, state colours, borders, the long press, rows
// without glyph data and the styled transliteration.

#include "tests/Classes/Reading/ReadingFixture.h"

#include "Classes/Core/ChapterInfo.h"
#include "Classes/GlyphEngine/ArabicVerseMeta.h"
#include "Classes/Reading/SurahVerseView.h"
#include "Classes/Reading/SurahViewCell.h"
#include "Classes/Reading/TranslationMeta.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/CGContext.h"

#include <map>
#include <vector>

namespace {

class SurahVerseViewTest : public ReadingTest {};

TEST_F(SurahVerseViewTest, ColumnStacksJuzAndHizbMarksAboveTheBadge) {
    NSUserDefaults::standardUserDefaults().setInteger(2, "ArabicFontSize");
    LumenoSDKAppDelegate::ResetArabicFontSize();
    open(2, 142, 0);  // juz 2 and a hizb quarter start here
    SurahVerseView* row = arabicRow(142);
    ASSERT_NE(row, nullptr);
    ASSERT_NE(row->btnJuzHizb(), nullptr);
    ASSERT_NE(row->btnHizb(), nullptr);
    EXPECT_FALSE(row->btnJuzHizb()->isHidden());
    EXPECT_EQ(row->btnJuzHizb()->frame().origin.y, 15);
    EXPECT_EQ(row->btnJuzHizb()->titleForState(UIControlStateNormal), "2");
    EXPECT_FALSE(row->btnHizb()->isHidden());
    EXPECT_EQ(row->btnHizb()->frame().origin.y, 60);
    EXPECT_EQ(row->btnAyahNum()->frame().origin.y, 103);
    EXPECT_EQ(row->maxAyahColumnHeight(), 147);
    EXPECT_EQ(row->btnAyahNum()->titleForState(UIControlStateNormal), "142");

    screen->highlightVerse(143, true, false);
    SurahVerseView* plain = arabicRow(143);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->btnAyahNum()->frame().origin.y, 15);
    EXPECT_EQ(plain->maxAyahColumnHeight(), 59);
    // A reused row hides the marks of the verse it showed before.
    for (UIButton* mark : {plain->btnJuzHizb(), plain->btnHizb(), plain->btnSajda()})
        if (mark) { EXPECT_TRUE(mark->isHidden()); }
}

TEST_F(SurahVerseViewTest, ArabicInterfaceNumbersTheColumnInArabicIndicDigits) {
    NSUserDefaults::standardUserDefaults().setArray(Value::Array{Value("ar"), Value("en")}, "AppleLanguages");
    LumenoSDKAppDelegate::ResetArabicCheck();
    open(2, 142, 0);
    SurahVerseView* row = arabicRow(142);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->btnAyahNum()->titleForState(UIControlStateNormal), "\u0661\u0664\u0662");
    EXPECT_EQ(row->btnJuzHizb()->titleForState(UIControlStateNormal), "\u0662");
    NSUserDefaults::standardUserDefaults().setArray(Value::Array{Value("en")}, "AppleLanguages");
    LumenoSDKAppDelegate::ResetArabicCheck();
}

TEST_F(SurahVerseViewTest, AlternateTintDependsOnTheInvocationRow) {
    open(1, 1, 0);
    ASSERT_NE(arabicRow(2), nullptr);
    EXPECT_EQ(backgroundOf(*arabicRow(2)->viewBGVerse()).a, 0);  // clear
    screen->highlightVerse(3, false);
    EXPECT_EQ(backgroundOf(*arabicRow(1)->viewBGVerse()).g, 240);  // 0.94: verse 1 tinted in chapter 1
    EXPECT_EQ(backgroundOf(*arabicRow(3)->viewBGVerse()).g, 235);  // selected

    open(2, 1, 0);
    EXPECT_EQ(backgroundOf(*arabicRow(2)->viewBGVerse()).g, 240);
    screen->highlightVerse(4, false);
    EXPECT_EQ(backgroundOf(*arabicRow(1)->viewBGVerse()).a, 0);
}

TEST_F(SurahVerseViewTest, LastTranslationRowHidesItsBorderOnlyWithText) {
    open(114, 6, 3);
    ASSERT_NE(translationRow(6), nullptr);
    EXPECT_TRUE(translationRow(6)->viewBorder()->isHidden());
    EXPECT_TRUE(arabicRow(6)->viewBorder()->isHidden());  // a translation is shown
    screen->highlightVerse(5, true, false);
    ASSERT_NE(translationRow(5), nullptr);
    EXPECT_FALSE(translationRow(5)->viewBorder()->isHidden());

    open(114, 6, 1000);  // no notes: the last row's text is empty
    ASSERT_NE(translationRow(6), nullptr);
    EXPECT_FALSE(translationRow(6)->viewBorder()->isHidden());
}

struct PressCase {
    const char* name;
    int verse;
    double drift;
    double holdMs;
    int expected;
};

class LongPressTest : public SurahVerseViewTest, public ::testing::WithParamInterface<PressCase> {};

TEST_P(LongPressTest, ReportedOnceAfterTheDelayUnlessMovedOrReleased) {
    const PressCase& c = GetParam();
    open(2, 3, 0);
    const CGPoint p = pointInRow(c.verse);
    backend.touchDown(1, p);
    backend.advance(100);
    backend.touchMove(1, CGPoint{p.x + c.drift, p.y});
    backend.advance(c.holdMs - 100);
    backend.touchUp(1, CGPoint{p.x + c.drift, p.y});
    backend.advance(2000);
    EXPECT_EQ(screen->dialRequests, c.expected);
    if (c.expected) { EXPECT_EQ(screen->lastDialVerse, c.verse); }
}

INSTANTIATE_TEST_SUITE_P(Presses, LongPressTest,
                         ::testing::Values(PressCase{"Held", 4, 0, 1500, 1}, PressCase{"Drift4_9", 4, 4.9, 700, 1},
                                           PressCase{"Drift5", 4, 5, 700, 0}, PressCase{"Short", 4, 0, 400, 0},
                                           PressCase{"InvocationRow", 0, 0, 1500, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SurahVerseViewTest, LongPressOnANoteRowOpensTheNoteEditor) {
    ASSERT_TRUE(ChapterInfo::insertBookmark(app->dbConnection(), 114, 1, false, 0, ""));
    ASSERT_TRUE(ChapterInfo::insertBookmarkNote(app->dbConnection(), 114, 1, "A note long enough to need a row"));
    open(114, 1, 1000);
    ASSERT_NE(translationRow(1), nullptr);
    const CGRect rect = screen->tblVerses->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(screen->verseToRow(1) + 1, 0));
    const CGPoint p = screen->tblVerses->convertPointToView(CGPoint{200, rect.origin.y + rect.size.height / 2}, nullptr);
    backend.longPress(p, 1.0);
    EXPECT_EQ(screen->notesRequests, std::vector<int>{1});
    EXPECT_EQ(screen->dialRequests, 0);
}

TEST_F(SurahVerseViewTest, VerseWithoutGlyphDataDrawsAnEmptyRow) {
    open(1, 1, 0);
    auto cell = std::make_shared<SurahViewCell>(UITableViewCellStyleDefault, "VerseCell", screen.get(), false);
    cell->setFrame(CGRect{{0, 0}, {320, 80}});
    window->addSubview(cell);
    cell->CellView()->setArabicMetaData(std::make_shared<ArabicVerseMeta>(1, 99));  // no such verse
    EXPECT_TRUE(cell->CellView()->ArabicMetaData()->VerseData().empty());
    backend.frame();
    EXPECT_GT(cell->CellView()->arabicVerseCanvas()->drawCount(), 0);
    // Nothing inked over the row's tint (verse 99 is odd: tinted in chapter 1).
    const auto p = backend.pixelAt(CGPoint{200, 40});
    EXPECT_EQ(p.r, 245);
    EXPECT_EQ(p.g, 240);
}

}  // namespace

namespace {

// Text frames of a laid-out document, in order.
void collectTextFrames(TTStyledFrame* frame, std::vector<TTStyledTextFrame*>& out) {
    for (; frame; frame = frame->nextFrame().get()) {
        if (auto* text = dynamic_cast<TTStyledTextFrame*>(frame)) out.push_back(text);
        if (auto* box = dynamic_cast<TTStyledBoxFrame*>(frame)) collectTextFrames(box->firstChildFrame().get(), out);
    }
}

}  // namespace

TEST_F(SurahVerseViewTest, TransliterationShowsItsBoldItalicAndUnderlinedParts) {
    open(2, 1, 10);
    SurahVerseView* row = translationRow(1);
    ASSERT_NE(row, nullptr);
    // Our transliteration carries no mark-up, so the row is given a text that does.
    row->setTranslationMetaData(std::make_shared<TranslationMeta>(
        "Bis<b>mi</b> All&#257;hi <i>ar</i>-<u>Rahm</u>&#257;ni", 10, 2, 1, false));
    TTStyledTextLabel* label = row->lblTransliteration();
    ASSERT_NE(label, nullptr);
    EXPECT_FALSE(label->isHidden());
    EXPECT_TRUE(row->lblTranslation()->isHidden());
    label->layoutIfNeeded();
    std::vector<TTStyledTextFrame*> frames;
    collectTextFrames(label->text()->rootFrame().get(), frames);
    std::map<std::string, UIFont*> faces;
    for (TTStyledTextFrame* f : frames) faces[f->text()] = f->font().get();
    ASSERT_TRUE(faces.count("mi") && faces.count("ar") && faces.count("Rahm")) << label->html();
    EXPECT_TRUE(faces["mi"]->isBold());
    EXPECT_FALSE(faces["mi"]->isItalic());
    EXPECT_TRUE(faces["ar"]->isItalic());
    EXPECT_FALSE(faces["Rahm"]->isBold() || faces["Rahm"]->isItalic());  // "u" is no tag of the mark-up
    EXPECT_EQ(faces["mi"]->pointSize(), 15);
    EXPECT_EQ(label->text()->rootNode()->outerText(), "Bismi All\xC4\x81hi ar-Rahm\xC4\x81ni");

    // Drawn: ink of the text colour inside the label.
    auto canvas = CGBitmapContextCreate(static_cast<int>(label->bounds().size.width),
                                        static_cast<int>(label->bounds().size.height));
    canvas->translateCTM(0, label->bounds().size.height);
    canvas->scaleCTM(1, -1);
    UIGraphicsPushContext(canvas.get());
    label->drawRect(label->bounds());
    UIGraphicsPopContext();
    const UIImagePtr drawn = canvas->makeImage();
    int ink = 0;
    for (int y = 0; y < drawn->pixelHeight(); ++y)
        for (int x = 0; x < drawn->pixelWidth(); ++x)
            if (drawn->pixelAt(x, y).a > 200) ++ink;
    EXPECT_GT(ink, 100);
}
