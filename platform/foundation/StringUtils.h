#pragma once
// String helpers over UTF-8 std::string. Indexes and lengths named utf16 count UTF-16
// code units, as the platform's strings do. Invalid UTF-8 is read as U+FFFD, never a crash.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace str {

inline constexpr size_t npos = static_cast<size_t>(-1);

struct Range {
    size_t location = npos; // UTF-16 index
    size_t length = 0;      // UTF-16 units
    bool found() const { return location != npos; }
};

// Code points and conversions.
std::u32string toUtf32(std::string_view s);
std::string fromUtf32(std::u32string_view s);
std::u16string toUtf16(std::string_view s);
std::string fromUtf16(std::u16string_view s); // unpaired surrogates become U+FFFD
void appendUtf8(std::string& out, char32_t c);
bool isValidUtf8(std::string_view s);
std::string sanitizeUtf8(std::string_view s); // invalid sequences -> U+FFFD

// UTF-16 counting.
size_t utf16Length(std::string_view s);
// Byte offset of a UTF-16 index (clamped to the string's end; an index inside a
// surrogate pair rounds down to the pair's start).
size_t utf16ToByteOffset(std::string_view s, size_t utf16Index);
size_t byteToUtf16Offset(std::string_view s, size_t byteOffset);
// Substring by UTF-16 index and length, clamped to the string; never splits a code point.
std::string utf16Substring(std::string_view s, size_t start, size_t length = npos);
// UTF-16 index of needle at or after from, or npos. An empty needle is not found.
size_t utf16IndexOf(std::string_view hay, std::string_view needle, size_t fromUtf16Index = 0);

// Case.
char32_t toLower(char32_t c);
char32_t toUpper(char32_t c);
std::string lowercase(std::string_view s);
std::string uppercase(std::string_view s);
// Case-insensitive search from a UTF-16 index; index and length of the match in hay.
Range findCaseInsensitiveRange(std::string_view hay, std::string_view needle, size_t fromUtf16Index = 0);
size_t findCaseInsensitive(std::string_view hay, std::string_view needle, size_t fromUtf16Index = 0);
bool equalsCaseInsensitive(std::string_view a, std::string_view b);

// Character classes (Unicode white space, line ends, punctuation).
bool isWhitespace(char32_t c);          // spaces and tabs
bool isNewline(char32_t c);             // LF, CR, VT, FF, NEL, LS, PS
bool isWhitespaceOrNewline(char32_t c);
bool isPunctuation(char32_t c);

std::string trim(std::string_view s);           // white space and line ends
std::string trimWhitespace(std::string_view s); // white space only

// Pieces.
std::vector<std::string> split(std::string_view s, std::string_view separator); // empty pieces kept
std::string join(const std::vector<std::string>& parts, std::string_view separator);
std::string replaceAll(std::string_view s, std::string_view from, std::string_view to);
bool hasPrefix(std::string_view s, std::string_view prefix);
// ASCII letters compared without case, as in a URL's scheme.
bool hasPrefixIgnoringASCIICase(std::string_view s, std::string_view prefix);
bool hasSuffix(std::string_view s, std::string_view suffix);
bool contains(std::string_view s, std::string_view part);

// Escaping.
// Percent-escapes UTF-8 bytes that are not legal in a URL (controls, space, non-ASCII,
// " % < > \ ^ ` { | }) plus every character in alsoEscape.
std::string percentEscape(std::string_view s, std::string_view alsoEscape = {});
// Percent-escapes everything but A-Z a-z 0-9 - . _ ~ (for query components).
std::string percentEscapeComponent(std::string_view s);
// Decodes %XX sequences; nullopt when a sequence is malformed or the result is not UTF-8.
std::optional<std::string> percentUnescape(std::string_view s);
// & < > " ' as entities.
std::string xmlEscape(std::string_view s);

// Number conversions as the platform's string accessors make them: leading white space
// skipped, an optional sign, then leading digits; trailing text ignored; no digits -> 0.
int toInt(std::string_view s);             // saturates at INT_MIN/INT_MAX
long long toLongLong(std::string_view s);  // saturates
double toDouble(std::string_view s);       // decimal point '.', optional exponent; locale-independent
float toFloat(std::string_view s);
// True on a leading Y, y, T, t or digit 1-9 (after white space, a sign and leading zeros).
bool toBool(std::string_view s);

// Paths.
std::string appendPathComponent(std::string_view path, std::string_view component);
std::string lastPathComponent(std::string_view path);
std::string deletingLastPathComponent(std::string_view path);
std::string pathExtension(std::string_view path);
std::string deletingPathExtension(std::string_view path);

} // namespace str
