#include "platform/ui/hosting/UISearchBar.h"

#include <cmath>

#include "platform/graphics/CGContext.h"
#include "platform/ui/hosting/HostingViews.h"
#include "platform/ui/hosting/UIBarButtonView.h"

namespace {
class SearchBackground : public UIView {
public:
    explicit SearchBackground(UISearchBar& bar) : bar_(bar) {
        setUserInteractionEnabled(false);
        setContentMode(UIViewContentModeRedraw);
    }
    void drawRect(CGRect) override {
        UIColorPtr tint = bar_.tintColor() ? bar_.tintColor() : UIColor::colorWithRed(0.69, 0.74, 0.79, 1);
        UIBarButtonView::drawBarBackground(bounds(), *tint, false);
    }

private:
    UISearchBar& bar_;
};

// The magnifier drawn at the left of the field.
class Magnifier : public UIView {
public:
    Magnifier() : UIView(CGRectMake(0, 0, 18, 18)) { makeDecorationView(*this); }
    void drawRect(CGRect) override {
        CGContext* c = UIGraphicsGetCurrentContext();
        if (!c) return;
        c->setRGBStrokeColor(0.45, 0.45, 0.48, 1);
        c->setLineWidth(2);
        c->strokeEllipseInRect(CGRectMake(3, 3, 9, 9));
        c->setLineCap(kCGLineCapRound);
        c->beginPath();
        c->moveToPoint(11, 11);
        c->addLineToPoint(15, 15);
        c->strokePath();
    }
};
}  // namespace

UISearchBar::UISearchBar(CGRect frame) : UIView(frame) {
    setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    background_ = std::make_shared<SearchBackground>(*this);
    background_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    addSubview(background_);
    field_ = std::make_shared<UITextField>(CGRectZero);
    field_->setBorderStyle(UITextBorderStyleRoundedRect);
    field_->setFont(UIFont::systemFontOfSize(15));
    field_->setReturnKeyType(UIReturnKeySearch);
    field_->setClearButtonMode(UITextFieldViewModeWhileEditing);
    field_->setLeftView(std::make_shared<Magnifier>());
    field_->setLeftViewMode(UITextFieldViewModeAlways);
    field_->setAutocorrectionType(UITextAutocorrectionTypeNo);
    field_->setDelegate(this);
    field_->addTarget(this, [this](UIControl*, UIEvent*) {
        if (delegate_) delegate_->searchBarTextDidChange(this, field_->text());
    }, UIControlEventEditingChanged);
    addSubview(field_);
    layoutSubviews();
}

UISearchBar::~UISearchBar() { field_->setDelegate(nullptr); }

void UISearchBar::setText(const std::string& text) {
    field_->setText(text);
    if (delegate_) delegate_->searchBarTextDidChange(this, text);
}

void UISearchBar::setTintColor(UIColorPtr c) {
    tint_ = std::move(c);
    background_->setNeedsDisplay();
}

void UISearchBar::setShowsCancelButton(bool shows, bool animated) {
    showsCancel_ = shows;
    if (shows && !cancel_) {
        cancel_ = std::make_shared<UIButton>(CGRectZero);
        cancel_->setTitle("Cancel", UIControlStateNormal);
        cancel_->setFont(UIFont::boldSystemFontOfSize(12));
        cancel_->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
        cancel_->setBackgroundColor(UIColor::colorWithRed(0.43, 0.53, 0.65, 1));
        cancel_->layer().setCornerRadius(5);
        cancel_->addTarget(this, [this](UIControl*, UIEvent*) {
            if (delegate_) delegate_->searchBarCancelButtonClicked(this);
        }, UIControlEventTouchUpInside);
    }
    if (cancel_) {
        if (shows && cancel_->superview() != this) addSubview(cancel_);
        if (!shows) cancel_->removeFromSuperview();
    }
    if (animated) {
        UIView::beginAnimations("UISearchBarCancel");
        UIView::setAnimationDuration(0.25);
        layoutSubviews();
        UIView::commitAnimations();
    } else {
        layoutSubviews();
    }
}

namespace {
constexpr double kSearchRowHeight = 44;
constexpr double kScopeControlHeight = 29;
}  // namespace

void UISearchBar::setScopeButtonTitles(std::vector<std::string> titles) {
    scopeTitles_ = std::move(titles);
    if (scope_) scope_->removeFromSuperview();
    scope_.reset();
    if (!scopeTitles_.empty()) {
        scope_ = std::make_shared<UISegmentedControl>(scopeTitles_);
        scope_->setSelectedSegmentIndex(0);
        scope_->addTarget(this, [this](UIControl*, UIEvent*) {
            if (delegate_) delegate_->selectedScopeButtonIndexDidChange(this, scope_->selectedSegmentIndex());
        }, UIControlEventValueChanged);
    }
    setShowsScopeBar(showsScope_);
}

void UISearchBar::setShowsScopeBar(bool shows) {
    showsScope_ = shows;
    if (scope_) {
        if (shows && scope_->superview() != this) addSubview(scope_);
        if (!shows) scope_->removeFromSuperview();
    }
    setNeedsLayout();
}

void UISearchBar::setSelectedScopeButtonIndex(int index) {
    if (scope_) scope_->setSelectedSegmentIndex(index);
}

CGSize UISearchBar::sizeThatFits(CGSize size) const {
    bool scopeShown = showsScope_ && scope_;
    return CGSizeMake(size.width > 0 ? size.width : frame().size.width, scopeShown ? 2 * kSearchRowHeight : kSearchRowHeight);
}

void UISearchBar::layoutSubviews() {
    CGRect b = bounds();
    background_->setFrame(b);
    // The field's row is the top 44 points; the scope buttons take the row below.
    double row = std::min(b.size.height, kSearchRowHeight);
    double right = 6;
    if (showsCancel_ && cancel_) {
        cancel_->setFrame(CGRectMake(b.size.width - 66, std::floor((row - 30) / 2), 60, 30));
        right = 72;
    }
    field_->setFrame(CGRectMake(6, std::floor((row - 31) / 2), std::max(0.0, b.size.width - 6 - right), 31));
    if (scope_ && scope_->superview() == this)
        scope_->setFrame(CGRectMake(6, row + std::floor((kSearchRowHeight - kScopeControlHeight) / 2),
                                    std::max(0.0, b.size.width - 12), kScopeControlHeight));
}

bool UISearchBar::textFieldShouldBeginEditing(UITextField*) { return !delegate_ || delegate_->searchBarShouldBeginEditing(this); }
void UISearchBar::textFieldDidBeginEditing(UITextField*) {
    if (delegate_) delegate_->searchBarTextDidBeginEditing(this);
}
bool UISearchBar::textFieldShouldEndEditing(UITextField*) { return !delegate_ || delegate_->searchBarShouldEndEditing(this); }
void UISearchBar::textFieldDidEndEditing(UITextField*) {
    if (delegate_) delegate_->searchBarTextDidEndEditing(this);
}
bool UISearchBar::shouldChangeCharactersInRange(UITextField*, NSRange range, const std::string& replacement) {
    return !delegate_ || delegate_->shouldChangeTextInRange(this, range, replacement);
}
bool UISearchBar::textFieldShouldReturn(UITextField*) {
    if (delegate_) delegate_->searchBarSearchButtonClicked(this);
    return false;
}
