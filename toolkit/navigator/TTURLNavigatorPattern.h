#pragma once
// A pattern that stands for an object or a view controller: it matches URLs and makes (or
// finds) the object by calling a method of its target with arguments taken from the URL.

#include <climits>

#include "platform/ui/UIKitTypes.h"
#include "toolkit/navigator/TTURLPattern.h"

enum class TTNavigationMode { None = 0, Create = 1, Share = 2, Modal = 3, External = 4 };

// What a pattern calls: a class (its initialisers and instance methods when it makes
// controllers, its class methods otherwise) or an existing object, held unretained.
struct TTURLTarget {
  const TTClass* cls = nullptr;
  std::weak_ptr<void> object;
  const TTClass* objectClass = nullptr;

  static TTURLTarget forClass(const TTClass* cls) { return {cls, {}, nullptr}; }
  static TTURLTarget forObject(const TTObjectRef& ref) { return {nullptr, ref.object, ref.cls}; }
};

class TTURLNavigatorPattern : public TTURLPattern {
 public:
  TTURLNavigatorPattern(const TTURLTarget& target, TTNavigationMode mode);
  explicit TTURLNavigatorPattern(const TTURLTarget& target) : TTURLNavigatorPattern(target, TTNavigationMode::None) {}

  const TTClass* targetClass() const { return targetClass_; }
  TTObjectRef targetObject() const;
  TTNavigationMode navigationMode() const { return navigationMode_; }
  const std::string& parentURL() const { return parentURL_; }
  void setParentURL(const std::string& url) { parentURL_ = url; }
  UIViewAnimationTransition transition() const { return transition_; }
  void setTransition(UIViewAnimationTransition transition) { transition_ = transition; }
  int argumentCount() const { return argumentCount_; }

  bool isUniversal() const { return URL_ == "*"; }
  bool isFragment() const { return URL_.find('#') != std::string::npos; }
  const TTClass* classForInvocation() const override;

  // False when the pattern is not a URL.
  bool compile();
  bool matchURL(const NSURL& url) const;
  TTObjectRef createObjectFromURL(const NSURL& url, const std::optional<TTQuery>& query) const;
  // Calls the pattern's method on `target`; a null object when it cannot be called or
  // returns nothing. A class target (or none: the pattern's own) takes the pattern's rules.
  TTObjectRef invoke(const TTObjectRef& target, const NSURL& url, const std::optional<TTQuery>& query) const;
  // Higher specificity first.
  bool compareSpecificity(const TTURLNavigatorPattern& other) const { return specificity_ > other.specificity_; }
  void analyzeProperties();

 private:
  bool callsInstanceMethods() const;
  bool instantiatesClass() const;
  bool isPossibleSelector(const std::string& selector) const;
  void deduceSelector();
  void analyzeMethod();
  const TTMethod* methodFor(const TTClass* cls, bool instance) const;
  void applyText(const TTURLPatternText& pattern, const std::string& text, const TTMethod& method,
                 std::vector<std::any>& args, int& unfilled) const;
  TTObjectRef call(const TTObjectRef& receiver, const TTClass* cls, bool instance, const NSURL& url,
                   const std::optional<TTQuery>& query) const;

  const TTClass* targetClass_ = nullptr;
  std::weak_ptr<void> targetObject_;
  const TTClass* targetObjectClass_ = nullptr;
  const TTClass* classObject_ = nullptr;  // a class given as the target object: class methods
  TTNavigationMode navigationMode_;
  std::string parentURL_;
  UIViewAnimationTransition transition_ = UIViewAnimationTransitionNone;
  int argumentCount_ = 0;
};
