#pragma once
// The navigator's table of URL patterns: which object or controller a URL stands for, which
// URL stands for an object, which method a URL fragment calls on a controller, and whether
// a URL belongs to another application. Classes are named as registered with TTClassBuilder.

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "toolkit/navigator/TTURLGeneratorPattern.h"
#include "toolkit/navigator/TTURLNavigatorPattern.h"

class TTURLMap {
 public:
  // Object patterns. A registration whose class is unknown or whose pattern is not a URL is
  // logged and left out (false).
  bool fromToObject(const std::string& url, const TTObjectRef& object, const std::string& selector = "");
  bool fromToObject(const std::string& url, const std::string& className, const std::string& selector = "");
  bool fromToViewController(const std::string& url, const std::string& className, const std::string& selector = "",
                            UIViewAnimationTransition transition = UIViewAnimationTransitionNone,
                            const std::string& parentURL = "");
  bool fromToSharedViewController(const std::string& url, const std::string& className,
                                  const std::string& selector = "", const std::string& parentURL = "");
  bool fromToModalViewController(const std::string& url, const std::string& className, const std::string& selector = "",
                                 UIViewAnimationTransition transition = UIViewAnimationTransitionNone,
                                 const std::string& parentURL = "");
  bool addObjectPattern(const std::shared_ptr<TTURLNavigatorPattern>& pattern, const std::string& url);

  // Generator patterns.
  bool fromToURL(const std::string& className, const std::string& url) { return fromNameToURL(className, "", url); }
  bool fromNameToURL(const std::string& className, const std::string& name, const std::string& url);

  // Explicit objects, unretained.
  void setObject(const TTObjectRef& object, const std::string& url);
  void removeObjectForURL(const std::string& url);
  // Objects are forgotten by URL only: nothing happens.
  void removeObject(const TTObjectRef&) {}
  // The mapping and the first object pattern registered with exactly this URL.
  void removeURL(const std::string& url);

  TTObjectRef objectForURL(const std::string& url, const std::optional<TTQuery>& query = std::nullopt,
                           std::shared_ptr<TTURLNavigatorPattern>* pattern = nullptr);
  // What the first matching fragment pattern's method, called on `target`, returned; else the
  // method named by the fragment is called with no argument. Null in the latter cases.
  TTObjectRef dispatchURL(const std::string& url, const TTObjectRef& target, const std::optional<TTQuery>& query);
  TTNavigationMode navigationModeForURL(const std::string& url);
  UIViewAnimationTransition transitionForURL(const std::string& url);

  std::string URLForObject(const TTObjectRef& object, const std::string& name = "") const;

  bool isWebURL(const NSURL& url) const;
  bool isExternalURL(const NSURL& url) const;
  bool isAppURL(const NSURL& url) const;
  bool isSchemeSupported(const std::string& scheme) const { return schemes_.count(scheme) != 0; }
  void registerScheme(const std::string& scheme);

  static std::string keyForClass(const TTClass* cls, const std::string& name);

 private:
  bool addPattern(const std::string& url, const std::string& className, TTNavigationMode mode,
                  const std::string& selector, UIViewAnimationTransition transition, const std::string& parentURL);
  std::shared_ptr<TTURLNavigatorPattern> matchObjectPattern(const NSURL& url);

  struct Mapping {
    std::weak_ptr<void> object;
    const TTClass* cls = nullptr;
  };
  std::map<std::string, Mapping> objectMappings_;
  std::vector<std::shared_ptr<TTURLNavigatorPattern>> objectPatterns_;
  std::vector<std::shared_ptr<TTURLNavigatorPattern>> fragmentPatterns_;
  std::map<std::string, std::shared_ptr<TTURLGeneratorPattern>> stringPatterns_;
  std::set<std::string> schemes_;
  std::shared_ptr<TTURLNavigatorPattern> defaultObjectPattern_;
  bool invalidPatterns_ = false;
};
