#include "toolkit/views/UIViewController+TTCategory.h"

#include <algorithm>
#include <map>

#include "platform/ui/UIApplication.h"
#include "toolkit/foundation/TTNavigatorHooks.h"
#include "toolkit/network/TTURLRequestQueue.h"

namespace {
// Keyed by the whole address, so two controllers never share an entry.
struct ControllerTables {
  std::map<const UIViewController*, std::string> navigatorURLs;
  std::map<const UIViewController*, UIViewController*> superControllers;
  std::map<const UIViewController*, UIViewController*> popupControllers;
};

ControllerTables& tables() {
  static ControllerTables t;
  return t;
}

template <class V>
V lookup(const std::map<const UIViewController*, V>& table, const UIViewController* key) {
  auto it = table.find(key);
  return it == table.end() ? V{} : it->second;
}

void forgetController(UIViewController* controller) {
  auto& t = tables();
  std::string url = lookup(t.navigatorURLs, controller);
  if (!url.empty()) {
    if (auto& remove = TTNavigatorHooks::shared().removeObjectForURL) remove(url);
    t.navigatorURLs.erase(controller);
  }
  t.superControllers.erase(controller);
  t.popupControllers.erase(controller);
}

std::optional<UIViewControllerPtr> popWithURLTransition(UINavigationController& nav) {
  UIViewController* top = nav.topViewController();
  auto& transitionFor = TTNavigatorHooks::shared().transitionForURL;
  std::string url = top ? tt::navigatorURL(*top) : std::string();
  if (url.empty() || !transitionFor) return std::nullopt;
  UIViewAnimationTransition transition = transitionFor(url);
  if (transition == UIViewAnimationTransitionNone) return std::nullopt;
  return tt::popViewControllerAnimatedWithTransition(nav, tt::invertTransition(transition));
}

void animateTransition(UINavigationController& nav, UIViewAnimationTransition transition, bool cache) {
  UIView::beginAnimations("TTTransition");
  UIView::setAnimationDuration(0.7);
  UIView::setAnimationDidStopSelector(
      [](const std::string&, bool, void*) { TTURLRequestQueue::mainQueue().setSuspended(false); });
  UIView::setAnimationTransition(transition, nav.view(), cache);
  UIView::commitAnimations();
}

int indexInStack(const UIViewController& controller, const std::vector<UIViewControllerPtr>& stack) {
  for (size_t i = 0; i < stack.size(); ++i)
    if (stack[i].get() == &controller) return static_cast<int>(i);
  return -1;
}
}  // namespace

namespace tt {

void installControllerHooks() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  UIViewController::addDeallocHook(forgetController);
  UINavigationController::setAnimatedPopHook(popWithURLTransition);
}

std::string navigatorURL(const UIViewController& controller) { return lookup(tables().navigatorURLs, &controller); }

void setNavigatorURL(const UIViewController& controller, const std::string& url) {
  if (url.empty()) tables().navigatorURLs.erase(&controller);
  else tables().navigatorURLs[&controller] = url;
}

UIViewController* superController(const UIViewController& controller) {
  if (UIViewController* parent = controller.parentViewController()) return parent;
  return lookup(tables().superControllers, &controller);
}

void setSuperController(const UIViewController& controller, UIViewController* parent) {
  if (parent) tables().superControllers[&controller] = parent;
  else tables().superControllers.erase(&controller);
}

UIViewController* popupViewController(const UIViewController& controller) {
  return lookup(tables().popupControllers, &controller);
}

void setPopupViewController(const UIViewController& controller, UIViewController* popup) {
  if (popup) tables().popupControllers[&controller] = popup;
  else tables().popupControllers.erase(&controller);
}

UIViewController* previousViewController(const UIViewController& controller) {
  UINavigationController* nav = controller.navigationController();
  if (!nav || nav->viewControllers().size() < 2) return nullptr;
  int i = indexInStack(controller, nav->viewControllers());
  return i > 0 ? nav->viewControllers()[i - 1].get() : nullptr;
}

UIViewController* nextViewController(const UIViewController& controller) {
  UINavigationController* nav = controller.navigationController();
  if (!nav || nav->viewControllers().size() < 2) return nullptr;
  int i = indexInStack(controller, nav->viewControllers());
  return i >= 0 && i + 1 < static_cast<int>(nav->viewControllers().size()) ? nav->viewControllers()[i + 1].get()
                                                                             : nullptr;
}

bool canContainControllers(const UIViewController& controller) {
  return dynamic_cast<const UINavigationController*>(&controller) || dynamic_cast<const UITabBarController*>(&controller);
}

UIViewController* topSubcontroller(UIViewController& controller) {
  if (auto* nav = dynamic_cast<UINavigationController*>(&controller)) return nav->topViewController();
  if (auto* tabs = dynamic_cast<UITabBarController*>(&controller)) return tabs->selectedViewController();
  return nullptr;
}

