#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include <unistd.h>

#include "platform/ui/UIApplication.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/UIScrollView.h"
#include "tests/platform/net/LoopbackHTTPServer.h"
#include "tests/toolkit/controllers/ControllerTestSupport.h"
#include "toolkit/controllers/TTWebController.h"

namespace {

class WebControllerTest : public ControllerTest {
 protected:
  LoopbackHTTPServer server;
  std::shared_ptr<UIViewController> presenter = std::make_shared<UIViewController>();
  std::shared_ptr<TTWebController> web = std::make_shared<TTWebController>();
  std::shared_ptr<UINavigationController> nav;
  std::vector<std::string> opened;

  void SetUp() override {
    ControllerTest::SetUp();
    auto page = [](std::string body) {
      return [body](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
        r.send(LoopbackHTTPServer::response(200, "OK", body, "Content-Type: text/html; charset=utf-8\r\n"));
      };
    };
    server.route("/first", page("<html><head><title>Stop signs</title></head><body><h1>Stop signs</h1>"
                                "<p>Marks over the text tell a reader where to pause.</p>"
                                "<a href='second'>Compulsory stops</a><a href='cut'>A page that breaks off</a></body></html>"));
    server.route("/second", page("<title>Compulsory stops</title><h2>Meem</h2><p>Stop here.</p>"));
    server.route("/slow", [](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) { r.hold(); });
    server.route("/untitled", page("<p>No title here.</p>"));
    server.route("/cut", [](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
      r.send("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 500\r\nConnection: close\r\n\r\n<title>Cut");
    });
    UIApplication::sharedApplication().setURLHandlers(
        [this](const std::string& url) {
          opened.push_back(url);
          return true;
        },
        [](const std::string&) { return true; });
    window->setRootViewController(presenter);
    backend.advance(10);
  }
  void TearDown() override {
    UIApplication::sharedApplication().setURLHandlers(nullptr, nullptr);
    window->setRootViewController(nullptr);
    nav.reset();
    web.reset();
    server.stop();
    ControllerTest::TearDown();
  }
  // As the About screen does: the root of a new navigation controller, presented modally.
  void present(const std::string& path) {
    nav = std::make_shared<UINavigationController>(web);
    web->openRequest(NSURLRequest(server.url(path)));
    presenter->presentModalViewController(nav, true);
    backend.advance(500);
  }
  void waitForLoad() {
    ASSERT_TRUE(RunLoop::main().runUntil([this] { return web->title() != "Loading..."; }, 5));
    backend.advance(50);
  }
  UIBarButtonItem* thirdSlot() const { return web->toolbar()->items().at(4).get(); }
  void tapBlock(size_t index) {
    UIView* block = web->webView()->viewForBlock(index);
    ASSERT_NE(block, nullptr);
    CGRect r = block->convertRectToView(block->bounds(), nullptr);
    backend.tap(CGPointMake(CGRectGetMinX(r) + 10, CGRectGetMidY(r)));
  }
  // The brightest pixel where a toolbar item is drawn: a disabled item is dimmed.
  int brightest(UIBarButtonItem* item) {
    UIView* v = web->toolbar()->viewForItem(item);
    CGRect r = v->convertRectToView(v->bounds(), nullptr);
    int best = 0;
    for (double y = CGRectGetMinY(r) + 2; y < CGRectGetMaxY(r) - 2; y += 1)
      for (double x = CGRectGetMinX(r) + 2; x < CGRectGetMaxX(r) - 2; x += 1) {
        auto p = backend.pixelAt(CGPointMake(x, y));
        best = std::max(best, std::min({p.r, p.g, p.b}));
      }
    return best;
  }
  void shoot(const std::string& name) {
    if (const char* tmp = std::getenv("LUMENO_TEMP_DIR")) {
      std::filesystem::create_directories(tmp);
      EXPECT_TRUE(backend.screenshot(std::string(tmp) + "/" + name));
    }
  }
};

TEST_F(WebControllerTest, LoadsAPageFollowsALinkAndGoesBack) {
  present("/slow");
  EXPECT_EQ(web->title(), "Loading...");
  EXPECT_EQ(thirdSlot(), web->stopButton());
  EXPECT_EQ(web->URL(), server.url("/slow"));
  shoot("web-screen-loading.png");
  web->stopButton()->trigger();
  EXPECT_EQ(thirdSlot(), web->refreshButton());
  EXPECT_EQ(web->title(), "");
  EXPECT_EQ(web->alert(), nullptr);  // a stop asked for needs no word

  web->openURL(server.url("/first"));
  EXPECT_EQ(web->URL(), server.url("/first"));
  waitForLoad();
  EXPECT_EQ(web->title(), "Stop signs");
  EXPECT_EQ(thirdSlot(), web->refreshButton());
  EXPECT_FALSE(web->backButton()->isEnabled());
  EXPECT_FALSE(web->forwardButton()->isEnabled());
  EXPECT_EQ(web->navigationItem()->rightBarButtonItem().get(), web->closeButton());
  EXPECT_EQ(nav->navigationBar()->barStyle(), UIBarStyleDefault);  // the screen's own look
  ASSERT_TRUE(nav->navigationBar()->tintColor());
  EXPECT_TRUE(*nav->navigationBar()->tintColor() == *UIColor::colorWithRed(119 / 255.0, 140 / 255.0, 168 / 255.0, 1));
  shoot("web-screen-page.png");

  const int disabledBack = brightest(web->backButton());

  tapBlock(2);  // "Compulsory stops"
  waitForLoad();
  EXPECT_EQ(web->title(), "Compulsory stops");
  EXPECT_EQ(web->URL(), server.url("/second"));
  EXPECT_TRUE(web->backButton()->isEnabled());
  EXPECT_GT(brightest(web->backButton()), disabledBack + 60);
  EXPECT_FALSE(web->forwardButton()->isEnabled());

  web->backButton()->trigger();
  waitForLoad();
  EXPECT_EQ(web->title(), "Stop signs");
  EXPECT_FALSE(web->backButton()->isEnabled());
  EXPECT_TRUE(web->forwardButton()->isEnabled());

  web->closeButton()->trigger();
  backend.advance(600);
  EXPECT_EQ(presenter->modalViewController(), nullptr);
}

TEST_F(WebControllerTest, FailedLoadEndsLikeAFinishedOneAndSaysWhy) {
  present("/first");
  waitForLoad();
  tapBlock(3);  // breaks off mid-page (the tap may already see it end)
  waitForLoad();
  EXPECT_EQ(web->title(), "Stop signs");  // the page still shown
  EXPECT_EQ(thirdSlot(), web->refreshButton());
  EXPECT_EQ(web->URL(), server.url("/first"));
  EXPECT_FALSE(web->backButton()->isEnabled());
  ASSERT_NE(web->alert(), nullptr);
  EXPECT_TRUE(web->alert()->isVisible());
  EXPECT_EQ(web->alert()->title(), "Sorry, there was an error.");
  EXPECT_NE(web->alert()->message().find(server.url("/cut")), std::string::npos) << web->alert()->message();
  EXPECT_GT(web->alert()->message().size(), server.url("/cut").size() + 5);  // with the reason
  backend.advance(500);
  shoot("web-screen-failed.png");
  web->alert()->clickButtonAtIndex(0);
  backend.advance(500);
  EXPECT_FALSE(web->alert()->isVisible());

  // A page of ours that is missing says so.
  web->openURL("file:///nonexistent-lumeno-page.html");
  waitForLoad();
  ASSERT_TRUE(web->alert()->isVisible());
  EXPECT_NE(web->alert()->message().find("not found"), std::string::npos) << web->alert()->message();
  web->alert()->clickButtonAtIndex(0);
  backend.advance(500);

  // A page without a title leaves the title empty.
  web->openURL(server.url("/untitled"));
  waitForLoad();
  EXPECT_EQ(web->title(), "");
}

TEST_F(WebControllerTest, OpenInBrowserHandsOverTheShownPageAndCancelDoesNothing) {
  present("/first");
  waitForLoad();
  web->shareAction();
  backend.advance(500);
  UIActionSheet* sheet = web->actionSheet();
  ASSERT_NE(sheet, nullptr);
  ASSERT_EQ(sheet->numberOfButtons(), 2);
  EXPECT_EQ(sheet->buttonTitleAtIndex(0), "Open in Safari");
  EXPECT_EQ(sheet->buttonTitleAtIndex(sheet->cancelButtonIndex()), "Cancel");
  shoot("web-screen-sheet.png");
  sheet->clickButtonAtIndex(sheet->cancelButtonIndex());
  backend.advance(500);
  EXPECT_TRUE(opened.empty());
  web->shareAction();
  web->actionSheet()->clickButtonAtIndex(0);
  backend.advance(500);
  EXPECT_EQ(opened, std::vector<std::string>{server.url("/first")});
  EXPECT_EQ(web->alert(), nullptr);

  // A browser that does not start is reported.
  UIApplication::sharedApplication().setURLHandlers([](const std::string&) { return false; },
                                                    [](const std::string&) { return true; });
  web->shareAction();
  web->actionSheet()->clickButtonAtIndex(0);
  backend.advance(500);
  ASSERT_NE(web->alert(), nullptr);
  EXPECT_TRUE(web->alert()->isVisible());
  EXPECT_NE(web->alert()->message().find(server.url("/first")), std::string::npos);
}

// What the desktop can open: web and mail links, not local files or unknown schemes.
bool desktopOpens(const std::string& url) {
  return url.rfind("http:", 0) == 0 || url.rfind("https:", 0) == 0 || url.rfind("mailto:", 0) == 0;
}

class OwnPagesTest : public WebControllerTest {
 protected:
  // A folder of this process's own: tests run in parallel processes.
  std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) /
                                 ("lumeno-web-" + std::to_string(getpid()));
  std::string page;
  void SetUp() override {
    WebControllerTest::SetUp();
    UIApplication::sharedApplication().setURLHandlers(
        [this](const std::string& url) {
          opened.push_back(url);
          return desktopOpens(url);
        },
        desktopOpens);
    std::filesystem::create_directories(folder);
    page = "file://" + (folder / "help.html").string();
    std::FILE* f = std::fopen((folder / "help.html").c_str(), "w");
    std::fputs("<title>Help</title><h1>Help</h1>"
               "<p>Readers who keep a log of their reading, and those who recite along with a teacher, can share a "
               "verse with another program or write to us. Every line of this page wraps to the width of the screen, "
               "whichever way the device is turned.</p>"
               "<a href='tallowmirlog://add?surah=1'>Log this reading</a>"
               "<a href='mailto:lumeno@localhost'>Write to us</a>",
               f);
    std::fclose(f);
  }
  void TearDown() override {
    std::filesystem::remove_all(folder);
    WebControllerTest::TearDown();
  }
  bool actionOffered() const {
    const auto& items = web->toolbar()->items();
    return std::any_of(items.begin(), items.end(),
                       [this](const UIBarButtonItemPtr& i) { return i.get() == web->actionButton(); });
  }
};

