#include "platform/text/StringDrawing.h"

#include "platform/graphics/CGContext.h"
#include "platform/text/TextSystem.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

struct GObjectDeleter {
    void operator()(void* p) const { g_object_unref(p); }
};
using Layout = std::unique_ptr<PangoLayout, GObjectDeleter>;

struct Line {
    PangoLayoutLine* line = nullptr;
    double left = 0;      // the line's logical left edge relative to its origin
    double width = 0;     // logical width
    double baseline = 0;  // from the top of the text
    double top = 0;
    double height = 0;
    PangoRectangle ink{};  // relative to the line origin, pango units
};

struct Laid {
    Layout layout;
    std::vector<Line> lines;
    double width = 0;
    double height = 0;
    CGSize size() const { return {std::ceil(width - 1e-9), std::ceil(height - 1e-9)}; }
};

bool isTruncating(UILineBreakMode m) {
    return m == UILineBreakModeHeadTruncation || m == UILineBreakModeMiddleTruncation ||
           m == UILineBreakModeTailTruncation;
}

PangoEllipsizeMode ellipsizeFor(UILineBreakMode m) {
    switch (m) {
    case UILineBreakModeHeadTruncation: return PANGO_ELLIPSIZE_START;
    case UILineBreakModeMiddleTruncation: return PANGO_ELLIPSIZE_MIDDLE;
    case UILineBreakModeTailTruncation: return PANGO_ELLIPSIZE_END;
    default: return PANGO_ELLIPSIZE_NONE;
    }
}

// Letters used by Urdu and not by Arabic or Persian: tteh, ddal, rreh, noon ghunna, heh goal, yeh barree.
bool looksUrdu(const std::string& s) {
    const char* p = s.c_str();
    const char* end = p + s.size();
    while (p < end) {
        gunichar c = g_utf8_get_char(p);
        if (c == 0x0679 || c == 0x0688 || c == 0x0691 || c == 0x06BA || c == 0x06C1 || c == 0x06D2) return true;
        p = g_utf8_next_char(p);
    }
    return false;
}