void addSubcontroller(UIViewController& container, const UIViewControllerPtr& controller, bool animated,
                      UIViewAnimationTransition transition) {
  if (auto* nav = dynamic_cast<UINavigationController*>(&container)) {
    if (animated && transition != UIViewAnimationTransitionNone) pushViewControllerAnimatedWithTransition(*nav, controller, transition);
    else nav->pushViewController(controller, animated);
  } else if (auto* tabs = dynamic_cast<UITabBarController*>(&container)) {
    tabs->setSelectedViewController(controller.get());
  } else if (UINavigationController* nav = container.navigationController()) {
    addSubcontroller(*nav, controller, animated, transition);
  }
}

void bringControllerToFront(UIViewController& container, UIViewController* controller, bool animated) {
  if (auto* nav = dynamic_cast<UINavigationController*>(&container)) {
    int i = controller ? indexInStack(*controller, nav->viewControllers()) : -1;
    if (i >= 0 && controller != nav->topViewController()) nav->popToViewController(controller, animated);
  } else if (auto* tabs = dynamic_cast<UITabBarController*>(&container)) {
    tabs->setSelectedViewController(controller);
  }
}

std::string keyForSubcontroller(UIViewController& container, UIViewController* controller) {
  auto* nav = dynamic_cast<UINavigationController*>(&container);
  int i = nav && controller ? indexInStack(*controller, nav->viewControllers()) : -1;
  return i >= 0 ? std::to_string(i) : std::string();
}

UIViewController* subcontrollerForKey(UIViewController& container, const std::string& key) {
  auto* nav = dynamic_cast<UINavigationController*>(&container);
  if (!nav || key.empty()) return nullptr;
  char* end = nullptr;
  long i = std::strtol(key.c_str(), &end, 10);
  if (*end != '\0' || i < 0 || i >= static_cast<long>(nav->viewControllers().size())) return nullptr;
  return nav->viewControllers()[static_cast<size_t>(i)].get();
}

void persistNavigationPath(UIViewController& container, Value::Array& path) {
  auto& persist = TTNavigatorHooks::shared().persistController;
  if (!persist) return;
  if (auto* nav = dynamic_cast<UINavigationController*>(&container)) {
    for (const auto& controller : nav->viewControllers()) persist(controller.get(), path);
  } else if (auto* tabs = dynamic_cast<UITabBarController*>(&container)) {
    if (UIViewController* selected = tabs->selectedViewController()) persist(selected, path);
  }
}

void removeFromSupercontroller(UIViewController& controller, bool animated) {
  if (UINavigationController* nav = controller.navigationController()) nav->popViewControllerAnimated(animated);
}

void dismissModalViewController(UIViewController& controller) { controller.dismissModalViewControllerAnimated(true); }

void showBars(UIViewController& controller, bool show, bool animated) {
  if (!show) UIApplication::sharedApplication().setStatusBarHidden(true, animated);
  UINavigationController* nav = controller.navigationController();
  if (!nav) return;
  UIView* bar = nav->navigationBar();
  if (animated) UIView::animateWithDuration(0.3, [bar, show] { bar->setAlpha(show ? 1 : 0); });
  else bar->setAlpha(show ? 1 : 0);
}

void pushViewControllerAnimatedWithTransition(UINavigationController& nav, const UIViewControllerPtr& controller,
                                              UIViewAnimationTransition transition) {
  TTURLRequestQueue::mainQueue().setSuspended(true);
  nav.pushViewController(controller, false);
  animateTransition(nav, transition, true);
}

UIViewControllerPtr popViewControllerAnimatedWithTransition(UINavigationController& nav,
                                                            UIViewAnimationTransition transition) {
  TTURLRequestQueue::mainQueue().setSuspended(true);
  UIViewControllerPtr popped = nav.popViewControllerAnimated(false);
  animateTransition(nav, transition, false);
  return popped;
}

UIViewAnimationTransition invertTransition(UIViewAnimationTransition transition) {
  switch (transition) {
    case UIViewAnimationTransitionFlipFromLeft: return UIViewAnimationTransitionFlipFromRight;
    case UIViewAnimationTransitionFlipFromRight: return UIViewAnimationTransitionFlipFromLeft;
    case UIViewAnimationTransitionCurlUp: return UIViewAnimationTransitionCurlDown;
    case UIViewAnimationTransitionCurlDown: return UIViewAnimationTransitionCurlUp;
    default: return UIViewAnimationTransitionNone;
  }
}

UIViewControllerPtr rootControllerForController(const UIViewControllerPtr& controller) {
  if (!controller || canContainControllers(*controller)) return controller;
  return std::make_shared<UINavigationController>(controller);
}

void setTabURLs(UITabBarController& tabs, const std::vector<std::string>& urls) {
  auto& make = TTNavigatorHooks::shared().viewControllerForURL;
  std::vector<UIViewControllerPtr> controllers;
  for (const auto& url : urls) {
    UIViewControllerPtr controller = make ? make(url) : nullptr;
    if (controller) controllers.push_back(rootControllerForController(controller));
  }
  tabs.setViewControllers(std::move(controllers));
}

}  // namespace tt
