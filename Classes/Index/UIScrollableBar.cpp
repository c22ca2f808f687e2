#include "Classes/Index/UIScrollableBar.h"

#include <cmath>

#include "platform/graphics/UIImage.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UITouch.h"

namespace {
UIImagePtr imageOrNull(const std::string& name) { return name.empty() ? nullptr : UIImage::imageNamed(name); }
}  // namespace

UIScrollableBar::UIScrollableBar(CGRect frame) : UIView(frame) {}

UIScrollableBar::UIScrollableBar(CGRect frame, const std::vector<std::string>& labels, double topPadding)
    : UIView(frame) {
    setIndexes(labels, topPadding, 8, standardMainColor(), standardHighlightColor(), "", "");
}

UIColorPtr UIScrollableBar::standardMainColor() { return UIColor::colorWithRed(112 / 255.0, 118 / 255.0, 108 / 255.0, 1); }

UIColorPtr UIScrollableBar::standardHighlightColor() { return UIColor::colorWithRed(29 / 255.0, 29 / 255.0, 29 / 255.0, 1); }

void UIScrollableBar::setIndexes(const std::vector<std::string>& titles, double topPadding, double bottomPadding,
                                 UIColorPtr mainColor, UIColorPtr highlightColor, const std::string& mainImage,
                                 const std::string& highlightedImage) {
    ThisTitles_ = titles;
    IsPortrait_ = true;
    unhighColor_ = std::move(mainColor);
    highColor_ = std::move(highlightColor);
    mainImage_ = mainImage;
    highImage_ = highlightedImage;

    for (auto& label : ThisIndexLabels_) label->removeFromSuperview();
    ThisIndexLabels_.clear();
    if (titles.empty()) return;

    const CGRect b = bounds();
    if (!mainImage_.empty()) {
        if (imgMainImg_) imgMainImg_->removeFromSuperview();
        imgMainImg_ = std::make_shared<TransitionImageView>(CGRectMake(0, 0, b.size.width, b.size.height));
        imgMainImg_->setImage(imageOrNull(mainImage_));
        imgMainImg_->setAutoresizingMask(UIViewAutoresizingFlexibleHeight);
        imgMainImg_->setHighlightedImage(imageOrNull(highImage_));
        imgMainImg_->setUserInteractionEnabled(false);
        addSubview(imgMainImg_);
    }

    // Whole-point label heights; a half point or more left over moves every second label
    // one point further down so the zones still fill the bar.
    const double u = (b.size.height - topPadding - bottomPadding) / static_cast<double>(titles.size());
    const double a = std::floor(u);
    const double r = (u - a) < 0.5 ? 0 : 1;
    // In image mode the picture carries the numbers; the labels are invisible touch zones.
    const bool invisible = !unhighColor_ || !mainImage_.empty();
    double extra = 0;
    for (size_t k = 0; k < titles.size(); ++k) {
        auto label = std::make_shared<UILabel>(
            CGRectMake(0, topPadding + static_cast<double>(k) * a + extra, b.size.width, a));
        if (k % 2 == 0) extra += r;
        label->setFont(UIFont::fontWithName("Helvetica", 11));
        if (invisible) {
            label->setAlpha(0);
            label->setOpaque(true);
        } else {
            label->setTextColor(unhighColor_);
            label->setBackgroundColor(UIColor::clearColor());
            label->setOpaque(false);
        }
        label->setContentMode(UIViewContentModeTop);
        label->setAutoresizingMask(UIViewAutoresizingFlexibleTopMargin | UIViewAutoresizingFlexibleHeight |
                                   UIViewAutoresizingFlexibleBottomMargin);
        label->setText(titles[k]);
        label->setTextAlignment(UITextAlignmentCenter);
        ThisIndexLabels_.push_back(label);
        addSubview(label);
    }
}

void UIScrollableBar::setLandscapeImage(const std::string& image, const std::string& highlightImage) {
    mainImageLandscape_ = image;
    highImageLandscape_ = highlightImage;
}

void UIScrollableBar::showPicture(const std::string& image, const std::string& highlight, double duration,
                                  CGRect start) {
    if (!imgMainImg_) return;
    if (!image.empty()) imgMainImg_->setImage(UIImage::imageNamed(image), true, duration, start);
    if (!highlight.empty()) imgMainImg_->setHighlightedImage(UIImage::imageNamed(highlight));
}

void UIScrollableBar::setupPortrait(double duration) {
    if (IsPortrait_) return;
    IsPortrait_ = true;
    showPicture(mainImage_, highImage_, duration, CGRectMake(0, 0, 44, 207));
}

void UIScrollableBar::setupLandscape(double duration) {
    if (!IsPortrait_) return;
    showPicture(mainImageLandscape_, highImageLandscape_, duration, CGRectMake(0, 0, 44, 367));
    IsPortrait_ = false;
}

int UIScrollableBar::getIndexForTouch(CGPoint point) const {
    const double y = point.y;
    for (size_t i = 0; i < ThisIndexLabels_.size(); ++i) {
        const CGRect f = ThisIndexLabels_[i]->frame();
        if (y >= f.origin.y && y <= f.origin.y + f.size.height) return static_cast<int>(i);
    }
    if (ThisIndexLabels_.empty()) return -1;
    if (y <= ThisIndexLabels_.front()->frame().origin.y) return 0;
    if (y >= ThisIndexLabels_.back()->frame().origin.y) return static_cast<int>(ThisIndexLabels_.size()) - 1;
    return -1;
}

void UIScrollableBar::highlightBar() {
    if (highColor_)
        for (auto& label : ThisIndexLabels_) label->setTextColor(highColor_);
    if (imgMainImg_ && (!highColor_ || !mainImage_.empty())) imgMainImg_->setHighlighted(true);
}

void UIScrollableBar::unhighlightBar() {
    if (unhighColor_)
        for (auto& label : ThisIndexLabels_) label->setTextColor(unhighColor_);
    if (imgMainImg_ && (!unhighColor_ || !mainImage_.empty())) imgMainImg_->setHighlighted(false);
    if (delegate_) delegate_->scrollableBarFingerUp();
}

// The bar keeps its touches: passing only the start on would leave the view behind it
// with a touch that never ends.
void UIScrollableBar::touchesBegan(const UITouchSet& touches, UIEvent*) {
    if (touches.empty()) return;
    const CGPoint p = (*touches.begin())->locationInView(this);
    highlightBar();
    if (delegate_) {
        delegate_->scrollableBarSelectedIndex(getIndexForTouch(p));
        delegate_->scrollableBarFingerDown();
    }
}

void UIScrollableBar::touchesMoved(const UITouchSet& touches, UIEvent*) {
    if (touches.empty() || !delegate_) return;
    delegate_->scrollableBarSelectedIndex(getIndexForTouch((*touches.begin())->locationInView(this)));
}

void UIScrollableBar::touchesEnded(const UITouchSet&, UIEvent*) { unhighlightBar(); }

void UIScrollableBar::touchesCancelled(const UITouchSet&, UIEvent*) { unhighlightBar(); }
