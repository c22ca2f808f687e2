#include <cmath>
#include <functional>

#include "platform/text/StringDrawing.h"
#include "platform/ui/hosting/UISwitch.h"
#include "platform/ui/hosting/UITextField.h"
#include "platform/ui/hosting/UITextView.h"
#include "tests/toolkit/tables/TableTestSupport.h"
#include "toolkit/foundation/UIFont+TTCategory.h"
#include "toolkit/style/TTDefaultStyleSheet.h"
#include "toolkit/tables/TTStyledTextTableCells.h"
#include "toolkit/tables/TTTableActivityItemCell.h"
#include "toolkit/tables/TTTableCaptionItemCells.h"
#include "toolkit/tables/TTTableControlCell.h"
#include "toolkit/tables/TTTableEmbeddedItems.h"
#include "toolkit/tables/TTTableHeaderView.h"
#include "toolkit/tables/TTTableMessageItemCell.h"
#include "toolkit/tables/TTTableSubtitleItemCell.h"
#include "toolkit/tables/TTTableTextItem.h"
#include "toolkit/tables/TTTableTextItemCell.h"

namespace {

TTDefaultStyleSheet& sheet()
{
    return dynamic_cast<TTDefaultStyleSheet&>(*TTStyleSheet::globalStyleSheet());
}
double lineOf(const UIFontPtr& font) { return tt::lineHeight(*font); }
// A text's height as the platform measures it at a width.
double measured(const std::string& text, const UIFontPtr& font, double width, UILineBreakMode mode)
{
    return sizeWithFont(text, *font, CGSizeMake(width, 1e9), mode).height;
}
// Row heights measure truncating texts in a box of unlimited height, where they wrap at words.
constexpr UILineBreakMode kTail = UILineBreakModeWordWrap;

const char* kLongText =
    "In the name of God, the Lord of Mercy, the Giver of Mercy. Praise belongs to God, Lord of the Worlds, "
    "the Lord of Mercy, the Giver of Mercy, Master of the Day of Judgement.";

struct CellCase {
    const char* name;
    std::function<TTTableObject()> make;
    const char* cellClass;
    // The row height the item must get, worked out from the fonts.
    std::function<double()> height;
    // The colour of the row's text ink, when the row shows text; r < 0: no text to check.
    int r, g, b;
};

class TableCellsTest : public TableTest {};

}  // namespace