std::string prepareText(const std::string& text, bool singleLine) {
    std::string s = text;
    if (!g_utf8_validate(s.data(), static_cast<gssize>(s.size()), nullptr)) {
        gchar* valid = g_utf8_make_valid(s.data(), static_cast<gssize>(s.size()));
        s = valid;
        g_free(valid);
    }
    // Pango stops at a NUL.
    s.erase(std::find(s.begin(), s.end(), '\0'), s.end());
    if (singleLine) std::replace_if(s.begin(), s.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return s;
}

void collectLines(Laid& laid, size_t maxLines) {
    laid.lines.clear();
    laid.width = laid.height = 0;
    PangoLayoutIter* iter = pango_layout_get_iter(laid.layout.get());
    double firstTop = 0;
    do {
        if (laid.lines.size() >= maxLines) break;
        Line l;
        l.line = pango_layout_iter_get_line_readonly(iter);
        PangoRectangle ink, logical, lineLogical;
        pango_layout_iter_get_line_extents(iter, &ink, &logical);
        pango_layout_line_get_extents(l.line, &l.ink, &lineLogical);
        l.left = lineLogical.x / double(PANGO_SCALE);
        l.width = lineLogical.width / double(PANGO_SCALE);
        if (laid.lines.empty()) firstTop = logical.y / double(PANGO_SCALE);
        l.top = logical.y / double(PANGO_SCALE) - firstTop;
        l.height = logical.height / double(PANGO_SCALE);
        // Baselines on whole points, as glyphs are drawn on whole pixels: ink lands where measured.
        l.baseline = std::round(pango_layout_iter_get_baseline(iter) / double(PANGO_SCALE) - firstTop);
        laid.width = std::max(laid.width, l.width);
        laid.height = l.top + l.height;
        laid.lines.push_back(l);
    } while (pango_layout_iter_next_line(iter));
    pango_layout_iter_free(iter);
}

// The one layout routine behind measuring and drawing. width <= 0: unbounded; height <= 0: unbounded.
// singleLine: line ends become spaces and the text never wraps (truncated or clipped to width instead).
Laid layoutText(const std::string& text, const UIFont& font, double width, double height, UILineBreakMode mode,
                bool singleLine) {
    TextSystem& ts = TextSystem::shared();
    Laid laid;
    laid.layout.reset(pango_layout_new(ts.context()));
    PangoLayout* layout = laid.layout.get();
    std::string s = prepareText(text, singleLine);
    pango_layout_set_font_description(layout, font.description());
    pango_layout_set_text(layout, s.c_str(), static_cast<int>(s.size()));
    if (looksUrdu(s)) {
        PangoAttrList* attrs = pango_attr_list_new();
        pango_attr_list_insert(attrs, pango_attr_language_new(pango_language_from_string("ur")));
        pango_layout_set_attributes(layout, attrs);
        pango_attr_list_unref(attrs);
    }
    pango_layout_set_alignment(layout, PANGO_ALIGN_LEFT);
    bool bounded = width > 0;
    if (singleLine) {
        if (bounded && isTruncating(mode)) {
            pango_layout_set_width(layout, static_cast<int>(width * PANGO_SCALE));
            pango_layout_set_ellipsize(layout, ellipsizeFor(mode));
        }
        collectLines(laid, SIZE_MAX);
        if (bounded) laid.width = std::min(laid.width, width);
        return laid;
    }
    if (bounded) {
        pango_layout_set_width(layout, static_cast<int>(width * PANGO_SCALE));
        pango_layout_set_wrap(layout, mode == UILineBreakModeCharacterWrap ? PANGO_WRAP_CHAR : PANGO_WRAP_WORD_CHAR);
    }
    collectLines(laid, SIZE_MAX);
    if (height <= 0 || laid.lines.empty()) return laid;
    size_t fit = 0;
    for (const auto& l : laid.lines) {
        if (l.top + l.height > height + 1e-6) break;
        ++fit;
    }
    fit = std::max<size_t>(fit, 1);
    if (fit < laid.lines.size()) {
        if (isTruncating(mode) && bounded) {
            // Ellipsize the last line that fits; pango leaves out what follows.
            const Line& last = laid.lines[fit - 1];
            pango_layout_set_ellipsize(layout, ellipsizeFor(mode));
            pango_layout_set_height(layout, static_cast<int>((last.top + last.height) * PANGO_SCALE) + 1);
        }
        collectLines(laid, fit);
    }
    return laid;
}

Laid layoutInBox(const std::string& text, const UIFont& font, CGSize box, UILineBreakMode mode) {
    return layoutText(text, font, box.width, box.height, mode, false);
}

double alignedLeft(const Line& l, double boxLeft, double boxWidth, UITextAlignment alignment) {
    switch (alignment) {
    case UITextAlignmentCenter: return boxLeft + (boxWidth - l.width) / 2;
    case UITextAlignmentRight: return boxLeft + boxWidth - l.width;
    default: return boxLeft;
    }
}

void drawLaid(CGContext& ctx, const Laid& laid, CGRect box, UITextAlignment alignment, bool clipToBox) {
    if (laid.lines.empty()) return;
    double boxWidth = box.size.width > 0 ? box.size.width : laid.width;
    ctx.drawWithFillSource([&](cairo_t* cr) {
        cairo_save(cr);
        cairo_new_path(cr);
        if (clipToBox) {
            cairo_rectangle(cr, box.origin.x, box.origin.y, boxWidth, laid.height);
            cairo_clip(cr);
        }
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        cairo_set_font_options(cr, options);
        cairo_font_options_destroy(options);
        for (const Line& l : laid.lines) {
            double x = alignedLeft(l, box.origin.x, boxWidth, alignment) - l.left;
            cairo_move_to(cr, x, box.origin.y + l.baseline);
            pango_cairo_show_layout_line(cr, l.line);
        }
        cairo_restore(cr);
    });
}

CGContext* current() { return UIGraphicsGetCurrentContext(); }

}  // namespace

CGSize sizeWithFont(const std::string& text, const UIFont& font) {
    std::lock_guard<std::recursive_mutex> lock(TextSystem::shared().lock());
    return layoutText(text, font, 0, 0, UILineBreakModeWordWrap, true).size();
}

