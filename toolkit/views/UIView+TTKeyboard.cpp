#include "toolkit/views/UIView+TTKeyboard.h"

#include <cmath>

#include "platform/ui/hosting/UIKeyboard.h"
#include "toolkit/foundation/TTGlobalUI.h"
#include "toolkit/views/UIView+TTCategory.h"

namespace {
// Bounds and centres for a keyboard of the view's size, sliding in or out.
UIKeyboardInfo keyboardInfo(const UIView& view, bool showing) {
  CGRect screen = TTOrientedScreenBounds();
  CGFloat h = tt::height(view);
  CGFloat x = std::floor(screen.size.width / 2 - tt::width(view) / 2);
  CGPoint out = CGPointMake(x, screen.size.height + std::floor(h / 2));
  CGPoint in = CGPointMake(x, screen.size.height - std::floor(h / 2));
  UIKeyboardInfo info;
  info.bounds = CGRectMake(0, 0, screen.size.width, h);
  info.centerBegin = showing ? out : in;
  info.centerEnd = showing ? in : out;
  info.frameBegin = CGRectMake(info.centerBegin.x, info.centerBegin.y - h / 2, tt::width(view), h);
  info.frameEnd = CGRectMake(info.centerEnd.x, info.centerEnd.y - h / 2, tt::width(view), h);
  info.animationDuration = 0.3;
  return info;
}
}  // namespace

namespace tt {

void presentAsKeyboardInView(UIView& view, UIView& container) {
  setTop(view, height(container));
  container.addSubview(view.shared_from_this());
  std::weak_ptr<UIView> weak = view.shared_from_this();
  UIView::beginAnimations("TTPresentAsKeyboard");
  UIView::setAnimationDuration(0.3);
  UIView::setAnimationDidStopSelector([weak](const std::string&, bool, void*) {
    if (auto v = weak.lock()) UIKeyboard::postNotification(UIKeyboardWillShowNotification, keyboardInfo(*v, true));
  });
  setTop(view, top(view) - height(view));
  UIView::commitAnimations();
}

void dismissAsKeyboard(UIView& view, bool animated) {
  UIKeyboard::postNotification(UIKeyboardWillHideNotification, keyboardInfo(view, false));
  if (!animated) {
    setTop(view, top(view) + height(view));
    view.removeFromSuperview();
    return;
  }
  std::weak_ptr<UIView> weak = view.shared_from_this();
  UIView::beginAnimations("TTDismissAsKeyboard");
  UIView::setAnimationDuration(0.3);
  UIView::setAnimationDidStopSelector([weak](const std::string&, bool, void*) {
    if (auto v = weak.lock()) v->removeFromSuperview();
  });
  setTop(view, top(view) + height(view));
  UIView::commitAnimations();
}

}  // namespace tt
