#pragma once
// Text utilities for search, snippets, sharing and playing time.

#include <string>
#include <vector>

class UIFont;

namespace NSString {

// Without Arabic vowel marks and other diacritics.
std::string cleanArabicAccents(const std::string& text);
// The first token of a search text: a leading quoted phrase, the first word, or a prefix
// without its asterisks.
std::string getFirstSearchToken(const std::string& text);
// Every ' doubled.
std::string escapeForSearch(const std::string& text);
// Case-insensitive containment; an empty part is never contained.
bool doesContain(const std::string& text, const std::string& part);
// A one-line snippet of text around the first hit of token, at most about maxWidth wide.
// With mark-up the text is escaped for the styled-text parser and the hit is wrapped in a
// "yellowBox" span; without it the plain snippet is returned.
std::string getPartialStringForSearchKeyword(const std::string& text, const std::string& keyword, const UIFont& font,
                                             double maxWidth, bool withReplaced, bool searchWordEnd,
                                             const std::string& firstSearchToken, int ellipsesW);
// The longest prefix that fits width with a trailing "…"; "…" alone (or nothing) when no
// character fits beside it.
std::string stringByTruncatingToWidth(const std::string& text, double width, const UIFont& font);
// Escaped for a link's text parameter.
std::string escapeAllForMail(const std::string& text);
std::vector<std::string> explode(const std::string& text, const std::string& separator);
std::string searchReplace(const std::string& text, const std::string& target, const std::string& replacement);
inline void display(const std::string&) {}
// "%02i:%02i" minutes and seconds.
std::string getTimeElapsedFrom(float seconds);

}  // namespace NSString

namespace NSArray {
std::string implode(const std::vector<std::string>& parts, const std::string& separator);
}  // namespace NSArray
