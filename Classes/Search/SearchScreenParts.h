#pragma once
// Parts both Search tab screens build their interfaces from.

#include <cmath>
#include <memory>

#include "platform/text/UIFont.h"
#include "platform/ui/UIActivityIndicatorView.h"
#include "platform/ui/UIButton.h"

namespace search_parts {

// A top-bar button: bold white title, dimmed when disabled.
inline std::shared_ptr<UIButton> barButton(CGRect frame, double fontSize) {
    auto button = std::make_shared<UIButton>(frame);
    button->setFont(UIFont::fontWithName("Helvetica-Bold", fontSize));
    button->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
    button->setTitleColor(UIColor::colorWithWhite(1, 0.45), UIControlStateDisabled);
    return button;
}

// The grey spinner centred a little below a list's top.
inline std::shared_ptr<UIActivityIndicatorView> listSpinner(double width, double listTop) {
    auto spinner = std::make_shared<UIActivityIndicatorView>(UIActivityIndicatorViewStyleGray);
    spinner->setFrame(CGRectMake(std::floor((width - 20) / 2), listTop + 45, 20, 20));
    spinner->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleRightMargin);
    spinner->setHidesWhenStopped(true);
    return spinner;
}

}  // namespace search_parts
