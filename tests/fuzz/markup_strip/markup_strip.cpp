// Mark-up stripping of arbitrary text: never crashes, and the result is no longer than the
// input allows (entities shrink or keep the text, except numeric references of short digits).
#include <cstddef>
#include <cstdint>
#include <string>

#include "toolkit/foundation/TTMarkupStripper.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  TTMarkupStripper stripper;
  std::string stripped = stripper.parse(text);
  if (stripped.size() > 3 * text.size() + 3) __builtin_trap();
  return 0;
}
