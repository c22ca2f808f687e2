#pragma once
// Small helpers for the views this layer draws itself.

#include "platform/ui/UIView.h"

// A see-through view that only draws (decorations inside buttons and bars).
inline void makeDecorationView(UIView& v) {
    v.setOpaque(false);
    v.setBackgroundColor(UIColor::clearColor());
    v.setUserInteractionEnabled(false);
}
