#pragma once
// Orientation, screen and bar geometry, and the keyboard, as the toolkit's views see them.

#include "platform/graphics/Geometry.h"
#include "platform/ui/UIKitTypes.h"

bool TTKeyboardIsShown();
// Unknown reads as portrait.
UIDeviceOrientation TTCurrentDeviceOrientation();
// The status bar's, else the visible view controller's.
UIInterfaceOrientation TTCurrentInterfaceOrientation();
// Width and height exchanged in landscape.
CGRect TTOrientedScreenBounds();
CGRect TTFrameUnderNavigationBar();
CGRect TTFrameBetweenBars();
CGFloat TTOrientedKeyboardHeight();
