#include "toolkit/navigator/TTNavigator.h"

#include <algorithm>
#include <new>

#include "platform/foundation/Log.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/StringUtils.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIEvent.h"
#include "platform/ui/hosting/UINavigationController.h"
#include "platform/ui/hosting/UITabBarController.h"
#include "toolkit/foundation/TTGlobalUI.h"
#include "toolkit/foundation/TTNavigatorHooks.h"
#include "toolkit/controllers/TTModelViewController.h"
#include "toolkit/controllers/TTSearchDisplay.h"
#include "toolkit/controllers/TTViewController.h"
#include "toolkit/navigator/TTClassBuilder.h"
#include "toolkit/navigator/TTNavigatorWindow.h"
#include "toolkit/navigator/TTPopupViewController.h"
#include "toolkit/views/UIViewController+TTCategory.h"

namespace {
TTNavigator* hooked = nullptr;  // the navigator the toolkit's hooks reach

TTViewController* toolkitController(UIViewController* controller) { return dynamic_cast<TTViewController*>(controller); }
}  // namespace

TTNavigator& TTNavigator::navigator() {
  // Never destroyed: at exit it would release screens after the libraries they draw with.
  alignas(TTNavigator) static unsigned char storage[sizeof(TTNavigator)];
  static TTNavigator& shared = *new (storage) TTNavigator();
  // Another navigator may have held the hooks and gone.
  if (!hooked) shared.installHooks();
  return shared;
}

void TTNavigator::startOnFirstUse(std::function<void(TTNavigator&)> setUp) {
  TTNavigatorHooks::shared().startNavigator = [setUp = std::move(setUp)] {
    TTNavigator& shared = navigator();
    if (setUp) setUp(shared);
  };
}

void TTOpenURLAnimated(const std::string& url) { TTNavigator::navigator().openURL(url, true); }

TTNavigator::TTNavigator(NSUserDefaults& defaults) : defaults_(defaults) {
  tt::installControllerHooks();
  installHooks();
  NSNotificationCenter::defaultCenter().addObserver(this, UIApplicationWillTerminateNotification, [this] {
    if (persistenceMode_ != TTNavigatorPersistenceMode::None) persistViewControllers();
  });
}

TTNavigator::~TTNavigator() {
  NSNotificationCenter::defaultCenter().removeObserver(this);
  if (hooked == this) {
    auto& hooks = TTNavigatorHooks::shared();
    // Every hook but the one that makes a navigator again is cleared.
    auto startNavigator = std::move(hooks.startNavigator);
    hooks = TTNavigatorHooks{};
    hooks.startNavigator = std::move(startNavigator);
    hooked = nullptr;
  }
}

void TTNavigator::installHooks() {
  hooked = this;
  auto& hooks = TTNavigatorHooks::shared();
  hooks.URLForObject = [this](const void* object, std::type_index type, const std::string& name) {
    const TTClass* cls = TTClassRegistry::shared().classForType(type);
    if (!cls || !object) return std::string();
    return URLMap_.URLForObject({std::shared_ptr<void>(std::shared_ptr<void>(), const_cast<void*>(object)), cls}, name);
  };
  hooks.objectForURL = [this](const std::string& url) { return URLMap_.objectForURL(url).object; };
  hooks.removeObjectForURL = [this](const std::string& url) { URLMap_.removeObjectForURL(url); };
  hooks.transitionForURL = [this](const std::string& url) { return URLMap_.transitionForURL(url); };
  hooks.openURL = [this](const std::string& url, const std::map<std::string, void*>& query, bool animated) {
    std::optional<TTQuery> q;
    if (!query.empty()) {
      q.emplace();
      for (const auto& [key, value] : query) (*q)[key] = value;
    }
    openURL(url, "", q, nullptr, animated);
  };
  hooks.persistController = [this](UIViewController* controller, Value::Array& path) { persistController(controller, path); };
  hooks.viewControllerForURL = [this](const std::string& url) { return viewControllerForURL(url); };
  hooks.visibleViewController = [this] { return visibleViewController(); };
  hooks.isDelayed = [this] { return isDelayed(); };
  hooks.supportsShakeToReload = [this] { return supportsShakeToReload(); };
  hooks.reload = [this] { reload(); };
}

