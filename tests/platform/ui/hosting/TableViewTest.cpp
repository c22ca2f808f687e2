#include <gtest/gtest.h>

#include <set>

#include "platform/foundation/Log.h"
#include "tests/platform/ui/UITestSupport.h"
#include "tests/platform/ui/hosting/HostingTestSupport.h"

namespace {

class TableViewTest : public UITest {
protected:
    void SetUp() override {
        UITest::SetUp();
        table = std::make_shared<UITableView>(CGRectMake(0, 0, 320, 440), UITableViewStylePlain);
        table->setDataSource(&source);
        table->setDelegate(&source);
        window->addSubview(table);
    }
    void TearDown() override {
        table->removeFromSuperview();
        table.reset();
        UITest::TearDown();
    }
    // Each visible cell shows the value the source has for its row.
    void expectCellsMatchSource() { expectCellsMatchSourceOf(source); }
    void expectCellsMatchSourceOf(const NumberSource& source) {
        auto paths = table->indexPathsForVisibleRows();
        ASSERT_FALSE(paths.empty());
        for (const NSIndexPath& p : paths) {
            UITableViewCell* cell = table->cellForRowAtIndexPath(p);
            ASSERT_NE(cell, nullptr);
            EXPECT_EQ(cell->textLabel()->text(), std::to_string(source.sections[p.section][p.row])) << "row " << p.row;
            EXPECT_TRUE(near(cell->frame(), table->rectForRowAtIndexPath(p)));
        }
    }
    NumberSource source;
    std::shared_ptr<UITableView> table;
};

TEST_F(TableViewTest, ScrollingAThousandRowsReusesCells) {
    source.sections = {NumberSource::range(1000)};
    table->reloadData();
    const size_t visibleCount = table->visibleCells().size();
    EXPECT_EQ(visibleCount, 10u);  // 440 / 44
    for (double y = 0; y <= 1000 * 44 - 440; y += 137) {
        table->setContentOffset(CGPointMake(0, y));
        auto paths = table->indexPathsForVisibleRows();
        ASSERT_FALSE(paths.empty());
        EXPECT_EQ(paths.front().row, static_cast<int>(y / 44));
        EXPECT_EQ(paths.back().row, static_cast<int>(std::ceil((y + 440) / 44)) - 1);
        EXPECT_LE(table->visibleCells().size() + table->reusePoolSize(), visibleCount + 3);
    }
    expectCellsMatchSource();
    EXPECT_LE(source.cellsMade, static_cast<int>(visibleCount) + 3);
    EXPECT_EQ(table->contentSize().height, 44000);
}

TEST_F(TableViewTest, VariableHeightsGiveOffsetsFromTheirSums) {
    source.variableHeights = true;
    source.sections = {NumberSource::range(300)};
    table->reloadData();
    double y = 0;
    for (int r = 0; r < 300; ++r) {
        CGRect rect = table->rectForRowAtIndexPath({0, r});
        ASSERT_DOUBLE_EQ(rect.origin.y, y) << r;
        ASSERT_EQ(table->indexPathForRowAtPoint(CGPointMake(10, y + rect.size.height / 2))->row, r);
        y += rect.size.height;
    }
    EXPECT_DOUBLE_EQ(table->contentSize().height, y);
    table->setContentOffset(CGPointMake(0, 5000));
    auto top = table->indexPathForRowAtPoint(table->contentOffset());
    ASSERT_TRUE(top);
    EXPECT_EQ(table->indexPathsForVisibleRows().front(), *top);
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 0}), nullptr);  // off screen
    expectCellsMatchSource();
    EXPECT_FALSE(table->indexPathForRowAtPoint(CGPointMake(10, y + 5)));
}

// Rows estimated at 30 points whose exact heights are 40..80: only rows that come into view
// are measured, and measuring rows above the view does not move what is on screen.
class EstimatingSource : public NumberSource {
public:
    std::set<int> measured;
    double estimatedHeightForRowAtIndexPath(UITableView*, const NSIndexPath&) override { return 30; }
    double heightForRowAtIndexPath(UITableView* tv, const NSIndexPath& p) override {
        measured.insert(p.row);
        return NumberSource::heightForRowAtIndexPath(tv, p);
    }
};

