#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Index/IndexTableViewCell.h"
#include "Classes/Index/SectionCellView.h"
#include "Classes/Index/SurahCellView.h"
#include "IndexTestSupport.h"
#include "platform/foundation/NSUserDefaults.h"

namespace {

// The index as the rows see it: audio states per chapter and the openings asked for.
class FakeIndex : public IndexViewCellDelegate {
public:
    std::map<int, int> status;  // ChapterAudioStatus by chapter
    std::vector<std::tuple<int, int, bool>> opened;
    bool isSurahAudioInstalled(int s) const override { return (statusOf(s) & 1) != 0; }
    bool isSurahAudioInstalledForOthers(int s) const override { return (statusOf(s) & 2) != 0; }
    void showSurahView(int surah, int verse, bool play) override { opened.emplace_back(surah, verse, play); }

private:
    int statusOf(int s) const {
        auto it = status.find(s);
        return it == status.end() ? 0 : it->second;
    }
};

class IndexRowsTest : public IndexUITest {
protected:
    void SetUp() override {
        IndexUITest::SetUp();
        LumenoSDKAppDelegate::initialize();
        LumenoSDKAppDelegate::ResetArabicCheck();
    }
    static std::shared_ptr<IndexTableViewCell> cell(const std::string& id, int row, IndexViewCellDelegate* d) {
        auto c = std::make_shared<IndexTableViewCell>(UITableViewCellStyleDefault, id, row);
        c->setFrame(CGRectMake(0, 0, 290, 45));
        c->setDelegate(d);
        c->setRow(row, false);
        return c;
    }
};

TEST_F(IndexRowsTest, ChapterRowShowsNumberNameAndVerseCount) {
    FakeIndex index;
    const struct {
        int row;
        const char* number;
        const char* verses;
    } cases[] = {{0, "1", "7 ayas"}, {1, "2", "286 ayas"}, {17, "18", "110 ayas"}, {113, "114", "6 ayas"}};
    auto c = cell("SurahCell", 0, &index);
    auto* view = dynamic_cast<SurahCellView*>(c->cellView());
    ASSERT_NE(view, nullptr);
    for (const auto& k : cases) {
        c->setRow(k.row);  // the same cell reused for every row
        EXPECT_EQ(view->row(), k.row + 1);
        EXPECT_EQ(view->numberLabel()->text(), k.number);
        EXPECT_EQ(view->verseCountLabel()->text(), k.verses);
        EXPECT_FALSE(view->nameLabel()->text().empty());
        EXPECT_FALSE(view->nameLabel()->isHidden());
        EXPECT_EQ(view->nameLabel()->textAlignment(), UITextAlignmentLeft);
    }
    // Selection look: the labels turn white while touched.
    c->setHighlighted(true, false);
    EXPECT_TRUE(view->nameLabel()->isHighlighted());
    c->setHighlighted(false, false);
    EXPECT_FALSE(view->verseCountLabel()->isHighlighted());
}

TEST_F(IndexRowsTest, SoundButtonShowsTheChapterAudioStateAndOpensPlaying) {
    FakeIndex index;
    index.status = {{1, 0}, {2, 1}, {3, 2}, {4, 3}};
    const struct {
        int chapter;
        const char* normal;
        const char* highlighted;
    } images[] = {{1, "sound-dead.png", "sound-ready.png"},
                  {2, "sound-ready.png", "sound-t.png"},
                  {3, "sound-multi.png", "sound-multi-t.png"},
                  {4, "sound-ready-plus.png", "sound-ready-plus-t.png"}};
    auto c = cell("SurahCell", 0, &index);
    for (const auto& k : images) {
        c->setRow(k.chapter - 1);
        UIButton* sound = c->cellView()->soundButton();
        ASSERT_NE(sound, nullptr);
        EXPECT_EQ(sound->imageForState(UIControlStateNormal), UIImage::imageNamed(k.normal)) << k.chapter;
        EXPECT_EQ(sound->imageForState(UIControlStateHighlighted), UIImage::imageNamed(k.highlighted)) << k.chapter;
    }

    // Chapters without the invocation row open at verse 1, the others at no particular verse.
    for (int chapter : {1, 9, 2}) {
        c->setRow(chapter - 1);
        c->cellView()->soundButton()->sendActionsForControlEvents(UIControlEventTouchUpInside);
    }
    const std::vector<std::tuple<int, int, bool>> expected = {{1, 1, true}, {9, 1, true}, {2, -1, true}};
    EXPECT_EQ(index.opened, expected);
}

TEST_F(IndexRowsTest, NamesAsImagesLayTheRowOutRightToLeftWithLatinDigits) {
    NSUserDefaults::standardUserDefaults().setBool(true, "IndexInArabic");
    FakeIndex index;
    auto c = cell("SurahCell", 35, &index);
    auto* view = dynamic_cast<SurahCellView*>(c->cellView());
    ASSERT_NE(view->nameImage(), nullptr);
    EXPECT_FALSE(view->nameImage()->isHidden());
    EXPECT_TRUE(view->nameLabel()->isHidden());
    EXPECT_EQ(view->nameImage()->image(), UIImage::imageNamed("sname_36.png"));
    EXPECT_EQ(view->nameImage()->highlightedImage(), UIImage::imageNamed("sname_36-t.png"));
    EXPECT_EQ(view->numberLabel()->text(), "36");
    EXPECT_EQ(view->numberLabel()->textAlignment(), UITextAlignmentRight);
    EXPECT_GT(view->numberLabel()->frame().origin.x, view->verseCountLabel()->frame().origin.x);
    EXPECT_EQ(view->verseCountLabel()->textAlignment(), UITextAlignmentLeft);
}

TEST_F(IndexRowsTest, QuarterRowsShowHizbNumbersAndFractionMarks) {
    FakeIndex index;
    const struct {
        int quarter;
        const char* mark;
        bool fraction;
    } cases[] = {{1, "1", false}, {2, "1/4", true}, {3, "1/2", true}, {4, "3/4", true},
                 {5, "2", false}, {237, "60", false}, {240, "3/4", true}};
    for (const auto& k : cases) {
        auto c = cell("SectionCell", k.quarter - 1, &index);
        auto* view = dynamic_cast<SectionCellView*>(c->cellView());
        ASSERT_NE(view, nullptr);
        UIButton* mark = view->markButton();
        EXPECT_FALSE(mark->isEnabled());
        EXPECT_EQ(mark->titleForState(UIControlStateDisabled), k.mark) << k.quarter;
        EXPECT_EQ(view->showsQuarterMark(), k.fraction) << k.quarter;
        EXPECT_EQ(mark->backgroundImageForState(UIControlStateDisabled),
                  UIImage::imageNamed(k.fraction ? "index-marks-34.png" : "index-marks-hezb.png"))
            << k.quarter;
        // A touched row shows the "-t" mark.
        c->setHighlighted(true, false);
        EXPECT_TRUE(mark->isEnabled());
        EXPECT_EQ(mark->currentBackgroundImage(),
                  UIImage::imageNamed(k.fraction ? "index-marks-34-t.png" : "index-marks-hezb-t.png"))
            << k.quarter;
        EXPECT_EQ(mark->currentTitle(), k.mark);
        c->setHighlighted(false, false);
        EXPECT_FALSE(mark->isEnabled());
    }
}

TEST_F(IndexRowsTest, ReusedQuarterRowSwitchesItsMarkAndFollowsItsModel) {
    FakeIndex index;
    index.status = {{2, 3}};
    auto c = cell("SectionCell", 0, &index);
    auto* view = dynamic_cast<SectionCellView*>(c->cellView());
    UIButton* mark = view->markButton();
    c->setRow(1);
    EXPECT_EQ(mark->backgroundImageForState(UIControlStateDisabled), UIImage::imageNamed("index-marks-34.png"));
    c->setRow(2);
    EXPECT_EQ(mark->titleForState(UIControlStateDisabled), "1/2");
    EXPECT_EQ(mark->backgroundImageForState(UIControlStateDisabled), UIImage::imageNamed("index-marks-34.png"));
    c->setRow(4);
    EXPECT_EQ(mark->backgroundImageForState(UIControlStateDisabled), UIImage::imageNamed("index-marks-hezb.png"));
    EXPECT_EQ(mark->titleForState(UIControlStateDisabled), "2");

    auto meta = std::make_shared<IndexRowMeta>(IndexRowMeta{"Opening text", false, 2, 142});
    c->setIndexMeta(meta);
    EXPECT_EQ(view->textLabel()->text(), "Opening text");
    EXPECT_EQ(c->cellView()->soundButton()->imageForState(UIControlStateNormal),
              UIImage::imageNamed("sound-ready-plus.png"));
    EXPECT_TRUE(meta->HasAudioInstalled);
    c->cellView()->soundButton()->sendActionsForControlEvents(UIControlEventTouchUpInside);
    const std::vector<std::tuple<int, int, bool>> expected = {{2, 142, true}};
    EXPECT_EQ(index.opened, expected);
}

}  // namespace
