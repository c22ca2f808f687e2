#pragma once
// How style and shape values are written in keyed archives: sizes and edge insets as the
// platform's "{w, h}" and "{top, left, bottom, right}" strings, colours as RGBA arrays, fonts as
// name and size, images as PNG data.

#include <string>

#include "platform/foundation/NSKeyedArchiver.h"
#include "platform/graphics/Geometry.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/UIFont.h"

namespace TTStyleCoding {

void encodeSize(NSKeyedArchiver& coder, CGSize size, const std::string& key);
CGSize decodeSize(const NSKeyedUnarchiver& coder, const std::string& key);
void encodeInsets(NSKeyedArchiver& coder, UIEdgeInsets insets, const std::string& key);
UIEdgeInsets decodeInsets(const NSKeyedUnarchiver& coder, const std::string& key);
void encodeColor(NSKeyedArchiver& coder, const UIColorPtr& color, const std::string& key);
UIColorPtr decodeColor(const NSKeyedUnarchiver& coder, const std::string& key);
void encodeFont(NSKeyedArchiver& coder, const UIFontPtr& font, const std::string& key);
UIFontPtr decodeFont(const NSKeyedUnarchiver& coder, const std::string& key);
void encodeImage(NSKeyedArchiver& coder, const UIImagePtr& image, const std::string& key);
UIImagePtr decodeImage(const NSKeyedUnarchiver& coder, const std::string& key);

}  // namespace TTStyleCoding
