#pragma once
// What the toolkit asks of the navigator and its URL map. The navigator fills these in when it
// starts; until then every hook is empty and its callers treat the answer as "none". A program
// that links the navigator sets `startNavigator`, which the toolkit runs on the navigator's
// first use (a model view controller's first model request, a link tap).

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <typeindex>
#include <vector>

#include "platform/foundation/Value.h"
#include "platform/ui/UIKitTypes.h"

class UIViewController;

struct TTNavigatorHooks {
  // URL map.
  // The object is given as a pointer to its dynamic type.
  std::function<std::string(const void* object, std::type_index type, const std::string& name)> URLForObject;
  std::function<std::shared_ptr<void>(const std::string& url)> objectForURL;
  std::function<void(const std::string& url)> removeObjectForURL;
  std::function<UIViewAnimationTransition(const std::string& url)> transitionForURL;
  // A pattern's navigation mode: none 0, create 1, share 2, modal 3, external 4.
  std::function<int(const std::string& url)> navigationModeForURL;
  // Navigator.
  std::function<void(const std::string& url, const std::map<std::string, void*>& query, bool animated)> openURL;
  std::function<void(UIViewController* controller, Value::Array& path)> persistController;
  std::function<std::shared_ptr<UIViewController>(const std::string& url)> viewControllerForURL;
  std::function<UIViewController*()> visibleViewController;
  // While delayed, model view controllers run on a stand-in model until delayDidEnd.
  std::function<bool()> isDelayed;
  std::function<bool()> supportsShakeToReload;
  std::function<void()> reload;

  // Makes the navigator, which then fills in the hooks above.
  std::function<void()> startNavigator;
  // Runs `startNavigator` when no navigator has filled the hooks in yet.
  void ensureNavigator();

  static TTNavigatorHooks& shared();
};
