#pragma once
// Measuring and drawing strings (UTF-8) with a font: one laid-out paragraph per string.
//
// Measuring and drawing share one layout routine, so a drawn string covers exactly the size measured
// for it. Text is shaped (Arabic, Urdu, Bengali, Chinese...) and runs in its own direction; the
// alignment is the one asked for, whatever the paragraph direction. Drawing uses the context's fill
// colour, alpha, blend mode and shadow.

#include "platform/graphics/Geometry.h"
#include "platform/text/UIFont.h"

#include <string>
#include <vector>

class CGContext;

enum UILineBreakMode {
    UILineBreakModeWordWrap = 0,
    UILineBreakModeCharacterWrap,
    UILineBreakModeClip,
    UILineBreakModeHeadTruncation,
    UILineBreakModeTailTruncation,
    UILineBreakModeMiddleTruncation,
};

enum UITextAlignment {
    UITextAlignmentLeft = 0,
    UITextAlignmentCenter,
    UITextAlignmentRight,
};

enum UIBaselineAdjustment {
    UIBaselineAdjustmentAlignBaselines = 0,
    UIBaselineAdjustmentAlignCenters,
    UIBaselineAdjustmentNone,
};

// Single line: line ends count as spaces. An empty string is zero wide and one line high.
CGSize sizeWithFont(const std::string& text, const UIFont& font);
// Width of a single line cut to fit `width` with the break mode (truncation or clipping).
CGSize sizeWithFont(const std::string& text, const UIFont& font, CGFloat width, UILineBreakMode mode);
// Wrapped in size.width; only whole lines that fit in size.height count (at least one line). With a
// truncating or clip mode the text is a single line. The width is the widest line (ceil), the height
// the lines' heights (ceil).
CGSize sizeWithFont(const std::string& text, const UIFont& font, CGSize constrainedSize, UILineBreakMode mode);
CGSize sizeWithFont(const std::string& text, const UIFont& font, CGSize constrainedSize);  // word wrap

// Draw into the current context (nothing without one); each returns the size drawn.
CGSize drawAtPoint(const std::string& text, CGPoint point, const UIFont& font);
CGSize drawAtPoint(const std::string& text, CGPoint point, CGFloat width, const UIFont& font, UILineBreakMode mode);
// Single line within width; when it does not fit, the font shrinks in steps of 1 pt (not below
// minFontSize) before the break mode applies. actualFontSize, when given, receives the size used.
// AlignCenters keeps the line's vertical centre where the full-size line's centre would be.
CGSize drawAtPoint(const std::string& text, CGPoint point, CGFloat width, const UIFont& font, CGFloat minFontSize,
                   CGFloat* actualFontSize, UILineBreakMode mode, UIBaselineAdjustment adjustment);
CGSize drawInRect(const std::string& text, CGRect rect, const UIFont& font);
CGSize drawInRect(const std::string& text, CGRect rect, const UIFont& font, UILineBreakMode mode);
CGSize drawInRect(const std::string& text, CGRect rect, const UIFont& font, UILineBreakMode mode,
                  UITextAlignment alignment);

// Same, into the given context.
CGSize drawInRect(CGContext& context, const std::string& text, CGRect rect, const UIFont& font, UILineBreakMode mode,
                  UITextAlignment alignment);

// Ink (painted pixels) bounds of the text as drawInRect lays it out, relative to rect's origin; for
// tests and tight layout. CGRectNull when nothing would be painted.
CGRect inkBoundsInRect(const std::string& text, CGRect rect, const UIFont& font, UILineBreakMode mode,
                       UITextAlignment alignment);

// The lines as they would be drawn in size.width with the mode (a truncated line shows "…" where text
// was left out), for layout checks. An unbounded width gives one line per paragraph.
std::vector<std::string> linesOfText(const std::string& text, const UIFont& font, CGSize constrainedSize,
                                     UILineBreakMode mode);

// Characters of the text that no configured font can show (they would be drawn as boxes).
int missingGlyphCount(const std::string& text, const UIFont& font);
// Family of the face that shows the first character of the text (for checks of font selection).
std::string familyForText(const std::string& text, const UIFont& font);
