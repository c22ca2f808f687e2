#include "platform/ui/hosting/UIKeyboard.h"
#include "platform/ui/hosting/UISlider.h"
#include "platform/ui/hosting/UISwitch.h"
#include "platform/ui/hosting/UITextField.h"
#include "platform/ui/hosting/UITextView.h"
#include "tests/toolkit/tables/TableTestSupport.h"
#include "toolkit/tables/TTStyledTextTableCells.h"
#include "toolkit/tables/TTTableActivityItemCell.h"
#include "toolkit/tables/TTTableCaptionItemCells.h"
#include "toolkit/tables/TTTableEmbeddedItems.h"
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
