#include "toolkit/navigator/TTURLMap.h"

#include <algorithm>

#include "platform/foundation/Log.h"
#include "platform/ui/UIApplication.h"

namespace {
// A maps service and the application store's hosts.
const char* const kExternalHosts[] = {"maps.apple.com", "apps.apple.com", "itunes.apple.com"};

const TTClass* classNamed(const std::string& name, const std::string& url) {
  const TTClass* cls = TTClassRegistry::shared().classNamed(name);
  if (!cls) NSLog("[TTURLMap] no class %s for %s", name.c_str(), url.c_str());
  return cls;
}
}  // namespace

bool TTURLMap::addPattern(const std::string& url, const std::string& className, TTNavigationMode mode,
                          const std::string& selector, UIViewAnimationTransition transition,
                          const std::string& parentURL) {
  const TTClass* cls = classNamed(className, url);
  if (!cls) return false;
  auto pattern = std::make_shared<TTURLNavigatorPattern>(TTURLTarget::forClass(cls), mode);
  pattern->setSelector(selector);
  pattern->setTransition(transition);
  pattern->setParentURL(parentURL);
  return addObjectPattern(pattern, url);
}

bool TTURLMap::fromToObject(const std::string& url, const TTObjectRef& object, const std::string& selector) {
  if (!object) return false;
  auto pattern = std::make_shared<TTURLNavigatorPattern>(TTURLTarget::forObject(object));
  pattern->setSelector(selector);
  return addObjectPattern(pattern, url);
}

bool TTURLMap::fromToObject(const std::string& url, const std::string& className, const std::string& selector) {
  return addPattern(url, className, TTNavigationMode::None, selector, UIViewAnimationTransitionNone, "");
}

bool TTURLMap::fromToViewController(const std::string& url, const std::string& className, const std::string& selector,
                                    UIViewAnimationTransition transition, const std::string& parentURL) {
  return addPattern(url, className, TTNavigationMode::Create, selector, transition, parentURL);
}

bool TTURLMap::fromToSharedViewController(const std::string& url, const std::string& className,
                                          const std::string& selector, const std::string& parentURL) {
  return addPattern(url, className, TTNavigationMode::Share, selector, UIViewAnimationTransitionNone, parentURL);
}

bool TTURLMap::fromToModalViewController(const std::string& url, const std::string& className,
                                         const std::string& selector, UIViewAnimationTransition transition,
                                         const std::string& parentURL) {
  return addPattern(url, className, TTNavigationMode::Modal, selector, transition, parentURL);
}

bool TTURLMap::addObjectPattern(const std::shared_ptr<TTURLNavigatorPattern>& pattern, const std::string& url) {
  pattern->setURL(url);
  if (!pattern->compile()) {
    NSLog("[TTURLMap] pattern %s is not a URL", url.c_str());
    return false;
  }
  registerScheme(pattern->scheme());
  if (pattern->isUniversal()) {
    defaultObjectPattern_ = pattern;
  } else if (pattern->isFragment()) {
    fragmentPatterns_.push_back(pattern);
  } else {
    objectPatterns_.push_back(pattern);
    invalidPatterns_ = true;
  }
  return true;
}

bool TTURLMap::fromNameToURL(const std::string& className, const std::string& name, const std::string& url) {
  const TTClass* cls = classNamed(className, url);
  if (!cls) return false;
  auto pattern = std::make_shared<TTURLGeneratorPattern>(cls);
  pattern->setURL(url);
  if (!pattern->compile()) {
    NSLog("[TTURLMap] pattern %s is not a URL", url.c_str());
    return false;
  }
  registerScheme(pattern->scheme());
  stringPatterns_[keyForClass(cls, name)] = pattern;
  return true;
}

void TTURLMap::setObject(const TTObjectRef& object, const std::string& url) {
  objectMappings_[url] = {object.object, object.cls};
}

void TTURLMap::removeObjectForURL(const std::string& url) { objectMappings_.erase(url); }

void TTURLMap::removeURL(const std::string& url) {
  objectMappings_.erase(url);
  auto it = std::find_if(objectPatterns_.begin(), objectPatterns_.end(),
                         [&url](const auto& pattern) { return pattern->URL() == url; });
  if (it != objectPatterns_.end()) objectPatterns_.erase(it);
}

