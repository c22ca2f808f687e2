#include "Classes/Bookmarks/OpaqueLayer.h"

OpaqueLayer::OpaqueLayer(CGRect frame) : UIView(frame) {
    setAlpha(0);
    setBackgroundColor(UIColor::blackColor());
    setUserInteractionEnabled(false);
}

void OpaqueLayer::touchesEnded(const UITouchSet& touches, UIEvent* event) {
    if (delegate_) delegate_->hideOpaqueView();
    UIView::touchesEnded(touches, event);
}
