// Feeds arbitrary bytes to the JSON parser (both entry points, default and switched-off depth
// limit) and checks that whatever it accepts is written and read back unchanged.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "social/json/SBJSON.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  SBJSON json;
  std::optional<JSONValue> value = json.fragmentWithString(text, nullptr);
  if (value) {
    std::optional<std::string> written = json.stringWithFragment(*value, nullptr);
    if (!written) std::abort();
    std::optional<JSONValue> back = json.fragmentWithString(*written, nullptr);
    if (!back || !(*back == *value)) std::abort();
  } else if (!json.errorTrace() || json.errorTrace()->empty()) {
    std::abort();  // a failure always says why
  }
  SBJsonParser unlimited;
  unlimited.setMaxDepth(0);
  (void)unlimited.objectWithString(text);
  return 0;
}
