#include "platform/ui/hosting/UINavigationBar.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/hosting/UIBarButtonView.h"

namespace {
UIColorPtr tintFor(UIBarStyle style, const UIColorPtr& tint) {
    if (tint) return tint;
    if (style != UIBarStyleDefault) return UIColor::colorWithWhite(0.12, 1);
    return UIBarButtonView::defaultTint();
}

std::shared_ptr<UIView> makeItemView(const UIBarButtonItemPtr& item, const UIColorPtr& tint) {
    if (item->customView()) return item->customViewPtr();
    UIBarButtonView::Shape shape = item->style() == UIBarButtonItemStyleDone       ? UIBarButtonView::Shape::Done
                                   : item->style() == UIBarButtonItemStyleBordered ? UIBarButtonView::Shape::Bordered
                                                                                   : UIBarButtonView::Shape::Plain;
    auto v = std::make_shared<UIBarButtonView>(item, shape, tint);
    CGSize s = v->sizeThatFits(CGSizeMake(200, 30));
    v->setFrame(CGRectMake(0, 0, s.width, s.height));
    return v;
}
}  // namespace

void UIBar::setBarStyle(UIBarStyle style) {
    barStyle_ = style;
    setNeedsDisplay();
    appearanceChanged();
}

void UIBar::setTintColor(UIColorPtr color) {
    tintColor_ = std::move(color);
    setNeedsDisplay();
    appearanceChanged();
}

void UIBar::setTranslucent(bool on) {
    translucent_ = on;
    setNeedsDisplay();
}

UIColorPtr UIBar::effectiveTint() const { return tintFor(barStyle_, tintColor_); }

void UIBar::drawRect(CGRect) {
    UIBarButtonView::drawBarBackground(bounds(), *effectiveTint(), translucent_ || barStyle_ == UIBarStyleBlackTranslucent);
}

UINavigationBar::UINavigationBar(CGRect frame) : UIBar(frame) {
    setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    titleLabel_ = std::make_shared<UILabel>(CGRectZero);
    titleLabel_->setFont(UIFont::boldSystemFontOfSize(20));
    titleLabel_->setTextColor(UIColor::whiteColor());
    titleLabel_->setShadowColor(UIColor::colorWithWhite(0, 0.5));
    titleLabel_->setShadowOffset(CGSizeMake(0, -1));
    titleLabel_->setTextAlignment(UITextAlignmentCenter);
    titleLabel_->setBackgroundColor(UIColor::clearColor());
    titleLabel_->setOpaque(false);
    addSubview(titleLabel_);
}

void UINavigationBar::setItems(UINavigationItem* top, UINavigationItem* below, const std::string& belowTitle) {
    top_ = top;
    below_ = below;
    belowTitle_ = belowTitle;
    refresh();
}

void UINavigationBar::refresh() {
    setNeedsDisplay();
    for (auto* b : {backButton_.get(), leftButton_.get(), rightButton_.get()})
        if (b) b->removeFromSuperview();
    backButton_.reset();
    leftButton_.reset();
    rightButton_.reset();
    if (titleView_) titleView_->removeFromSuperview();
    titleView_.reset();
    for (auto& v : customViews_) v->removeFromSuperview();
    customViews_.clear();
    if (!top_) {
        titleLabel_->setText("");
        return;
    }
    UIColorPtr tint = effectiveTint();
    titleLabel_->setText(top_->title());
    if (top_->titleViewPtr()) {
        titleView_ = top_->titleViewPtr();
        addSubview(titleView_);
        titleLabel_->setHidden(true);
    } else {
        titleLabel_->setHidden(false);
    }
    auto addItem = [&](const UIBarButtonItemPtr& item) -> std::shared_ptr<UIBarButtonView> {
        auto v = makeItemView(item, tint);
        addSubview(v);
        auto bv = std::dynamic_pointer_cast<UIBarButtonView>(v);
        if (!bv) customViews_.push_back(v);
        return bv;
    };
    if (top_->leftBarButtonItem()) {
        leftButton_ = addItem(top_->leftBarButtonItem());
    } else if (below_ && !top_->hidesBackButton()) {
        std::string t = below_->backBarButtonItem() ? below_->backBarButtonItem()->title() : belowTitle_;
        if (t.empty()) t = "Back";
        backButton_ = std::make_shared<UIBarButtonView>(t, tint, [this] {
            if (onBack_) {
                auto f = onBack_;
                f();
            }
        });
        CGSize s = backButton_->sizeThatFits(CGSizeMake(150, 30));
        backButton_->setFrame(CGRectMake(0, 0, std::min(150.0, s.width), s.height));
        addSubview(backButton_);
    }
    if (top_->rightBarButtonItem()) rightButton_ = addItem(top_->rightBarButtonItem());
    setNeedsLayout();
    layoutSubviews();
}

