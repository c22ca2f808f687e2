#pragma once
// The toolkit's string services: blank tests, mark-up stripping, URL queries and opening a
// string as a navigator URL.

#include <map>
#include <memory>
#include <string>

class UIView;

namespace tt {

// Every character white space or a line end (the empty string included).
bool isWhitespace(const std::string& text);
// Empty, or nothing left once spaces and tabs (not line ends) are trimmed.
bool isEmptyOrWhitespace(const std::string& text);
// The text runs of the mark-up with every element dropped and the known entities resolved.
std::string stringByRemovingHTMLTags(const std::string& text);
// "a=1&b=2;c=3" as a table; pairs without exactly one "=" or with bad escapes are dropped.
std::map<std::string, std::string> queryDictionary(const std::string& query);
// The text with "?key=value&..." (or "&..." when it holds a "?" already) appended.
std::string stringByAddingQueryDictionary(const std::string& text, const std::map<std::string, std::string>& query);

// Through the navigator (nothing when no navigator is installed).
std::shared_ptr<void> objectValue(const std::string& url);
void openURL(const std::string& url);
void openURLFromButton(const std::string& url, UIView* button);

}  // namespace tt
