#include <gtest/gtest.h>

#include "platform/net/NSError.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIScreen.h"
#include "toolkit/foundation/TTGlobal.h"
#include "toolkit/foundation/TTGlobalUI.h"

TEST(TTGlobal, RectangleArithmetic) {
  EXPECT_EQ(TTRectShrink(CGRectMake(5, 6, 100, 50), 10, 20), CGRectMake(5, 6, 90, 30));
  EXPECT_EQ(TTRectApplyInsets(CGRectMake(0, 0, 100, 50), UIEdgeInsetsMake(1, 2, 3, 4)), CGRectMake(2, 1, 94, 46));
}

TEST(TTGlobal, LocalURLFormsNeedTheirWholeCaseSensitivePrefix) {
  struct Case { const char* url; bool bundle; bool documents; } cases[] = {
      {"bundle:/", false, false},         {"Bundle://a.png", false, false}, {"bundle://", true, false},
      {"bundle://img/a.png", true, false}, {"documents://", false, true},    {"documents:/", false, false},
      {"Documents://x", false, false},    {"http://bundle://", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TTIsBundleResourceURL(c.url), c.bundle) << c.url;
    EXPECT_EQ(TTIsDocumentsResourceURL(c.url), c.documents) << c.url;
  }
}

TEST(TTGlobal, ErrorTextsByDomainAndCode) {
  EXPECT_EQ(TTTextForURLError(NSError(NSURLErrorDomain, -1001)), "Connection Timed Out");
  EXPECT_EQ(TTTextForURLError(NSError(NSURLErrorDomain, -1009)), "No Internet Connection");
  EXPECT_EQ(TTTextForURLError(NSError(NSURLErrorDomain, -1003)), "Connection Error");
  EXPECT_EQ(TTTextForURLError(NSError(NSCocoaErrorDomain, -1001)), "Error");
}

TEST(TTGlobal, ActivityIndicatorFollowsTheCounter) {
  auto& app = UIApplication::sharedApplication();
  TTNetworkActivityBegan();
  TTNetworkActivityBegan();
  TTNetworkActivityEnded();
  EXPECT_TRUE(app.isNetworkActivityIndicatorVisible());
  TTNetworkActivityEnded();
  EXPECT_FALSE(app.isNetworkActivityIndicatorVisible());
  EXPECT_EQ(TTNetworkActivityCount(), 0);
}

TEST(TTGlobal, FramesAndKeyboardHeightFollowTheInterfaceOrientation) {
  auto& app = UIApplication::sharedApplication();
  UIScreen::mainScreen().configure(UIUserInterfaceIdiomPhone, 1);
  app.setStatusBarHidden(false);
  CGRect app_frame = UIScreen::mainScreen().applicationFrame();
  ASSERT_EQ(app_frame.size.width, 320);
  ASSERT_EQ(app_frame.size.height, 460);

  app.setStatusBarOrientation(UIInterfaceOrientationPortrait);
  EXPECT_EQ(TTFrameUnderNavigationBar(), CGRectMake(0, 0, 320, 416));
  EXPECT_EQ(TTFrameBetweenBars(), CGRectMake(0, 0, 320, 372));
  EXPECT_EQ(TTOrientedKeyboardHeight(), 216);
  EXPECT_EQ(TTOrientedScreenBounds().size, CGSizeMake(320, 480));

  app.setStatusBarOrientation(UIInterfaceOrientationLandscapeLeft);
  CGRect landscape = UIScreen::mainScreen().applicationFrame();
  EXPECT_EQ(TTFrameUnderNavigationBar(), CGRectMake(0, 0, landscape.size.width, landscape.size.height - 33));
  EXPECT_EQ(TTFrameBetweenBars(), CGRectMake(0, 0, landscape.size.width, landscape.size.height - 66));
  EXPECT_EQ(TTOrientedKeyboardHeight(), 160);
  EXPECT_EQ(TTOrientedScreenBounds().size, CGSizeMake(480, 320));
  app.setStatusBarOrientation(UIInterfaceOrientationPortrait);
}
