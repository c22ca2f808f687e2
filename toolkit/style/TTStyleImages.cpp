#include "toolkit/style/TTStyleImages.h"

#include "platform/foundation/Paths.h"
#include "platform/graphics/CGContext.h"
#include "platform/ui/UIImageView.h"

namespace TTStyleImages {

UIImagePtr imageForURL(const std::string& url) {
    static const std::string bundle = "bundle://", documents = "documents://";
    std::string path;
    if (url.rfind(bundle, 0) == 0) path = Paths::bundle() + "/" + url.substr(bundle.size());
    else if (url.rfind(documents, 0) == 0) path = Paths::documents() + "/" + url.substr(documents.size());
    else return nullptr;
    // A URL never reaches outside its folder.
    if (path.find("/../") != std::string::npos || path.size() >= 3 && path.compare(path.size() - 3, 3, "/..") == 0)
        return nullptr;
    return UIImage::imageWithContentsOfFile(path);
}

void drawImage(const UIImage& image, CGRect rect, int contentMode) {
    CGContext* ctx = UIGraphicsGetCurrentContext();
    if (!ctx) return;
    const auto mode = contentMode >= UIViewContentModeScaleToFill && contentMode <= UIViewContentModeBottomRight
                          ? static_cast<UIViewContentMode>(contentMode)
                          : UIViewContentModeScaleToFill;
    ctx->saveGState();
    ctx->clipToRect(rect);
    image.drawInRect(UIImageView::rectForContentMode(mode, image.size(), rect));
    ctx->restoreGState();
}

}  // namespace TTStyleImages
