#include "tests/Classes/Audio/DownloadFlowFixture.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/Language.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"
#include "tests/support/FirstRunScreens.h"
#include "tests/support/ScreenTouches.h"

namespace {
constexpr const char* kNotifications[] = {"WillBeginDownloadingAudio", "DidFinishDownloadingAudio",
                                          "RequiresRefreshOfSoundStatus"};
}

void DownloadFlowTest::SetUp() {
    ShellTest::SetUp();
    NSUserDefaults& d = NSUserDefaults::standardUserDefaults();
    for (const auto& [key, value] : d.storedValues()) d.removeObjectForKey(key);
    LumenoSDKAppDelegate::resetCachedFactsForTesting();
    LumenoSDKAppDelegate::initialize();
    Language::setLanguage("en");
    markFirstRunScreensSeen();
    d.setInteger(kReciter, "CurrentReciterv22");
    d.synchronize();
    std::error_code error;
    std::filesystem::remove(Paths::documents() + "/" + LumenoSDKAppDelegate::userDbFileName(), error);
    std::filesystem::remove_all(Paths::caches() + "/audio", error);
    IndexViewController::registerInterface();
    for (const char* name : kNotifications)
        NSNotificationCenter::defaultCenter().addObserver(this, name, [this, name] {
            posted_.push_back(name);
            // The chapter and mirror are set just after the notice.
            if (std::string(name) == "WillBeginDownloadingAudio")
                RunLoop::main().post([this] {
                    if (!shell || !shell->isDownloading()) return;
                    begun_.push_back(shell->downloadingSurah());
                    servers_.push_back(shell->currdownloadServer());
                });
        });
}

void DownloadFlowTest::TearDown() {
    NSNotificationCenter::defaultCenter().removeObserver(this);
    if (shell && shell->isDownloading()) shell->cancelDownload();
    ShellTest::TearDown();
    if (mirror) mirror->stop();
    LumenoSDKAppDelegate::setMirrorHosts("demo");
}

void DownloadFlowTest::startMirror(const std::string& failure) {
    std::string error;
    DemoMirrorProcess::Options options;
    options.failure = failure;
    mirror = DemoMirrorProcess::start(options, error);
    ASSERT_TRUE(mirror) << error;
    LumenoSDKAppDelegate::setMirrorHosts(mirror->host());
}

void DownloadFlowTest::launchProgram() {
    ASSERT_TRUE(launch());
    // Past the launch's delayed prompts, then without the notices they raised.
    settle(3500);
    dismissDialogs();
    settle();
}

void DownloadFlowTest::settle(double ms) {
    backend->advance(ms);
    backend->runUntilIdle();
}

bool DownloadFlowTest::waitFor(const std::function<bool()>& condition, double realSeconds) {
    return RunLoop::main().runUntil(condition, realSeconds);
}

bool DownloadFlowTest::waitForDownloadEnd() {
    return waitFor([this] { return !shell->isDownloading() && !shell->settingUpSurah() && runningWorkerCount() == 0; });
}

IndexViewController& DownloadFlowTest::indexScreen() const {
    auto* index = dynamic_cast<IndexViewController*>(shell->getIndexViewController());
    if (!index) throw std::logic_error("the chapter index is not the real one");
    return *index;
}

UIActionSheet* DownloadFlowTest::sheet(long tag) const {
    for (UIActionSheet* s : dialogs<UIActionSheet>())
        if (s->tag() == tag) return s;
    return nullptr;
}

void DownloadFlowTest::tapSheetButton(UIActionSheet& s, int index, bool settleAfter) {
    settle();
    UIButton* button = s.buttonAtIndex(index);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(screen_touches::dragIntoView(*backend, *button, [this] { settle(1500); }));  // a tall sheet scrolls
    backend->tap(screen_touches::screenCentre(*button, button->bounds()));
    if (settleAfter) settle();
}

void DownloadFlowTest::tapView(UIView& view) {
    backend->tap(screen_touches::screenCentre(view, view.bounds()));
    settle();
}

void DownloadFlowTest::markInstalled(int from, int to, int reciter) {
    for (int surah = from; surah <= to; ++surah)
        ASSERT_TRUE(ChapterInfo::markAudioAsInstalled(shell->dbConnection(), surah, reciter));
}

int DownloadFlowTest::count(const std::string& notification) const {
    return static_cast<int>(std::count(posted_.begin(), posted_.end(), notification));
}
