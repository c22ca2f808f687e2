// The search text a user types, turned into the full-text expression and LIKE patterns, and
// cut a character at a time for the Chinese and Japanese indexes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "Classes/Core/SearchQuery.h"
#include "platform/foundation/CJKSegmentation.h"

namespace {

std::string withoutSpaces(const std::string& s) {
    std::string out;
    for (char c : s)
        if (c != ' ') out += c;
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    // An operator search holds at least one operator character.
    if (SearchQuery::isOperatorSearch(text) && text.empty()) std::abort();
    std::optional<std::string> expression = SearchQuery::matchExpression(text);
    for (std::string& pattern : SearchQuery::likePatterns(text)) {
        // Segmenting only adds spaces: every other byte stays, in order.
        if (withoutSpaces(cjk::spaceOut(pattern)) != withoutSpaces(pattern)) std::abort();
    }
    if (expression && withoutSpaces(cjk::spaceOut(*expression)) != withoutSpaces(*expression)) std::abort();
    return 0;
}