CGSize sizeWithFont(const std::string& text, const UIFont& font, CGFloat width, UILineBreakMode mode) {
    std::lock_guard<std::recursive_mutex> lock(TextSystem::shared().lock());
    return layoutText(text, font, width, 0, mode, true).size();
}

CGSize sizeWithFont(const std::string& text, const UIFont& font, CGSize constrainedSize, UILineBreakMode mode) {
    std::lock_guard<std::recursive_mutex> lock(TextSystem::shared().lock());
    return layoutInBox(text, font, constrainedSize, mode).size();
}

CGSize sizeWithFont(const std::string& text, const UIFont& font, CGSize constrainedSize) {
    return sizeWithFont(text, font, constrainedSize, UILineBreakModeWordWrap);
}

CGSize drawAtPoint(const std::string& text, CGPoint point, const UIFont& font) {
    CGContext* ctx = current();
    std::lock_guard<std::recursive_mutex> lock(TextSystem::shared().lock());
    Laid laid = layoutText(text, font, 0, 0, UILineBreakModeWordWrap, true);
    if (ctx) drawLaid(*ctx, laid, CGRectMake(point.x, point.y, 0, 0), UITextAlignmentLeft, false);
    return laid.size();
}

CGSize drawAtPoint(const std::string& text, CGPoint point, CGFloat width, const UIFont& font, UILineBreakMode mode) {
    CGContext* ctx = current();
    std::lock_guard<std::recursive_mutex> lock(TextSystem::shared().lock());
    Laid laid = layoutText(text, font, width, 0, mode, true);
    if (ctx) drawLaid(*ctx, laid, CGRectMake(point.x, point.y, width, 0), UITextAlignmentLeft, !isTruncating(mode));
    return laid.size();
}

CGSize drawAtPoint(const std::string& text, CGPoint point, CGFloat width, const UIFont& font, CGFloat minFontSize,
                   CGFloat* actualFontSize, UILineBreakMode mode, UIBaselineAdjustment adjustment) {
    CGContext* ctx = current();
    std::lock_guard<std::recursive_mutex> lock(TextSystem::shared().lock());
    UIFontPtr used = font.fontWithSize(font.pointSize());
    // Shrink in whole points until the line fits or the minimum is reached.
    while (used && width > 0 && used->pointSize() - 1 >= minFontSize && minFontSize > 0 &&
           layoutText(text, *used, 0, 0, mode, true).width > width) {
        used = font.fontWithSize(used->pointSize() - 1);
    }
    if (!used) return CGSizeZero;
    if (actualFontSize) *actualFontSize = used->pointSize();
    Laid laid = layoutText(text, *used, width, 0, mode, true);
    double dy = 0;
    if (adjustment == UIBaselineAdjustmentAlignCenters && used->pointSize() != font.pointSize()) {
        Laid full = layoutText(text, font, width, 0, mode, true);
        dy = (full.height - laid.height) / 2;
    } else if (adjustment == UIBaselineAdjustmentAlignBaselines && used->pointSize() != font.pointSize()) {
        Laid full = layoutText(text, font, width, 0, mode, true);
        if (!full.lines.empty() && !laid.lines.empty()) dy = full.lines[0].baseline - laid.lines[0].baseline;
    }
    if (ctx) drawLaid(*ctx, laid, CGRectMake(point.x, point.y + dy, width, 0), UITextAlignmentLeft, !isTruncating(mode));
    return laid.size();
}

CGSize drawInRect(CGContext& context, const std::string& text, CGRect rect, const UIFont& font, UILineBreakMode mode,
                  UITextAlignment alignment) {
    std::lock_guard<std::recursive_mutex> lock(TextSystem::shared().lock());
    Laid laid = layoutInBox(text, font, rect.size, mode);
    drawLaid(context, laid, rect, alignment, mode == UILineBreakModeClip);
    return laid.size();
}

CGSize drawInRect(const std::string& text, CGRect rect, const UIFont& font, UILineBreakMode mode,
                  UITextAlignment alignment) {
    CGContext* ctx = current();
    if (!ctx) {
        std::lock_guard<std::recursive_mutex> lock(TextSystem::shared().lock());
        return layoutInBox(text, font, rect.size, mode).size();
    }
    return drawInRect(*ctx, text, rect, font, mode, alignment);
}