void UINavigationBar::layoutSubviews() {
    CGRect b = bounds();
    double left = 5, right = b.size.width - 5;
    auto place = [&](UIView* v, bool atLeft) {
        if (!v) return;
        CGSize s = v->frame().size;
        double y = std::floor((b.size.height - s.height) / 2);
        if (atLeft) {
            v->setFrame(CGRectMake(left, y, s.width, s.height));
            left += s.width + 5;
        } else {
            v->setFrame(CGRectMake(right - s.width, y, s.width, s.height));
            right -= s.width + 5;
        }
    };
    UIView* leftView = leftButton_ ? static_cast<UIView*>(leftButton_.get()) : backButton_.get();
    if (!leftView && top_ && top_->leftBarButtonItem() && top_->leftBarButtonItem()->customView()) leftView = top_->leftBarButtonItem()->customView();
    UIView* rightView = rightButton_.get();
    if (!rightView && top_ && top_->rightBarButtonItem() && top_->rightBarButtonItem()->customView()) rightView = top_->rightBarButtonItem()->customView();
    place(leftView, true);
    place(rightView, false);
    // The title is centred on the bar when it fits between the buttons.
    double margin = std::max(left, b.size.width - right);
    CGRect titleRect = CGRectMake(margin, 0, std::max(0.0, b.size.width - 2 * margin), b.size.height);
    if (titleView_) {
        CGSize s = titleView_->frame().size;
        titleView_->setFrame(CGRectMake(std::floor((b.size.width - s.width) / 2), std::floor((b.size.height - s.height) / 2), s.width, s.height));
    } else {
        titleLabel_->setFrame(titleRect);
    }
}

// --- Toolbar ---

UIToolbar::UIToolbar(CGRect frame) : UIBar(frame) {
    setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin);
}

void UIToolbar::setItems(std::vector<UIBarButtonItemPtr> items, bool) {
    items_ = std::move(items);
    rebuild();
}

void UIToolbar::rebuild() {
    setNeedsDisplay();
    for (auto& v : views_)
        if (v) v->removeFromSuperview();
    views_.clear();
    UIColorPtr tint = effectiveTint();
    for (const auto& item : items_) {
        if (!item || item->isSpace()) {
            views_.push_back(nullptr);
            continue;
        }
        UIBarButtonItemPtr it = item;
        // Plain items on a toolbar still show a bordered look only when asked.
        auto v = makeItemView(it, tint);
        addSubview(v);
        views_.push_back(v);
        std::weak_ptr<UIView> weakSelf = weak_from_this();
        it->setChangeHandler([weakSelf] {
            if (auto self = std::static_pointer_cast<UIToolbar>(weakSelf.lock())) {
                self->rebuild();
            }
        });
    }
    setNeedsLayout();
    layoutSubviews();
}

UIView* UIToolbar::viewForItem(const UIBarButtonItem* item) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == item) return views_[i].get();
    return nullptr;
}

void UIToolbar::layoutSubviews() {
    CGRect b = bounds();
    double fixed = 0;
    int flexible = 0;
    for (size_t i = 0; i < items_.size(); ++i) {
        const auto& it = items_[i];
        if (!it) continue;
        if (it->systemItem() && *it->systemItem() == UIBarButtonSystemItemFlexibleSpace) ++flexible;
        else if (it->systemItem() && *it->systemItem() == UIBarButtonSystemItemFixedSpace) fixed += it->width();
        else if (views_[i]) fixed += views_[i]->frame().size.width;
    }
    double gaps = items_.empty() ? 0 : 10.0 * static_cast<double>(items_.size() + 1);
    double spare = std::max(0.0, b.size.width - fixed - gaps);
    double flex = flexible ? spare / flexible : 0;
    double x = 10;
    for (size_t i = 0; i < items_.size(); ++i) {
        const auto& it = items_[i];
        if (!it) continue;
        if (it->systemItem() && *it->systemItem() == UIBarButtonSystemItemFlexibleSpace) x += flex;
        else if (it->systemItem() && *it->systemItem() == UIBarButtonSystemItemFixedSpace) x += it->width();
        else if (views_[i]) {
            CGSize s = views_[i]->frame().size;
            views_[i]->setFrame(CGRectMake(std::floor(x), std::floor((b.size.height - s.height) / 2), s.width, s.height));
            x += s.width;
        }
        x += 10;
    }
}
