#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/foundation/Log.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIEvent.h"
#include "tests/platform/ui/UITestSupport.h"
#include "tests/toolkit/navigator/NavigatorFixtures.h"
#include "toolkit/foundation/NSString+TTCategory.h"
#include "toolkit/navigator/TTNavigator.h"
#include "toolkit/navigator/TTNavigatorWindow.h"
#include "toolkit/views/UIViewController+TTCategory.h"

namespace {
class NavigatorTest : public UITest {
 protected:
  void SetUp() override {
    UITest::SetUp();
    UIViewController::installPlatformHooks();
    registerNavigatorFixtures();
    settingsPath = std::filesystem::temp_directory_path() / ("navigator-" + std::to_string(::getpid()) + ".bin");
    std::filesystem::remove(settingsPath);
    defaults = std::make_unique<NSUserDefaults>(settingsPath.string());
    start();
  }
  void TearDown() override {
    navigator.reset();
    std::filesystem::remove(settingsPath);
    UITest::TearDown();
  }
  // A navigator as the program makes it at launch, with its patterns.
  void start() {
    navigator = std::make_unique<TTNavigator>(*defaults);
    auto& map = navigator->URLMap();
    ASSERT_TRUE(map.fromToViewController("tt://home", "PlainController"));
    ASSERT_TRUE(map.fromToViewController("tt://photo/(initWithPhotoId)", "PhotoController"));
    ASSERT_TRUE(map.fromToSharedViewController("tt://shared", "PlainController"));
    ASSERT_TRUE(map.fromToModalViewController("tt://compose", "PlainController"));
    ASSERT_TRUE(map.fromToViewController("tt://host", "HostController"));
    ASSERT_TRUE(map.fromToViewController("tt://child", "PlainController", "", UIViewAnimationTransitionNone, "tt://shared"));
    ASSERT_TRUE(map.fromToViewController("tt://note", "NotePopup"));
    ASSERT_TRUE(map.fromToViewController("tt://loop", "PlainController", "", UIViewAnimationTransitionNone, "tt://loop"));
  }
  // Quits and starts again on the same settings file.
  void restart() {
    navigator.reset();
    window = std::make_shared<UIWindow>();
    window->makeKeyAndVisible();
    UIViewController::installPlatformHooks();
    defaults = std::make_unique<NSUserDefaults>(settingsPath.string());
    start();
  }
  std::vector<std::string> stackURLs() {
    std::vector<std::string> urls;
    auto* nav = dynamic_cast<UINavigationController*>(navigator->rootViewController());
    if (!nav) return urls;
    for (const auto& c : nav->viewControllers()) urls.push_back(tt::navigatorURL(*c));
    return urls;
  }
  void settle() { RunLoop::main().advance(1000); }

  std::filesystem::path settingsPath;
  std::unique_ptr<NSUserDefaults> defaults;
  std::unique_ptr<TTNavigator> navigator;
};

using Strings = std::vector<std::string>;
}  // namespace

TEST_F(NavigatorTest, OpeningPushesAndBackingPops) {
  auto home = navigator->openURL("tt://home", false);
  ASSERT_TRUE(home);
  auto* nav = dynamic_cast<UINavigationController*>(navigator->rootViewController());
  ASSERT_TRUE(nav) << "a plain first screen gets a navigation controller as root";
  auto photo = std::dynamic_pointer_cast<PhotoController>(navigator->openURL("tt://photo/42", true));
  ASSERT_TRUE(photo);
  EXPECT_EQ(photo->photoId, 42);
  settle();
  EXPECT_EQ(stackURLs(), (Strings{"tt://home", "tt://photo/42"}));
  EXPECT_EQ(navigator->URL(), "tt://photo/42");
  EXPECT_EQ(navigator->pathForObject(photo.get()), "1");
  EXPECT_EQ(navigator->objectForPath("1"), photo.get());

  nav->popViewControllerAnimated(false);
  EXPECT_EQ(navigator->URL(), "tt://home");
  EXPECT_EQ(navigator->topViewController(), home.get());
}

