#pragma once
// Images for styles: by URL ("bundle://", "documents://" files; remote images once loaded and
// cached) and drawn into a rectangle by a view content mode.

#include <string>

#include "platform/graphics/UIImage.h"
#include "platform/ui/UIKitTypes.h"

namespace TTStyleImages {

// The image for a URL if one is at hand now; never loads from the network.
UIImagePtr imageForURL(const std::string& url);
// Draws the image into the rectangle of the current context placed by the content mode, clipped
// to the rectangle.
void drawImage(const UIImage& image, CGRect rect, int contentMode);

}  // namespace TTStyleImages