UIViewControllerPtr TTNavigator::sharedFrom(UIViewController* controller) const {
  return controller ? controller->weak_from_this().lock() : nullptr;
}

void TTNavigator::setWindow(std::shared_ptr<UIWindow> window) {
  ownWindow_ = std::move(window);
  window_ = ownWindow_.get();
}

void TTNavigator::setRootViewController(const UIViewControllerPtr& controller) {
  if (controller == root_) return;
  root_ = controller;
  ensureWindow();
}

void TTNavigator::ensureWindow() {
  if (!window_) {
    if (UIWindow* key = UIApplication::sharedApplication().keyWindow()) {
      window_ = key;
    } else {
      ownWindow_ = std::make_shared<TTNavigatorWindow>(TTOrientedScreenBounds(), this);
      window_ = ownWindow_.get();
      window_->makeKeyAndVisible();
    }
  }
  if (root_) window_->setRootViewController(root_);
}

UIViewControllerPtr TTNavigator::openURL(const std::string& urlText, const std::string& parentURL,
                                         const std::optional<TTQuery>& query, const Value::Map* state, bool animated,
                                         UIViewAnimationTransition transition, bool withDelay) {
  if (urlText.empty()) return nullptr;
  std::string text = urlText;
  auto url = NSURL::URLWithString(text);
  if (url && URLMap_.isAppURL(*url)) {
    UIApplication::sharedApplication().openURL(text);
    return nullptr;
  }
  if (!url) {
    // A bare fragment belongs to the current page; anything else is taken as a web address.
    text = (text.find('#') != std::string::npos ? URL() : std::string("http://")) + text;
    url = NSURL::URLWithString(text);
    if (!url) return nullptr;
  }
  if (delegate_ && !delegate_->shouldOpenURL(*this, *url)) return nullptr;
  if (withDelay) beginDelay();

  std::shared_ptr<TTURLNavigatorPattern> pattern;
  UIViewControllerPtr controller = viewControllerForURL(text, query, &pattern);
  if (controller) {
    if (state) {
      if (TTViewController* c = toolkitController(controller.get())) {
        c->restoreView(*state);
        c->setFrozenState(*state);
      }
      if (auto* m = dynamic_cast<TTModelViewController*>(controller.get())) m->model();
    }
    if (delegate_) delegate_->willOpenURL(*this, *url, controller.get());
    if (transition == UIViewAnimationTransitionNone && pattern) transition = pattern->transition();
    bool shown = presentController(controller, parentURL, pattern, animated, transition);
    if (withDelay && !shown) cancelDelay();
    return controller;
  }
  if (withDelay) cancelDelay();
  if (!opensExternalURLs_) return nullptr;
  if (delegate_) delegate_->willOpenURL(*this, *url, nullptr);
  UIApplication::sharedApplication().openURL(text);
  return nullptr;
}

UIViewControllerPtr TTNavigator::openURLs(const std::vector<std::string>& urls) {
  UIViewControllerPtr last;
  for (const auto& url : urls) last = openURL(url, false);
  return last;
}

