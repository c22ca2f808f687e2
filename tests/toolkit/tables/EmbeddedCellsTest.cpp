#include "platform/graphics/CGContext.h"
#include "platform/ui/hosting/UIKeyboard.h"
#include "toolkit/network/TTURLCache.h"
#include "platform/ui/hosting/UISlider.h"
#include "platform/ui/hosting/UISwitch.h"
#include "platform/ui/hosting/UITextField.h"
#include "platform/ui/hosting/UITextView.h"
#include "tests/toolkit/tables/TableTestSupport.h"
#include "toolkit/tables/TTStyledTextTableCells.h"
#include "toolkit/tables/TTTableActivityItemCell.h"
#include "toolkit/tables/TTTableCaptionItemCells.h"
#include "toolkit/tables/TTSectionedDataSource.h"
#include "toolkit/tables/TTTableEmbeddedItems.h"
#include "toolkit/tables/TTTableHeaderView.h"
#include "toolkit/tables/TTTableSubtitleItemCell.h"
#include "toolkit/tables/TTTableTextItem.h"

namespace {

class EmbeddedCellsTest : public TableTest {
protected:
    void TearDown() override
    {
        UIKeyboard::shared().reset();
        TableTest::TearDown();
    }
    CGPoint centreOnScreen(UIView& view)
    {
        return view.convertPointToView(CGPointMake(view.bounds().size.width / 2, view.bounds().size.height / 2), nullptr);
    }
};

}  // namespace

TEST_F(EmbeddedCellsTest, EmbeddedControlsEditTheirItems)
{
    auto repeat = TTTableControlItem::itemWithCaption<TTTableControlItem>("Repeat", std::make_shared<UISwitch>());
    auto field = std::make_shared<UITextField>(CGRectZero);
    field->setPlaceholder("Name");
    auto name = TTTableControlItem::itemWithCaption<TTTableControlItem>("Name", field);
    show({repeat, name});

    auto& toggle = dynamic_cast<UISwitch&>(*repeat->control());
    ASSERT_FALSE(toggle.isOn());
    backend.tap(centreOnScreen(toggle));
    backend.advance(500);
    EXPECT_TRUE(toggle.isOn());
    EXPECT_TRUE(controller.selected.empty());

    backend.tap(centreOnScreen(*field));
    backend.advance(500);
    ASSERT_TRUE(field->isFirstResponder());
    backend.typeText("Al-Kahf");
    backend.advance(10);
    EXPECT_EQ(dynamic_cast<UITextField&>(*name->control()).text(), "Al-Kahf");
}

TEST_F(EmbeddedCellsTest, ActivityAndSliderRowsShowTheirViews)
{
    auto slider = std::make_shared<UISlider>(CGRectZero);
    TTTableView& t = show({TTTableActivityItem::itemWithText<TTTableActivityItem>("Loading..."),
                           TTTableControlItem::itemWithCaption<TTTableControlItem>("Volume", slider)});
    auto* activity = dynamic_cast<TTTableActivityItemCell*>(t.cellForRowAtIndexPath({0, 0}));
    ASSERT_NE(activity, nullptr);
    EXPECT_EQ(activity->activityLabel()->text(), "Loading...");
    EXPECT_TRUE(activity->activityLabel()->activityIndicator()->isAnimating());
    EXPECT_TRUE(near(activity->activityLabel()->frame(), activity->contentView()->bounds()));
    EXPECT_EQ(activity->selectionStyle(), UITableViewCellSelectionStyleNone);

    // A slider that is not a switch stretches over the room after its caption.
    UITableViewCell* cell = t.cellForRowAtIndexPath({0, 1});
    ASSERT_NE(cell, nullptr);
    const CGRect content = cell->contentView()->bounds();
    EXPECT_NEAR(CGRectGetMaxX(slider->frame()), content.size.width - 8, 0.5);
    EXPECT_GT(slider->frame().origin.x, 8);
}

// A tapped link in a styled-text row opens its URL instead of selecting the row.
TEST_F(EmbeddedCellsTest, ALinkInARowIsPerformedInsteadOfSelectingTheRow)
{
    auto item = TTTableStyledTextItem::itemWithText<TTTableStyledTextItem>(
        TTStyledText::textFromXHTML("<a href=\"app://verse/2/255\">The Throne verse</a> and more words"), "app://row");
    TTTableView& t = show({item});
    auto* cell = dynamic_cast<TTStyledTextTableItemCell*>(t.cellForRowAtIndexPath({0, 0}));
    ASSERT_NE(cell, nullptr);
    const CGPoint onLink = cell->label()->convertPointToView(CGPointMake(6 + 20, 6 + 6), nullptr);
    backend.fingerDown(onLink);
    backend.advance(50);
    EXPECT_EQ(t.highlightedLabel(), cell->label());
    t.selectRowAtIndexPath(NSIndexPath{0, 0}, false, UITableViewScrollPositionNone);
    EXPECT_EQ(t.indexPathForSelectedRow(), std::nullopt);
    backend.fingerUp(onLink);
    backend.advance(500);
    EXPECT_EQ(opened, (std::vector<std::string>{"app://verse/2/255"}));
    EXPECT_TRUE(controller.selected.empty());
    // Once the link is done, the row can be selected again.
    EXPECT_EQ(t.highlightedLabel(), nullptr);
    t.userSelectRowAtIndexPath({0, 0});
    EXPECT_EQ(controller.selected.size(), 1u);
}

