#pragma once
// What the navigator needs of every view controller: the URL it was opened with, the
// controller that contains it and its popup, the subcontroller operations of the containers,
// pushes and pops with a flip or curl, and tabs built from URLs. The three relations live in
// tables keyed by the controller's full address and are cleared when a controller goes away.

#include <string>
#include <vector>

#include "platform/foundation/Value.h"
#include "platform/ui/hosting/UINavigationController.h"
#include "platform/ui/hosting/UITabBarController.h"
#include "platform/ui/hosting/UIViewController.h"

namespace tt {

// Installs the platform hooks: the tables' clean-up when a controller goes away, and animated
// pops that leave with the mirror of the transition the controller's URL came in with. The
// navigator calls it when it starts; calling it again does nothing.
void installControllerHooks();

std::string navigatorURL(const UIViewController& controller);
void setNavigatorURL(const UIViewController& controller, const std::string& url);  // empty removes
// The platform parent when there is one, else the recorded super controller.
UIViewController* superController(const UIViewController& controller);
void setSuperController(const UIViewController& controller, UIViewController* parent);  // unretained
UIViewController* popupViewController(const UIViewController& controller);
void setPopupViewController(const UIViewController& controller, UIViewController* popup);  // unretained

UIViewController* previousViewController(const UIViewController& controller);
UIViewController* nextViewController(const UIViewController& controller);

bool canContainControllers(const UIViewController& controller);
UIViewController* topSubcontroller(UIViewController& controller);
void addSubcontroller(UIViewController& container, const UIViewControllerPtr& controller, bool animated,
                      UIViewAnimationTransition transition);
void bringControllerToFront(UIViewController& container, UIViewController* controller, bool animated);
std::string keyForSubcontroller(UIViewController& container, UIViewController* controller);
UIViewController* subcontrollerForKey(UIViewController& container, const std::string& key);
void persistNavigationPath(UIViewController& container, Value::Array& path);
void removeFromSupercontroller(UIViewController& controller, bool animated = true);
void showBars(UIViewController& controller, bool show, bool animated);
// Dismisses what the controller presents modally, animated.
void dismissModalViewController(UIViewController& controller);

// A push or pop without the platform's slide, with the transition over the whole navigation
// view; the main request queue waits while it runs.
void pushViewControllerAnimatedWithTransition(UINavigationController& nav, const UIViewControllerPtr& controller,
                                              UIViewAnimationTransition transition);
UIViewControllerPtr popViewControllerAnimatedWithTransition(UINavigationController& nav,
                                                            UIViewAnimationTransition transition);
UIViewAnimationTransition invertTransition(UIViewAnimationTransition transition);

// The controller itself when it is a container, else a navigation controller around it.
UIViewControllerPtr rootControllerForController(const UIViewControllerPtr& controller);
// One tab per URL the navigator can make a controller for.
void setTabURLs(UITabBarController& tabs, const std::vector<std::string>& urls);

}  // namespace tt
