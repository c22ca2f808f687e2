#include "toolkit/views/TTPopupView.h"

#include "platform/foundation/RunLoop.h"

void TTPopupView::willRemoveSubview(UIView*) {
  // Not while the superview walks its own subviews: on the next turn of the loop.
  std::weak_ptr<UIView> self = weak_from_this();
  RunLoop::main().post([self] {
    if (auto view = self.lock()) view->removeFromSuperview();
  });
}