CGSize drawInRect(const std::string& text, CGRect rect, const UIFont& font, UILineBreakMode mode) {
    return drawInRect(text, rect, font, mode, UITextAlignmentLeft);
}

CGSize drawInRect(const std::string& text, CGRect rect, const UIFont& font) {
    return drawInRect(text, rect, font, UILineBreakModeWordWrap, UITextAlignmentLeft);
}

CGRect inkBoundsInRect(const std::string& text, CGRect rect, const UIFont& font, UILineBreakMode mode,
                       UITextAlignment alignment) {
    std::lock_guard<std::recursive_mutex> lock(TextSystem::shared().lock());
    Laid laid = layoutInBox(text, font, rect.size, mode);
    double boxWidth = rect.size.width > 0 ? rect.size.width : laid.width;
    CGRect box = CGRectNull;
    for (const Line& l : laid.lines) {
        if (l.ink.width <= 0 || l.ink.height <= 0) continue;
        double x = alignedLeft(l, 0, boxWidth, alignment) - l.left + l.ink.x / double(PANGO_SCALE);
        double y = l.baseline + l.ink.y / double(PANGO_SCALE);
        box = CGRectUnion(box, CGRectMake(x, y, l.ink.width / double(PANGO_SCALE), l.ink.height / double(PANGO_SCALE)));
    }
    return box;
}

std::vector<std::string> linesOfText(const std::string& text, const UIFont& font, CGSize constrainedSize,
                                     UILineBreakMode mode) {
    std::lock_guard<std::recursive_mutex> lock(TextSystem::shared().lock());
    Laid laid = layoutInBox(text, font, constrainedSize, mode);
    const char* all = pango_layout_get_text(laid.layout.get());
    std::vector<std::string> out;
    for (const Line& l : laid.lines) {
        std::vector<const PangoGlyphItem*> runs;
        for (GSList* r = l.line->runs; r; r = r->next) runs.push_back(static_cast<const PangoGlyphItem*>(r->data));
        std::sort(runs.begin(), runs.end(), [](auto* a, auto* b) { return a->item->offset < b->item->offset; });
        std::string s;
        for (const PangoGlyphItem* run : runs) {
            if (run->item->analysis.flags & PANGO_ANALYSIS_FLAG_IS_ELLIPSIS) s += "\u2026";
            else s.append(all + run->item->offset, static_cast<size_t>(run->item->length));
        }
        // Trailing white space and the line end are not drawn.
        while (!s.empty() && (s.back() == ' ' || s.back() == '\n' || s.back() == '\r')) s.pop_back();
        out.push_back(s);
    }
    return out;
}

int missingGlyphCount(const std::string& text, const UIFont& font) {
    std::lock_guard<std::recursive_mutex> lock(TextSystem::shared().lock());
    Laid laid = layoutText(text, font, 0, 0, UILineBreakModeWordWrap, false);
    int missing = 0;
    for (const Line& l : laid.lines) {
        for (GSList* r = l.line->runs; r; r = r->next) {
            auto* run = static_cast<const PangoGlyphItem*>(r->data);
            for (int i = 0; i < run->glyphs->num_glyphs; ++i)
                if (run->glyphs->glyphs[i].glyph & PANGO_GLYPH_UNKNOWN_FLAG) ++missing;
        }
    }
    return missing;
}

std::string familyForText(const std::string& text, const UIFont& font) {
    std::lock_guard<std::recursive_mutex> lock(TextSystem::shared().lock());
    Laid laid = layoutText(text, font, 0, 0, UILineBreakModeWordWrap, false);
    const PangoGlyphItem* first = nullptr;
    for (const Line& l : laid.lines)
        for (GSList* r = l.line->runs; r; r = r->next) {
            auto* run = static_cast<const PangoGlyphItem*>(r->data);
            if (!first || run->item->offset < first->item->offset) first = run;
        }
    if (!first || !first->item->analysis.font) return {};
    PangoFontDescription* d = pango_font_describe(first->item->analysis.font);
    std::string family = pango_font_description_get_family(d) ? pango_font_description_get_family(d) : "";
    pango_font_description_free(d);
    return family;
}
