#include "toolkit/styledtext/TTWordMeasure.h"

#include <cfloat>
#include <cstdio>
#include <unordered_map>

#include "platform/text/StringDrawing.h"

namespace TTWordMeasure {

namespace {
constexpr size_t kMaxEntries = 100000;
constexpr size_t kMaxWordBytes = 64;

// Unbounded single-paragraph sizes by font and word; main thread only, like all layout.
std::unordered_map<std::string, CGSize>& cache() {
    static std::unordered_map<std::string, CGSize> sizes;
    return sizes;
}

std::string keyOf(const std::string& text, const UIFont& font) {
    char size[32];
    std::snprintf(size, sizeof size, "|%.3f|", font.pointSize());
    return font.fontName() + size + text;
}
}  // namespace

CGSize sizeOf(const std::string& text, const UIFont& font, CGFloat width) {
    const CGSize bounds = CGSizeMake(width > 0 ? width : FLT_MAX, FLT_MAX);
    if (text.size() > kMaxWordBytes || text.find('\n') != std::string::npos)
        return sizeWithFont(text, font, bounds, UILineBreakModeWordWrap);
    auto& sizes = cache();
    const std::string key = keyOf(text, font);
    auto it = sizes.find(key);
    if (it == sizes.end()) {
        if (sizes.size() >= kMaxEntries) sizes.clear();
        it = sizes.emplace(key, sizeWithFont(text, font, CGSizeMake(FLT_MAX, FLT_MAX), UILineBreakModeWordWrap)).first;
    }
    // A word that fits measures as it does unbounded; a wider one is wrapped in the width.
    if (it->second.width <= bounds.width) return it->second;
    return sizeWithFont(text, font, bounds, UILineBreakModeWordWrap);
}

void clear() { cache().clear(); }

}  // namespace TTWordMeasure
