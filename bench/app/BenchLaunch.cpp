#include "bench/app/BenchLaunch.h"

#include <cstdlib>
#include <filesystem>

#include "Classes/Bookmarks/BookmarksViewController.h"
#include "Classes/Index/IndexViewController.h"
#include "Classes/Reading/SurahViewController.h"
#include "Classes/Search/SearchViewController.h"
#include "Classes/Settings/MoreViewController.h"
#include "platform/backends/headless/HeadlessAudioOutput.h"
#include "platform/foundation/RunLoop.h"
#include "platform/media/AudioOutput.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/hosting/UITableView.h"

namespace {

BackendOptions headlessOptions(const std::string& home, int scale, bool virtualClock) {
    for (const char* dir : {"documents", "config", "caches", "temp"})
        std::filesystem::create_directories(std::filesystem::path(home) / dir);
    setenv("LUMENO_DOCUMENTS_DIR", (home + "/documents").c_str(), 1);
    setenv("LUMENO_CONFIG_DIR", (home + "/config").c_str(), 1);
    setenv("LUMENO_CACHES_DIR", (home + "/caches").c_str(), 1);
    setenv("LUMENO_TEMP_DIR", (home + "/temp").c_str(), 1);
    BackendOptions options;
    options.headless = true;
    options.scale = scale;
    options.apply();
    if (virtualClock) RunLoop::main().useVirtualClock();
    return options;
}

}  // namespace

BenchLaunch::BenchLaunch(const std::string& home, int scale, bool virtualClock)
    : options_(headlessOptions(home, scale, virtualClock)), backend_(options_) {
    IndexViewController::registerInterface();
    BookmarksViewController::registerInterface();
    SearchViewController::registerInterface();
    MoreViewController::registerInterface();
    UIApplication::sharedApplication().setDelegate(&shell_);
    AudioOutput::setShared(HeadlessAudioOutput::create());
    backend_.attach();
}

BenchLaunch::~BenchLaunch() {
    auto& app = UIApplication::sharedApplication();
    app.terminate();
    AudioOutput::setShared(nullptr);
    app.setDelegate(nullptr);
}

bool BenchLaunch::launch() {
    UIApplication::sharedApplication().launch(UIApplicationLaunchOptions{});
    return shell_.startupFailureFile().empty();
}

SurahViewController* BenchLaunch::readingScreen() const {
    auto* index = dynamic_cast<IndexViewController*>(shell_.getIndexViewController());
    return index ? index->thisSurahController().get() : nullptr;
}

bool BenchLaunch::readingScreenLoaded() const {
    SurahViewController* screen = readingScreen();
    return screen && screen->viewIsVisible() && !screen->RequiresReload() && !screen->settingUpSurah() &&
           screen->tblVerses && screen->tblVerses->numberOfRowsInSection(0) > 0;
}
