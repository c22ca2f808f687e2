#include "toolkit/controls/TTErrorView.h"

#include <cmath>

#include "toolkit/style/TTDefaultStyleSheet.h"

namespace {
constexpr CGFloat kGap = 20;

std::shared_ptr<UILabel> makeLabel(UIFontPtr font) {
    auto label = std::make_shared<UILabel>();
    label->setBackgroundColor(UIColor::clearColor());
    label->setTextColor(TTDefaultStyleSheet::current().tableErrorTextColor());
    label->setTextAlignment(UITextAlignmentCenter);
    label->setFont(std::move(font));
    return label;
}
}  // namespace

TTErrorView::TTErrorView(CGRect frame) : UIView(frame) {
    _imageView = std::make_shared<UIImageView>();
    _imageView->setContentMode(UIViewContentModeCenter);
    _titleView = makeLabel(TTDefaultStyleSheet::current().errorTitleFont());
    _subtitleView = makeLabel(TTDefaultStyleSheet::current().errorSubtitleFont());
    _subtitleView->setNumberOfLines(0);
    addSubview(_imageView);
    addSubview(_titleView);
    addSubview(_subtitleView);
}

TTErrorView::TTErrorView(const std::string& title, const std::string& subtitle, UIImagePtr image)
    : TTErrorView(CGRectZero) {
    setTitle(title);
    setSubtitle(subtitle);
    setImage(std::move(image));
}

void TTErrorView::layoutSubviews() {
    _subtitleView->sizeToFit();
    _titleView->sizeToFit();
    _imageView->sizeToFit();

    CGSize size = bounds().size;
    CGFloat imageHeight = _imageView->frame().size.height;
    CGFloat titleHeight = _titleView->frame().size.height;
    CGFloat subtitleHeight = _subtitleView->frame().size.height;
    bool hasTitle = !_titleView->text().empty();
    bool hasSubtitle = !_subtitleView->text().empty();
    bool showImage = image() && size.height > imageHeight + titleHeight + subtitleHeight + kGap * 2;

    CGFloat total = showImage ? imageHeight : 0;
    bool above = showImage;
    if (hasTitle) {
        total += titleHeight + (above ? kGap : 0);
        above = true;
    }
    if (hasSubtitle) total += subtitleHeight + (above ? kGap : 0);

    CGFloat top = std::floor(size.height / 2 - total / 2);
    auto place = [&](UIView& view) {
        CGRect f = view.frame();
        view.setFrame(CGRectMake(std::floor(size.width / 2 - f.size.width / 2), top, f.size.width, f.size.height));
        top += f.size.height + kGap;
    };
    if (showImage) {
        place(*_imageView);
        _imageView->setHidden(false);
    } else {
        _imageView->setHidden(true);
    }
    if (hasTitle) place(*_titleView);
    if (hasSubtitle) place(*_subtitleView);
}
