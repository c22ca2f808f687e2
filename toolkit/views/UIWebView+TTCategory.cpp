#include "toolkit/views/UIWebView+TTCategory.h"

#include <cmath>

#include "platform/foundation/StringUtils.h"
#include "platform/services/UIWebView.h"

namespace tt {

std::optional<CGRect> rectFromElementAnswer(const std::string& answer) {
  auto parts = str::split(answer, ",");
  if (parts.size() != 4) return std::nullopt;
  double v[4];
  for (int i = 0; i < 4; ++i) {
    std::string part = str::trim(parts[static_cast<size_t>(i)]);
    if (part.empty() || part.find_first_not_of("0123456789.-+eE") != std::string::npos) return std::nullopt;
    v[i] = str::toDouble(part);
    if (!std::isfinite(v[i])) return std::nullopt;
  }
  return CGRectMake(v[0], v[1], v[2], v[3]);
}

std::optional<CGRect> frameOfElement(const UIWebView& webView, const std::string& expression) {
  std::string script = "    var target = " + expression +
                       ";     var x = 0, y = 0;     for (var n = target; n && n.nodeType == 1; n = n.offsetParent) {"
                       "        x += n.offsetLeft;       y += n.offsetTop;     }     x + ',' + y + ',' + "
                       "target.offsetWidth + ',' + target.offsetHeight; ";
  return rectFromElementAnswer(webView.stringByEvaluatingJavaScriptFromString(script));
}

}  // namespace tt
