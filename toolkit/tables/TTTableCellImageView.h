#pragma once
// The image of a table row: the image the URL cache holds for a URL (or, for bundle and
// documents URLs, the file), else a default image. It does not load from the network.

#include "platform/ui/UIImageView.h"
#include "toolkit/style/TTStyle.h"

class TTTableCellImageView : public UIImageView {
public:
    TTTableCellImageView() : UIImageView(CGRectZero) {}

    static UIImagePtr cachedImageForURL(const std::string& url);

    const std::string& URL() const { return URL_; }
    void setURL(std::string url);
    const UIImagePtr& defaultImage() const { return defaultImage_; }
    void setDefaultImage(UIImagePtr image);
    const TTStylePtr& style() const { return style_; }
    void setStyle(TTStylePtr style) { style_ = std::move(style); }

private:
    void updateImage();
    std::string URL_;
    UIImagePtr defaultImage_;
    TTStylePtr style_;
};
