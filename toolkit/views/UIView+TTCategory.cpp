#include "toolkit/views/UIView+TTCategory.h"

#include "platform/ui/hosting/UIScrollView.h"
#include "platform/ui/hosting/UIViewController.h"
#include "toolkit/foundation/TTGlobalUI.h"

namespace {
template <class F>
void changeFrame(UIView& view, F change) {
  CGRect frame = view.frame();
  change(frame);
  view.setFrame(frame);
}

CGPoint scrollOffset(const UIView& view) {
  auto* scroll = dynamic_cast<const UIScrollView*>(&view);
  return scroll ? scroll->contentOffset() : CGPointZero;
}
}  // namespace

namespace tt {

CGFloat left(const UIView& view) { return view.frame().origin.x; }
void setLeft(UIView& view, CGFloat x) { changeFrame(view, [x](CGRect& f) { f.origin.x = x; }); }
CGFloat top(const UIView& view) { return view.frame().origin.y; }
void setTop(UIView& view, CGFloat y) { changeFrame(view, [y](CGRect& f) { f.origin.y = y; }); }
CGFloat right(const UIView& view) { return left(view) + width(view); }
void setRight(UIView& view, CGFloat r) { changeFrame(view, [r](CGRect& f) { f.origin.x = r - f.size.width; }); }
CGFloat bottom(const UIView& view) { return top(view) + height(view); }
void setBottom(UIView& view, CGFloat b) { changeFrame(view, [b](CGRect& f) { f.origin.y = b - f.size.height; }); }
CGFloat centerX(const UIView& view) { return view.center().x; }
void setCenterX(UIView& view, CGFloat x) { view.setCenter(CGPointMake(x, view.center().y)); }
CGFloat centerY(const UIView& view) { return view.center().y; }
void setCenterY(UIView& view, CGFloat y) { view.setCenter(CGPointMake(view.center().x, y)); }
CGFloat width(const UIView& view) { return view.frame().size.width; }
void setWidth(UIView& view, CGFloat w) { changeFrame(view, [w](CGRect& f) { f.size.width = w; }); }
CGFloat height(const UIView& view) { return view.frame().size.height; }
void setHeight(UIView& view, CGFloat h) { changeFrame(view, [h](CGRect& f) { f.size.height = h; }); }
CGPoint origin(const UIView& view) { return view.frame().origin; }
void setOrigin(UIView& view, CGPoint o) { changeFrame(view, [o](CGRect& f) { f.origin = o; }); }
CGSize size(const UIView& view) { return view.frame().size; }
void setSize(UIView& view, CGSize s) { changeFrame(view, [s](CGRect& f) { f.size = s; }); }

CGFloat orientationWidth(const UIView& view) {
  return UIInterfaceOrientationIsLandscape(TTCurrentInterfaceOrientation()) ? height(view) : width(view);
}

CGFloat orientationHeight(const UIView& view) {
  return UIInterfaceOrientationIsLandscape(TTCurrentInterfaceOrientation()) ? width(view) : height(view);
}

CGFloat screenX(const UIView& view) { return offsetFromView(view, nullptr).x; }
CGFloat screenY(const UIView& view) { return offsetFromView(view, nullptr).y; }

CGFloat screenViewX(const UIView& view) {
  CGFloat x = 0;
  for (const UIView* v = &view; v; v = v->superview()) x += left(*v) - scrollOffset(*v).x;
  return x;
}

CGFloat screenViewY(const UIView& view) {
  CGFloat y = 0;
  for (const UIView* v = &view; v; v = v->superview()) y += top(*v) - scrollOffset(*v).y;
  return y;
}

CGRect screenFrame(const UIView& view) { return CGRectMake(screenViewX(view), screenViewY(view), width(view), height(view)); }

CGPoint offsetFromView(const UIView& view, const UIView* ancestor) {
  CGPoint sum{};
  for (const UIView* v = &view; v && v != ancestor; v = v->superview()) {
    sum.x += left(*v);
    sum.y += top(*v);
  }
  return sum;
}

void removeAllSubviews(UIView& view) {
  while (!view.subviews().empty()) view.subviews().back()->removeFromSuperview();
}

UIViewController* owningViewController(const UIView& view) {
  for (const UIView* v = view.superview(); v; v = v->superview())
    if (auto* controller = dynamic_cast<UIViewController*>(v->nextResponder())) return controller;
  return nullptr;
}

CGRect frameWithKeyboardSubtracted(const UIView& view, CGFloat extraHeight) {
  CGRect frame = view.frame();
  if (!TTKeyboardIsShown()) return frame;
  CGFloat screenHeight = TTOrientedScreenBounds().size.height;
  CGFloat overlap = screenY(view) + frame.size.height - (screenHeight - (TTOrientedKeyboardHeight() + extraHeight));
  if (overlap > 0) frame.size.height -= overlap;
  return frame;
}

}  // namespace tt