TEST_F(OwnPagesTest, OurOwnPagesOfferNoBrowserButtonWebPagesDo) {
  nav = std::make_shared<UINavigationController>(web);
  web->openURL(page);
  presenter->presentModalViewController(nav, true);
  backend.advance(500);
  waitForLoad();
  EXPECT_EQ(web->title(), "Help");
  EXPECT_FALSE(actionOffered());
  EXPECT_EQ(web->toolbar()->viewForItem(web->actionButton()), nullptr);
  EXPECT_EQ(thirdSlot(), web->refreshButton());
  shoot("web-screen-own-page.png");

  web->openURL(server.url("/first"));
  waitForLoad();
  EXPECT_TRUE(actionOffered());
  UIView* action = web->toolbar()->viewForItem(web->actionButton());
  ASSERT_NE(action, nullptr);
  const CGRect r = action->convertRectToView(action->bounds(), nullptr);
  backend.tap(CGPointMake(CGRectGetMidX(r), CGRectGetMidY(r)));
  backend.advance(500);
  ASSERT_NE(web->actionSheet(), nullptr);
  EXPECT_TRUE(web->actionSheet()->isVisible());
  web->actionSheet()->clickButtonAtIndex(web->actionSheet()->cancelButtonIndex());
  backend.advance(500);

  web->backButton()->trigger();
  waitForLoad();
  EXPECT_EQ(web->title(), "Help");
  EXPECT_FALSE(actionOffered());
}

