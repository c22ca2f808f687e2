#pragma once
// The toolkit's base screen: a plain root view in the style sheet's background colour, its own
// navigation-bar and status-bar look applied on every appearance, the shared request queue held
// back while the screen's transition runs, keyboard notifications turned into four hooks, view
// state frozen at a memory warning while off screen, an optional search results controller and
// shake-to-reload through the navigator.

#include <memory>
#include <optional>

#include "platform/foundation/Value.h"
#include "platform/ui/hosting/UISearchBar.h"
#include "platform/ui/hosting/UIViewController.h"
#include "toolkit/controllers/TTSearchDisplay.h"

class TTViewController : public UIViewController {
 public:
  TTViewController();
  ~TTViewController() override;

  UIBarStyle navigationBarStyle() const { return navigationBarStyle_; }
  // Takes effect at the next appearance; a bar already on screen keeps its look.
  void setNavigationBarStyle(UIBarStyle style) { navigationBarStyle_ = style; }
  const UIColorPtr& navigationBarTintColor() const { return navigationBarTintColor_; }
  void setNavigationBarTintColor(UIColorPtr color) { navigationBarTintColor_ = std::move(color); }
  UIStatusBarStyle statusBarStyle() const { return statusBarStyle_; }
  void setStatusBarStyle(UIStatusBarStyle style) { statusBarStyle_ = style; }

  bool isViewAppearing() const { return isViewAppearing_; }
  bool hasViewAppeared() const { return hasViewAppeared_; }

  bool autoresizesForKeyboard() const { return autoresizesForKeyboard_; }
  // Observes the keyboard's will-show and will-hide notifications while on.
  void setAutoresizesForKeyboard(bool on);

  // The results controller of this screen's search; the bar is made with the first one and
  // kept for later ones. Null drops both.
  UIViewController* searchViewController() const { return searchViewController_.get(); }
  void setSearchViewController(UIViewControllerPtr controller);
  UISearchBar* searchBar() const { return searchBar_.get(); }
  // The display that runs the bar over this screen, when the table controllers are installed.
  TTSearchDisplay* searchDisplay() const { return searchDisplay_.get(); }

  // View state kept across a memory warning while the screen is off display.
  const std::optional<Value::Map>& frozenState() const { return frozenState_; }
  void setFrozenState(std::optional<Value::Map> state) { frozenState_ = std::move(state); }
  // Writes what the view must get back; the answer says whether it may be unloaded.
  virtual bool persistView(Value::Map& state) { return true; }
  virtual void restoreView(const Value::Map& state) {}
  // Sent by the navigator to controllers made while it was delayed.
  virtual void delayDidEnd() {}

  void motionBegan(int subtype, UIEvent* event) override;
  void loadView() override;
  void viewDidUnload() override;
  void viewWillAppear(bool animated) override;
  void viewDidAppear(bool animated) override;
  void viewWillDisappear(bool animated) override;
  void didReceiveMemoryWarning() override;

  // Keyboard hooks for subclasses; the bounds are the keyboard's. Geometry changed in a "will"
  // hook animates with the keyboard; the "did" hooks follow 0.3 s later.
  virtual void keyboardWillAppear(bool animated, CGRect bounds) {}
  virtual void keyboardWillDisappear(bool animated, CGRect bounds) {}
  virtual void keyboardDidAppear(bool animated, CGRect bounds) {}
  virtual void keyboardDidDisappear(bool animated, CGRect bounds) {}

 protected:
  bool isViewAppearing_ = false;
  bool hasViewAppeared_ = false;

 private:
  void resizeForKeyboard(bool appearing);

  std::optional<Value::Map> frozenState_;
  UIBarStyle navigationBarStyle_ = UIBarStyleDefault;
  UIColorPtr navigationBarTintColor_;
  UIStatusBarStyle statusBarStyle_ = UIStatusBarStyleDefault;
  std::shared_ptr<UISearchBar> searchBar_;
  UIViewControllerPtr searchViewController_;
  std::unique_ptr<TTSearchDisplay> searchDisplay_;
  bool autoresizesForKeyboard_ = false;
};
