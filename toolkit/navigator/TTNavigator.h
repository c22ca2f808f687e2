#pragma once
// Turns URL strings into view controllers and puts them on screen: a URL map says which
// controller answers a URL and how it is shown (pushed, shared, modal, popup); the navigator
// finds the parent, presents, keeps the stack's URLs and saves and restores it in the
// settings.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/NSUserDefaults.h"
#include "platform/ui/UIWindow.h"
#include "platform/ui/hosting/UINavigationController.h"
#include "toolkit/navigator/TTURLMap.h"

class TTNavigator;

class TTNavigatorDelegate {
 public:
  virtual ~TTNavigatorDelegate() = default;
  virtual bool shouldOpenURL(TTNavigator& navigator, const NSURL& url) { return true; }
  // `controller` is null when the URL is handed to the platform.
  virtual void willOpenURL(TTNavigator& navigator, const NSURL& url, UIViewController* controller) {}
};

enum class TTNavigatorPersistenceMode { None = 0, Top = 1, All = 2 };

class TTNavigator {
 public:
  // The process's navigator, made on first use.
  static TTNavigator& navigator();
  // Lets the toolkit make the process's navigator on its first use (a model view controller's
  // first model request, a link tap); `setUp` then runs once on it.
  static void startOnFirstUse(std::function<void(TTNavigator&)> setUp = nullptr);
  // A navigator on its own settings store (the standard one for the process's navigator). The
  // toolkit's links and controller hooks go to the navigator made last.
  explicit TTNavigator(NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults());
  ~TTNavigator();
  TTNavigator(const TTNavigator&) = delete;
  TTNavigator& operator=(const TTNavigator&) = delete;

  TTNavigatorDelegate* delegate() const { return delegate_; }
  void setDelegate(TTNavigatorDelegate* delegate) { delegate_ = delegate; }  // unretained
  TTURLMap& URLMap() { return URLMap_; }
  UIWindow* window() const { return window_; }
  void setWindow(std::shared_ptr<UIWindow> window);
  UIViewController* rootViewController() const { return root_.get(); }
  void setRootViewController(const UIViewControllerPtr& controller);
  void ensureWindow();

  TTNavigatorPersistenceMode persistenceMode() const { return persistenceMode_; }
  void setPersistenceMode(TTNavigatorPersistenceMode mode) { persistenceMode_ = mode; }
  double persistenceExpirationAge() const { return persistenceExpirationAge_; }
  void setPersistenceExpirationAge(double seconds) { persistenceExpirationAge_ = seconds; }
  bool supportsShakeToReload() const { return supportsShakeToReload_; }
  void setSupportsShakeToReload(bool on) { supportsShakeToReload_ = on; }
  bool opensExternalURLs() const { return opensExternalURLs_; }
  void setOpensExternalURLs(bool on) { opensExternalURLs_ = on; }

  // Opening: the controller found or made, or null (silently, when nothing answers).
  UIViewControllerPtr openURL(const std::string& url, const std::string& parentURL, const std::optional<TTQuery>& query,
                              const Value::Map* state, bool animated,
                              UIViewAnimationTransition transition = UIViewAnimationTransitionNone,
                              bool withDelay = false);
  UIViewControllerPtr openURL(const std::string& url, bool animated) { return openURL(url, "", std::nullopt, nullptr, animated); }
  UIViewControllerPtr openURL(const std::string& url, const TTQuery& query, bool animated) {
    return openURL(url, "", query, nullptr, animated);
  }
  // Each without animation, in order; the last controller.
  UIViewControllerPtr openURLs(const std::vector<std::string>& urls);
  UIViewControllerPtr viewControllerForURL(const std::string& url, const std::optional<TTQuery>& query = std::nullopt,
                                           std::shared_ptr<TTURLNavigatorPattern>* pattern = nullptr);

  // Presenting; true when the controller was shown.
  bool presentController(const UIViewControllerPtr& controller, const std::string& parentURL,
                         const std::shared_ptr<TTURLNavigatorPattern>& pattern, bool animated,
                         UIViewAnimationTransition transition);
  bool presentController(const UIViewControllerPtr& controller, UIViewController* parent, TTNavigationMode mode,
                         bool animated, UIViewAnimationTransition transition);
  void presentModalController(const UIViewControllerPtr& controller, UIViewController* parent, bool animated,
                              UIViewAnimationTransition transition);
  UIViewController* parentForController(UIViewController* controller, const std::string& parentURL);

  UIViewController* visibleViewController() const;
  UIViewController* topViewController() const;
  // The root when it is a navigation controller; a tab bar root's selected (else first) one.
  UINavigationController* frontNavigationController() const;
  // The front controller of a container, followed into what it presents modally.
  UIViewController* frontViewControllerForController(UIViewController* controller) const;
  UIViewController* frontViewController() const;
  // The top controller's URL; setting it opens that URL animated.
  std::string URL() const;
  void setURL(const std::string& url) { openURL(url, true); }

  // "/"-separated keys of the controller's place under the root.
  std::string pathForObject(UIViewController* controller) const;
  UIViewController* objectForPath(const std::string& path) const;

  void beginDelay() { ++delayCount_; }
  void endDelay();
  void cancelDelay();
  bool isDelayed() const { return delayCount_ > 0; }

  void persistViewControllers();
  // The last controller opened; null when nothing was saved or the save is too old.
  UIViewControllerPtr restoreViewControllers();
  void persistController(UIViewController* controller, Value::Array& path);
  void resetDefaults();

  void reload();
  // Controllers are never taken down from here: nothing happens.
  void removeAllViewControllers() {}

 private:
  void installHooks();
  UIViewControllerPtr sharedFrom(UIViewController* controller) const;

  TTNavigatorDelegate* delegate_ = nullptr;
  NSUserDefaults& defaults_;
  TTURLMap URLMap_;
  UIWindow* window_ = nullptr;
  std::shared_ptr<UIWindow> ownWindow_;
  UIViewControllerPtr root_;
  std::vector<std::weak_ptr<UIViewController>> delayedControllers_;
  std::vector<std::string> openingParents_;  // parent URLs being opened, outermost first
  TTNavigatorPersistenceMode persistenceMode_ = TTNavigatorPersistenceMode::None;
  double persistenceExpirationAge_ = 0;
  int delayCount_ = 0;
  bool supportsShakeToReload_ = false;
  bool opensExternalURLs_ = false;
};

// Opens the URL animated through the process's navigator.
void TTOpenURLAnimated(const std::string& url);