std::shared_ptr<TTURLNavigatorPattern> TTURLMap::matchObjectPattern(const NSURL& url) {
  if (invalidPatterns_) {
    std::stable_sort(objectPatterns_.begin(), objectPatterns_.end(),
                     [](const auto& a, const auto& b) { return a->compareSpecificity(*b); });
    invalidPatterns_ = false;
  }
  for (const auto& pattern : objectPatterns_)
    if (pattern->matchURL(url)) return pattern;
  return defaultObjectPattern_;
}

TTObjectRef TTURLMap::objectForURL(const std::string& url, const std::optional<TTQuery>& query,
                                   std::shared_ptr<TTURLNavigatorPattern>* patternOut) {
  TTObjectRef object;
  auto mapped = objectMappings_.find(url);
  if (mapped != objectMappings_.end()) object = {mapped->second.object.lock(), mapped->second.cls};
  if (object && !patternOut) return object;
  auto parsed = NSURL::URLWithString(url);
  if (!parsed) return {};
  auto pattern = matchObjectPattern(*parsed);
  if (!pattern) return {};
  if (!object) object = pattern->createObjectFromURL(*parsed, query);
  if (pattern->navigationMode() == TTNavigationMode::Share && object) setObject(object, url);
  if (patternOut) *patternOut = pattern;
  return object;
}

TTObjectRef TTURLMap::dispatchURL(const std::string& url, const TTObjectRef& target, const std::optional<TTQuery>& query) {
  auto parsed = NSURL::URLWithString(url);
  if (!parsed || !target) return {};
  for (const auto& pattern : fragmentPatterns_)
    if (pattern->matchURL(*parsed)) return pattern->invoke(target, *parsed, query);
  if (auto fragment = parsed->fragment()) {
    const TTMethod* method = target.cls->instanceMethod(*fragment);
    if (method && method->argTypes.empty() && !method->initializer) (void)method->call(target, {});
  }
  return {};
}

TTNavigationMode TTURLMap::navigationModeForURL(const std::string& url) {
  auto parsed = NSURL::URLWithString(url);
  if (!parsed || isAppURL(*parsed)) return TTNavigationMode::External;
  auto pattern = matchObjectPattern(*parsed);
  return pattern ? pattern->navigationMode() : TTNavigationMode::External;
}

UIViewAnimationTransition TTURLMap::transitionForURL(const std::string& url) {
  auto parsed = NSURL::URLWithString(url);
  auto pattern = parsed ? matchObjectPattern(*parsed) : nullptr;
  return pattern ? pattern->transition() : UIViewAnimationTransitionNone;
}

std::string TTURLMap::URLForObject(const TTObjectRef& object, const std::string& name) const {
  if (!object) return "";
  for (const TTClass* cls = object.cls; cls; cls = cls->superclass()) {
    auto it = stringPatterns_.find(keyForClass(cls, name));
    if (it != stringPatterns_.end()) return it->second->generateURLFromObject(object);
  }
  return "";
}

bool TTURLMap::isWebURL(const NSURL& url) const {
  std::string scheme = url.scheme();
  return scheme == "http" || scheme == "https" || scheme == "ftp" || scheme == "ftps" || scheme == "data";
}

bool TTURLMap::isExternalURL(const NSURL& url) const {
  std::string host = url.host();
  return std::any_of(std::begin(kExternalHosts), std::end(kExternalHosts), [&host](const char* h) { return host == h; });
}

bool TTURLMap::isAppURL(const NSURL& url) const {
  if (isExternalURL(url)) return true;
  if (!UIApplication::sharedApplication().canOpenURL(url.absoluteString())) return false;
  return !isSchemeSupported(url.scheme()) && !isWebURL(url);
}

void TTURLMap::registerScheme(const std::string& scheme) {
  if (!scheme.empty()) schemes_.insert(scheme);
}

std::string TTURLMap::keyForClass(const TTClass* cls, const std::string& name) {
  return (cls ? cls->name() : std::string()) + "_" + name;
}
