#include <gtest/gtest.h>

#include "toolkit/views/TTLayout.h"

namespace {
// Asks for a fixed height at any width.
struct Cell : UIView {
  explicit Cell(CGFloat h) : UIView(CGRectMake(0, 0, 10, 10)), wanted(h) {}
  CGSize sizeThatFits(CGSize size) const override { return CGSizeMake(size.width, wanted); }
  CGFloat wanted;
};

std::vector<UIViewPtr> boxes(std::initializer_list<CGSize> sizes) {
  std::vector<UIViewPtr> views;
  for (CGSize s : sizes) views.push_back(std::make_shared<UIView>(CGRectMake(0, 0, s.width, s.height)));
  return views;
}
}  // namespace

TEST(Layout, BaseAndEmptyLayouts) {
  UIView container(CGRectMake(0, 0, 320, 100));
  TTLayout base;
  auto views = boxes({{50, 20}});
  EXPECT_EQ(base.layoutSubviews(views, container), CGSizeZero);
  TTFlowLayout flow;
  flow.padding = 10;
  EXPECT_EQ(flow.layoutSubviews({}, container), CGSizeMake(10, 20));
  TTGridLayout grid;
  grid.padding = 10;
  EXPECT_EQ(grid.layoutSubviews({}, container), CGSizeMake(10, 20));
  grid.setColumnCount(0);
  EXPECT_EQ(grid.columnCount(), 1);
}

TEST(Layout, FlowWrapsAtTheWidthLessPadding) {
  UIView container(CGRectMake(0, 0, 320, 100));
  TTFlowLayout flow;
  flow.padding = 10;
  flow.spacing = 5;
  auto views = boxes({{100, 20}, {100, 30}, {95, 40}, {90, 25}});
  CGSize size = flow.layoutSubviews(views, container);
  EXPECT_EQ(views[0]->frame().origin, CGPointMake(10, 10));
  EXPECT_EQ(views[1]->frame().origin, CGPointMake(115, 10));
  EXPECT_EQ(views[2]->frame().origin, CGPointMake(10, 55));    // 220 + 95 passes 300: wraps by its own height
  EXPECT_EQ(views[3]->frame().origin, CGPointMake(110, 55));
  EXPECT_EQ(size, CGSizeMake(230, 55 + 25 + 10));              // widest x includes the trailing spacing

  auto wide = boxes({{400, 20}});
  flow.layoutSubviews(wide, container);
  EXPECT_EQ(wide[0]->frame().origin, CGPointMake(10, 35));     // wraps at once: the first row stays empty
}

TEST(Layout, GridColumnsAndRowsFollowTheLastCell) {
  UIView container(CGRectMake(0, 0, 320, 100));
  TTGridLayout grid;
  grid.setColumnCount(3);
  grid.padding = 10;
  grid.spacing = 5;
  std::vector<UIViewPtr> cells = {std::make_shared<Cell>(50), std::make_shared<Cell>(20), std::make_shared<Cell>(30),
                                  std::make_shared<Cell>(40)};
  CGSize size = grid.layoutSubviews(cells, container);
  EXPECT_EQ(cells[0]->frame(), CGRectMake(10, 15, 100, 50));
  EXPECT_EQ(cells[1]->frame(), CGRectMake(115, 15, 100, 20));
  EXPECT_EQ(cells[2]->frame(), CGRectMake(220, 15, 100, 30));
  EXPECT_EQ(cells[3]->frame(), CGRectMake(10, 50, 100, 40));  // below the last cell (30), not the tallest (50)
  EXPECT_EQ(size, CGSizeMake(335, 50 + 40 + 10));

  TTGridLayout thirds;
  thirds.setColumnCount(3);
  std::vector<UIViewPtr> one = {std::make_shared<Cell>(10)};
  thirds.layoutSubviews(one, container);
  EXPECT_EQ(one[0]->frame().size.width, 107);  // 106.67 rounded up
}
