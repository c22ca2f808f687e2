#include "toolkit/navigator/TTURLGeneratorPattern.h"

#include "platform/foundation/StringUtils.h"

bool TTURLGeneratorPattern::compile() {
  if (!compileURL()) return false;
  for (const auto& text : path_)
    if (auto* wildcard = dynamic_cast<TTURLWildcard*>(text.get())) wildcard->deduceSelectorForClass(targetClass_);
  for (const auto& [key, text] : query_)
    if (auto* wildcard = dynamic_cast<TTURLWildcard*>(text.get())) wildcard->deduceSelectorForClass(targetClass_);
  return true;
}

std::string TTURLGeneratorPattern::generateURLFromObject(const TTObjectRef& object) const {
  std::vector<std::string> parts{scheme_ + ":/"};
  for (const auto& text : path_) parts.push_back(text->convertPropertyOfObject(object));
  std::string url = str::join(parts, "/");
  if (!query_.empty()) {
    std::vector<std::string> pairs;
    for (const auto& [key, text] : query_) pairs.push_back(key + "=" + text->convertPropertyOfObject(object));
    url += "?" + str::join(pairs, "&");
  }
  return url;
}
