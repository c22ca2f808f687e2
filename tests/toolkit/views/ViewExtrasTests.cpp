#include <gtest/gtest.h>

#include "platform/foundation/NSNotificationCenter.h"
#include "platform/ui/hosting/UIKeyboard.h"
#include "platform/ui/hosting/UINavigationBar.h"
#include "platform/ui/hosting/UITableView.h"
#include "platform/ui/hosting/UITableViewCell.h"
#include "tests/platform/ui/UITestSupport.h"
#include "toolkit/views/TTPopupView.h"
#include "toolkit/views/UITableView+TTCategory.h"
#include "toolkit/views/UIView+TTCategory.h"
#include "toolkit/views/UIView+TTKeyboard.h"
#include "toolkit/views/UIWebView+TTCategory.h"
#include "toolkit/views/UIWindow+TTCategory.h"

namespace {
class ViewExtrasTest : public UITest {};

struct Responder : UIView {
  using UIView::UIView;
  bool canBecomeFirstResponder() const override { return true; }
};

// Rows only in the second section.
struct SecondSectionRows : UITableViewDataSource {
  int numberOfSectionsInTableView(UITableView*) override { return 2; }
  int numberOfRowsInSection(UITableView*, int section) override { return section == 1 ? 30 : 0; }
  UITableViewCellPtr cellForRowAtIndexPath(UITableView*, const NSIndexPath&) override {
    return std::make_shared<UITableViewCell>(UITableViewCellStyleDefault, "c");
  }
};
}  // namespace

TEST_F(ViewExtrasTest, PresentedLikeAKeyboardSlidesUpThenTellsListeners) {
  auto container = addView(*window, CGRectMake(0, 0, 320, 480));
  auto panel = std::make_shared<UIView>(CGRectMake(0, 0, 320, 200));
  std::vector<std::string> heard;
  UIKeyboardInfo shown;
  NSNotificationCenter::defaultCenter().addObserver(this, UIKeyboardWillShowNotification, [&] {
    heard.push_back("show");
    shown = UIKeyboard::userInfo();
  });
  NSNotificationCenter::defaultCenter().addObserver(this, UIKeyboardWillHideNotification, [&] { heard.push_back("hide"); });

  tt::presentAsKeyboardInView(*panel, *container);
  EXPECT_EQ(panel->superview(), container.get());
  EXPECT_EQ(tt::top(*panel), 280);  // the model value moves at once
  EXPECT_TRUE(heard.empty());
  RunLoop::main().advance(350);
  EXPECT_EQ(heard, std::vector<std::string>{"show"});
  EXPECT_EQ(shown.bounds, CGRectMake(0, 0, 320, 200));
  EXPECT_EQ(shown.centerBegin, CGPointMake(0, 580));
  EXPECT_EQ(shown.centerEnd, CGPointMake(0, 380));

  tt::dismissAsKeyboard(*panel, true);
  EXPECT_EQ(heard.back(), "hide");
  EXPECT_EQ(panel->superview(), container.get());
  RunLoop::main().advance(350);
  EXPECT_EQ(panel->superview(), nullptr);
  NSNotificationCenter::defaultCenter().removeObserver(this);
}

TEST_F(ViewExtrasTest, FirstResponderSearchAndKeyboardFrame) {
  auto outer = addView(*window, CGRectMake(0, 300, 320, 180));
  auto field = addView<Responder>(*outer, CGRectMake(0, 0, 100, 30));
  EXPECT_EQ(tt::findFirstResponder(*window), nullptr);
  ASSERT_TRUE(field->becomeFirstResponder());
  EXPECT_EQ(tt::findFirstResponder(*window), field.get());
  EXPECT_FALSE(UIKeyboard::shared().isVisible());
  EXPECT_EQ(tt::frameWithKeyboardSubtracted(*outer, 0), outer->frame());
}

TEST_F(ViewExtrasTest, TableAndToolbarShortcuts) {
  SecondSectionRows rows;
  auto table = addView<UITableView>(*window, CGRectMake(0, 0, 320, 200));
  table->setDataSource(&rows);
  table->reloadData();
  EXPECT_EQ(tt::tableCellMargin(*table), 0);
  tt::scrollToBottom(*table, false);
  EXPECT_EQ(table->contentOffset().y, 0);  // section 0 has no rows
  tt::scrollToLastRow(*table);
  EXPECT_GT(table->contentOffset().y, 0);
  tt::scrollToTop(*table, false);
  EXPECT_EQ(table->contentOffset().y, 0);
  EXPECT_EQ(tt::tableCellMargin(UITableView(CGRectZero, UITableViewStyleGrouped)), 10);

  UIToolbar toolbar;
  auto item = [] { return std::make_shared<UIBarButtonItem>("x", UIBarButtonItemStyleBordered, nullptr); };
  auto a = item();
  auto b = item();
  auto c = item();
  a->setTag(7);
  b->setTag(7);
  toolbar.setItems({a, b});
  EXPECT_EQ(tt::itemWithTag(toolbar, 7), a);
  tt::replaceItemWithTag(toolbar, 7, c);
  EXPECT_EQ(toolbar.items(), (std::vector<UIBarButtonItemPtr>{c, b}));
  tt::replaceItemWithTag(toolbar, 9, a);
  EXPECT_EQ(toolbar.items(), (std::vector<UIBarButtonItemPtr>{c, b}));
}

TEST_F(ViewExtrasTest, PopupViewLeavesWhenASubviewGoes) {
  auto popup = addView<TTPopupView>(*window, CGRectMake(0, 0, 100, 100));
  auto child = addView(*popup, CGRectMake(0, 0, 10, 10));
  popup->setPopupViewController(std::make_shared<UIViewController>());
  child->removeFromSuperview();
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(popup->superview(), nullptr);
}

TEST(WebViewCategory, ElementAnswersAreFourNumbers) {
  EXPECT_EQ(tt::rectFromElementAnswer("10,20.5,300,44"), CGRectMake(10, 20.5, 300, 44));
  for (const char* bad : {"", "1,2,3", "1,2,3,4,5", "undefined", "1,x,3,4", "NaN,1,2,3"})
    EXPECT_FALSE(tt::rectFromElementAnswer(bad).has_value()) << bad;
}
