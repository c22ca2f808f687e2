#pragma once
// Character classes of styled text over UTF-8: the newline set and the whitespace-and-newline
// set of the platform, and a case-blind ASCII search.

#include <cstddef>
#include <string>

namespace TTStyledCharacters {

// Bytes of the UTF-8 sequence at i (1 for a stray byte), never past the end.
size_t sequenceLength(const std::string& text, size_t i);
// Bytes of the newline character at i, or 0 when there is none.
size_t newlineLength(const std::string& text, size_t i);
// Bytes of the whitespace or newline character at i, or 0 when there is none.
size_t whitespaceLength(const std::string& text, size_t i);
// First position at or after `from` of `needle` (ASCII), ignoring case; npos when none.
size_t findCaseless(const std::string& text, const std::string& needle, size_t from);

}  // namespace TTStyledCharacters