TEST_F(TableViewTest, EstimatedHeightsAreMeasuredOnlyInViewAndKeepTheViewInPlace) {
    EstimatingSource estimating;
    estimating.variableHeights = true;
    estimating.sections = {NumberSource::range(500)};
    table->setDataSource(&estimating);
    table->setDelegate(&estimating);
    table->reloadData();
    // The first screenful is exact; the rest keeps its estimate.
    EXPECT_LE(estimating.measured.size(), 12u);
    for (int r : estimating.measured) EXPECT_LT(table->rectForRowAtIndexPath({0, r}).origin.y, 440) << r;
    double sum = 0;
    for (int r = 0; r < 500; ++r) sum += table->rectForRowAtIndexPath({0, r}).size.height;
    EXPECT_DOUBLE_EQ(table->contentSize().height, sum);
    for (const NSIndexPath& p : table->indexPathsForVisibleRows())
        EXPECT_TRUE(near(table->cellForRowAtIndexPath(p)->frame(), table->rectForRowAtIndexPath(p)));

    // Jumping to row 300 puts it at the top with its exact height.
    table->scrollToRowAtIndexPath({0, 300}, UITableViewScrollPositionTop, false);
    EXPECT_DOUBLE_EQ(table->rectForRowAtIndexPath({0, 300}).origin.y, table->contentOffset().y);
    EXPECT_DOUBLE_EQ(table->rectForRowAtIndexPath({0, 300}).size.height, 40 + (300 % 5) * 10);
    EXPECT_FALSE(estimating.measured.count(200));

    // Scrolling up a little brings estimated rows into view from above: row 300 stays where
    // it was on screen although the rows above it grew.
    for (double step : {25.0, 60.0, 200.0}) {
        const double before = table->rectForRowAtIndexPath({0, 300}).origin.y - table->contentOffset().y;
        table->setContentOffset(CGPointMake(0, table->contentOffset().y - step));
        const double after = table->rectForRowAtIndexPath({0, 300}).origin.y - table->contentOffset().y;
        EXPECT_DOUBLE_EQ(after, before + step) << step;
    }
    expectCellsMatchSourceOf(estimating);
    table->setDataSource(&source);
    table->setDelegate(&source);
}

TEST_F(TableViewTest, ScrollToRowPositions) {
    source.sections = {NumberSource::range(100)};
    table->reloadData();
    struct Case {
        int row;
        UITableViewScrollPosition position;
        double offset;
    } cases[] = {
        {50, UITableViewScrollPositionTop, 50 * 44},
        {50, UITableViewScrollPositionMiddle, 50 * 44 + 22 - 220},
        {50, UITableViewScrollPositionBottom, 51 * 44 - 440},
        {99, UITableViewScrollPositionTop, 100 * 44 - 440},  // no further than the end
        {0, UITableViewScrollPositionBottom, 0},
    };
    for (const Case& c : cases) {
        table->scrollToRowAtIndexPath({0, c.row}, c.position, false);
        EXPECT_DOUBLE_EQ(table->contentOffset().y, c.offset) << c.row << " " << c.position;
    }
    table->setContentOffset(CGPointZero);
    source.calls.clear();
    table->scrollToRowAtIndexPath({0, 60}, UITableViewScrollPositionTop, true);
    EXPECT_DOUBLE_EQ(table->contentOffset().y, 0);  // still sliding
    backend.advance(400);
    EXPECT_DOUBLE_EQ(table->contentOffset().y, 60 * 44);
    ASSERT_FALSE(source.calls.empty());
    EXPECT_EQ(source.calls.back(), "didEndScrollingAnimation");
    expectCellsMatchSource();
}

