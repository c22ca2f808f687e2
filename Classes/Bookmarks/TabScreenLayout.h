#pragma once
// The frame both bookmark-tab screens share: a paper background filling the application
// frame and a 44-point top bar with its image and a centred, embossed title.

#include <functional>
#include <memory>

#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIView.h"

struct TabScreenLayout {
    std::shared_ptr<UIView> root;
    std::shared_ptr<UIImageView> background;
    std::shared_ptr<UIView> topBar;
    std::shared_ptr<UIImageView> topBarImage;
    std::shared_ptr<UILabel> title;
    double width = 0, height = 0;

    static constexpr double kTopBarHeight = 44;
    // titleInset: room left free at each side of the title for the bar's buttons. The top
    // bar is made but not added, so the builder can put it in front of what it adds.
    static TabScreenLayout make(double titleInset);
    // The bar's back button at its left edge (bold white title), running action when tapped.
    std::shared_ptr<UIButton> addBackButton(UIResponder* owner, std::function<void()> action) const;
};