TEST_F(OwnPagesTest, LinkOfAnotherProgramGoesToItOrAnAlertSaysNoneOpensIt) {
  nav = std::make_shared<UINavigationController>(web);
  web->openURL(page);
  presenter->presentModalViewController(nav, true);
  backend.advance(500);
  waitForLoad();

  tapBlock(3);  // mail: the desktop has a mail program
  backend.advance(500);
  EXPECT_EQ(opened, std::vector<std::string>{"mailto:lumeno@localhost"});
  EXPECT_EQ(web->alert(), nullptr);
  EXPECT_EQ(web->title(), "Help");  // the page stays, nothing loads
  EXPECT_EQ(web->URL(), page);

  opened.clear();
  tapBlock(2);  // the reading log: no program here opens its links
  backend.advance(500);
  EXPECT_TRUE(opened.empty());
  ASSERT_NE(web->alert(), nullptr);
  EXPECT_TRUE(web->alert()->isVisible());
  EXPECT_EQ(web->alert()->title(), "Cannot Open Link");
  EXPECT_NE(web->alert()->message().find("\"tallowmirlog:\""), std::string::npos) << web->alert()->message();
  EXPECT_EQ(web->title(), "Help");
  EXPECT_EQ(web->URL(), page);
  EXPECT_FALSE(web->backButton()->isEnabled());
  shoot("web-screen-no-program.png");
}

