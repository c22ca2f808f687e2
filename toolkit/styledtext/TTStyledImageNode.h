#pragma once
// An image (img): a URL, the image once known, a default shown meanwhile, and a size in points
// (0 = not given).

#include "platform/graphics/UIImage.h"
#include "toolkit/styledtext/TTStyledElement.h"

class TTStyledImageNode : public TTStyledElement {
public:
    TTStyledImageNode() = default;
    explicit TTStyledImageNode(const std::string& url) { setURL(url); }

    const std::string& URL() const { return url_; }
    // A new URL takes the image the cache has for it, or none.
    void setURL(const std::string& url);
    const UIImagePtr& image() const { return image_; }
    void setImage(UIImagePtr image) { image_ = std::move(image); }
    const UIImagePtr& defaultImage() const { return defaultImage_; }
    void setDefaultImage(UIImagePtr image) { defaultImage_ = std::move(image); }
    float width() const { return width_; }
    void setWidth(float width) { width_ = width; }
    float height() const { return height_; }
    void setHeight(float height) { height_ = height; }

    std::string description() const override { return "(" + url_ + ")"; }

protected:
    void appendHTML(std::string& out) const override { out += "<img src=\"" + url_ + "\"/>"; }

private:
    std::string url_;
    UIImagePtr image_, defaultImage_;
    float width_ = 0, height_ = 0;
};
