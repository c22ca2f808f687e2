// The text of a strings file of the bundle's language folders.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/foundation/Localization.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string error;
    auto table = StringTable::parse(std::string(reinterpret_cast<const char*>(data), size), &error);
    if (!table && error.empty()) std::abort();  // a refusal always says why
    return 0;
}
