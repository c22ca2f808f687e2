#include "toolkit/styledtext/TTWordMeasure.h"

#include <pango/pango.h>

#include <cfloat>
#include <cstdio>
#include <mutex>
#include <unordered_map>

#include "platform/text/StringDrawing.h"
#include "platform/text/TextSystem.h"

namespace TTWordMeasure {

namespace {
constexpr size_t kMaxEntries = 100000;
constexpr size_t kMaxWordBytes = 64;
// Wider than any screen: measured as unbounded (the platform takes 0 for that).
constexpr CGFloat kUnbounded = 1e6;

// Unbounded sizes by font and word; main thread only, like all layout. The width is the
// shaped advance before rounding, so that words placed one after another sit where the
// platform draws them as one run; the height is the platform's line.
std::unordered_map<std::string, CGSize>& cache() {
    static std::unordered_map<std::string, CGSize> sizes;
    return sizes;
}

std::string keyOf(const std::string& text, const UIFont& font) {
    char size[32];
    std::snprintf(size, sizeof size, "|%.3f|", font.pointSize());
    return font.fontName() + size + text;
}

double advanceOf(const std::string& text, const UIFont& font) {
    TextSystem& system = TextSystem::shared();
    std::lock_guard lock(system.lock());
    PangoLayout* layout = pango_layout_new(system.context());
    pango_layout_set_font_description(layout, font.description());
    pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    g_object_unref(layout);
    return static_cast<double>(logical.width) / PANGO_SCALE;
}
}  // namespace

CGSize sizeOf(const std::string& text, const UIFont& font, CGFloat width) {
    const CGFloat limit = width > 0 && width < kUnbounded ? width : 0;
    const CGSize bounds = CGSizeMake(limit, 0);
    // Long runs, line ends, malformed text and Arabic script (whose language may pick another
    // face) are measured by the platform as they stand.
    const bool arabicScript = text.find_first_of("\xD8\xD9\xDA\xDB") != std::string::npos;
    if (text.size() > kMaxWordBytes || arabicScript || text.find_first_of("\n\r") != std::string::npos ||
        !g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr))
        return sizeWithFont(text, font, bounds, UILineBreakModeWordWrap);
    auto& sizes = cache();
    const std::string key = keyOf(text, font);
    auto it = sizes.find(key);
    if (it == sizes.end()) {
        if (sizes.size() >= kMaxEntries) sizes.clear();
        const CGSize line = sizeWithFont(text, font, CGSizeMake(0, 0), UILineBreakModeWordWrap);
        it = sizes.emplace(key, CGSizeMake(advanceOf(text, font), line.height)).first;
    }
    // A word that fits measures as it does unbounded; a wider one is wrapped in the width.
    if (!limit || it->second.width <= limit) return it->second;
    return sizeWithFont(text, font, bounds, UILineBreakModeWordWrap);
}

void clear() { cache().clear(); }

}  // namespace TTWordMeasure
