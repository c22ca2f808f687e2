// Turns the Uthmani text of a verse into the one-byte glyph codes the engine draws,
// and derives the plain display and search texts from it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace VerseEncoder {

inline constexpr int kMaxSymbolsInWord = 80;

// Encodes one verse. On a character without a code, invalid UTF-8 or a word longer than
// kMaxSymbolsInWord symbols it returns false and names the character or word in error.
[[nodiscard]] bool encode(const std::string& text, std::vector<uint8_t>& out, std::string& error);

// Display text: letters, vowels, tanween, shadda, sukun, maddah, hamza marks and the
// superscript alef; Quranic annotation signs and tatweel removed; alef wasla as plain alef.
std::string simpleArabic(const std::string& text);

// The search text of a verse: its display text with every Arabic mark removed, followed by
// the variant that writes the superscript alef as a full alef when that differs.
std::string searchText(const std::string& simple);

// Removes the Arabic vowel and diacritic marks the reader's search removes from queries.
std::string cleanArabicAccents(const std::string& text);

// UTF-8 helpers shared with the rest of the builder.
[[nodiscard]] bool decodeUtf8(const std::string& text, std::vector<char32_t>& out);
std::string encodeUtf8(const std::vector<char32_t>& cps);

} // namespace VerseEncoder