TEST_F(NavigatorTest, MissesAndVetoesShowNothing) {
  navigator->openURL("tt://home", false);
  struct Veto : TTNavigatorDelegate {
    bool shouldOpenURL(TTNavigator&, const NSURL& url) override { return url.host() != "photo"; }
  } veto;
  navigator->setDelegate(&veto);
  LogCapture log;
  for (const char* url : {"", "tt://nowhere/1", "http://example.org/", "tt://photo/1", "bad url"})
    EXPECT_FALSE(navigator->openURL(url, false)) << url;
  EXPECT_FALSE(navigator->openURLs({}));
  EXPECT_EQ(log.lines(), Strings{}) << "a miss says nothing";
  EXPECT_EQ(stackURLs(), Strings{"tt://home"});
  navigator->setDelegate(nullptr);
}

TEST_F(NavigatorTest, SharedControllerIsReusedWhileItLives) {
  navigator->openURL("tt://home", false);
  auto shared = navigator->openURL("tt://shared", false);
  EXPECT_EQ(navigator->openURL("tt://shared", false), shared);  // already on top: nothing new
  EXPECT_EQ(stackURLs(), (Strings{"tt://home", "tt://shared"}));

  // A child whose parent URL is the shared screen: the parent comes forward first.
  navigator->openURL("tt://photo/1", false);
  navigator->openURL("tt://child", false);
  EXPECT_EQ(stackURLs(), (Strings{"tt://home", "tt://shared", "tt://child"}));

  auto* nav = dynamic_cast<UINavigationController*>(navigator->rootViewController());
  nav->popToRootViewControllerAnimated(false);
  UIViewController* old = shared.get();
  shared.reset();
  auto again = navigator->openURL("tt://shared", false);
  ASSERT_TRUE(again);
  EXPECT_EQ(navigator->openURL("tt://shared", false), again);
  (void)old;
}

TEST_F(NavigatorTest, ModalScreensComeInTheirOwnNavigationController) {
  navigator->openURL("tt://home", false);
  auto compose = navigator->openURL("tt://compose", false);
  ASSERT_TRUE(compose);
  EXPECT_EQ(navigator->topViewController(), compose.get());
  auto* modalNav = compose->navigationController();
  ASSERT_TRUE(modalNav);
  EXPECT_EQ(navigator->rootViewController()->modalViewController(), modalNav);
}

TEST_F(NavigatorTest, FragmentOfTheCurrentPageCallsTheVisibleController) {
  navigator->openURL("tt://home", false);
  auto photo = std::dynamic_pointer_cast<PhotoController>(navigator->openURL("tt://photo/3", false));
  ASSERT_TRUE(photo);
  EXPECT_EQ(navigator->openURL("#showComments", false), photo);
  EXPECT_EQ(photo->commentsShown, 1);
  EXPECT_EQ(stackURLs(), (Strings{"tt://home", "tt://photo/3"}));
}

TEST_F(NavigatorTest, DelayGate) {
  navigator->openURL("tt://home", false);
  auto photo = std::dynamic_pointer_cast<PhotoController>(
      navigator->openURL("tt://photo/8", "", std::nullopt, nullptr, false, UIViewAnimationTransitionNone, true));
  ASSERT_TRUE(photo);
  EXPECT_TRUE(navigator->isDelayed());
  // Opening what is on top shows nothing, so its delay is taken back.
  navigator->openURL("tt://photo/8#x", "", std::nullopt, nullptr, false, UIViewAnimationTransitionNone, true);
  EXPECT_TRUE(navigator->isDelayed());
  navigator->endDelay();
  EXPECT_FALSE(navigator->isDelayed());
  EXPECT_EQ(photo->delayEnds, 1);
  navigator->endDelay();  // nothing below zero
  EXPECT_FALSE(navigator->isDelayed());
}

