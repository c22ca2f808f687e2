#include "toolkit/foundation/NSString+TTCategory.h"

#include "platform/foundation/StringUtils.h"
#include "toolkit/foundation/TTMarkupStripper.h"
#include "toolkit/foundation/TTNavigatorHooks.h"

namespace tt {

bool isWhitespace(const std::string& text) {
  for (char32_t c : str::toUtf32(text))
    if (!str::isWhitespaceOrNewline(c)) return false;
  return true;
}

bool isEmptyOrWhitespace(const std::string& text) { return text.empty() || str::trimWhitespace(text).empty(); }

std::string stringByRemovingHTMLTags(const std::string& text) { return TTMarkupStripper().parse(text); }

std::map<std::string, std::string> queryDictionary(const std::string& query) {
  std::map<std::string, std::string> result;
  size_t pos = 0;
  while (pos < query.size()) {
    size_t end = query.find_first_of("&;", pos);
    if (end == std::string::npos) end = query.size();
    std::string pair = query.substr(pos, end - pos);
    pos = query.find_first_not_of("&;", end);
    if (pos == std::string::npos) pos = query.size();
    auto parts = str::split(pair, "=");
    if (parts.size() != 2) continue;
    auto key = str::percentUnescape(parts[0]);
    auto value = str::percentUnescape(parts[1]);
    if (key && value) result[*key] = *value;
  }
  return result;
}

std::string stringByAddingQueryDictionary(const std::string& text, const std::map<std::string, std::string>& query) {
  std::vector<std::string> pairs;
  for (const auto& [key, value] : query)
    pairs.push_back(key + "=" + str::replaceAll(str::replaceAll(value, "?", "%3F"), "=", "%3D"));
  std::string joined = str::join(pairs, "&");
  return text + (text.find('?') == std::string::npos ? "?" : "&") + joined;
}

std::shared_ptr<void> objectValue(const std::string& url) {
  auto& hook = TTNavigatorHooks::shared().objectForURL;
  return hook ? hook(url) : nullptr;
}

void openURL(const std::string& url) {
  TTNavigatorHooks::shared().ensureNavigator();
  auto& hook = TTNavigatorHooks::shared().openURL;
  if (hook) hook(url, {}, true);
}

void openURLFromButton(const std::string& url, UIView* button) {
  TTNavigatorHooks::shared().ensureNavigator();
  auto& hook = TTNavigatorHooks::shared().openURL;
  if (hook) hook(url, {{"__target__", button}}, true);
}

}  // namespace tt