TEST_F(TableViewTest, DeletingAndInsertingRowsKeepsCellsConsistent) {
    source.sections = {NumberSource::range(30)};
    table->reloadData();
    table->selectRowAtIndexPath(NSIndexPath{0, 5}, false, UITableViewScrollPositionNone);

    auto& rows = source.sections[0];
    rows.erase(rows.begin() + 2, rows.begin() + 4);  // values 2 and 3
    table->deleteRowsAtIndexPaths({{0, 2}, {0, 3}}, UITableViewRowAnimationFade);
    backend.advance(400);
    EXPECT_EQ(table->numberOfRowsInSection(0), 28);
    expectCellsMatchSource();
    EXPECT_EQ(table->indexPathForSelectedRow(), (NSIndexPath{0, 3}));  // value 5 moved up
    EXPECT_TRUE(table->cellForRowAtIndexPath({0, 3})->isSelected());

    rows.insert(rows.begin(), {100, 101});
    table->beginUpdates();
    table->insertRowsAtIndexPaths({{0, 0}, {0, 1}}, UITableViewRowAnimationNone);
    table->endUpdates();
    EXPECT_EQ(table->numberOfRowsInSection(0), 30);
    expectCellsMatchSource();
    EXPECT_EQ(table->indexPathForSelectedRow(), (NSIndexPath{0, 5}));
    // Cells that faded out went back to the pool: no more alive than the screen needs.
    EXPECT_LE(table->visibleCells().size() + table->reusePoolSize(), 13u);
}

TEST_F(TableViewTest, AnUpdateThatDisagreesWithTheSourceReloadsInsteadOfCorrupting) {
    source.sections = {NumberSource::range(20)};
    table->reloadData();
    LogCapture log;
    // The source still reports 20 rows: the update is inconsistent.
    table->deleteRowsAtIndexPaths({{0, 1}}, UITableViewRowAnimationNone);
    table->insertRowsAtIndexPaths({{0, 99}}, UITableViewRowAnimationNone);
    ASSERT_EQ(log.lines().size(), 2u);
    EXPECT_NE(log.lines()[0].find("invalid update"), std::string::npos);
    EXPECT_EQ(table->numberOfRowsInSection(0), 20);
    expectCellsMatchSource();
}

TEST_F(TableViewTest, SectionsInsertDeleteAndReload) {
    source.sections = {NumberSource::range(3), {10, 11}, {20}};
    table->reloadData();
    source.sections.erase(source.sections.begin() + 1);
    table->deleteSections({1}, UITableViewRowAnimationFade);
    EXPECT_EQ(table->numberOfSections(), 2);
    backend.advance(400);
    expectCellsMatchSource();
    source.sections.insert(source.sections.begin(), {7, 8, 9, 6});
    table->insertSections({0}, UITableViewRowAnimationNone);
    source.sections[2] = {30, 31};
    table->reloadSections({2}, UITableViewRowAnimationNone);
    EXPECT_EQ(table->numberOfRowsInSection(0), 4);
    EXPECT_EQ(table->numberOfRowsInSection(2), 2);
    expectCellsMatchSource();
}

TEST_F(TableViewTest, TapSelectsThroughTheDelegate) {
    source.sections = {NumberSource::range(20)};
    source.refuse = NSIndexPath{0, 4};
    table->reloadData();
    backend.tap(CGPointMake(100, 44 * 2 + 10));
    backend.tap(CGPointMake(100, 44 * 4 + 10));  // refused
    backend.tap(CGPointMake(100, 44 * 6 + 10));
    std::vector<std::string> expected = {"willSelect 2", "didSelect 2", "willSelect 4", "willSelect 6",
                                         "willDeselect 2", "didDeselect 2", "didSelect 6"};
    EXPECT_EQ(source.calls, expected);
    EXPECT_EQ(table->indexPathForSelectedRow(), (NSIndexPath{0, 6}));
    EXPECT_FALSE(table->cellForRowAtIndexPath({0, 4})->isHighlighted());
    UITableViewCell* cell = table->cellForRowAtIndexPath({0, 6});
    EXPECT_TRUE(cell->isSelected());
    EXPECT_TRUE(cell->textLabel()->isHighlighted());
    table->deselectRowAtIndexPath({0, 6}, true);
    backend.advance(400);
    EXPECT_FALSE(table->indexPathForSelectedRow());
    EXPECT_FALSE(cell->isSelected());
    EXPECT_FALSE(cell->textLabel()->isHighlighted());
}

