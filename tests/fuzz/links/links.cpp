// The program's own links ("lumeno://chapter:verse[:translation]") as they come from outside.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Classes/App/LumenoAppShell.h"
#include "Classes/Core/ChapterInfo.h"

namespace {

// Records the verse a link opens instead of opening the reading screen.
class LinkShell : public LumenoAppShell {
public:
    void showSurahView(int surah, int verse, bool, bool) override {
        if (surah < 1 || surah > 114 || verse < -1 || verse > ChapterInfo::getVersesFromNumber(surah)) std::abort();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static LinkShell shell;
    shell.handleOpenURL(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
