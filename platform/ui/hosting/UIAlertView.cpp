#include "platform/ui/hosting/UIAlertView.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/CGContext.h"
#include "platform/text/StringDrawing.h"
#include "platform/ui/hosting/UIScrollView.h"

namespace {
constexpr double kWidth = 284;
constexpr double kPad = 16;
constexpr double kButtonHeight = 43;
constexpr double kScreenMargin = 8;  // kept free above and below the alert
constexpr double kMinMessageHeight = 40;
}  // namespace

UIAlertView::UIAlertView(const std::string& title, const std::string& message, UIAlertViewDelegate* delegate,
                         const std::string& cancelButtonTitle, const std::vector<std::string>& otherButtonTitles)
    : delegate_(delegate) {
    setTitle(title);
    titleLabelView()->setFont(UIFont::boldSystemFontOfSize(18));
    messageLabel_ = std::make_shared<UILabel>(CGRectZero);
    messageLabel_->setBackgroundColor(UIColor::clearColor());
    messageLabel_->setOpaque(false);
    messageLabel_->setTextColor(UIColor::whiteColor());
    messageLabel_->setFont(UIFont::systemFontOfSize(16));
    messageLabel_->setTextAlignment(UITextAlignmentCenter);
    messageLabel_->setNumberOfLines(0);
    messageLabel_->setLineBreakMode(UILineBreakModeWordWrap);
    messageLabel_->setText(message);
    messageScroll_ = std::make_shared<UIScrollView>(CGRectZero);
    messageScroll_->setBackgroundColor(UIColor::clearColor());
    messageScroll_->setOpaque(false);
    messageScroll_->setIndicatorStyle(UIScrollViewIndicatorStyleWhite);
    messageScroll_->setScrollsToTop(false);
    messageScroll_->addSubview(messageLabel_);
    addSubview(messageScroll_);
    if (!cancelButtonTitle.empty()) setCancelButtonIndex(addButtonWithTitle(cancelButtonTitle));
    for (const auto& t : otherButtonTitles) addButtonWithTitle(t);
    rebuildButtons();
}

void UIAlertView::setMessage(const std::string& message) {
    messageLabel_->setText(message);
    setNeedsLayout();
}

void UIAlertView::show() { present(nullptr); }

void UIAlertView::styleButton(UIButton& b, int index) {
    b.setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
    b.setFont(index == cancelButtonIndex() ? UIFont::systemFontOfSize(17) : UIFont::boldSystemFontOfSize(17));
    b.setBackgroundColor(index == cancelButtonIndex() ? UIColor::colorWithRed(0.2, 0.27, 0.45, 0.9) : UIColor::colorWithRed(0.36, 0.45, 0.66, 0.9));
    b.layer().setCornerRadius(6);
    b.layer().setBorderWidth(1);
    b.layer().setBorderColor(UIColor::colorWithWhite(1, 0.35));
}

CGRect UIAlertView::layoutIn(CGRect container) {
    double inner = kWidth - 2 * kPad;
    double y = 18;
    if (!title().empty()) {
        CGSize s = sizeWithFont(title(), *titleLabelView()->font(), CGSizeMake(inner, 1000), UILineBreakModeWordWrap);
        titleLabelView()->setFrame(CGRectMake(kPad, y, inner, s.height));
        y += s.height + 8;
    }
    int n = numberOfButtons();
    double buttonsHeight = n == 2 ? kButtonHeight + 14 : n * (kButtonHeight + 8) + 6;
    double messageHeight = 0, shownHeight = 0;
    if (!message().empty()) {
        messageHeight = sizeWithFont(message(), *messageLabel_->font(), CGSizeMake(inner, 100000), UILineBreakModeWordWrap).height;
        double room = container.size.height - 2 * kScreenMargin - y - 8 - 8 - buttonsHeight;
        shownHeight = std::min(messageHeight, std::max(kMinMessageHeight, std::floor(room)));
    }
    // The scroll view reaches into the padding so that its indicator stays clear of the text.
    messageLabel_->setFrame(CGRectMake(kPad / 2, 0, inner, messageHeight));
    messageScroll_->setFrame(CGRectMake(kPad / 2, y, inner + kPad, shownHeight));
    messageScroll_->setContentSize(CGSizeMake(inner + kPad, messageHeight));
    double maxOffset = std::max(0.0, messageHeight - shownHeight);
    messageScroll_->setContentOffset(CGPointMake(0, std::min(messageScroll_->contentOffset().y, maxOffset)));
    if (shownHeight > 0) y += shownHeight + 8;
    y += 8;
    if (n == 2) {
        // Side by side, the cancel button on the left.
        double w = (inner - 10) / 2;
        int left = cancelButtonIndex() == 1 ? 1 : 0;
        buttonAtIndex(left)->setFrame(CGRectMake(kPad, y, w, kButtonHeight));
        buttonAtIndex(1 - left)->setFrame(CGRectMake(kPad + w + 10, y, w, kButtonHeight));
    } else {
        for (int i = 0; i < n; ++i) buttonAtIndex(i)->setFrame(CGRectMake(kPad, y + i * (kButtonHeight + 8), inner, kButtonHeight));
    }
    y += buttonsHeight;
    return CGRectMake(std::floor((container.size.width - kWidth) / 2), std::floor((container.size.height - y) / 2), kWidth, y);
}

void UIAlertView::drawRect(CGRect) {
    CGContext* c = UIGraphicsGetCurrentContext();
    if (!c) return;
    CGRect b = CGRectInset(bounds(), 2, 2);
    c->saveGState();
    c->beginPath();
    c->addRoundedRect(b, 10);
    c->clip();
    auto g = CGGradient::createWithColors({UIColor::colorWithRed(0.2, 0.28, 0.5, 0.92), UIColor::colorWithRed(0.05, 0.1, 0.3, 0.92)});
    c->drawLinearGradient(*g, CGPointMake(0, b.origin.y), CGPointMake(0, CGRectGetMaxY(b)), 0);
    c->restoreGState();
    c->beginPath();
    c->addRoundedRect(b, 10);
    c->setRGBStrokeColor(1, 1, 1, 0.9);
    c->setLineWidth(2);
    c->strokePath();
}

void UIAlertView::notifyClicked(int i) {
    if (delegate_) delegate_->alertViewClickedButtonAtIndex(this, i);
}
void UIAlertView::notifyWillDismiss(int i) {
    if (delegate_) delegate_->alertViewWillDismissWithButtonIndex(this, i);
}
void UIAlertView::notifyDidDismiss(int i) {
    if (delegate_) delegate_->alertViewDidDismissWithButtonIndex(this, i);
}
void UIAlertView::notifyWillPresent() {
    if (delegate_) delegate_->willPresentAlertView(this);
}
void UIAlertView::notifyDidPresent() {
    if (messageScroll_->contentSize().height > messageScroll_->bounds().size.height) messageScroll_->flashScrollIndicators();
    if (delegate_) delegate_->didPresentAlertView(this);
}