// Every item kind gets its cell class, its row height and ink of its colour in its row.
TEST_F(TableCellsTest, EachItemKindGetsItsCellHeightAndLook)
{
    const double W = 320;
    const CellCase cases[] = {
        {"text", [] { return TTTableTextItem::itemWithText<TTTableTextItem>("Verse of the Throne"); },
         "TTTableTextItemCell", [W] { return measured("Verse of the Throne", sheet().tableFont(), W - 20, kTail) + 20; }, 0, 0, 0},
        {"text without text", [] { return TTTableTextItem::itemWithText<TTTableTextItem>(""); }, "TTTableTextItemCell",
         [] { return 20.0; }, -1, 0, 0},
        {"long text wraps in the plain font",
         [] { return TTTableTextItem::itemWithText<TTTableLongTextItem>(kLongText); }, "TTTableTextItemCell",
         [W] { return measured(kLongText, sheet().font(), W - 20, kTail) + 20; },
         0, 0, 0},
        {"text taller than the cap", [] {
             std::string tall;
             for (int i = 0; i < 60; ++i) tall += kLongText;
             return TTTableTextItem::itemWithText<TTTableTextItem>(tall);
         },
         "TTTableTextItemCell", [] { return 2020.0; }, 0, 0, 0},
        {"grey text", [] { return TTTableTextItem::itemWithText<TTTableGrayTextItem>("Recited slowly"); },
         "TTTableTextItemCell", [W] { return measured("Recited slowly", sheet().font(), W - 20, kTail) + 20; }, 79, 89, 105},
        {"summary", [] { return TTTableTextItem::itemWithText<TTTableSummaryItem>("114 chapters"); },
         "TTTableTextItemCell", [W] { return measured("114 chapters", sheet().tableFont(), W - 20, kTail) + 20; }, 79, 89, 105},
        {"link", [] { return TTTableTextItem::itemWithText<TTTableLink>("Open the index", "app://index"); },
         "TTTableTextItemCell", [W] { return measured("Open the index", sheet().tableFont(), W - 20, kTail) + 20; }, 87, 107, 149},
        {"button", [] { return TTTableTextItem::itemWithText<TTTableButton>("Share", "app://share"); },
         "TTTableTextItemCell", [W] { return measured("Share", sheet().tableFont(), W - 20, kTail) + 20; }, 87, 107, 149},
        {"caption", [] { return TTTableCaptionItem::itemWithText<TTTableCaptionItem>("Mecca", "Revealed"); },
         "TTTableCaptionItemCell", [W] { return measured("Mecca", sheet().tableSmallFont(), W - 107, UILineBreakModeWordWrap) + 20; }, 0, 0, 0},
        {"right caption", [] { return TTTableCaptionItem::itemWithText<TTTableRightCaptionItem>("7", "Verses"); },
         "TTTableRightCaptionItemCell", [] { return 44.0; }, -1, 0, 0},
        {"sub-text", [] { return TTTableCaptionItem::itemWithText<TTTableSubtextItem>("Al-Baqarah", "The Cow"); },
         "TTTableSubtextItemCell", [W] { return measured("Al-Baqarah", sheet().tableFont(), W - 20, kTail) + measured("The Cow", sheet().font(), W - 20, UILineBreakModeWordWrap) + 20; }, 0, 0, 0},
        {"subtitle", [] { return TTTableSubtitleItem::itemWithText<TTTableSubtitleItem>("Al-Kahf", std::string("The Cave"), {}, nullptr); },
         "TTTableSubtitleItemCell", [] { return lineOf(sheet().tableFont()) + lineOf(sheet().font()) + 20; }, 0, 0, 0},
        {"subtitle without subtitle", [] { return TTTableSubtitleItem::itemWithText<TTTableSubtitleItem>("Al-Kahf", std::nullopt, {}, nullptr); },
         "TTTableSubtitleItemCell", [] { return lineOf(sheet().tableFont()) + 20; }, 0, 0, 0},
        {"message", [] { return TTTableMessageItem::itemWithTitle<TTTableMessageItem>("Reminder", "Friday", "Read Al-Kahf today", std::nullopt); },
         "TTTableMessageItemCell", [] { return 90.0; }, 0, 0, 0},
        {"more", [] { return TTTableCaptionItem::itemWithText<TTTableMoreButton>("Load more", ""); },
         "TTTableMoreButtonCell", [] { return 66.0; }, 36, 112, 216},
        {"image without an image", [] { return TTTableImageItem::itemWithText<TTTableImageItem>("No picture", "", nullptr, nullptr); },
         "TTTableImageItemCell", [W] { return measured("No picture", sheet().tableSmallFont(), W - 52, kTail) + 20; }, 0, 0, 0},
        {"image not in the cache", [] { return TTTableImageItem::itemWithText<TTTableImageItem>("Cover", "bundle://missing.png", nullptr, nullptr); },
         "TTTableImageItemCell", [] { return 70.0; }, 0, 0, 0},
        {"activity", [] { return TTTableActivityItem::itemWithText<TTTableActivityItem>("Loading..."); },
         "TTTableActivityItemCell", [] { return 44.0; }, 99, 99, 99},
        {"styled text", [] { return TTTableStyledTextItem::itemWithText<TTTableStyledTextItem>(TTStyledText::textFromXHTML("Plain <b>bold</b>")); },
         "TTStyledTextTableItemCell",
         [W] {
             auto t = TTStyledText::textFromXHTML("Plain <b>bold</b>");
             t->setFont(sheet().font());
             t->setWidth(W - 12);
             return t->height() + 12;
         },
         0, 0, 0},
        {"bare styled text", [] { return TTTableObject(TTStyledText::textFromXHTML("Only text")); }, "TTStyledTextTableCell",
         [W] {
             auto t = TTStyledText::textFromXHTML("Only text");
             t->setFont(sheet().font());
             t->setWidth(W);
             return t->height();
         },
         0, 0, 0},
        {"switch", [] { return TTTableControlItem::itemWithCaption<TTTableControlItem>("Repeat", std::make_shared<UISwitch>()); },
         "TTTableControlCell", [] { return 44.0; }, 0, 0, 0},
        {"text field", [] {
             auto field = std::make_shared<UITextField>(CGRectZero);
             return TTTableControlItem::itemWithCaption<TTTableControlItem>("Name", field);
         },
         "TTTableControlCell", [] { return 44.0; }, 0, 0, 0},
        {"text view", [] { return TTTableObject(std::make_shared<UITextView>(CGRectZero)); }, "TTTableControlCell",
         [] { return lineOf(UITextView(CGRectZero).font()) * 5; }, -1, 0, 0},
        {"flush view", [] {
             auto swatch = std::make_shared<UIView>(CGRectZero);
             swatch->setBackgroundColor(UIColor::colorWithRed(0, 0.5, 0, 1));
             return TTTableViewItem::itemWithCaption<TTTableViewItem>("Swatch", swatch);
         },
         "TTTableFlushViewCell", [] { return 44.0; }, 0, 128, 0},
    };
    for (const CellCase& c : cases) {
        SCOPED_TRACE(c.name);
        TTTableView& t = show({c.make()});
        ASSERT_EQ(t.bounds().size.width, W);
        auto* cell = dynamic_cast<TTTableViewCell*>(t.cellForRowAtIndexPath({0, 0}));
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->reuseIdentifier(), c.cellClass);
        const CGRect row = t.rectForRowAtIndexPath({0, 0});
        EXPECT_NEAR(row.size.height, c.height(), 0.01);
        if (c.r >= 0) { EXPECT_TRUE(colourNear(darkest(CGRectInset(row, 0, 1)), c.r, c.g, c.b, 45)); }
    }
}

