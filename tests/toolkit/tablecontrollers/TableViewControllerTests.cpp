#include <gtest/gtest.h>

#include "tests/toolkit/tablecontrollers/TableTestSupport.h"
#include "toolkit/controls/TTActivityLabel.h"
#include "toolkit/controls/TTErrorView.h"
#include "toolkit/tablecontrollers/TTTableViewController.h"
#include "toolkit/tables/TTTableMessageItemCell.h"

namespace {

class TableViewControllerTest : public ControllerTest {
 protected:
  void SetUp() override {
    ControllerTest::SetUp();
    source = std::make_shared<ScriptedListSource>();
    controller = std::make_shared<TTTableViewController>();
    controller->setDataSource(source);
  }
  std::shared_ptr<ScriptedListSource> source;
  std::shared_ptr<TTTableViewController> controller;
};

TEST_F(TableViewControllerTest, TheModelsStatesSwapTheTablesContent) {
  show(controller);
  UITableView* table = controller->tableView();
  ASSERT_TRUE(controller->isShowingLoading());
  auto* loading = dynamic_cast<TTActivityLabel*>(controller->loadingView());
  ASSERT_NE(loading, nullptr);
  EXPECT_EQ(loading->text(), "Loading...");
  EXPECT_EQ(table->dataSource(), nullptr);
  shootScreen(backend, "table-controller-loading.png");

  source->fail();
  EXPECT_EQ(controller->loadingView(), nullptr);
  ASSERT_NE(dynamic_cast<TTErrorView*>(controller->errorView()), nullptr);
  EXPECT_EQ(table->dataSource(), nullptr);
  shootScreen(backend, "table-controller-error.png");

  source->load(7, false);
  source->finish(numberedRows(3));
  EXPECT_EQ(controller->errorView(), nullptr);
  EXPECT_EQ(controller->tableOverlayView(), nullptr);  // nothing left over the table
  EXPECT_EQ(table->dataSource(), source.get());
  EXPECT_EQ(table->numberOfRowsInSection(0), 3);
  EXPECT_NE(dynamic_cast<TTTableViewDelegate*>(table->delegate()), nullptr);
  EXPECT_EQ(dynamic_cast<TTTableViewVarHeightDelegate*>(table->delegate()), nullptr);
  shootScreen(backend, "table-controller-rows.png");

  source->emptyTitle = "Nothing here";
  source->load(7, false);
  source->finish({});
  ASSERT_TRUE(controller->isShowingEmpty());
  ASSERT_NE(dynamic_cast<TTErrorView*>(controller->emptyView()), nullptr);
  EXPECT_EQ(controller->emptyView()->superview(), controller->tableOverlayView());
  EXPECT_EQ(table->dataSource(), nullptr);
}

TEST_F(TableViewControllerTest, AStateWithoutTextsShowsNoView) {
  source->loadingTitle = "";
  source->errorTitle = source->errorSubtitle = "";
  show(controller);
  EXPECT_TRUE(controller->isShowingLoading());
  EXPECT_EQ(controller->loadingView(), nullptr);
  source->fail();
  EXPECT_TRUE(controller->isShowingError());
  EXPECT_EQ(controller->errorView(), nullptr);
  EXPECT_EQ(controller->tableView()->dataSource(), nullptr);  // the rows are hidden all the same
}

TEST_F(TableViewControllerTest, CanShowTheModelByItsSectionsAndRows) {
  struct Shape : TTTableViewDataSource {
    int sections = 1, rows = 0;
    int numberOfSectionsInTableView(UITableView*) override { return sections; }
    int numberOfRowsInSection(UITableView*, int) override { return rows; }
  };
  struct Case {
    int sections, rows;
    bool shown;
  };
  for (Case k : {Case{0, 5, false}, Case{1, 0, false}, Case{2, 0, true}, Case{1, 2, true}}) {
    auto shape = std::make_shared<Shape>();
    shape->sections = k.sections;
    shape->rows = k.rows;
    auto c = std::make_shared<TTTableViewController>();
    c->setDataSource(shape);
    EXPECT_EQ(c->canShowModel(), k.shown) << k.sections << " sections of " << k.rows << " rows";
  }
}

TEST_F(TableViewControllerTest, VariableHeightRowsAskTheCellClasses) {
  auto message = TTTableMessageItem::itemWithTitle<TTTableMessageItem>("Title", "Caption", "Text", {}, {});
  auto rows = textRows({"Short"});
  rows.emplace_back(message);
  source->finish(rows);
  show(controller);
  UITableView* table = controller->tableView();
  EXPECT_DOUBLE_EQ(table->rectForRowAtIndexPath({0, 1}).size.height, table->rowHeight());

  controller->setVariableHeightRows(true);
  EXPECT_EQ(table->delegate(), nullptr);
  source->didChange();  // the model is shown afresh with the delegate of the new kind
  EXPECT_NE(dynamic_cast<TTTableViewVarHeightDelegate*>(table->delegate()), nullptr);
  TTTableObject object(message);
  EXPECT_DOUBLE_EQ(table->rectForRowAtIndexPath({0, 1}).size.height,
                   TTTableMessageItemCell::rowHeightForObject(table, object));
  EXPECT_NE(table->rectForRowAtIndexPath({0, 1}).size.height, table->rowHeight());
}

TEST_F(TableViewControllerTest, RestoredOffsetStaysWithinTheContent) {
  source->finish(numberedRows(30));
  show(controller);
  UITableView* table = controller->tableView();
  double limit = table->contentSize().height - table->bounds().size.height;
  ASSERT_GT(limit, 200);
  struct Case {
    double saved, expected;
  };
  table->setContentOffset(CGPointMake(0, 50));
  for (Case k : {Case{0, 50}, Case{120, 120}, Case{limit + 500, limit}}) {
    controller->restoreView({{"scrollOffsetY", Value(k.saved)}});
    EXPECT_DOUBLE_EQ(table->contentOffset().y, k.expected) << "saved " << k.saved;
  }
  Value::Map state;
  EXPECT_TRUE(controller->persistView(state));
  EXPECT_DOUBLE_EQ(state["scrollOffsetY"].doubleValue(), limit);

  // A table shorter than its frame has nothing to scroll: never above the top.
  source->finish(numberedRows(2));
  controller->restoreView({{"scrollOffsetY", Value(300.0)}});
  EXPECT_DOUBLE_EQ(table->contentOffset().y, 0);
}

TEST_F(TableViewControllerTest, AnInsertedRowIsScrolledToAndAnUnplacedChangeReloads) {
  source->finish(numberedRows(30));
  show(controller);
  UITableView* table = controller->tableView();
  source->items().push_back(textRows({"New"}).front());
  source->changedPath = std::vector<int>{0, 30};
  source->didInsertObject(nullptr, {0, 30});
  EXPECT_EQ(table->numberOfRowsInSection(0), 31);
  auto visible = table->indexPathsForVisibleRows();
  EXPECT_NE(std::find(visible.begin(), visible.end(), NSIndexPath{0, 30}), visible.end());

  source->items().resize(5);
  source->changedPath.reset();
  source->didInsertObject(nullptr, {0, 2});
  EXPECT_EQ(table->numberOfRowsInSection(0), 5);
}

TEST_F(TableViewControllerTest, BannerSlidesUpAndLetsTouchesThroughToTheRows) {
  std::vector<std::string> opened;
  TTNavigatorHooks::shared().openURL = [&](const std::string& url, const auto&, bool) { opened.push_back(url); };
  std::vector<TTTableObject> rows;
  for (int i = 0; i < 12; ++i) rows.emplace_back(TTTableTextItem::itemWithText<TTTableTextItem>("Row " + std::to_string(i), "tt://row/" + std::to_string(i)));
  source->finish(rows);
  show(controller);
  UITableView* table = controller->tableView();

  auto banner = std::make_shared<UIView>(CGRectZero);
  banner->setBackgroundColor(UIColor::colorWithRed(0.9, 0.2, 0.2, 1));
  controller->setTableBannerView(banner);
  EXPECT_TRUE(UIView::hasRunningAnimations());
  backend.advance(400);
  CGRect onScreen = banner->convertRectToView(banner->bounds(), nullptr);
  CGRect tableOnScreen = table->convertRectToView(table->bounds(), nullptr);
  EXPECT_DOUBLE_EQ(onScreen.size.height, 22);
  EXPECT_DOUBLE_EQ(CGRectGetMaxY(onScreen), CGRectGetMaxY(tableOnScreen));
  EXPECT_FALSE(banner->isUserInteractionEnabled());
  shootScreen(backend, "table-controller-banner.png");

  controller->setTableBannerView(banner);  // the same banner again: nothing moves
  EXPECT_FALSE(UIView::hasRunningAnimations());

  // The overlay lies over the whole table, yet a row under it still takes the tap.
  ASSERT_NE(controller->tableOverlayView(), nullptr);
  CGRect row = table->convertRectToView(table->rectForRowAtIndexPath({0, 2}), nullptr);
  backend.tap(CGPointMake(CGRectGetMidX(row), CGRectGetMidY(row)));
  backend.advance(400);
  EXPECT_EQ(opened, std::vector<std::string>{"tt://row/2"});

  controller->setTableBannerView(nullptr, true);
  backend.advance(400);
  EXPECT_EQ(banner->superview(), nullptr);  // faded out, then removed
}

// A subclass may time its banner; setting a banner, even the same one, stops that timer.
TEST_F(TableViewControllerTest, SettingTheBannerStopsTheBannerTimer) {
  struct TimedBanner : TTTableViewController {
    void startBannerTimer(int& fired) {
      bannerTimer_ = NSTimer::scheduledTimer(1, false, [&fired](NSTimer&) { ++fired; });
    }
  };
  auto timed = std::make_shared<TimedBanner>();
  timed->setDataSource(source);
  show(timed);
  auto banner = std::make_shared<UIView>(CGRectZero);
  int fired = 0;
  timed->startBannerTimer(fired);
  timed->setTableBannerView(banner, false);
  timed->startBannerTimer(fired);
  timed->setTableBannerView(banner, false);
  backend.advance(2000);
  EXPECT_EQ(fired, 0);
  timed->startBannerTimer(fired);
  backend.advance(2000);
  EXPECT_EQ(fired, 1);
}

TEST_F(TableViewControllerTest, MenuSlidesTheCellsContentAsideAndBack) {
  source->finish(numberedRows(5));
  show(controller);
  UITableView* table = controller->tableView();
  auto cell = std::static_pointer_cast<UITableViewCell>(table->cellForRowAtIndexPath({0, 1})->shared_from_this());
  UIView* content = cell->contentView();
  ASSERT_FALSE(content->subviews().empty());
  UIView* label = content->subviews().front().get();
  double start = label->frame().origin.x;
  double width = content->bounds().size.width;

  auto menu = std::make_shared<UIView>(content->bounds());
  controller->showMenu(menu, cell, false);
  EXPECT_EQ(content->subviews().front(), menu);
  EXPECT_DOUBLE_EQ(label->frame().origin.x, start - width);
  EXPECT_DOUBLE_EQ(menu->frame().origin.x, 0);

  // Dragging the table hides the menu.
  backend.drag(CGPointMake(160, 300), CGPointMake(160, 200));
  backend.advance(400);
  EXPECT_EQ(controller->menuView(), nullptr);
  EXPECT_EQ(menu->superview(), nullptr);
  EXPECT_DOUBLE_EQ(label->frame().origin.x, start);
}

TEST_F(TableViewControllerTest, KeyboardShortensTheTableAndItsOverlay) {
  source->finish(numberedRows(20));
  show(controller);
  UITableView* table = controller->tableView();
  double height = table->frame().size.height;
  auto banner = std::make_shared<UIView>(CGRectZero);
  controller->setTableBannerView(banner, false);
  CGRect keyboard = CGRectMake(0, 0, 320, 216);
  controller->keyboardDidAppear(true, keyboard);
  EXPECT_DOUBLE_EQ(table->frame().size.height, height - 216);
  EXPECT_DOUBLE_EQ(CGRectGetMaxY(banner->convertRectToView(banner->bounds(), table->superview())),
                   CGRectGetMaxY(table->frame()));
  controller->keyboardWillDisappear(true, keyboard);
  controller->keyboardDidDisappear(true, keyboard);
  EXPECT_DOUBLE_EQ(table->frame().size.height, height);
  EXPECT_DOUBLE_EQ(CGRectGetMaxY(banner->convertRectToView(banner->bounds(), table->superview())),
                   CGRectGetMaxY(table->frame()));
}

TEST_F(TableViewControllerTest, TurningWhileAnotherScreenIsOnTopReloadsOnReturn) {
  struct Turning : UIViewController {
    bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation) override { return true; }
  };
  source->finish(numberedRows(4));
  auto nav = show(controller);
  UITableView* table = controller->tableView();
  // Rows the table is not told about show only when it reloads.
  auto visitBack = [&](bool turn) {
    source->items().push_back(textRows({"Unannounced"}).front());
    nav->pushViewController(std::make_shared<Turning>(), false);
    backend.advance(400);
    if (turn) backend.rotate(UIDeviceOrientationLandscapeLeft);
    backend.advance(500);
    nav->popViewControllerAnimated(false);
    backend.advance(400);
  };
  visitBack(false);
  EXPECT_EQ(table->numberOfRowsInSection(0), 4);
  visitBack(true);
  EXPECT_EQ(table->numberOfRowsInSection(0), 6);
}

}  // namespace
