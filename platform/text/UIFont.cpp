#include "platform/text/UIFont.h"

#include "platform/text/TextSystem.h"

#include <hb-ot.h>
#include <pango/pangocairo.h>

#include <array>

namespace {

struct Style {
    const char* suffix;
    bool bold;
    bool italic;
};

constexpr std::array<Style, 5> kStyles{{{"-BoldOblique", true, true},
                                        {"-BoldItalic", true, true},
                                        {"-Bold", true, false},
                                        {"-Oblique", false, true},
                                        {"-Italic", false, true}}};

}  // namespace

UIFont::UIFont(std::string name, std::string family, bool bold, bool italic, double pointSize)
    : name_(std::move(name)), family_(std::move(family)), bold_(bold), italic_(italic), size_(pointSize) {
    desc_ = pango_font_description_new();
    pango_font_description_set_family(desc_, family_.c_str());
    pango_font_description_set_weight(desc_, bold_ ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(desc_, italic_ ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    // Sizes are in points, which are our user units.
    pango_font_description_set_absolute_size(desc_, size_ * PANGO_SCALE);
}

UIFont::~UIFont() { pango_font_description_free(desc_); }

UIFontPtr UIFont::fontWithName(const std::string& name, double size) {
    if (name.empty() || !(size > 0)) return nullptr;
    std::string family = name;
    bool bold = false, italic = false;
    for (const auto& s : kStyles) {
        std::string suffix = s.suffix;
        if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
            family = name.substr(0, name.size() - suffix.size());
            bold = s.bold;
            italic = s.italic;
            break;
        }
    }
    return std::make_shared<UIFont>(name, family, bold, italic, size);
}

UIFontPtr UIFont::systemFontOfSize(double size) { return fontWithName("Helvetica", size); }
UIFontPtr UIFont::boldSystemFontOfSize(double size) { return fontWithName("Helvetica-Bold", size); }
UIFontPtr UIFont::italicSystemFontOfSize(double size) { return fontWithName("Helvetica-Oblique", size); }

UIFontPtr UIFont::fontWithSize(double size) const {
    if (!(size > 0)) return nullptr;
    return std::make_shared<UIFont>(name_, family_, bold_, italic_, size);
}

void UIFont::loadMetrics() const {
    if (metricsLoaded_) return;
    TextSystem& ts = TextSystem::shared();
    std::lock_guard<std::recursive_mutex> lock(ts.lock());
    if (metricsLoaded_) return;
    PangoFont* font = pango_font_map_load_font(ts.fontMap(), ts.context(), desc_);
    if (font) {
        PangoFontMetrics* m = pango_font_get_metrics(font, pango_language_from_string("en"));
        ascender_ = pango_font_metrics_get_ascent(m) / double(PANGO_SCALE);
        descender_ = -pango_font_metrics_get_descent(m) / double(PANGO_SCALE);
        pango_font_metrics_unref(m);
        hb_font_t* hb = pango_font_get_hb_font(font);
        int xScale = 0, yScale = 0;
        if (hb) hb_font_get_scale(hb, &xScale, &yScale);
        if (hb && yScale != 0) {
            hb_position_t cap = 0, x = 0;
            hb_ot_metrics_get_position_with_fallback(hb, HB_OT_METRICS_TAG_CAP_HEIGHT, &cap);
            hb_ot_metrics_get_position_with_fallback(hb, HB_OT_METRICS_TAG_X_HEIGHT, &x);
            capHeight_ = cap * size_ / yScale;
            xHeight_ = x * size_ / yScale;
        }
        g_object_unref(font);
    }
    metricsLoaded_ = true;
}

double UIFont::ascender() const { loadMetrics(); return ascender_; }
double UIFont::descender() const { loadMetrics(); return descender_; }
double UIFont::lineHeight() const { loadMetrics(); return ascender_ - descender_; }
double UIFont::capHeight() const { loadMetrics(); return capHeight_; }
double UIFont::xHeight() const { loadMetrics(); return xHeight_; }
