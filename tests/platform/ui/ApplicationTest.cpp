#include "platform/foundation/NSNotificationCenter.h"
#include "platform/ui/BackendOptions.h"
#include "platform/ui/UIDevice.h"
#include "tests/platform/ui/UITestSupport.h"

namespace {
class LoggingDelegate : public UIApplicationDelegate {
public:
    bool applicationDidFinishLaunchingWithOptions(UIApplication&, const UIApplicationLaunchOptions& o) override
    {
        log += "launch(" + o.url + ") ";
        return true;
    }
    void applicationWillResignActive(UIApplication&) override { log += "resign "; }
    void applicationDidBecomeActive(UIApplication&) override { log += "active "; }
    void applicationDidEnterBackground(UIApplication&) override { log += "background "; }
    void applicationWillEnterForeground(UIApplication&) override { log += "foreground "; }
    void applicationWillTerminate(UIApplication&) override { log += "terminate "; }
    bool applicationHandleOpenURL(UIApplication&, const std::string& url) override
    {
        log += "open(" + url + ") ";
        return true;
    }
    std::string log;
};
}  // namespace

class ApplicationTest : public UITest {};

TEST_F(ApplicationTest, LifeCycleCallsComeInThePlatformsOrder)
{
    LoggingDelegate delegate;
    auto& app = UIApplication::sharedApplication();
    app.setDelegate(&delegate);
    EXPECT_TRUE(app.launch({"lumeno://2:255", nullptr}));
    EXPECT_EQ(app.applicationState(), UIApplicationStateActive);
    app.enterBackground();
    EXPECT_EQ(app.applicationState(), UIApplicationStateBackground);
    app.enterBackground();  // already there: nothing
    app.enterForeground();
    app.resignActive();
    app.becomeActive();
    EXPECT_TRUE(app.openURLFromOutside("lumeno://1:1"));
    app.terminate();
    EXPECT_EQ(delegate.log,
              "launch(lumeno://2:255) active resign background foreground active resign active open(lumeno://1:1) "
              "terminate ");
}

TEST_F(ApplicationTest, RotationNotifiesAndTheHostingLayerCanTakeItOver)
{
    auto& app = UIApplication::sharedApplication();
    int notes = 0;
    NSNotificationCenter::defaultCenter().addObserver(this, UIDeviceOrientationDidChangeNotification, [&] { ++notes; });
    backend.rotate(UIDeviceOrientationLandscapeRight);
    EXPECT_EQ(app.statusBarOrientation(), UIInterfaceOrientationLandscapeLeft);
    EXPECT_EQ(UIDevice::currentDevice().orientation(), UIDeviceOrientationLandscapeRight);
    app.setStatusBarHidden(false);
    EXPECT_TRUE(near(app.statusBarFrame(), CGRectMake(0, 0, 20, 480)));
    EXPECT_TRUE(near(UIScreen::mainScreen().applicationFrame(), CGRectMake(20, 0, 300, 480)));

    std::vector<int> asked;
    app.setRotationHandler([&](UIDeviceOrientation o) { asked.push_back(o); });
    backend.rotate(UIDeviceOrientationPortrait);
    EXPECT_EQ(asked, std::vector<int>{UIDeviceOrientationPortrait});
    EXPECT_EQ(app.statusBarOrientation(), UIInterfaceOrientationLandscapeLeft);  // the handler decides
    EXPECT_EQ(notes, 2);
    NSNotificationCenter::defaultCenter().removeObserver(this);
}

TEST_F(ApplicationTest, ServicesKeepTheirState)
{
    auto& app = UIApplication::sharedApplication();
    app.setIdleTimerDisabled(true);
    EXPECT_TRUE(backend.screenSaverInhibited());
    app.setIdleTimerDisabled(false);
    EXPECT_FALSE(backend.screenSaverInhibited());

    auto task = app.beginBackgroundTaskWithExpirationHandler([] {});
    EXPECT_NE(task, UIBackgroundTaskInvalid);
    EXPECT_EQ(app.backgroundTaskCount(), 1u);
    app.endBackgroundTask(task);
    EXPECT_EQ(app.backgroundTaskCount(), 0u);

    EXPECT_FALSE(app.canOpenURL("https://example.org"));
    EXPECT_FALSE(app.openURL("https://example.org"));
    std::string opened;
    app.setURLHandlers([&](const std::string& u) { opened = u; return true; },
                       [](const std::string& u) { return u.rfind("https:", 0) == 0; });
    EXPECT_TRUE(app.canOpenURL("https://example.org"));
    EXPECT_FALSE(app.canOpenURL("tallowmirlog://x"));
    EXPECT_TRUE(app.openURL("https://example.org"));
    EXPECT_EQ(opened, "https://example.org");
}

TEST(BackendOptionsTest, ParsesTheStartUpFlags)
{
    std::string error;
    auto o = BackendOptions::parse(std::vector<std::string>{"--headless", "--device", "tablet", "--scale", "2",
                                                            "--landscape", "--shots", "out", "lumeno://1:1"},
                                   &error);
    ASSERT_TRUE(o) << error;
    EXPECT_TRUE(o->headless);
    EXPECT_EQ(o->idiom, UIUserInterfaceIdiomPad);
    EXPECT_EQ(o->scale, 2);
    EXPECT_TRUE(o->landscape);
    EXPECT_EQ(o->shotsDir, "out");
    EXPECT_EQ(o->remaining, std::vector<std::string>{"lumeno://1:1"});

    struct Bad {
        std::vector<std::string> args;
        const char* mentions;
    } bad[] = {
        {{"--device"}, "--device"},
        {{"--device", "watch"}, "watch"},
        {{"--scale", "3"}, "--scale"},
        {{"--zoom", "big"}, "--zoom"},
        {{"--zoom", "0"}, "--zoom"},
        {{"--shots"}, "--shots"},
    };
    for (auto& b : bad) {
        error.clear();
        EXPECT_FALSE(BackendOptions::parse(b.args, &error));
        EXPECT_NE(error.find(b.mentions), std::string::npos) << error;
    }
}

TEST(BackendOptionsTest, ApplyConfiguresScreenAndDevice)
{
    UIApplication::sharedApplication().resetForTesting();
    BackendOptions o;
    o.idiom = UIUserInterfaceIdiomPad;
    o.scale = 2;
    o.apply();
    EXPECT_TRUE(near(UIScreen::mainScreen().bounds(), CGRectMake(0, 0, 768, 1024)));
    EXPECT_EQ(UIScreen::mainScreen().scale(), 2);
    EXPECT_EQ(UIDevice::currentDevice().model(), "iPad");
    EXPECT_EQ(UI_USER_INTERFACE_IDIOM(), UIUserInterfaceIdiomPad);
    BackendOptions{}.apply();
    EXPECT_EQ(UIDevice::currentDevice().model(), "iPhone");
}
