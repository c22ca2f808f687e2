#include "toolkit/navigator/TTURLNavigatorPattern.h"

#include <algorithm>

#include "platform/foundation/StringUtils.h"
#include "toolkit/foundation/NSString+TTCategory.h"

namespace {
const char* const kDefaultSelector = "initWithNavigatorURL:query:";
}

TTURLNavigatorPattern::TTURLNavigatorPattern(const TTURLTarget& target, TTNavigationMode mode) : navigationMode_(mode) {
  if (target.cls && mode != TTNavigationMode::None) targetClass_ = target.cls;
  else if (target.cls) classObject_ = target.cls;
  else {
    targetObject_ = target.object;
    targetObjectClass_ = target.objectClass;
  }
}

TTObjectRef TTURLNavigatorPattern::targetObject() const {
  auto object = targetObject_.lock();
  return object ? TTObjectRef{object, targetObjectClass_} : TTObjectRef{};
}

const TTClass* TTURLNavigatorPattern::classForInvocation() const {
  if (targetClass_) return targetClass_;
  return targetObjectClass_ ? targetObjectClass_ : classObject_;
}

bool TTURLNavigatorPattern::callsInstanceMethods() const { return targetObjectClass_ || targetClass_; }

bool TTURLNavigatorPattern::instantiatesClass() const {
  return targetClass_ && navigationMode_ != TTNavigationMode::None;
}

bool TTURLNavigatorPattern::isPossibleSelector(const std::string& selector) const {
  const TTClass* cls = classForInvocation();
  return !cls || cls->instancesRespondTo(selector) || cls->classMethod(selector);
}

void TTURLNavigatorPattern::deduceSelector() {
  std::vector<std::string> names;
  for (TTURLWildcard* wildcard : wildcards())
    if (!wildcard->name().empty()) names.push_back(wildcard->name());
  if (names.empty()) {
    if (isPossibleSelector(kDefaultSelector)) selector_ = kDefaultSelector;
    return;
  }
  std::string candidate = str::join(names, ":") + ":";
  if (isPossibleSelector(candidate)) {
    selector_ = candidate;
    return;
  }
  names.push_back("query");
  candidate = str::join(names, ":") + ":";
  if (isPossibleSelector(candidate)) selector_ = candidate;
}

const TTMethod* TTURLNavigatorPattern::methodFor(const TTClass* cls, bool instance) const {
  if (!cls) return nullptr;
  return instance ? cls->instanceMethod(selector_) : cls->classMethod(selector_);
}

void TTURLNavigatorPattern::analyzeMethod() {
  const TTMethod* method = methodFor(classForInvocation(), callsInstanceMethods());
  if (!method) return;
  argumentCount_ = static_cast<int>(method->argTypes.size());
  auto names = str::split(selector_, ":");
  if (!names.empty() && names.back().empty()) names.pop_back();
  for (TTURLWildcard* wildcard : wildcards()) {
    auto it = std::find(names.begin(), names.end(), wildcard->name());
    if (it == names.end()) continue;
    int index = static_cast<int>(it - names.begin());
    wildcard->setArgIndex(index);
    if (index < argumentCount_) wildcard->setArgType(method->argTypes[static_cast<size_t>(index)]);
  }
}

bool TTURLNavigatorPattern::compile() {
  if (isUniversal()) {
    if (selector_.empty()) deduceSelector();
    return true;
  }
  if (!compileURL()) return false;
  if (selector_.empty()) deduceSelector();
  if (!selector_.empty()) analyzeMethod();
  return true;
}

void TTURLNavigatorPattern::analyzeProperties() {
  const TTClass* cls = classForInvocation();
  for (TTURLWildcard* wildcard : wildcards()) wildcard->deduceSelectorForClass(cls);
}

bool TTURLNavigatorPattern::matchURL(const NSURL& url) const {
  if (url.scheme().empty() || url.host().empty() || url.scheme() != scheme_) return false;
  auto components = url.pathComponents();
  size_t parts = url.path().empty() ? 1 : components.size();
  if (parts != path_.size()) return false;
  for (size_t i = 0; i < path_.size(); ++i)
    if (!path_[i]->match(i == 0 ? url.host() : components[i])) return false;
  auto fragment = url.fragment();
  if (fragment || fragment_) {
    if (!fragment || !fragment_ || !fragment_->match(*fragment)) return false;
  }
  return true;
}

TTObjectRef TTURLNavigatorPattern::createObjectFromURL(const NSURL& url, const std::optional<TTQuery>& query) const {
  if (instantiatesClass()) {
    if (selector_.empty()) return targetClass_->make();
    return call({}, targetClass_, true, url, query);
  }
  if (selector_.empty()) return {};
  if (classObject_) return call({}, classObject_, false, url, query);
  TTObjectRef object = targetObject();
  return object ? call(object, object.cls, true, url, query) : TTObjectRef{};
}

TTObjectRef TTURLNavigatorPattern::invoke(const TTObjectRef& target, const NSURL& url,
                                          const std::optional<TTQuery>& query) const {
  return target ? call(target, target.cls, true, url, query) : TTObjectRef{};
}

void TTURLNavigatorPattern::applyText(const TTURLPatternText& pattern, const std::string& text, const TTMethod& method,
                                      std::vector<std::any>& args, int& unfilled) const {
  const auto* wildcard = dynamic_cast<const TTURLWildcard*>(&pattern);
  if (!wildcard || wildcard->argIndex() >= argumentCount_) return;
  if (wildcard->argType() != TTURLArgumentType::None) {
    size_t index = static_cast<size_t>(wildcard->argIndex());
    if (index >= args.size()) return;
    args[index] = method.fromText[index](text);
  }
  --unfilled;
}

TTObjectRef TTURLNavigatorPattern::call(const TTObjectRef& receiver, const TTClass* cls, bool instance, const NSURL& url,
                                        const std::optional<TTQuery>& query) const {
  const TTMethod* method = methodFor(cls, instance);
  if (!method) return {};
  std::vector<std::any> args(method->argTypes.size());
  if (isUniversal()) {
    if (!args.empty()) args[0] = url;
    if (args.size() > 1 && query) args[1] = *query;
  } else {
    int unfilled = argumentCount_;
    std::optional<TTQuery> rest = query;
    auto components = url.pathComponents();
    for (size_t i = 0; i < path_.size(); ++i) {
      if (i == 0) applyText(*path_[i], url.host(), *method, args, unfilled);
      else if (i < components.size()) applyText(*path_[i], components[i], *method, args, unfilled);
    }
    if (auto urlQuery = url.query()) {
      for (const auto& [key, value] : tt::queryDictionary(*urlQuery)) {
        auto it = query_.find(key);
        if (it != query_.end()) applyText(*it->second, value, *method, args, unfilled);
        else {
          if (!rest) rest.emplace();
          (*rest)[key] = value;
        }
      }
    }
    if (unfilled > 0 && rest && !rest->empty() && !args.empty()) args.back() = *rest;
    auto fragment = url.fragment();
    if (fragment && fragment_) applyText(*fragment_, *fragment, *method, args, unfilled);
  }
  // A method of a new instance that does not make the object runs on a plainly made one.
  TTObjectRef self = receiver;
  if (instance && !self && !method->initializer) {
    self = cls->make();
    if (!self) return {};
  }
  // Arguments that do not fit the method are a miss like any other.
  auto result = method->call(self, args);
  return result ? *result : TTObjectRef();
}
