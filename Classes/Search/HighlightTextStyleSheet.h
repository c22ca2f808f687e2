#pragma once
// The two looks of a search word inside a result snippet, and the snippet mark-up reader.
//
// A snippet is escaped text with at most a few spans naming a look ("yellowBox": the word on a
// white rounded box; "whiteBox": the word in white, for the selection background). Only the
// escapes the snippet cutter writes are decoded; any other tag is shown as text, so a verse
// text never turns into mark-up.

#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/UIColor.h"

struct SnippetStyle {
    UIColorPtr boxColor;   // none: no box behind the word
    UIColorPtr textColor;  // none: the label's own colour
    double radius = 0;
    // Added around the word's frame (a negative inset grows the box).
    double insetTop = 0, insetLeft = 0, insetBottom = 0, insetRight = 0;
};

struct SnippetRun {
    std::string text;
    std::string styleName;  // empty: plain text
};

class HighlightTextStyleSheet {
public:
    HighlightTextStyleSheet() = delete;

    // "yellowBox" and "whiteBox"; none for any other name.
    static std::optional<SnippetStyle> styleWithSelector(const std::string& name);
    // The runs of a snippet, entities decoded, adjacent plain pieces joined.
    static std::vector<SnippetRun> parse(const std::string& markup);
    // The text without mark-up.
    static std::string plainText(const std::vector<SnippetRun>& runs);
};
