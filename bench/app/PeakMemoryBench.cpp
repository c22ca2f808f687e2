// Memory while reading chapter 2 (286 verses, English translation) at the largest Arabic and
// translation font sizes on a double-density phone screen (the largest glyph images): the
// program launched in this process on fresh Documents and settings opens the chapter at its
// first verse, and the verse table is scrolled through to the chapter's end, half a screen at
// a time, each step drawn. Prints the process's peak resident set as "figure peak_rss_mb"
// (target: at most 120 MB), and where it stood before the chapter was read.

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "Classes/GlyphEngine/ArabicFont.h"
#include "Classes/Reading/SurahViewController.h"
#include "bench/app/BenchLaunch.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/ui/hosting/UITableView.h"

namespace {

// A "Vm..." line of /proc/self/status, in MB.
double statusMb(const std::string& key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key + ":", 0) == 0) return std::stod(line.substr(key.size() + 1)) / 1024.0;
    return -1;
}

}  // namespace

int main() {
    std::string home = (std::filesystem::temp_directory_path() / "lumeno-memory-XXXXXX").string();
    if (!mkdtemp(home.data())) {
        std::fprintf(stderr, "cannot make a scratch folder\n");
        return 1;
    }
    int status = 0;
    {
        BenchLaunch app(home, 2, true);
        auto& settings = NSUserDefaults::standardUserDefaults();
        settings.setString("4", "ArabicFontSize");
        settings.setString("4", "TranslationFontSize");
        settings.setInteger(2, "CurrentlyShowingSurah");
        settings.setInteger(1, "CurrentlyShowingVerse");
        if (!app.launch()) {
            std::fprintf(stderr, "the program did not start\n");
            status = 1;
        } else {
            app.backend().advance(500);
            SurahViewController* screen = app.readingScreen();
            if (!app.readingScreenLoaded() || screen->iCurrentSurah() != 2 || !screen->fontLoader() ||
                screen->fontLoader()->FONT_RESOLUTION() != 9) {
                std::fprintf(stderr, "chapter 2 did not open with the largest glyphs\n");
                status = 1;
            } else {
                const double launched = statusMb("VmHWM");
                UITableView& table = *screen->tblVerses;
                const double step = table.bounds().size.height / 2;
                const double end = table.contentSize().height - table.bounds().size.height;
                for (double y = 0; y <= end + step; y += step) {
                    table.setContentOffset(CGPointMake(0, std::min(y, end)));
                    app.backend().runUntilIdle();
                }
                std::printf("figure rss_after_launch_mb %.1f MB\n", launched);
                std::printf("figure peak_rss_mb %.1f MB\n", statusMb("VmHWM"));
            }
        }
    }
    std::filesystem::remove_all(home);
    return status;
}
