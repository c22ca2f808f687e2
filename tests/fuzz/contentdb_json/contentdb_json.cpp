// The content builder's JSON reader over its data inputs; a parsed value is walked whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tools/contentdb/Json.h"

namespace {

size_t walk(const JsonValue& value) {
    size_t count = 1;
    for (const JsonValue& item : value.array()) count += walk(item);
    for (const auto& [key, item] : value.object()) count += walk(item) + (key.empty() ? 0 : 1);
    (void)value[0];
    (void)value["name"];
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    JsonValue root;
    std::string error;
    if (!JsonValue::parse(std::string_view(reinterpret_cast<const char*>(data), size), root, error)) {
        if (error.empty()) std::abort();  // a refusal always says where
        return 0;
    }
    (void)walk(root);
    return 0;
}
