// The About screen's companion cell in a table on the headless phone: where its name lies, what
// shows of it, a finger on it, and the extra view it swaps.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "Classes/Settings/AboutTableViewCell.h"
#include "platform/ui/hosting/UITableView.h"
#include "tests/platform/ui/UITestSupport.h"
#include "tests/support/ScreenPixels.h"
#include "tests/support/ScreenTouches.h"

namespace {

using screen_pixels::differing;
using screen_pixels::distance;
using screen_pixels::Pixels;
using screen_touches::displayRect;

const HeadlessBackend::Pixel kSand{240, 230, 200, 255};

class AboutTableViewCellTest : public UITest, public UITableViewDataSource {
protected:
    void SetUp() override {
        UITest::SetUp();
        for (int i = 0; i < 2; ++i) {
            auto cell = std::make_shared<AboutTableViewCell>(UITableViewCellStyleDefault, "About");
            cell->nameLabel()->setText(i == 0 ? "Analysis and Interface" : "Developed by");
            cell->setBackgroundColor(UIColor::colorWithRed(kSand.r / 255.0, kSand.g / 255.0, kSand.b / 255.0, 1));
            cells.push_back(cell);
        }
        table = std::make_shared<UITableView>(CGRectMake(0, 0, 320, 440), UITableViewStylePlain);
        table->setDataSource(this);
        window->addSubview(table);
        settle();
    }
    void TearDown() override {
        table->setDataSource(nullptr);
        table->removeFromSuperview();
        UITest::TearDown();
    }
    int numberOfRowsInSection(UITableView*, int) override { return static_cast<int>(cells.size()); }
    UITableViewCellPtr cellForRowAtIndexPath(UITableView*, const NSIndexPath& path) override {
        return cells[static_cast<size_t>(path.row)];
    }
    void settle() {
        backend.advance(100);
        backend.runUntilIdle();
    }
    AboutTableViewCell& first() { return *cells[0]; }
    // The name's frame as the cell lays it out: 5 in from the content's left, its width, 45 high.
    static CGRect expectedName(const AboutTableViewCell& cell) {
        const CGRect content = cell.contentView()->bounds();
        return CGRectMake(content.origin.x + 5, 0, content.size.width, 45);
    }

    std::vector<std::shared_ptr<AboutTableViewCell>> cells;
    std::shared_ptr<UITableView> table;
};

TEST_F(AboutTableViewCellTest, NameRunsAcrossTheContentFiveIn) {
    const struct {
        double tableWidth;
        UITableViewCellAccessoryType accessory;
    } cases[] = {{320, UITableViewCellAccessoryNone}, {480, UITableViewCellAccessoryNone},
                 {320, UITableViewCellAccessoryCheckmark}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.tableWidth << " wide, accessory " << c.accessory);
        table->setFrame(CGRectMake(0, 0, c.tableWidth, 440));
        first().setAccessoryType(c.accessory);
        table->reloadData();
        settle();
        const double contentWidth = first().contentView()->bounds().size.width;
        EXPECT_EQ(contentWidth < c.tableWidth, c.accessory != UITableViewCellAccessoryNone);
        EXPECT_TRUE(CGRectEqualToRect(first().nameLabel()->frame(), expectedName(first())));
    }
}

TEST_F(AboutTableViewCellTest, NameShowsInBlackOverTheRowAndNeitherEditsNorHighlights) {
    const CGRect row = displayRect(first());
    const Pixels before = screen_pixels::grab(backend, row);
    int ink = 0, sand = 0;
    for (const auto& px : before) {
        ink += px.r + px.g + px.b < 120 ? 1 : 0;
        sand += distance(px, kSand) <= 6 ? 1 : 0;
    }
    EXPECT_GT(ink, 40) << "the name is drawn in black";
    EXPECT_GT(sand, static_cast<int>(before.size()) * 3 / 4) << "the row's colour shows around it";
    // The first dark column is just right of the name's left edge (its text inset included).
    double firstInk = row.size.width;
    for (size_t i = 0; i < before.size(); ++i)
        if (before[i].r + before[i].g + before[i].b < 120)
            firstInk = std::min(firstInk, static_cast<double>(i % static_cast<size_t>(row.size.width)));
    EXPECT_GE(firstInk, 5);
    EXPECT_LT(firstInk, 20);

    const CGPoint onName = CGPointMake(row.origin.x + 40, row.origin.y + 22);
    backend.touchDown(1, onName);
    settle();
    EXPECT_EQ(differing(before, screen_pixels::grab(backend, row)), 0) << "the name does not light up under a finger";
    backend.touchUp(1, onName);
    settle();
    EXPECT_FALSE(first().nameLabel()->isEditing());
    EXPECT_FALSE(first().nameLabel()->isFirstResponder());
    EXPECT_EQ(differing(before, screen_pixels::grab(backend, row)), 0);

    // Selected, the row looks the same.
    table->selectRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0), false, UITableViewScrollPositionNone);
    settle();
    ASSERT_TRUE(first().isSelected());
    EXPECT_EQ(differing(before, screen_pixels::grab(backend, row)), 0) << "a selected row does not light up";
}

TEST_F(AboutTableViewCellTest, SetViewSwapsTheExtraViewAndLaysTheCellOut) {
    auto logo = std::make_shared<UIView>(CGRectMake(250, 7, 60, 30));
    first().setView(logo);
    EXPECT_EQ(logo->superview(), first().contentView());
    EXPECT_EQ(first().view(), logo.get());

    // A wider row not yet laid out: the swap lays it out at once.
    CGRect wide = first().frame();
    wide.size.width = 480;
    first().setFrame(wide);
    std::weak_ptr<UIView> held;
    {
        auto badge = std::make_shared<UIView>(CGRectMake(420, 7, 30, 30));
        held = badge;
        first().setView(badge);
    }
    const std::shared_ptr<UIView> badge = held.lock();
    ASSERT_TRUE(badge) << "the cell keeps the new view";
    EXPECT_EQ(badge->superview(), first().contentView());
    EXPECT_EQ(first().view(), badge.get());
    EXPECT_EQ(logo->superview(), nullptr) << "the old view leaves the content view";
    EXPECT_EQ(first().nameLabel()->frame().size.width, 480);
    EXPECT_TRUE(CGRectEqualToRect(first().nameLabel()->frame(), expectedName(first())));
    EXPECT_EQ(first().nameLabel()->superview(), first().contentView());
}

}  // namespace