TEST_F(TableViewTest, ATouchSelectsOnlyTheRowItBeganIn) {
    source.sections = {NumberSource::range(40)};
    table->reloadData();
    // Something moves the rows under a resting finger (a long press's panel scrolls
    // its row to the top): lifting it selects nothing, neither row.
    const CGPoint finger = CGPointMake(100, 44 * 3 + 10);
    backend.touchDown(1, finger);
    backend.advance(700);
    table->setContentOffset(CGPointMake(0, 44 * 3), false);
    source.calls.clear();
    backend.touchUp(1, finger);
    EXPECT_EQ(source.calls, std::vector<std::string>{});
    EXPECT_FALSE(table->indexPathForSelectedRow());
    for (const NSIndexPath& p : table->indexPathsForVisibleRows())
        EXPECT_FALSE(table->cellForRowAtIndexPath(p)->isHighlighted()) << "row " << p.row;

    // The next plain tap selects the row under it, at the new offset.
    backend.tap(finger);
    EXPECT_EQ(table->indexPathForSelectedRow(), (NSIndexPath{0, 6}));
}

TEST_F(TableViewTest, EditingDeletesThroughTheConfirmationButton) {
    source.sections = {NumberSource::range(10)};
    table->reloadData();
    table->setEditing(true, false);
    UITableViewCell* cell = table->cellForRowAtIndexPath({0, 3});
    ASSERT_TRUE(cell->isEditing());
    cell->layoutIfNeeded();
    ASSERT_NE(cell->editingControl(), nullptr);
    CGRect control = cell->convertRectToView(cell->editingControl()->bounds(), nullptr);
    backend.tap(CGPointMake(CGRectGetMidX(control), CGRectGetMidY(control)));
    ASSERT_TRUE(cell->showingDeleteConfirmation());
    cell->layoutIfNeeded();
    CGRect del = cell->deleteConfirmationButton()->convertRectToView(cell->deleteConfirmationButton()->bounds(), nullptr);
    backend.tap(CGPointMake(CGRectGetMidX(del), CGRectGetMidY(del)));
    backend.advance(400);
    ASSERT_FALSE(source.calls.empty());
    EXPECT_EQ(source.calls.back(), "commit 1 3");
    EXPECT_EQ(table->numberOfRowsInSection(0), 9);
    expectCellsMatchSource();
}

TEST_F(TableViewTest, SwipeOffersDeleteOutsideEditing) {
    source.sections = {NumberSource::range(10)};
    table->reloadData();
    backend.swipe(CGPointMake(250, 44 * 1 + 20), CGPointMake(150, 44 * 1 + 22));
    UITableViewCell* cell = table->cellForRowAtIndexPath({0, 1});
    EXPECT_TRUE(cell->showingDeleteConfirmation());
    EXPECT_TRUE(std::find(source.calls.begin(), source.calls.end(), "didSelect 1") == source.calls.end());
    backend.tap(CGPointMake(100, 300));  // elsewhere: the offer goes
    EXPECT_FALSE(cell->showingDeleteConfirmation());
    EXPECT_EQ(table->numberOfRowsInSection(0), 10);
}

TEST_F(TableViewTest, MultipleSelectionWhileEditing) {
    source.sections = {NumberSource::range(10)};
    table->setAllowsSelectionDuringEditing(true);
    table->setAllowsMultipleSelectionDuringEditing(true);
    table->reloadData();
    table->setEditing(true, false);
    for (int r : {1, 3, 5, 3}) backend.tap(CGPointMake(200, 44 * r + 20));
    std::vector<NSIndexPath> expected = {{0, 1}, {0, 5}};
    EXPECT_EQ(table->indexPathsForSelectedRows(), expected);
    table->setEditing(false, false);
    EXPECT_TRUE(table->indexPathsForSelectedRows().empty());
}

