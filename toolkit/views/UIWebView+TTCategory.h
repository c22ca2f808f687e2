#pragma once
// Element geometry from a web page.

#include <optional>
#include <string>

#include "platform/graphics/Geometry.h"

class UIWebView;

namespace tt {

// The rectangle of the element a script expression yields, summed over its offset parents;
// none when the page's answer is not four comma-separated numbers.
std::optional<CGRect> frameOfElement(const UIWebView& webView, const std::string& expression);
// Reads the page's "x,y,width,height" answer.
std::optional<CGRect> rectFromElementAnswer(const std::string& answer);

}  // namespace tt
