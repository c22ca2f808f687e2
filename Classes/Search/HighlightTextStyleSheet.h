#pragma once
// The search results' style sheet: the toolkit's default look plus the two looks of a search
// word inside a snippet: "yellowBox", the word on a white rounded box, and "whiteBox", the word
// in white, readable on the selection background.

#include <string>

#include "toolkit/style/TTDefaultStyleSheet.h"

class HighlightTextStyleSheet : public TTDefaultStyleSheet {
public:
    const Builder* builderNamed(const std::string& name) const override;
    UIColorPtr highlightedTextColor() override { return UIColor::whiteColor(); }

    // The snippet with its words in the selected row's look (white) or the plain one (boxed).
    static std::string withSelectionLook(const std::string& markup, bool selected);
};
