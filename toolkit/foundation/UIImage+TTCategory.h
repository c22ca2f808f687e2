#pragma once
// Drawing an image into a rectangle by a view content mode, optionally clipped to a rounded
// rectangle, and redrawing it at a new size.

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIImage.h"
#include "platform/ui/UIKitTypes.h"

namespace tt {

// A closed rounded rectangle on a new path; the plain rectangle for radius 0.
void addRoundedRectToPath(CGContext& context, CGRect rect, CGFloat radius);
// A new image of the size with the image drawn into it, turned upright by its orientation when
// rotate is set.
UIImagePtr transformWidth(const UIImage& image, CGFloat width, CGFloat height, bool rotate);
// Into the current context. The fitting modes are centred and not clipped; the edge and
// corner modes draw at the image's own size, clipped to the rectangle.
void drawInRect(const UIImage& image, CGRect rect, UIViewContentMode contentMode);
void drawInRect(const UIImage& image, CGRect rect, CGFloat radius,
                UIViewContentMode contentMode = UIViewContentModeScaleToFill);

}  // namespace tt
