#pragma once
// The search results' style sheet: the toolkit's default look plus the two looks of a search
// word inside a snippet: "yellowBox", the word on a white rounded box, and "whiteBox", the word
// in white, readable on the selection background.

#include <string>

#include "toolkit/style/TTDefaultStyleSheet.h"
#include "toolkit/styledtext/TTStyledText.h"

class HighlightTextStyleSheet : public TTDefaultStyleSheet {
public:
    const Builder* builderNamed(const std::string& name) const override;
    UIColorPtr highlightedTextColor() override { return UIColor::whiteColor(); }

    // Gives the snippet's words the selected row's look (white) or the plain one (boxed). Only
    // the elements' style names change, never the text.
    static void applySelectionLook(TTStyledText& snippet, bool selected);
};