TEST_F(NavigatorTest, StackIsRestoredAfterARestart) {
  navigator->setPersistenceMode(TTNavigatorPersistenceMode::All);
  navigator->openURL("tt://home", false);
  navigator->openURL("tt://photo/42", false);
  auto last = std::dynamic_pointer_cast<PhotoController>(navigator->openURL("tt://photo/7", false));
  last->scrollY = 120;
  NSNotificationCenter::defaultCenter().postNotificationName(UIApplicationWillTerminateNotification);

  restart();
  navigator->setPersistenceMode(TTNavigatorPersistenceMode::All);
  auto restored = std::dynamic_pointer_cast<PhotoController>(navigator->restoreViewControllers());
  ASSERT_TRUE(restored);
  EXPECT_EQ(restored->photoId, 7);
  EXPECT_EQ(restored->scrollY, 120);
  EXPECT_TRUE(restored->isModelCreated());  // asked for at once
  EXPECT_EQ(stackURLs(), (Strings{"tt://home", "tt://photo/42", "tt://photo/7"}));
  backend.advance(50);
  const char* dir = std::getenv("LUMENO_TEMP_DIR");
  EXPECT_TRUE(backend.screenshot(std::string(dir ? dir : ".") + "/navigator-restored.png"));
  auto middle = backend.pixelAt({160, 240});
  EXPECT_EQ(middle.g, middle.b);  // the restored top screen fills the window
  EXPECT_GT(middle.g, 100);
  EXPECT_LT(middle.r, 20);

  // Back still works on the restored stack.
  auto* nav = dynamic_cast<UINavigationController*>(navigator->rootViewController());
  nav->popViewControllerAnimated(false);
  EXPECT_EQ(navigator->URL(), "tt://photo/42");
}

TEST_F(NavigatorTest, StaleHistoryIsSkippedAndTheRestShown) {
  Value::Array history{Value(Value::Map{{"__navigatorURL__", "tt://home"}}), Value("not a screen"),
                       Value(Value::Map{{"__navigatorURL__", "tt://removed/1"}}), Value(Value::Map{{"other", 1}}),
                       Value(Value::Map{{"__navigatorURL__", 5}}), Value(Value::Map{{"__navigatorURL__", "tt://photo/2"}})};
  defaults->setArray(history, "TTNavigatorHistory");
  LogCapture log;
  auto last = std::dynamic_pointer_cast<PhotoController>(navigator->restoreViewControllers());
  ASSERT_TRUE(last);
  EXPECT_EQ(last->photoId, 2);
  EXPECT_EQ(stackURLs(), (Strings{"tt://home", "tt://photo/2"}));
  EXPECT_FALSE(log.contains("tt://removed/1"));
  EXPECT_EQ(log.count("without a URL"), 3u);

  defaults->setArray({Value(Value::Map{{"__navigatorURL__", "tt://removed/1"}})}, "TTNavigatorHistory");
  restart();
  EXPECT_FALSE(navigator->restoreViewControllers());
  EXPECT_EQ(navigator->rootViewController(), nullptr);
}

TEST_F(NavigatorTest, TopModeStopsAfterTheScreenFollowingAContainer) {
  Value::Array history{Value(Value::Map{{"__navigatorURL__", "tt://host"}}),
                       Value(Value::Map{{"__navigatorURL__", "tt://home"}}),
                       Value(Value::Map{{"__navigatorURL__", "tt://photo/2"}})};
  defaults->setArray(history, "TTNavigatorHistory");
  navigator->setPersistenceMode(TTNavigatorPersistenceMode::Top);
  auto last = navigator->restoreViewControllers();
  ASSERT_TRUE(last);
  EXPECT_EQ(tt::navigatorURL(*last), "tt://home");
  EXPECT_EQ(stackURLs(), Strings{"tt://home"});
}

TEST_F(NavigatorTest, ExpiredHistoryIsIgnoredButKept) {
  defaults->setArray({Value(Value::Map{{"__navigatorURL__", "tt://home"}})}, "TTNavigatorHistory");
  defaults->setDate(NSDate::dateWithTimeIntervalSinceNow(-7200), "TTNavigatorHistoryTime");
  navigator->setPersistenceExpirationAge(3600);
  EXPECT_FALSE(navigator->restoreViewControllers());
  EXPECT_TRUE(defaults->arrayForKey("TTNavigatorHistory"));
  navigator->setPersistenceExpirationAge(0);
  EXPECT_TRUE(navigator->restoreViewControllers());
  navigator->resetDefaults();
  EXPECT_FALSE(defaults->arrayForKey("TTNavigatorHistory"));
}