UIViewControllerPtr TTNavigator::viewControllerForURL(const std::string& url, const std::optional<TTQuery>& query,
                                                      std::shared_ptr<TTURLNavigatorPattern>* pattern) {
  size_t hash = url.rfind('#');
  if (hash == std::string::npos) {
    TTObjectRef object = URLMap_.objectForURL(url, query, pattern);
    if (!object) return nullptr;
    UIViewControllerPtr controller = object.controller();
    if (!controller) return nullptr;
    tt::setNavigatorURL(*controller, url);
    if (isDelayed()) delayedControllers_.push_back(controller);
    return controller;
  }
  std::string base = url.substr(0, hash);
  TTObjectRef target;
  if (!base.empty() && base == URL()) target = tt_class_detail::refFor(sharedFrom(visibleViewController()));
  else target = URLMap_.objectForURL(base, std::nullopt, pattern);
  if (!target) return nullptr;
  TTObjectRef result = URLMap_.dispatchURL(url, target, query);
  if (UIViewControllerPtr controller = result.controller()) return controller;
  return target.controller();
}

bool TTNavigator::presentController(const UIViewControllerPtr& controller, const std::string& parentURL,
                                    const std::shared_ptr<TTURLNavigatorPattern>& pattern, bool animated,
                                    UIViewAnimationTransition transition) {
  if (!controller || controller.get() == topViewController()) return false;
  std::string parentText = !parentURL.empty() ? parentURL : pattern ? pattern->parentURL() : std::string();
  UIViewController* parent = parentForController(controller.get(), parentText);
  if (parent && parent != topViewController())
    presentController(sharedFrom(parent), nullptr, TTNavigationMode::None, false, UIViewAnimationTransitionNone);
  TTNavigationMode mode = pattern ? pattern->navigationMode() : TTNavigationMode::None;
  return presentController(controller, parent, mode, animated, transition);
}

bool TTNavigator::presentController(const UIViewControllerPtr& controller, UIViewController* parent,
                                    TTNavigationMode mode, bool animated, UIViewAnimationTransition transition) {
  if (!controller) return false;
  if (!root_) {
    setRootViewController(controller);
    return true;
  }
  if (UIViewController* superController = tt::superController(*controller)) {
    if (superController == parent) return false;
    // Bring it forward in every container it sits in, animating only the outermost.
    UIViewController* child = controller.get();
    for (UIViewController* s = superController; s;) {
      UIViewController* next = tt::superController(*s);
      tt::bringControllerToFront(*s, child, animated && !next);
      child = s;
      s = next;
    }
    return false;
  }
  if (!parent) return true;
  if (auto* popup = dynamic_cast<TTPopupViewController*>(controller.get())) {
    tt::setPopupViewController(*parent, popup);
    tt::setSuperController(*popup, parent);
    popup->showInView(parent->view(), animated);
  } else if (mode == TTNavigationMode::Modal) {
    presentModalController(controller, parent, animated, transition);
  } else {
    tt::addSubcontroller(*parent, controller, animated, transition);
  }
  return true;
}

void TTNavigator::presentModalController(const UIViewControllerPtr& controller, UIViewController* parent, bool animated,
                                         UIViewAnimationTransition transition) {
  controller->setModalTransitionStyle(static_cast<UIModalTransitionStyle>(transition));
  UIViewControllerPtr shown = controller;
  if (!dynamic_cast<UINavigationController*>(controller.get())) shown = std::make_shared<UINavigationController>(controller);
  parent->presentModalViewController(shown, animated);
}

UIViewController* TTNavigator::parentForController(UIViewController* controller, const std::string& parentURL) {
  if (controller == root_.get()) return nullptr;
  if (!root_ && !tt::canContainControllers(*controller)) setRootViewController(std::make_shared<UINavigationController>());
  // A pattern that is its own ancestor would open parents without end: the second time round
  // it goes on the top controller instead.
  bool looping = std::find(openingParents_.begin(), openingParents_.end(), parentURL) != openingParents_.end();
  if (looping) NSLog("[TTNavigator] %s is its own parent", parentURL.c_str());
  if (!parentURL.empty() && !looping) {
    openingParents_.push_back(parentURL);
    UIViewControllerPtr parent = openURL(parentURL, "", std::nullopt, nullptr, false);
    openingParents_.pop_back();
    return parent.get();
  }
  UIViewController* top = topViewController();
  return top == controller ? nullptr : top;
}

