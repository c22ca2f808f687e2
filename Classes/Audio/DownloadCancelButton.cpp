#include "Classes/Audio/DownloadCancelButton.h"

#include "Classes/Core/Language.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/UIFont.h"

std::shared_ptr<UIButton> makeDownloadCancelButton(CGRect frame) {
    auto button = std::make_shared<UIButton>(frame);
    button->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    button->setFont(UIFont::fontWithName("Helvetica-Bold", 12));
    button->setTitle(Language::get("Cancel", "Cancel"), UIControlStateNormal);
    button->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
    button->setTitleColor(UIColor::grayColor(), UIControlStateDisabled);
    if (auto image = UIImage::imageNamed("black-button.png"))
        button->setBackgroundImage(image->stretchableImageWithLeftCapWidth(16, 0), UIControlStateNormal);
    return button;
}
