// URL query parsing of arbitrary text, and building a query back from what was parsed.
#include <cstddef>
#include <cstdint>
#include <string>

#include "toolkit/foundation/NSString+TTCategory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  auto query = tt::queryDictionary(text);
  if (query.size() > size) __builtin_trap();
  tt::stringByAddingQueryDictionary("http://127.0.0.1/p", query);
  return 0;
}
