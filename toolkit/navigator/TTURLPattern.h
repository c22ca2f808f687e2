#pragma once
// A URL pattern compiled into pieces: the scheme, the host and each path component, the
// query's values and the fragment, each a literal or a "(wildcard)". Literals weigh 2 and
// wildcards 1 in the pattern's specificity.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/net/NSURL.h"
#include "toolkit/navigator/TTURLPatternText.h"

class TTURLPattern {
 public:
  virtual ~TTURLPattern() = default;

  const std::string& URL() const { return URL_; }
  void setURL(const std::string& url) { URL_ = url; }
  const std::string& scheme() const { return scheme_; }
  const std::vector<std::shared_ptr<TTURLPatternText>>& path() const { return path_; }
  const std::map<std::string, std::shared_ptr<TTURLPatternText>>& query() const { return query_; }
  const std::shared_ptr<TTURLPatternText>& fragment() const { return fragment_; }
  int specificity() const { return specificity_; }
  const std::string& selector() const { return selector_; }
  void setSelector(const std::string& selector) { selector_ = selector; }

  virtual const TTClass* classForInvocation() const { return nullptr; }

  // Every wildcard of the path, the query and the fragment, in that order.
  std::vector<TTURLWildcard*> wildcards() const;

 protected:
  // False (nothing compiled) when the pattern is not a URL.
  bool compileURL();
  std::shared_ptr<TTURLPatternText> parseText(const std::string& text);

  std::string URL_;
  std::string scheme_;
  std::vector<std::shared_ptr<TTURLPatternText>> path_;
  std::map<std::string, std::shared_ptr<TTURLPatternText>> query_;
  std::shared_ptr<TTURLPatternText> fragment_;
  int specificity_ = 0;
  std::string selector_;
};
