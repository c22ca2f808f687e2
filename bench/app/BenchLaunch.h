#pragma once
// The program launched in this process as its main() does, headless, with its Documents,
// settings and caches in a folder of the caller's: the application delegate, the tab bar and
// the chapter index, which opens the reading screen at the last place.

#include <memory>
#include <string>

#include "Classes/App/LumenoAppShell.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/ui/BackendOptions.h"

class SurahViewController;

class BenchLaunch {
public:
    // home: the folder for Documents, settings and caches; scale: pixels per point;
    // virtualClock: time moves only when the caller advances it (else the real clock).
    BenchLaunch(const std::string& home, int scale, bool virtualClock);
    ~BenchLaunch();
    BenchLaunch(const BenchLaunch&) = delete;
    BenchLaunch& operator=(const BenchLaunch&) = delete;

    // Launches; false when start-up stopped (the databases did not open).
    [[nodiscard]] bool launch();
    // The reading screen once the index has made it, or null.
    SurahViewController* readingScreen() const;
    // The reading screen is on display with its chapter's rows loaded.
    bool readingScreenLoaded() const;
    HeadlessBackend& backend() { return backend_; }

private:
    BackendOptions options_;  // first: the folders are set before anything reads the settings
    LumenoAppShell shell_;
    HeadlessBackend backend_;
};