TEST_F(OwnPagesTest, PageIsLaidOutToTheScreensWidthInBothOrientations) {
  nav = std::make_shared<UINavigationController>(web);
  web->openURL(page);
  presenter->presentModalViewController(nav, true);
  backend.advance(500);
  waitForLoad();
  for (auto orientation : {UIDeviceOrientationPortrait, UIDeviceOrientationLandscapeLeft}) {
    SCOPED_TRACE(orientation);
    backend.rotate(orientation);
    backend.advance(500);
    UIWebView* view = web->webView();
    const double width = view->bounds().size.width;
    EXPECT_DOUBLE_EQ(width, orientation == UIDeviceOrientationPortrait ? 320 : 480);  // the page turns too
    EXPECT_DOUBLE_EQ(view->scrollView()->contentSize().width, width);  // nothing to scroll sideways
    UIView* paragraph = view->viewForBlock(1);
    ASSERT_NE(paragraph, nullptr);
    EXPECT_LE(CGRectGetMaxX(paragraph->frame()), width);
    EXPECT_GT(paragraph->frame().size.width, width - 20);  // and uses the width it has
    shoot(orientation == UIDeviceOrientationPortrait ? "web-screen-own-page-portrait.png"
                                                     : "web-screen-own-page-landscape.png");
  }
}

TEST_F(WebControllerTest, SavedAddressComesBackUnlessBlankOrMissing) {
  present("/first");
  waitForLoad();
  Value::Map saved;
  EXPECT_TRUE(web->persistView(saved));
  EXPECT_EQ(saved["URL"], Value(server.url("/first")));

  struct Case {
    const char* name;
    Value::Map state;
  } ignored[] = {{"missing", {}}, {"empty", {{"URL", Value("")}}}, {"blank", {{"URL", Value("about:blank")}}}};
  for (const auto& c : ignored) {
    SCOPED_TRACE(c.name);
    web->restoreView(c.state);
    EXPECT_EQ(web->title(), "Stop signs");
    EXPECT_EQ(web->URL(), server.url("/first"));
  }
  web->restoreView({{"URL", Value(server.url("/second"))}});
  waitForLoad();
  EXPECT_EQ(web->title(), "Compulsory stops");
}

TEST_F(WebControllerTest, ScreenOffDisplayAtAMemoryWarningReopensItsPage) {
  present("/second");
  waitForLoad();
  nav->pushViewController(std::make_shared<UIViewController>(), false);
  backend.advance(10);
  web->didReceiveMemoryWarning();
  EXPECT_FALSE(web->isViewLoaded());
  EXPECT_EQ(web->webView(), nullptr);
  nav->popViewControllerAnimated(false);
  backend.advance(10);
  ASSERT_NE(web->webView(), nullptr);
  waitForLoad();
  EXPECT_EQ(web->title(), "Compulsory stops");
}

TEST_F(WebControllerTest, NavigatorURLLoadsTheRequestInTheQueryFirst) {
  NSURLRequest request(server.url("/second"));
  auto fromRequest = TTWebController::createWithNavigatorURL(server.url("/first"), {{"request", &request}});
  auto fromURL = TTWebController::createWithNavigatorURL(server.url("/first"), {});
  EXPECT_EQ(fromRequest->URL(), server.url("/second"));
  EXPECT_EQ(fromURL->URL(), server.url("/first"));
  EXPECT_TRUE(fromRequest->hidesBottomBarWhenPushed());
}

TEST_F(WebControllerTest, HeaderViewSitsAboveThePageInsideTheScrollingArea) {
  present("/first");
  waitForLoad();
  UIView* firstBlock = web->webView()->viewForBlock(0);
  const double top = firstBlock->frame().origin.y;
  auto header = std::make_shared<UIView>(CGRectMake(5, 5, 100, 60));
  web->setHeaderView(header);
  EXPECT_EQ(header->superview(), web->webView()->scrollView());
  EXPECT_TRUE(near(header->frame(), CGRectMake(0, 0, web->webView()->bounds().size.width, 60)));
  EXPECT_DOUBLE_EQ(firstBlock->frame().origin.y, top + 60);
  auto taller = std::make_shared<UIView>(CGRectMake(0, 0, 320, 80));
  web->setHeaderView(taller);
  EXPECT_EQ(header->superview(), nullptr);
  EXPECT_DOUBLE_EQ(firstBlock->frame().origin.y, top + 80);
  web->setHeaderView(nullptr);
  EXPECT_DOUBLE_EQ(firstBlock->frame().origin.y, top);
}

}  // namespace
