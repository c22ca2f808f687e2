// A web page's answer for an element's rectangle: read as four finite numbers or refused.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "toolkit/views/UIWebView+TTCategory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto rect = tt::rectFromElementAnswer(std::string(reinterpret_cast<const char*>(data), size));
  if (rect && !(std::isfinite(rect->origin.x) && std::isfinite(rect->size.height))) __builtin_trap();
  return 0;
}
