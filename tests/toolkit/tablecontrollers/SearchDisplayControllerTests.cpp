#include <gtest/gtest.h>

#include "platform/ui/UIApplication.h"
#include "tests/toolkit/tablecontrollers/TableTestSupport.h"
#include "toolkit/navigator/TTNavigator.h"
#include "toolkit/tablecontrollers/TTSearchDisplayController.h"
#include "toolkit/views/UIView+TTCategory.h"

namespace {

class SearchDisplayControllerTest : public ControllerTest {
 protected:
  void SetUp() override {
    ControllerTest::SetUp();
    TTNavigatorHooks::shared().openURL = [this](const std::string& url, const auto&, bool) { opened.push_back(url); };
    contents = std::make_shared<TTTableViewController>();
    contents->setDataSource(std::make_shared<TTListDataSource>(numberedRows(10)));
    source = std::make_shared<RecordingSearchSource>(chapterRows());
    results = std::make_shared<TTTableViewController>();
    results->setDataSource(source);
  }
  void TearDown() override {
    ownDisplay.reset();
    ControllerTest::TearDown();
  }
  // The screen makes the display for its results controller; its bar goes on top of its view.
  void makeDisplay() {
    contents->setSearchViewController(results);
    display = dynamic_cast<TTSearchDisplayController*>(contents->searchDisplay());
    ASSERT_NE(display, nullptr);
    bar = contents->searchBar();
    ASSERT_EQ(display->searchBar(), bar);
    ASSERT_EQ(display->searchResultsViewController(), results.get());
    bar->setFrame(CGRectMake(0, 0, contents->view()->bounds().size.width, 44));
    contents->view()->addSubview(bar->shared_from_this());
  }
  void tapBar() {
    CGRect b = bar->convertRectToView(bar->bounds(), nullptr);
    backend.tap(CGPointMake(CGRectGetMidX(b) - 60, CGRectGetMidY(b)));
    backend.advance(400);
  }

  std::vector<std::string> opened;
  std::shared_ptr<TTTableViewController> contents, results;
  std::shared_ptr<RecordingSearchSource> source;
  UISearchBar* bar = nullptr;
  TTSearchDisplayController* display = nullptr;
  std::unique_ptr<TTSearchDisplayController> ownDisplay;
};

TEST_F(SearchDisplayControllerTest, TheNavigatorSeesTheResultsControllerWhileASearchIsActive) {
  auto nav = show(contents);
  makeDisplay();
  TTNavigator navigator;
  navigator.setRootViewController(nav);
  EXPECT_EQ(navigator.visibleViewController(), contents.get());
  tapBar();
  ASSERT_TRUE(display->isActive());
  EXPECT_EQ(navigator.visibleViewController(), results.get());
  EXPECT_EQ(navigator.topViewController(), contents.get());
  display->setActive(false, false);
  EXPECT_EQ(navigator.visibleViewController(), contents.get());
}

TEST_F(SearchDisplayControllerTest, TypingSearchesTheResultsSourceAndAPickedRowOpens) {
  show(contents);
  makeDisplay();
  tapBar();
  ASSERT_TRUE(display->isActive());
  backend.typeText("al-");
  EXPECT_EQ(source->searches, std::vector<std::string>{"al-"});
  UITableView* table = display->searchResultsTableView();
  ASSERT_TRUE(display->isShowingSearchResults());
  EXPECT_EQ(results->tableView(), table);
  EXPECT_EQ(table->dataSource(), source.get());
  EXPECT_EQ(table->numberOfRowsInSection(0), 4);
  shootScreen(backend, "search-display-chapters.png");

  // Another scope searches the bar's text again.
  display->setSelectedSearchOption(1);
  EXPECT_EQ(source->searches, (std::vector<std::string>{"al-", "al-"}));

  CGRect row = table->convertRectToView(table->rectForRowAtIndexPath({0, 1}), nullptr);
  backend.tap(CGPointMake(CGRectGetMidX(row), CGRectGetMidY(row)));
  backend.advance(400);
  EXPECT_EQ(opened, std::vector<std::string>{"tt://chapter/Al-Baqara"});

  // Cancelling clears the search.
  display->setActive(false, true);
  backend.advance(400);
  ASSERT_FALSE(source->searches.empty());
  EXPECT_EQ(source->searches.back(), "");
  EXPECT_FALSE(display->isShowingSearchResults());

  // Letting the results controller go drops the display with it.
  contents->setSearchViewController(nullptr);
  EXPECT_EQ(contents->searchDisplay(), nullptr);
}

TEST_F(SearchDisplayControllerTest, PausingRunsOneSearchAfterTheLastKey) {
  show(contents);
  makeDisplay();
  display->setPausesBeforeSearching(true);
  tapBar();
  for (const char* key : {"m", "a", "r"}) {
    UIApplication::sharedApplication().handleText(key);
    backend.advance(100);
  }
  EXPECT_TRUE(source->searches.empty());
  backend.advance(250);
  EXPECT_TRUE(source->searches.empty());  // 0.35 s after the last key
  backend.advance(100);
  EXPECT_EQ(source->searches, std::vector<std::string>{"mar"});
  EXPECT_EQ(display->searchResultsTableView()->numberOfRowsInSection(0), 1);
}

TEST_F(SearchDisplayControllerTest, OutsideANavigationControllerTheBarRisesAndComesBack) {
  window->setRootViewController(contents);
  backend.advance(10);
  auto holder = std::make_shared<UIView>(CGRectMake(0, 100, 320, 200));
  contents->view()->addSubview(holder);
  auto ownBar = std::make_shared<UISearchBar>(CGRectMake(0, 30, 320, 44));
  holder->addSubview(ownBar);
  bar = ownBar.get();
  ownDisplay = std::make_unique<TTSearchDisplayController>(ownBar, contents.get());
  display = ownDisplay.get();
  display->setSearchResultsViewController(results);
  double barY = tt::screenY(*bar);
  display->setActive(true, true);
  backend.advance(400);
  EXPECT_DOUBLE_EQ(tt::screenY(*bar), 20);  // just under the status bar
  display->setActive(false, true);
  backend.advance(400);
  EXPECT_DOUBLE_EQ(tt::screenY(*bar), barY);
  EXPECT_DOUBLE_EQ(holder->frame().origin.y, 100);
}

}  // namespace
