#pragma once
// Draws an image of its own, one found by URL, or the delegate's, into the content frame.

#include "platform/ui/UIKitTypes.h"
#include "toolkit/style/TTStyle.h"

class TTImageStyle : public TTStyle {
public:
    using TTStyle::TTStyle;
    static std::shared_ptr<TTImageStyle> styleWithImageURL(std::string imageURL, TTStylePtr next);
    static std::shared_ptr<TTImageStyle> styleWithImageURL(std::string imageURL, UIImagePtr defaultImage,
                                                           TTStylePtr next);
    static std::shared_ptr<TTImageStyle> styleWithImageURL(std::string imageURL, UIImagePtr defaultImage,
                                                           int contentMode, CGSize size, TTStylePtr next);
    static std::shared_ptr<TTImageStyle> styleWithImage(UIImagePtr image, TTStylePtr next);
    static std::shared_ptr<TTImageStyle> styleWithImage(UIImagePtr image, UIImagePtr defaultImage, TTStylePtr next);
    static std::shared_ptr<TTImageStyle> styleWithImage(UIImagePtr image, UIImagePtr defaultImage, int contentMode,
                                                        CGSize size, TTStylePtr next);

    std::string imageURL;
    UIImagePtr defaultImage;  // kept and archived; never drawn by the style itself
    int contentMode = 0;
    CGSize size{};

    // The own image, filled from imageURL on first use when the URL's image is at hand.
    const UIImagePtr& image();
    void setImage(UIImagePtr image) { image_ = std::move(image); }
    UIImagePtr imageForContext(TTStyleContext& context);

    void draw(TTStyleContext& context) override;
    CGSize addToSize(CGSize size, TTStyleContext& context) override;
    std::string archiveClassName() const override { return "TTImageStyle"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override;
    void decodeWithCoder(NSKeyedUnarchiver& coder) override;

private:
    UIImagePtr image_;
};
