#pragma once
// Frame geometry by edge, centre and size, positions in window coordinates and searches up and
// down the view tree. Every setter changes the frame (or the centre) and keeps the rest.

#include "platform/ui/UIView.h"

class UIViewController;

namespace tt {

CGFloat left(const UIView& view);
void setLeft(UIView& view, CGFloat x);
CGFloat top(const UIView& view);
void setTop(UIView& view, CGFloat y);
CGFloat right(const UIView& view);
void setRight(UIView& view, CGFloat right);
CGFloat bottom(const UIView& view);
void setBottom(UIView& view, CGFloat bottom);
CGFloat centerX(const UIView& view);
void setCenterX(UIView& view, CGFloat x);
CGFloat centerY(const UIView& view);
void setCenterY(UIView& view, CGFloat y);
CGFloat width(const UIView& view);
void setWidth(UIView& view, CGFloat width);
CGFloat height(const UIView& view);
void setHeight(UIView& view, CGFloat height);
CGPoint origin(const UIView& view);
void setOrigin(UIView& view, CGPoint origin);
CGSize size(const UIView& view);
void setSize(UIView& view, CGSize size);
// Width and height as the current interface orientation sees them.
CGFloat orientationWidth(const UIView& view);
CGFloat orientationHeight(const UIView& view);

// Sums of the origins up to the root; the "view" forms take off scroll offsets on the way.
CGFloat screenX(const UIView& view);
CGFloat screenY(const UIView& view);
CGFloat screenViewX(const UIView& view);
CGFloat screenViewY(const UIView& view);
CGRect screenFrame(const UIView& view);
// The sums of origins up to (not including) `ancestor`, or to the root when it is not one.
CGPoint offsetFromView(const UIView& view, const UIView* ancestor);

template <class T>
T* ancestorOrSelfWithClass(UIView* view) {
  for (; view; view = view->superview())
    if (auto* match = dynamic_cast<T*>(view)) return match;
  return nullptr;
}

// Depth first, a subview's whole subtree before the next subview.
template <class T>
T* descendantOrSelfWithClass(UIView* view) {
  if (!view) return nullptr;
  if (auto* match = dynamic_cast<T*>(view)) return match;
  for (const auto& child : view->subviews())
    if (auto* match = descendantOrSelfWithClass<T>(child.get())) return match;
  return nullptr;
}

void removeAllSubviews(UIView& view);
// The controller of the nearest view above this one (not this one) that is a controller's view.
UIViewController* owningViewController(const UIView& view);
// The frame less the part the keyboard (with `extraHeight` above it) would cover.
CGRect frameWithKeyboardSubtracted(const UIView& view, CGFloat extraHeight);

}  // namespace tt
