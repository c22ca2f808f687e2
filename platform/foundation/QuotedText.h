#pragma once
// Outside text (an argument, a path, a line of a file, a link) quoted for a message.

#include <cstddef>
#include <string>
#include <string_view>

namespace str {

// At most maxBytes of the text in double quotes, "..." after when cut; control characters (C0,
// DEL, C1), line and paragraph separators, direction marks and overrides, and bytes that are not
// UTF-8 shown as escapes; a leading byte order mark named.
std::string quoteForMessage(std::string_view text, size_t maxBytes = 96);

}  // namespace str
