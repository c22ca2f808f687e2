#include "platform/foundation/Log.h"
#include "toolkit/navigator/TTNavigator.h"
#include "toolkit/controllers/TTViewController.h"
#include "toolkit/views/UIViewController+TTCategory.h"

namespace {
const char* const kHistoryKey = "TTNavigatorHistory";
const char* const kHistoryTimeKey = "TTNavigatorHistoryTime";
const char* const kURLKey = "__navigatorURL__";
}  // namespace

void TTNavigator::persistViewControllers() {
  Value::Array path;
  if (root_) persistController(root_.get(), path);
  defaults_.setArray(path, kHistoryKey);
  defaults_.setDate(NSDate::date(), kHistoryTimeKey);
  if (!defaults_.synchronize()) NSLog("[TTNavigator] the navigation history could not be saved");
}

void TTNavigator::persistController(UIViewController* controller, Value::Array& path) {
  if (!controller) return;
  std::string url = tt::navigatorURL(*controller);
  if (!url.empty()) {
    Value::Map state{{kURLKey, url}};
    auto* c = dynamic_cast<TTViewController*>(controller);
    if (!c || c->persistView(state)) path.push_back(Value(std::move(state)));
  }
  tt::persistNavigationPath(*controller, path);
  UIViewController* modal = controller->modalViewController();
  if (modal && modal->parentViewController() == controller) {
    persistController(modal, path);
  } else if (UIViewController* popup = tt::popupViewController(*controller)) {
    if (tt::superController(*popup) == controller) persistController(popup, path);
  }
}

UIViewControllerPtr TTNavigator::restoreViewControllers() {
  auto history = defaults_.arrayForKey(kHistoryKey);
  auto savedAt = defaults_.dateForKey(kHistoryTimeKey);
  if (persistenceExpirationAge_ != 0 && savedAt && -savedAt->timeIntervalSinceNow() > persistenceExpirationAge_)
    return nullptr;
  UIViewControllerPtr last;
  bool previousContains = false;
  for (const Value& entry : history ? *history : Value::Array()) {
    const Value::Map* state = entry.map();
    const std::string* url = state ? entry[kURLKey].string() : nullptr;
    if (!url) {
      NSLog("[TTNavigator] a saved screen without a URL is skipped");
      continue;
    }
    UIViewControllerPtr controller = openURL(*url, "", std::nullopt, state, false);
    if (!controller) continue;
    last = controller;
    if (persistenceMode_ == TTNavigatorPersistenceMode::Top && previousContains) break;
    previousContains = tt::canContainControllers(*controller);
  }
  if (window_) window_->makeKeyAndVisible();
  return last;
}

void TTNavigator::resetDefaults() {
  defaults_.removeObjectForKey(kHistoryKey);
  defaults_.removeObjectForKey(kHistoryTimeKey);
  if (!defaults_.synchronize()) NSLog("[TTNavigator] the navigation history could not be removed");
}