UIViewController* TTNavigator::topViewController() const {
  UIViewController* controller = root_.get();
  while (controller) {
    UIViewController* next = controller->modalViewController();
    if (!next) next = tt::topSubcontroller(*controller);
    if (!next) break;
    controller = next;
  }
  return controller;
}

UIViewController* TTNavigator::visibleViewController() const {
  UIViewController* controller = root_.get();
  while (controller) {
    UIViewController* next = controller->modalViewController();
    if (!next) {
      // An active search shows its results controller in place of the top subcontroller.
      auto* screen = dynamic_cast<TTViewController*>(controller);
      TTSearchDisplay* search = screen ? screen->searchDisplay() : nullptr;
      if (search && search->searchDisplayController().isActive()) next = search->searchResultsViewController();
    }
    if (!next) next = tt::topSubcontroller(*controller);
    if (!next) break;
    controller = next;
  }
  return controller;
}

UINavigationController* TTNavigator::frontNavigationController() const {
  if (auto* tabs = dynamic_cast<UITabBarController*>(root_.get())) {
    UIViewController* front = tabs->selectedViewController();
    if (!front && !tabs->viewControllers().empty()) front = tabs->viewControllers().front().get();
    return dynamic_cast<UINavigationController*>(front);
  }
  return dynamic_cast<UINavigationController*>(root_.get());
}

UIViewController* TTNavigator::frontViewControllerForController(UIViewController* controller) const {
  while (controller) {
    if (auto* tabs = dynamic_cast<UITabBarController*>(controller)) {
      UIViewController* selected = tabs->selectedViewController();
      controller = selected || tabs->viewControllers().empty() ? selected : tabs->viewControllers().front().get();
    } else if (auto* nav = dynamic_cast<UINavigationController*>(controller)) {
      controller = nav->topViewController();
    }
    if (!controller || !controller->modalViewController()) return controller;
    controller = controller->modalViewController();
  }
  return nullptr;
}

UIViewController* TTNavigator::frontViewController() const {
  UINavigationController* nav = frontNavigationController();
  return frontViewControllerForController(nav ? nav : root_.get());
}

std::string TTNavigator::URL() const {
  UIViewController* top = topViewController();
  return top ? tt::navigatorURL(*top) : std::string();
}

std::string TTNavigator::pathForObject(UIViewController* controller) const {
  std::vector<std::string> keys;
  for (UIViewController* c = controller; c;) {
    UIViewController* container = tt::superController(*c);
    if (!container) break;
    std::string key = tt::keyForSubcontroller(*container, c);
    if (!key.empty()) keys.push_back(key);
    c = container;
  }
  return str::join(keys, "/");
}

UIViewController* TTNavigator::objectForPath(const std::string& path) const {
  UIViewController* controller = root_.get();
  if (path.empty()) return controller;
  auto keys = str::split(path, "/");
  for (auto it = keys.rbegin(); it != keys.rend() && controller; ++it) controller = tt::subcontrollerForKey(*controller, *it);
  return controller;
}

void TTNavigator::endDelay() {
  if (delayCount_ == 0 || --delayCount_ > 0) return;
  auto delayed = std::move(delayedControllers_);
  delayedControllers_.clear();
  for (const auto& weak : delayed)
    if (auto controller = weak.lock())
      if (TTViewController* c = toolkitController(controller.get())) c->delayDidEnd();
}

void TTNavigator::cancelDelay() {
  if (delayCount_ == 0 || --delayCount_ > 0) return;
  delayedControllers_.clear();
}

void TTNavigator::reload() {
  if (auto* m = dynamic_cast<TTModelViewController*>(visibleViewController())) m->reload();
}

void TTNavigatorWindow::motionBegan(int subtype, UIEvent* event) {
  if (event && event->type() == UIEventTypeMotion && navigator_ && navigator_->supportsShakeToReload()) navigator_->reload();
}
