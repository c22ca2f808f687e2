#include "Classes/Reading/TranslationMeta.h"

#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "platform/foundation/Format.h"
#include "platform/text/StringDrawing.h"
#include "platform/text/UIFont.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <utility>

namespace {

// Measured text heights by font size, width and text: reopening a chapter, turning back
// and forth or re-reading a verse's note measures nothing again.
class MeasuredHeights {
public:
    std::optional<int> find(const std::string& key) {
        std::lock_guard<std::mutex> guard(lock_);
        auto it = heights_.find(key);
        if (it == heights_.end()) return std::nullopt;
        return it->second;
    }
    void store(const std::string& key, int height) {
        std::lock_guard<std::mutex> guard(lock_);
        if (heights_.size() >= kCapacity) heights_.clear();
        heights_[key] = height;
    }

private:
    static constexpr size_t kCapacity = 20000;
    std::mutex lock_;
    std::unordered_map<std::string, int> heights_;
};

MeasuredHeights& measuredHeights() {
    static MeasuredHeights cache;
    return cache;
}

}  // namespace

TranslationMeta::TranslationMeta(std::string translation, int translator, int surah, int verse,
                                 bool usingDynamicHeights)
    : ThisSurah_(surah), ThisVerse_(verse), ThisTranslator_(translator), usingDynamicHeights_(usingDynamicHeights),
      Translation_(std::move(translation)) {}

int TranslationMeta::Height() { return measure(Height_, kPortraitWidth); }
int TranslationMeta::LandscapeHeight() { return measure(LandscapeHeight_, kLandscapeWidth); }

bool TranslationMeta::textToMeasure(std::string& text) const {
    if (ThisSurah_ == 0) return false;
    if (ThisTranslator_ == 1000) {
        if (Translation_.empty()) return false;
        text = Translation_;
    } else {
        text = getSimpleTransliteration();
    }
    return true;
}

std::string TranslationMeta::measureKey(const std::string& text, int width) const {
    return std::to_string(getFontSize()) + ":" + std::to_string(width) + ":" + text;
}

int TranslationMeta::EstimatedHeight(bool landscape) {
    const int& slot = landscape ? LandscapeHeight_ : Height_;
    std::string text;
    if (slot != -1 || !textToMeasure(text)) return slot;
    if (text.empty()) return 0;
    const int width = landscape ? kLandscapeWidth : kPortraitWidth;
    if (std::optional<int> known = measuredHeights().find(measureKey(text, width)))
        return *known >= 1 ? *known + kTextPadding : *known;
    // Average advances as shares of the font size: Latin-like letters about half, wide
    // (CJK) characters a whole em; lines a little over the size apart.
    const double size = getFontSize();
    double advance = 0;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        advance += lead >= 0xE3 && lead <= 0xED ? size : size * 0.5;
        i += n;
    }
    const int lines = std::max(1, static_cast<int>(std::ceil(advance * 1.08 / width)));
    return static_cast<int>(lines * size * 1.2) + kTextPadding;
}

int TranslationMeta::measure(int& slot, int width) {
    std::string text;
    if (slot != -1) return slot;
    if (!textToMeasure(text)) return -1;
    int height = 0;
    if (!text.empty()) {
        const int size = getFontSize();
        const std::string key = measureKey(text, width);
        if (std::optional<int> known = measuredHeights().find(key)) {
            height = *known;
        } else {
            UIFontPtr font = UIFont::fontWithName("Helvetica", size);
            height = static_cast<int>(
                sizeWithFont(text, *font, CGSize{static_cast<double>(width), 100000}, UILineBreakModeWordWrap).height);
            measuredHeights().store(key, height);
        }
    }
    slot = height >= 1 ? height + kTextPadding : height;
    return slot;
}

int TranslationMeta::fontSizeFor(int translator, int sizeIndex) {
    static constexpr int kLarge[] = {17, 19, 21, 23, 26};
    static constexpr int kMedium[] = {16, 18, 20, 22, 24};
    static constexpr int kCommentary[] = {15, 17, 19, 21, 23};
    static constexpr int kOther[] = {12, 14, 16, 19, 21};
    const int* table = kOther;
    switch (translator) {
    case 15: case 16: case 36: table = kLarge; break;
    case 22: case 26: case 31: table = kMedium; break;
    case 27: case 38: table = kCommentary; break;
    default: break;
    }
    return sizeIndex >= 0 && sizeIndex <= 4 ? table[sizeIndex] : table[1];
}

int TranslationMeta::getFontSize() const {
    return fontSizeFor(ThisTranslator_, LumenoSDKAppDelegate::TranslationFontSize());
}

std::string TranslationMeta::getSimpleTransliteration() const {
    if (ThisTranslator_ != 10) return Translation_;
    std::string text = Translation_;
    for (const char* tag : {"<b>", "<i>", "<u>", "</b>", "</u>", "</i>"}) {
        const std::string t = tag;
        for (size_t at = text.find(t); at != std::string::npos; at = text.find(t, at + 1)) text.replace(at, t.size(), "W");
    }
    return text;
}

std::string TranslationMeta::description() {
    return stringWithFormat("Translation: %@, Height: %i, Landscape Height: %i, Surah: %i, Verse: %i, Translator: %i",
                            Translation_.c_str(), Height(), LandscapeHeight(), ThisSurah_, ThisVerse_, ThisTranslator_);
}
