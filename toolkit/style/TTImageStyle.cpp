#include "toolkit/style/TTImageStyle.h"

#include "toolkit/style/TTStyleCoding.h"
#include "toolkit/foundation/UIImage+TTCategory.h"
#include "toolkit/network/TTURLCache.h"

using namespace TTStyleCoding;

std::shared_ptr<TTImageStyle> TTImageStyle::styleWithImageURL(std::string imageURL, TTStylePtr next) {
    return styleWithImageURL(std::move(imageURL), nullptr, 0, {}, std::move(next));
}
std::shared_ptr<TTImageStyle> TTImageStyle::styleWithImageURL(std::string imageURL, UIImagePtr defaultImage,
                                                              TTStylePtr next) {
    return styleWithImageURL(std::move(imageURL), std::move(defaultImage), 0, {}, std::move(next));
}
std::shared_ptr<TTImageStyle> TTImageStyle::styleWithImageURL(std::string imageURL, UIImagePtr defaultImage,
                                                              int contentMode, CGSize size, TTStylePtr next) {
    auto s = std::make_shared<TTImageStyle>(std::move(next));
    s->imageURL = std::move(imageURL);
    s->defaultImage = std::move(defaultImage);
    s->contentMode = contentMode;
    s->size = size;
    return s;
}
std::shared_ptr<TTImageStyle> TTImageStyle::styleWithImage(UIImagePtr image, TTStylePtr next) {
    return styleWithImage(std::move(image), nullptr, 0, {}, std::move(next));
}
std::shared_ptr<TTImageStyle> TTImageStyle::styleWithImage(UIImagePtr image, UIImagePtr defaultImage,
                                                           TTStylePtr next) {
    return styleWithImage(std::move(image), std::move(defaultImage), 0, {}, std::move(next));
}
std::shared_ptr<TTImageStyle> TTImageStyle::styleWithImage(UIImagePtr image, UIImagePtr defaultImage, int contentMode,
                                                           CGSize size, TTStylePtr next) {
    auto s = styleWithImageURL("", std::move(defaultImage), contentMode, size, std::move(next));
    s->image_ = std::move(image);
    return s;
}

const UIImagePtr& TTImageStyle::image() {
    if (!image_ && !imageURL.empty()) image_ = TTURLCache::sharedCache().imageForURL(imageURL);
    return image_;
}

UIImagePtr TTImageStyle::imageForContext(TTStyleContext& context) {
    if (const UIImagePtr& own = image()) return own;
    return context.delegate ? context.delegate->imageForLayerWithStyle(this) : nullptr;
}

void TTImageStyle::draw(TTStyleContext& context) {
    if (UIImagePtr img = imageForContext(context))
        tt::drawInRect(*img, context.contentFrame, static_cast<UIViewContentMode>(contentMode));
    drawNext(context);
}

CGSize TTImageStyle::addToSize(CGSize total, TTStyleContext& context) {
    if (size.width || size.height) {
        total.width += size.width;
        total.height += size.height;
    } else if (contentMode == 0) {
        if (UIImagePtr img = imageForContext(context)) {
            total.width += img->size().width;
            total.height += img->size().height;
        }
    }
    return nextSize(total, context);
}

void TTImageStyle::encodeWithCoder(NSKeyedArchiver& coder) const {
    TTStyle::encodeWithCoder(coder);
    if (!imageURL.empty()) coder.encodeString(imageURL, "imageURL");
    encodeImage(coder, image_, "image");
    encodeImage(coder, defaultImage, "defaultImage");
    coder.encodeInteger(contentMode, "contentMode");
    encodeSize(coder, size, "size");
}

void TTImageStyle::decodeWithCoder(NSKeyedUnarchiver& coder) {
    TTStyle::decodeWithCoder(coder);
    imageURL = coder.decodeString("imageURL").value_or("");
    image_ = decodeImage(coder, "image");
    defaultImage = decodeImage(coder, "defaultImage");
    const long long mode = coder.decodeInteger("contentMode");
    contentMode = mode >= UIViewContentModeScaleToFill && mode <= UIViewContentModeBottomRight ? static_cast<int>(mode) : 0;
    size = decodeSize(coder, "size");
}
