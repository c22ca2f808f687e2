#include "toolkit/navigator/TTURLPattern.h"

#include "toolkit/foundation/NSString+TTCategory.h"

std::shared_ptr<TTURLPatternText> TTURLPattern::parseText(const std::string& text) {
  if (text.size() >= 2 && text.front() == '(' && text.back() == ')') {
    size_t end = text.size() - 1;
    if (text.size() >= 4 && text[end - 1] == ':') --end;  // "(name:)" names the same as "(name)"
    specificity_ += 1;
    return std::make_shared<TTURLWildcard>(text.substr(1, end - 1));
  }
  specificity_ += 2;
  return std::make_shared<TTURLLiteral>(text);
}

bool TTURLPattern::compileURL() {
  auto url = NSURL::URLWithString(URL_);
  if (!url) return false;
  scheme_ = url->scheme();
  std::string host = url->host();
  if (!host.empty()) {
    path_.push_back(parseText(host));
    for (const auto& component : url->pathComponents())
      if (component != "/") path_.push_back(parseText(component));
  }
  if (auto query = url->query())
    for (const auto& [key, value] : tt::queryDictionary(*query)) query_[key] = parseText(value);
  if (auto fragment = url->fragment()) fragment_ = parseText(*fragment);
  return true;
}

std::vector<TTURLWildcard*> TTURLPattern::wildcards() const {
  std::vector<TTURLWildcard*> result;
  auto add = [&result](const std::shared_ptr<TTURLPatternText>& text) {
    if (auto* wildcard = dynamic_cast<TTURLWildcard*>(text.get())) result.push_back(wildcard);
  };
  for (const auto& text : path_) add(text);
  for (const auto& [key, text] : query_) add(text);
  if (fragment_) add(fragment_);
  return result;
}
