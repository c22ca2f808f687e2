#pragma once
// A view that slides up from the bottom of a container the way the keyboard does, and tells
// the keyboard's listeners so that they make room for it.

#include "platform/ui/UIView.h"

namespace tt {

// Slides in over 0.3 s; the "will show" notification follows the slide.
void presentAsKeyboardInView(UIView& view, UIView& container);
// The "will hide" notification goes first; then the view slides out (or goes at once) and
// leaves its superview.
void dismissAsKeyboard(UIView& view, bool animated);

}  // namespace tt