TEST_F(TableViewTest, HighlightReachesCustomContentAndTheSelectedBackground) {
    struct Marker : UIView, UITableViewCellHighlighting {
        bool lit = false;
        void setHighlighted(bool h) override { lit = h; }
    };
    struct Source : NumberSource {
        std::vector<Marker*> markers;
        UITableViewCellSelectionStyle style = UITableViewCellSelectionStyleBlue;
        UITableViewCellPtr cellForRowAtIndexPath(UITableView* tv, const NSIndexPath& p) override {
            auto cell = std::make_shared<UITableViewCell>(UITableViewCellStyleDefault, "");
            auto m = std::make_shared<Marker>();
            cell->contentView()->addSubview(m);
            markers.push_back(m.get());
            cell->setSelectionStyle(style);
            auto bg = std::make_shared<UIView>(CGRectZero);
            bg->setTag(77);
            cell->setSelectedBackgroundView(bg);
            return cell;
        }
    } src;
    src.sections = {NumberSource::range(5)};
    table->setDataSource(&src);
    table->setDelegate(&src);
    table->reloadData();
    UITableViewCell* cell = table->cellForRowAtIndexPath({0, 2});
    backend.touchDown(1, CGPointMake(100, 44 * 2 + 20));
    backend.advance(100);
    EXPECT_TRUE(cell->isHighlighted());
    backend.touchUp(1, CGPointMake(100, 44 * 2 + 20));
    EXPECT_TRUE(cell->isSelected());
    EXPECT_TRUE(src.markers[2]->lit);
    ASSERT_NE(cell->selectedBackgroundView(), nullptr);
    EXPECT_EQ(cell->selectedBackgroundView()->superview(), cell);
    EXPECT_FALSE(src.markers[1]->lit);

    src.style = UITableViewCellSelectionStyleNone;
    src.markers.clear();
    table->reloadData();
    table->selectRowAtIndexPath(NSIndexPath{0, 3}, false, UITableViewScrollPositionNone);
    EXPECT_TRUE(table->cellForRowAtIndexPath({0, 3})->isSelected());
    for (Marker* m : src.markers) EXPECT_FALSE(m->lit);
    table->setDataSource(&source);
    table->setDelegate(&source);
}

TEST_F(TableViewTest, ReloadedRowsShowNewContent) {
    source.sections = {NumberSource::range(10)};
    table->reloadData();
    source.sections[0][4] = 444;
    table->reloadRowsAtIndexPaths({{0, 4}}, UITableViewRowAnimationFade);
    EXPECT_DOUBLE_EQ(table->cellForRowAtIndexPath({0, 4})->alpha(), 1);  // model value; the fade runs on the clock
    backend.advance(400);
    expectCellsMatchSource();
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 4})->textLabel()->text(), "444");
}

// Plain headers stay pinned to the top while their section scrolls under them.
class HeaderSource : public NumberSource {
public:
    std::string titleForHeaderInSection(UITableView*, int s) override { return "Section " + std::to_string(s); }
};

class TableHeaderTest : public UITest {};

TEST_F(TableHeaderTest, FloatingHeader) {
    HeaderSource src;
    src.sections = {NumberSource::range(20), NumberSource::range(20)};
    auto table = std::make_shared<UITableView>(CGRectMake(0, 0, 320, 300), UITableViewStylePlain);
    table->setDataSource(&src);
    table->setDelegate(&src);
    window->addSubview(table);
    table->reloadData();
    EXPECT_DOUBLE_EQ(table->rectForHeaderInSection(1).origin.y, 22 + 20 * 44);
    EXPECT_DOUBLE_EQ(table->rectForRowAtIndexPath({1, 0}).origin.y, 44 + 20 * 44);
    table->setContentOffset(CGPointMake(0, 200));
    ASSERT_NE(table->headerViewForSection(0), nullptr);
    EXPECT_DOUBLE_EQ(table->headerViewForSection(0)->frame().origin.y, 200);
    // Near the end of section 0 its header is pushed up by the next one.
    table->setContentOffset(CGPointMake(0, 22 + 20 * 44 - 10));
    EXPECT_DOUBLE_EQ(table->headerViewForSection(0)->frame().origin.y, 20 * 44);
    table->removeFromSuperview();
}

TEST_F(TableHeaderTest, SectionIndexJumpsToTheSection) {
    struct Indexed : HeaderSource {
        std::vector<std::string> sectionIndexTitlesForTableView(UITableView*) override { return {"A", "B", "C"}; }
    } src;
    src.sections = {NumberSource::range(20), NumberSource::range(20), NumberSource::range(20)};
    auto table = std::make_shared<UITableView>(CGRectMake(0, 0, 320, 300), UITableViewStylePlain);
    table->setDataSource(&src);
    table->setDelegate(&src);
    window->addSubview(table);
    table->reloadData();
    table->layoutIfNeeded();
    ASSERT_NE(table->indexView(), nullptr);
    CGRect strip = table->indexView()->convertRectToView(table->indexView()->bounds(), nullptr);
    backend.tap(CGPointMake(CGRectGetMidX(strip), strip.origin.y + strip.size.height * 0.5));  // "B"
    EXPECT_DOUBLE_EQ(table->contentOffset().y, table->rectForSection(1).origin.y);
    table->removeFromSuperview();
}

}  // namespace