TEST_F(TableCellsTest, LinkedItemsShowTheirURLsInTheAccessory)
{
    TTNavigatorHooks::shared().navigationModeForURL = [](const std::string& url) { return url == "app://screen" ? 1 : 0; };
    TTTableView& t = show({TTTableTextItem::itemWithText<TTTableTextItem>("No link"),
                           TTTableTextItem::itemWithText<TTTableTextItem>("Screen", "app://screen"),
                           TTTableTextItem::itemWithText<TTTableTextItem>("Action", "app://action"),
                           TTTableTextItem::itemWithText<TTTableTextItem>("Info", "app://action", "app://info")});
    struct Expect {
        UITableViewCellAccessoryType accessory;
        UITableViewCellSelectionStyle selection;
    } expected[] = {{UITableViewCellAccessoryNone, UITableViewCellSelectionStyleNone},
                    {UITableViewCellAccessoryDisclosureIndicator, UITableViewCellSelectionStyleBlue},
                    {UITableViewCellAccessoryNone, UITableViewCellSelectionStyleBlue},
                    {UITableViewCellAccessoryDetailDisclosureButton, UITableViewCellSelectionStyleBlue}};
    for (int row = 0; row < 4; ++row) {
        UITableViewCell* cell = t.cellForRowAtIndexPath({0, row});
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->accessoryType(), expected[row].accessory) << row;
        EXPECT_EQ(cell->selectionStyle(), expected[row].selection) << row;
    }

    // The same item again changes nothing, even what was changed in the cell since.
    auto* cell = dynamic_cast<TTTableTextItemCell*>(t.cellForRowAtIndexPath({0, 1}));
    cell->textLabel()->setText("changed");
    cell->setObject(cell->object());
    EXPECT_EQ(cell->textLabel()->text(), "changed");
}

TEST_F(TableCellsTest, CellLayoutsPlaceTheirLabels)
{
    auto message = TTTableMessageItem::itemWithTitle<TTTableMessageItem>("Reminder", "Friday", "Read Al-Kahf",
                                                                         NSDate::date());
    auto untitledSubtext = TTTableCaptionItem::itemWithText<TTTableSubtextItem>("Only the text", "");
    auto imageless = TTTableImageItem::itemWithText<TTTableImageItem>("No picture", "", nullptr, nullptr);
    TTTableView& t = show({message, untitledSubtext, imageless});

    auto* messageCell = dynamic_cast<TTTableMessageItemCell*>(t.cellForRowAtIndexPath({0, 0}));
    ASSERT_NE(messageCell, nullptr);
    const double contentWidth = messageCell->contentView()->bounds().size.width;
    const CGRect stamp = messageCell->timestampLabel()->frame();
    EXPECT_GT(stamp.size.width, 0);
    EXPECT_NEAR(CGRectGetMaxX(stamp), contentWidth - 6, 0.01);
    EXPECT_NEAR(messageCell->titleLabel()->frame().size.width, contentWidth - 10 - (stamp.size.width + 12), 0.01);
    EXPECT_EQ(stamp.origin.y, messageCell->titleLabel()->frame().origin.y);

    auto* subtextCell = dynamic_cast<TTTableSubtextItemCell*>(t.cellForRowAtIndexPath({0, 1}));
    ASSERT_NE(subtextCell, nullptr);
    const CGRect detail = subtextCell->detailTextLabel()->frame();
    EXPECT_EQ(detail.origin.x, 2 * detail.origin.y);

    auto* imageCell = dynamic_cast<TTTableImageItemCell*>(t.cellForRowAtIndexPath({0, 2}));
    ASSERT_NE(imageCell, nullptr);
    const CGRect row = t.rectForRowAtIndexPath({0, 2});
    EXPECT_TRUE(near(imageCell->textLabel()->frame(), CGRectMake(10, 10, imageCell->contentView()->bounds().size.width - 20, row.size.height - 20)));
    EXPECT_TRUE(CGRectIsEmpty(imageCell->imageView2()->frame()));
}

