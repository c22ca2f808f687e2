// Opening chapter 2 (286 verses, English translation) on the reading screen, headless, from
// the chapter's choice to the first drawn frame. The screen is reused between openings as
// the chapter index reuses it; another chapter is opened in between so each opening of
// chapter 2 loads it anew. Prints "figure chapter_open_ms" (the first opening of chapter 2
// in the run, after chapter 1 loaded the glyph images: no translation height of chapter 2
// measured yet, as when a reader picks it), "figure chapter_reopen_ms" (median of the
// openings after the first, heights known) and "figure chapter_open_first_ms" (chapter 1
// opened first in the run, glyph images loaded then; target: at most 50 ms). A process opens
// its first chapter once: that figure is the median of several runs of this benchmark as a
// child process ("--first").

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Reading/SurahViewController.h"
#include "bench/support/ChildRun.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIWindow.h"
#include "tests/support/FirstRunScreens.h"

namespace {

using Clock = std::chrono::steady_clock;

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Opens chapter 1 first, then (unless only the first opening is asked for) chapter 2 and the
// reopenings; prints the figures or reports the first opening's time to the parent.
int run(const char* reportFd) {
    // A scratch home for the user database and the settings.
    std::string scratch = (std::filesystem::temp_directory_path() / "lumeno-bench-XXXXXX").string();
    if (!mkdtemp(scratch.data())) {
        std::fprintf(stderr, "cannot make a scratch folder\n");
        return 1;
    }
    setenv("LUMENO_DOCUMENTS_DIR", scratch.c_str(), 1);
    setenv("LUMENO_CONFIG_DIR", scratch.c_str(), 1);

    RunLoop::main().useVirtualClock();
    UIScreen::mainScreen().configure(UIUserInterfaceIdiomPhone, 2);
    HeadlessBackend backend;
    backend.attach();
    UIViewController::installPlatformHooks();
    UIApplication::sharedApplication().setStatusBarHidden(true);
    auto window = std::make_shared<UIWindow>();
    window->makeKeyAndVisible();

    int status = 0;
    {
        LumenoSDKAppDelegate app;
        if (!app.createEditableCopyOfDatabaseIfNeeded() || !app.initializeDatabase()) {
            std::fprintf(stderr, "databases did not open\n");
            status = 1;
        } else {
            NSUserDefaults::standardUserDefaults().setInteger(3, "CurrentTranslationv22");
            // The tips would cover the screen and are not the chapter's opening.
            markFirstRunScreensSeen();
            auto screen = std::make_shared<SurahViewController>();
            auto openChapter = [&](int surah) {
                const Clock::time_point start = Clock::now();
                screen->setupBasicSurah(surah, 1, false);
                if (screen->viewIsVisible()) {
                    screen->asyncSurahReload();
                } else {
                    screen->setRequiresReload(true);
                    window->setRootViewController(screen);
                    backend.advance(60);  // the reload waits 0.05 s of the clock after appearing
                }
                backend.frame();
                return ms(Clock::now() - start);
            };
            const double first = openChapter(1);  // loads the glyph images
            if (reportFd) {
                status = reportToParent(reportFd, std::to_string(first)) ? 0 : 1;
            } else {
                const double uncached = openChapter(2);  // nothing of chapter 2 measured yet
                std::vector<double> warm;
                for (int i = 0; i < 9; ++i) {
                    openChapter(3);
                    warm.push_back(openChapter(2));
                }
                if (screen->tblVerses->numberOfRowsInSection(0) != 573) {
                    std::fprintf(stderr, "chapter 2 did not open with its translation rows\n");
                    status = 1;
                }
                std::printf("figure chapter_open_ms %.2f ms\n", uncached);
                std::printf("figure chapter_reopen_ms %.2f ms\n", median(warm));
            }
            window->setRootViewController(nullptr);
        }
    }
    window.reset();
    std::filesystem::remove_all(scratch);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--first") == 0) return run(argv[2]);
    std::vector<double> firsts;
    for (int i = 0; i < 7; ++i) {
        const ChildReport child = runSelfAsChild({"--first"});
        if (!child.ok) {
            std::fprintf(stderr, "a first opening did not report\n");
            return 1;
        }
        firsts.push_back(std::stod(child.report));
    }
    std::printf("figure chapter_open_first_ms %.2f ms\n", median(firsts));
    return run(nullptr);
}