// Every kind of row on one table, kept as pictures in the test's temp folder.
TEST_F(EmbeddedCellsTest, EveryKindOfRowDrawsSomething)
{
    auto toggle = std::make_shared<UISwitch>();
    toggle->setOn(true);
    auto field = std::make_shared<UITextField>(CGRectZero);
    field->setText("Al-Kahf");
    auto notes = std::make_shared<UITextView>(CGRectZero);
    notes->setText("A note about this verse");
    auto swatch = std::make_shared<UIView>(CGRectZero);
    swatch->setBackgroundColor(UIColor::colorWithRed(0.2, 0.5, 0.3, 1));
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(40, 40), true, 1);
    UIGraphicsGetCurrentContext()->setRGBFillColor(0.8, 0.3, 0.2, 1);
    UIGraphicsGetCurrentContext()->fillRect(CGRectMake(0, 0, 40, 40));
    UIImagePtr picture = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    TTURLCache::sharedCache().storeImage(picture, "bundle://picture.png");
    const std::vector<TTTableObject> rows = {
        TTTableTextItem::itemWithText<TTTableTextItem>("Text item", "app://a"),
        TTTableTextItem::itemWithText<TTTableLongTextItem>("Long text item in the plain font that wraps onto a second line of the row"),
        TTTableTextItem::itemWithText<TTTableGrayTextItem>("Gray text item"),
        TTTableTextItem::itemWithText<TTTableSummaryItem>("Summary item"),
        TTTableTextItem::itemWithText<TTTableLink>("Link item", "app://b"),
        TTTableTextItem::itemWithText<TTTableButton>("Button item", "app://c"),
        TTTableCaptionItem::itemWithText<TTTableCaptionItem>("Caption item text", "Caption"),
        TTTableCaptionItem::itemWithText<TTTableRightCaptionItem>("Right caption", "Value"),
        TTTableCaptionItem::itemWithText<TTTableSubtextItem>("Sub-text item", "The caption under it"),
        TTTableSubtitleItem::itemWithText<TTTableSubtitleItem>("Subtitle item", std::string("Its subtitle"), {}, nullptr),
        TTTableMessageItem::itemWithTitle<TTTableMessageItem>("Message title", "Caption", "Message text over two lines", NSDate::date()),
        TTTableCaptionItem::itemWithText<TTTableMoreButton>("Load more...", "20 of 114"),
        TTTableImageItem::itemWithText<TTTableImageItem>("Image item", "bundle://picture.png", nullptr, nullptr),
        TTTableImageItem::itemWithText<TTTableRightImageItem>("Right image", "bundle://picture.png", nullptr, nullptr),
        TTTableStyledTextItem::itemWithText<TTTableStyledTextItem>(TTStyledText::textFromXHTML("Styled <b>bold</b> and <a href=\"app://x\">a link</a>")),
        TTTableObject(TTStyledText::textFromXHTML("Bare <i>styled</i> text")),
        TTTableActivityItem::itemWithText<TTTableActivityItem>("Activity item"),
        TTTableControlItem::itemWithCaption<TTTableControlItem>("Switch", toggle),
        TTTableControlItem::itemWithCaption<TTTableControlItem>("Field", field),
        TTTableControlItem::itemWithCaption<TTTableControlItem>("Slider", std::make_shared<UISlider>(CGRectZero)),
        TTTableControlItem::itemWithCaption<TTTableControlItem>("Notes", notes),
        TTTableViewItem::itemWithCaption<TTTableViewItem>("View", swatch),
    };
    TTTableView& t = show(rows);
    int shot = 0;
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        CGRect rect = t.rectForRowAtIndexPath({0, row});
        if (CGRectGetMaxY(rect) > t.contentOffset().y + t.bounds().size.height) {
            saveShot("table-rows-" + std::to_string(shot++) + ".png");
            t.setContentOffset(CGPointMake(0, rect.origin.y));
            backend.advance(10);
            backend.frame();
        }
        SCOPED_TRACE(row);
        const CGRect onScreen = CGRectOffset(rect, 0, -t.contentOffset().y);
        const auto ink = darkest(CGRectInset(onScreen, 2, 2));
        EXPECT_LT(ink.r + ink.g + ink.b, 3 * 200);
    }
    saveShot("table-rows-" + std::to_string(shot) + ".png");
}

// Plain tables with the plain delegates show the toolkit's section headers.
TEST_F(EmbeddedCellsTest, PlainSectionHeadersShowTheirTitles)
{
    TTTableViewPlainVarHeightDelegate plain(&controller);
    auto source = TTSectionedDataSource::dataSourceWithObjects(
        {"Meccan", TTTableTextItem::itemWithText<TTTableTextItem>("Al-Fatihah"),
         TTTableTextItem::itemWithText<TTTableTextItem>("Al-Kahf"), "Medinan",
         TTTableTextItem::itemWithText<TTTableTextItem>("Al-Baqarah")});
    TTTableView& t = show(source);
    t.setDelegate(&plain);
    t.reloadData();
    backend.advance(10);
    backend.frame();
    UIView* header = t.headerViewForSection(1);
    ASSERT_NE(dynamic_cast<TTTableHeaderView*>(header), nullptr);
    const CGRect onScreen = header->convertRectToView(header->bounds(), nullptr);
    EXPECT_TRUE(colourNear(darkest(CGRectMake(12, onScreen.origin.y, 100, 20)), 87, 107, 149, 45));
    saveShot("table-headers.png");
}