TEST_F(TableCellsTest, HeaderViewsShowTheTitleInTheLinkColour)
{
    TTTableHeaderView header("Meccan");
    header.setFrame(CGRectMake(0, 0, 320, 23));
    header.layoutSubviews();
    EXPECT_TRUE(near(header.label()->frame(), CGRectMake(12, 0, 320, 23)));
    EXPECT_EQ(header.label()->text(), "Meccan");
    EXPECT_EQ(*header.label()->textColor(), *sheet().linkTextColor());
    EXPECT_NE(header.style(), nullptr);
}

TEST_F(TableCellsTest, ControlCellsPlaceTheirControls)
{
    auto toggle = std::make_shared<UISwitch>();
    auto textView = std::make_shared<UITextView>(CGRectZero);
    TTTableView& t = show({TTTableControlItem::itemWithCaption<TTTableControlItem>("Repeat", toggle),
                           TTTableControlItem::itemWithCaption<TTTableControlItem>("Notes", textView)});

    auto* switchCell = dynamic_cast<TTTableControlCell*>(t.cellForRowAtIndexPath({0, 0}));
    ASSERT_NE(switchCell, nullptr);
    const CGRect content = switchCell->contentView()->bounds();
    // The switch keeps its own size at the right end of the room (8 points of padding).
    EXPECT_NEAR(CGRectGetMaxX(toggle->frame()), content.size.width - 8, 0.5);
    EXPECT_GT(toggle->frame().origin.x, switchCell->textLabel()->sizeThatFits(content.size).width);
    EXPECT_EQ(switchCell->textLabel()->text(), "Repeat");

    auto* viewCell = dynamic_cast<TTTableControlCell*>(t.cellForRowAtIndexPath({0, 1}));
    ASSERT_NE(viewCell, nullptr);
    EXPECT_TRUE(near(textView->frame(), CGRectInset(viewCell->contentView()->bounds(), 2, 4)));
    EXPECT_TRUE(viewCell->textLabel()->isHidden());
    EXPECT_FALSE(switchCell->textLabel()->isHidden());
}

TEST_F(TableCellsTest, AControlCellKeepsABareControlThroughReuse)
{
    auto toggle = std::make_shared<UISwitch>();
    TTTableControlCell cell(UITableViewCellStyleDefault, "TTTableControlCell");
    cell.setObject(toggle);
    ASSERT_EQ(cell.control(), toggle.get());
    cell.prepareForReuse();
    EXPECT_EQ(cell.control(), toggle.get());
    EXPECT_EQ(toggle->superview(), cell.contentView());

    auto item = TTTableControlItem::itemWithCaption<TTTableControlItem>("Other", std::make_shared<UISwitch>());
    cell.setObject(item);
    EXPECT_EQ(toggle->superview(), nullptr);
    EXPECT_EQ(cell.control(), item->control().get());
    // An item is let go on reuse, with its control.
    cell.prepareForReuse();
    EXPECT_EQ(cell.control(), nullptr);
    EXPECT_EQ(item->control()->superview(), nullptr);
}

TEST_F(TableCellsTest, StyledTextItemsAreMeasuredInsideMarginPaddingAndAccessory)
{
    auto item = TTTableStyledTextItem::itemWithText<TTTableStyledTextItem>(TTStyledText::textFromXHTML(kLongText), "app://x");
    TTTableView t(CGRectMake(0, 0, 320, 480), UITableViewStyleGrouped);
    const double height = TTStyledTextTableItemCell::rowHeightForObject(&t, item);
    EXPECT_DOUBLE_EQ(item->text()->width(), 320 - 55);
    EXPECT_NEAR(height, item->text()->height() + 12, 0.01);
}

TEST_F(TableCellsTest, AWrappedTextHasRoomForEveryLine)
{
    TTTableView& t = show({TTTableTextItem::itemWithText<TTTableLongTextItem>(kLongText)});
    UILabel* label = t.cellForRowAtIndexPath({0, 0})->textLabel();
    const double needed = measured(kLongText, label->font(), label->frame().size.width, UILineBreakModeWordWrap);
    EXPECT_GE(label->frame().size.height + 0.5, needed);
}