TEST_F(NavigatorTest, ToolkitLinksAndShakesReachTheNavigator) {
  navigator->openURL("tt://home", false);
  tt::openURL("tt://photo/5");
  settle();
  EXPECT_EQ(navigator->URL(), "tt://photo/5");
  auto* photo = dynamic_cast<PhotoController*>(navigator->visibleViewController());
  ASSERT_TRUE(photo);
  int before = photo->counting ? photo->counting->loads : 0;
  navigator->setSupportsShakeToReload(true);
  UIEvent shake(UIEventTypeMotion, UIEventSubtypeMotionShake, 0);
  photo->motionBegan(UIEventSubtypeMotionShake, &shake);
  ASSERT_TRUE(photo->counting);
  EXPECT_EQ(photo->counting->loads, before + 1);
  TTNavigatorWindow navigatorWindow(CGRect{{0, 0}, {320, 480}}, navigator.get());
  navigatorWindow.motionBegan(UIEventSubtypeMotionShake, &shake);
  EXPECT_EQ(photo->counting->loads, before + 2);
  navigator->setSupportsShakeToReload(false);
  navigatorWindow.motionBegan(UIEventSubtypeMotionShake, &shake);
  photo->motionBegan(UIEventSubtypeMotionShake, &shake);
  EXPECT_EQ(photo->counting->loads, before + 2);
}

TEST_F(NavigatorTest, PopupsGoOverTheirParent) {
  auto home = navigator->openURL("tt://home", false);
  auto note = std::dynamic_pointer_cast<NotePopup>(navigator->openURL("tt://note", false));
  ASSERT_TRUE(note);
  EXPECT_EQ(note->shownIn, home->view());
  EXPECT_EQ(tt::popupViewController(*home), note.get());
  EXPECT_EQ(tt::superController(*note), home.get());
  EXPECT_EQ(stackURLs(), Strings{"tt://home"});
  note.reset();
  EXPECT_EQ(tt::popupViewController(*home), nullptr);
}

// A popup is a model view controller that takes back, on each appearance, the status bar it
// was made under.
TEST_F(NavigatorTest, APopupKeepsTheStatusBarItWasMadeUnder) {
  auto& app = UIApplication::sharedApplication();
  app.setStatusBarStyle(UIStatusBarStyleBlackOpaque, false);
  auto popup = std::make_shared<NotePopup>();
  EXPECT_NE(dynamic_cast<TTModelViewController*>(popup.get()), nullptr);
  EXPECT_TRUE(popup->model());
  app.setStatusBarStyle(UIStatusBarStyleDefault, false);
  popup->viewWillAppear(false);
  EXPECT_EQ(app.statusBarStyle(), UIStatusBarStyleBlackOpaque);
}

TEST_F(NavigatorTest, RemovingAllViewControllersLeavesEverythingAsItIs) {
  auto home = navigator->openURL("tt://home", false);
  auto photo = navigator->openURL("tt://photo/3", false);
  auto shared = navigator->openURL("tt://shared", false);
  navigator->removeAllViewControllers();
  navigator->URLMap().removeObject(tt_class_detail::refFor(shared));
  EXPECT_EQ(stackURLs(), (Strings{"tt://home", "tt://photo/3", "tt://shared"}));
  EXPECT_EQ(navigator->topViewController(), shared.get());
  EXPECT_EQ(navigator->viewControllerForURL("tt://shared"), shared);
}

TEST_F(NavigatorTest, APatternThatIsItsOwnParentOpensOnce) {
  navigator->openURL("tt://home", false);
  LogCapture log;
  EXPECT_TRUE(navigator->openURL("tt://loop", false));
  EXPECT_TRUE(log.contains("tt://loop is its own parent"));
  EXPECT_EQ(stackURLs(), (Strings{"tt://home", "tt://loop", "tt://loop"}));
}

TEST_F(NavigatorTest, FrontControllers) {
  EXPECT_EQ(navigator->frontViewController(), nullptr);
  auto first = std::make_shared<UINavigationController>(std::make_shared<PlainController>());
  auto secondTop = std::make_shared<PlainController>();
  auto second = std::make_shared<UINavigationController>(secondTop);
  auto tabs = std::make_shared<UITabBarController>();
  tabs->setViewControllers({first, second});
  tabs->setSelectedViewController(second.get());
  navigator->setRootViewController(tabs);
  EXPECT_EQ(navigator->frontNavigationController(), second.get());
  EXPECT_EQ(navigator->frontViewController(), secondTop.get());
  EXPECT_EQ(navigator->topViewController(), secondTop.get());
}
