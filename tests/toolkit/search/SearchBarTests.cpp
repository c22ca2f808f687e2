#include <gtest/gtest.h>

#include "tests/platform/ui/hosting/HostingTestSupport.h"
#include "tests/toolkit/tablecontrollers/TableTestSupport.h"
#include "toolkit/controls/TTButton.h"
#include "toolkit/foundation/UIFont+TTCategory.h"
#include "toolkit/search/TTSearchBar.h"

namespace {

class SearchBarTest : public ControllerTest {};

TEST_F(SearchBarTest, HeightFollowsTheFontButNeverBelowABar) {
  auto bar = std::make_shared<TTSearchBar>(CGRectMake(0, 0, 320, 44));
  for (double size : {10.0, 14.0, 30.0, 40.0}) {
    bar->setFont(UIFont::systemFontOfSize(size));
    double line = tt::lineHeight(*bar->font());
    CGSize fit = bar->sizeThatFits(CGSizeMake(250, 0));
    EXPECT_DOUBLE_EQ(fit.width, 250);
    EXPECT_DOUBLE_EQ(fit.height, line + 20 < 44 ? 44 : line + 20) << "font " << size;
  }
}

TEST_F(SearchBarTest, CancelButtonTakesRoomAndEndsEditing) {
  auto bar = std::make_shared<TTSearchBar>(CGRectMake(0, 0, 320, 44));
  window->addSubview(bar);
  bar->layoutIfNeeded();
  double fullWidth = bar->searchField()->frame().size.width;
  EXPECT_DOUBLE_EQ(fullWidth, 320 - 20);  // with the search icon there is no extra inset
  bar->setShowsCancelButton(true);
  bar->layoutIfNeeded();
  TTButton* cancel = bar->cancelButton();
  ASSERT_NE(cancel, nullptr);
  EXPECT_DOUBLE_EQ(bar->searchField()->frame().size.width, fullWidth - (cancel->frame().size.width + 4));
  EXPECT_DOUBLE_EQ(cancel->frame().origin.x, CGRectGetMaxX(bar->boxView()->frame()) + 4);
  backend.frame();
  shootScreen(backend, "search-bar-cancel.png");

  backend.tap(bar->searchField()->convertPointToView(CGPointMake(60, 22), nullptr));
  ASSERT_TRUE(bar->editing());
  CGRect c = cancel->convertRectToView(cancel->bounds(), nullptr);
  backend.tap(CGPointMake(CGRectGetMidX(c), CGRectGetMidY(c)));
  EXPECT_FALSE(bar->editing());

  bar->setShowsSearchIcon(false);
  EXPECT_EQ(bar->searchField()->leftView(), nullptr);
  bar->setShowsCancelButton(false);
  bar->layoutIfNeeded();
  EXPECT_DOUBLE_EQ(bar->searchField()->frame().origin.x, 4 + 15);
  EXPECT_DOUBLE_EQ(bar->searchField()->frame().size.width, 320 - 24);
}

TEST_F(SearchBarTest, InATableWithAnIndexTheFieldWidensWhileEditing) {
  struct Indexed : NumberSource {
    std::vector<std::string> sectionIndexTitlesForTableView(UITableView*) override { return {"A", "B", "C"}; }
  } source;
  source.sections = {NumberSource::range(20), NumberSource::range(20), NumberSource::range(20)};
  auto table = std::make_shared<UITableView>(CGRectMake(0, 0, 320, 480));
  table->setDataSource(&source);
  window->addSubview(table);
  auto bar = std::make_shared<TTSearchBar>(CGRectMake(0, 0, 320, 44));
  table->setTableHeaderView(bar);
  table->reloadData();
  table->layoutIfNeeded();
  bar->layoutIfNeeded();
  UIView* index = table->indexView();
  ASSERT_NE(index, nullptr);
  double indexWidth = index->frame().size.width;
  ASSERT_GT(indexWidth, 0);
  EXPECT_DOUBLE_EQ(bar->indexViewWidth(), indexWidth);
  double narrow = bar->searchField()->frame().size.width;
  EXPECT_DOUBLE_EQ(narrow, 320 - 20 - indexWidth);

  table->setContentOffset(CGPointMake(0, 10));
  backend.tap(bar->searchField()->convertPointToView(CGPointMake(60, 22), nullptr));
  backend.advance(400);
  ASSERT_TRUE(bar->editing());
  EXPECT_DOUBLE_EQ(table->contentOffset().y, 0);  // the bar scrolled to the top
  EXPECT_DOUBLE_EQ(bar->searchField()->frame().size.width, narrow + indexWidth);
  EXPECT_DOUBLE_EQ(index->alpha(), 0);  // the table keeps placing it; hidden, it takes no room

  bar->resignFirstResponder();
  backend.advance(400);
  EXPECT_DOUBLE_EQ(bar->searchField()->frame().size.width, narrow);
  EXPECT_DOUBLE_EQ(index->alpha(), 1);
}

}  // namespace
