#include "toolkit/controls/TTActivityLabel.h"

#include <algorithm>
#include <cmath>

#include "platform/text/StringDrawing.h"
#include "toolkit/foundation/TTGlobalUI.h"
#include "toolkit/foundation/UIFont+TTCategory.h"
#include "toolkit/style/TTDefaultStyleSheet.h"

namespace {
constexpr CGFloat kSpacing = 6;
constexpr CGFloat kBezelInset = 15;
constexpr CGFloat kPlainInset = 8;

struct Look {
    UIColorPtr background;
    const char* bezelStyle;  // null for none
    int indicator;           // UIActivityIndicatorViewStyle; -1 for none
    bool largeIndicator;     // 24 by 24
    bool bannerFont;
    bool grayText;
    bool shadow;
};

Look lookForStyle(int style) {
    UIColorPtr clear = UIColor::clearColor();
    switch (style) {
        case 0: return {clear, nullptr, UIActivityIndicatorViewStyleWhite, false, false, false, false};
        case 1: return {clear, nullptr, UIActivityIndicatorViewStyleGray, false, false, true, false};
        case 2:
            return {UIColor::colorWithWhite(0, 0.8), nullptr, UIActivityIndicatorViewStyleWhiteLarge, true, false,
                    false, true};
        case 3: return {clear, "blackBezel", UIActivityIndicatorViewStyleWhiteLarge, true, false, false, true};
        case 4: return {clear, "blackBanner", UIActivityIndicatorViewStyleWhite, false, true, false, true};
        case 5: return {clear, "whiteBezel", UIActivityIndicatorViewStyleGray, false, false, true, false};
        case 6: return {UIColor::whiteColor(), nullptr, UIActivityIndicatorViewStyleGray, false, false, true, false};
        default: return {clear, nullptr, -1, false, false, false, false};
    }
}
}  // namespace

TTActivityLabel::TTActivityLabel(CGRect frame, int style, const std::string& text) : UIView(frame), _style(style) {
    Look look = lookForStyle(style);
    TTDefaultStyleSheet& sheet = TTDefaultStyleSheet::current();

    _bezelView = std::make_shared<TTView>();
    setBackgroundColor(look.background);
    _bezelView->setBackgroundColor(UIColor::clearColor());
    if (look.bezelStyle) _bezelView->setStyle(TTStyleSheet::globalStyleSheet()->styleWithSelector(look.bezelStyle));

    _label = std::make_shared<UILabel>();
    _label->setText(text);
    _label->setBackgroundColor(UIColor::clearColor());
    _label->setLineBreakMode(UILineBreakModeTailTruncation);

    if (look.indicator >= 0) {
        _activityIndicator =
            std::make_shared<UIActivityIndicatorView>(static_cast<UIActivityIndicatorViewStyle>(look.indicator));
        if (look.largeIndicator) _activityIndicator->setFrame(CGRectMake(0, 0, 24, 24));
        _indicatorSide = _activityIndicator->frame().size.height;
    }
    _label->setFont(look.bannerFont ? sheet.activityBannerFont() : sheet.activityLabelFont());
    _label->setTextColor(look.grayText ? sheet.tableActivityTextColor() : UIColor::whiteColor());
    if (look.shadow) {
        _label->setShadowColor(UIColor::colorWithWhite(0, 0.3));
        _label->setShadowOffset(CGSizeMake(1, 1));
    } else {
        _label->setShadowColor(nullptr);
    }

    addSubview(_bezelView);
    if (_activityIndicator) _bezelView->addSubview(_activityIndicator);
    _bezelView->addSubview(_label);
    if (_activityIndicator) _activityIndicator->startAnimating();
}

void TTActivityLabel::setText(const std::string& text) {
    _label->setText(text);
    setNeedsLayout();
}

void TTActivityLabel::setFont(UIFontPtr font) {
    _label->setFont(std::move(font));
    setNeedsLayout();
}

void TTActivityLabel::setIsAnimating(bool animating) {
    if (!_activityIndicator) return;
    if (animating)
        _activityIndicator->startAnimating();
    else
        _activityIndicator->stopAnimating();
}

void TTActivityLabel::setProgress(float progress) {
    if (!_progressView) {
        _progressView = std::make_shared<UIProgressView>(UIProgressViewStyleDefault);
        _bezelView->addSubview(_progressView);
        setNeedsLayout();
    }
    _progressView->setProgress(progress);
}

CGSize TTActivityLabel::sizeThatFits(CGSize size) const {
    CGFloat height = (isBezel() ? 30 : 16) + (font() ? tt::lineHeight(*font()) : 0);
    if (_progressView) height += _progressView->frame().size.height + kSpacing;
    return CGSizeMake(size.width, height);
}

void TTActivityLabel::layoutSubviews() {
    CGSize textSize = text().empty() || !font() ? CGSizeZero : sizeWithFont(text(), *font());
    CGFloat indicatorSize =
        isAnimating() ? std::min(_indicatorSide, textSize.height) : 0;

    CGFloat contentHeight = std::max(textSize.height, indicatorSize);
    if (_progressView) {
        _progressView->sizeToFit();
        contentHeight += _progressView->frame().size.height + kSpacing;
    }
    CGFloat contentWidth = indicatorSize + kSpacing + textSize.width;

    CGFloat screenWidth = TTOrientedScreenBounds().size.width;
    CGFloat inset, bezelWidth, bezelHeight, maxBezelWidth;
    if (isBezel()) {
        inset = kBezelInset;
        bezelWidth = contentWidth + kBezelInset * 2;
        bezelHeight = contentHeight + kBezelInset * 2;
        maxBezelWidth = screenWidth - 20;
    } else {
        inset = kPlainInset;
        bezelWidth = bounds().size.width;
        bezelHeight = bounds().size.height;
        maxBezelWidth = screenWidth;
    }
    if (bezelWidth > maxBezelWidth) {
        bezelWidth = maxBezelWidth;
        contentWidth = bezelWidth - indicatorSize - kSpacing;
    }

    CGSize size = bounds().size;
    _bezelView->setFrame(CGRectMake(std::floor(size.width / 2 - bezelWidth / 2),
                                    std::floor(size.height / 2 - bezelHeight / 2), bezelWidth, bezelHeight));

    CGFloat y = inset + std::floor((bezelHeight - inset * 2) / 2 - contentHeight / 2);
    CGFloat labelWidth = std::min(textSize.width, bezelWidth - indicatorSize - kSpacing - inset * 2);

    if (_progressView) {
        if (_style == TTActivityLabelStyleBlackBanner) y += 4;
        CGFloat barHeight = _progressView->frame().size.height;
        _progressView->setFrame(CGRectMake(kSpacing, y, bezelWidth - kSpacing * 2, barHeight));
        y += barHeight + 5;
    }

    CGFloat labelLeft = std::floor(bezelWidth / 2 - contentWidth / 2 + indicatorSize + kSpacing);
    _label->setFrame(CGRectMake(labelLeft, y, labelWidth, textSize.height));
    if (_activityIndicator)
        _activityIndicator->setFrame(CGRectMake(labelLeft - indicatorSize - kSpacing, y, indicatorSize, indicatorSize));
}
