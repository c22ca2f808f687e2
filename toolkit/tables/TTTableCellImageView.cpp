#include "toolkit/tables/TTTableCellImageView.h"

#include "toolkit/network/TTURLCache.h"

UIImagePtr TTTableCellImageView::cachedImageForURL(const std::string& url)
{
    return url.empty() ? nullptr : TTURLCache::sharedCache().imageForURL(url);
}

void TTTableCellImageView::setURL(std::string url)
{
    URL_ = std::move(url);
    updateImage();
}

void TTTableCellImageView::setDefaultImage(UIImagePtr image)
{
    defaultImage_ = std::move(image);
    updateImage();
}

void TTTableCellImageView::updateImage()
{
    UIImagePtr image = cachedImageForURL(URL_);
    setImage(image ? image : defaultImage_);
}
