#include <gtest/gtest.h>

#include "platform/ui/hosting/UIScrollView.h"
#include "platform/ui/hosting/UIViewController.h"
#include "toolkit/views/UIView+TTCategory.h"

namespace {
struct Marked : UIView {
  using UIView::UIView;
};
}  // namespace

TEST(ViewCategory, EdgeSettersKeepTheRestOfTheFrame) {
  UIView v(CGRectMake(10, 20, 30, 40));
  tt::setRight(v, 100);
  EXPECT_EQ(v.frame(), CGRectMake(70, 20, 30, 40));
  tt::setBottom(v, 100);
  EXPECT_EQ(v.frame(), CGRectMake(70, 60, 30, 40));
  tt::setWidth(v, 50);
  tt::setCenterY(v, 0);
  EXPECT_EQ(v.frame(), CGRectMake(70, -20, 50, 40));
  EXPECT_EQ(tt::right(v), 120);
  EXPECT_EQ(tt::bottom(v), 20);
}

TEST(ViewCategory, PositionsUpTheTree) {
  auto root = std::make_shared<UIView>(CGRectMake(0, 0, 320, 480));
  auto scroll = std::make_shared<UIScrollView>(CGRectMake(0, 100, 320, 300));
  auto inner = std::make_shared<UIView>(CGRectMake(5, 400, 50, 50));
  root->addSubview(scroll);
  scroll->setContentSize(CGSizeMake(320, 2000));
  scroll->addSubview(inner);
  scroll->setContentOffset(CGPointMake(0, 50));
  EXPECT_EQ(tt::screenY(*inner), 500);
  EXPECT_EQ(tt::screenViewY(*inner), 450);
  EXPECT_EQ(tt::screenFrame(*inner), CGRectMake(5, 450, 50, 50));
  EXPECT_EQ(tt::offsetFromView(*inner, scroll.get()), CGPointMake(5, 400));
  EXPECT_EQ(tt::offsetFromView(*inner, inner.get()), CGPointMake(0, 0));
}

TEST(ViewCategory, TreeSearchesAndOwningController) {
  auto root = std::make_shared<UIView>();
  auto first = std::make_shared<UIView>();
  auto nested = std::make_shared<Marked>();
  auto second = std::make_shared<Marked>();
  root->addSubview(first);
  first->addSubview(nested);
  root->addSubview(second);
  EXPECT_EQ(tt::descendantOrSelfWithClass<Marked>(root.get()), nested.get());
  EXPECT_EQ(tt::ancestorOrSelfWithClass<Marked>(nested.get()), nested.get());
  EXPECT_EQ(tt::ancestorOrSelfWithClass<Marked>(first.get()), nullptr);

  UIViewController controller;
  controller.setView(root);
  EXPECT_EQ(tt::owningViewController(*first), &controller);
  EXPECT_EQ(tt::owningViewController(*root), nullptr);  // the walk starts above the view

  tt::removeAllSubviews(*root);
  EXPECT_TRUE(root->subviews().empty());
  EXPECT_EQ(first->superview(), nullptr);
}
