#include "platform/ui/hosting/UIActionSheet.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/CGContext.h"
#include "platform/ui/hosting/HostingViews.h"
#include "platform/text/StringDrawing.h"
#include "platform/ui/hosting/UINavigationBar.h"
#include "platform/ui/hosting/UIScrollView.h"
#include "platform/ui/hosting/UITabBarController.h"

namespace {
constexpr double kMargin = 20;
constexpr double kButtonHeight = 44;
constexpr double kGap = 8;
constexpr double kRow = kButtonHeight + kGap;
constexpr double kCompactButtonHeight = 38;
constexpr double kCompactRow = kCompactButtonHeight + 4;

// Rounded, graded button faces.
class SheetButtonFace : public UIView {
public:
    SheetButtonFace(UIColorPtr top, UIColorPtr bottom, UIColorPtr border)
        : top_(std::move(top)), bottom_(std::move(bottom)), border_(std::move(border)) { makeDecorationView(*this); }
    void drawRect(CGRect) override {
        CGContext* c = UIGraphicsGetCurrentContext();
        if (!c) return;
        CGRect b = CGRectInset(bounds(), 1, 1);
        c->saveGState();
        c->beginPath();
        c->addRoundedRect(b, 9);
        c->clip();
        auto g = CGGradient::createWithColors({top_, bottom_});
        c->drawLinearGradient(*g, CGPointMake(0, b.origin.y), CGPointMake(0, CGRectGetMaxY(b)), 0);
        c->restoreGState();
        c->beginPath();
        c->addRoundedRect(b, 9);
        c->setStrokeColorWithColor(*border_);
        c->setLineWidth(1.5);
        c->strokePath();
    }

private:
    UIColorPtr top_, bottom_, border_;
};

// The buttons above the cancel button. While they scroll, a drag that starts on a
// button scrolls them and a tap clicks the button under it.
class SheetButtonList : public UIScrollView {
public:
    SheetButtonList() {
        setBackgroundColor(UIColor::clearColor());
        setOpaque(false);
        setIndicatorStyle(UIScrollViewIndicatorStyleWhite);
        setScrollsToTop(false);
    }
    UIView* hitTest(CGPoint point, UIEvent* event) override {
        UIView* hit = UIScrollView::hitTest(point, event);
        return hit && isScrollEnabled() ? this : hit;
    }
    void touchesCancelled(const UITouchSet& touches, UIEvent* event) override {
        release();
        UIScrollView::touchesCancelled(touches, event);
    }

protected:
    void touchDidBegin(CGPoint location, UITouch*, UIEvent*) override {
        release();
        pressed_ = buttonAt(location);
        if (pressed_) pressed_->setHighlighted(true);
    }
    void dragDidBegin() override { release(); }
    void tapEnded(CGPoint location, UITouch*, UIEvent* event) override {
        UIButton* b = pressed_;
        release();
        if (b && b == buttonAt(location)) b->sendActionsForControlEvents(UIControlEventTouchUpInside, event);
    }

private:
    UIButton* buttonAt(CGPoint p) const {
        for (const auto& sub : subviews())
            if (auto* b = dynamic_cast<UIButton*>(sub.get()); b && CGRectContainsPoint(b->frame(), p)) return b;
        return nullptr;
    }
    void release() {
        if (pressed_) pressed_->setHighlighted(false);
        pressed_ = nullptr;
    }
    UIButton* pressed_ = nullptr;  // unretained: one of the subviews
};
}  // namespace

UIActionSheet::UIActionSheet(const std::string& title, UIActionSheetDelegate* delegate, const std::string& cancelButtonTitle,
                             const std::string& destructiveButtonTitle, const std::vector<std::string>& otherButtonTitles)
    : delegate_(delegate), list_(std::make_shared<SheetButtonList>()) {
    addSubview(list_);
    setTitle(title);
    titleLabelView()->setFont(UIFont::systemFontOfSize(13));
    titleLabelView()->setTextColor(UIColor::colorWithWhite(0.85, 1));
    if (!destructiveButtonTitle.empty()) destructiveIndex_ = addButtonWithTitle(destructiveButtonTitle);
    for (const auto& t : otherButtonTitles) addButtonWithTitle(t);
    if (!cancelButtonTitle.empty()) setCancelButtonIndex(addButtonWithTitle(cancelButtonTitle));
    rebuildButtons();
}

void UIActionSheet::setDestructiveButtonIndex(int index) {
    destructiveIndex_ = index;
    rebuildButtons();
}

void UIActionSheet::setActionSheetStyle(UIActionSheetStyle style) {
    style_ = style;
    setNeedsDisplay();
}

void UIActionSheet::showInView(UIView* view) { present(view); }
void UIActionSheet::showFromTabBar(UITabBar* tabBar) { present(tabBar); }
void UIActionSheet::showFromToolbar(UIToolbar* toolbar) { present(toolbar); }

UIView& UIActionSheet::buttonContainer(int index) {
    if (index == cancelButtonIndex()) return *this;
    return *list_;
}

void UIActionSheet::styleButton(UIButton& b, int index) {
    UIColorPtr top, bottom, border, text;
    if (index == destructiveIndex_) {
        top = UIColor::colorWithRed(0.93, 0.35, 0.33, 1);
        bottom = UIColor::colorWithRed(0.75, 0.08, 0.06, 1);
        border = UIColor::colorWithRed(0.4, 0.04, 0.03, 1);
        text = UIColor::whiteColor();
    } else if (index == cancelButtonIndex()) {
        top = UIColor::colorWithWhite(0.45, 1);
        bottom = UIColor::colorWithWhite(0.2, 1);
        border = UIColor::colorWithWhite(0.08, 1);
        text = UIColor::whiteColor();
    } else {
        top = UIColor::colorWithWhite(1, 1);
        bottom = UIColor::colorWithWhite(0.84, 1);
        border = UIColor::colorWithWhite(0.3, 1);
        text = UIColor::colorWithWhite(0.1, 1);
    }
    auto face = std::make_shared<SheetButtonFace>(top, bottom, border);
    face->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    b.insertSubview(face, 0);
    b.setTitleColor(text, UIControlStateNormal);
    b.setFont(UIFont::boldSystemFontOfSize(19));
}

CGRect UIActionSheet::layoutIn(CGRect container) {
    double w = container.size.width;
    double y = 12;
    const std::string& t = title();
    if (!t.empty()) {
        CGSize s = sizeWithFont(t, *titleLabelView()->font(), CGSizeMake(w - 2 * kMargin, 1000), UILineBreakModeWordWrap);
        titleLabelView()->setFrame(CGRectMake(kMargin, y, w - 2 * kMargin, s.height));
        y += s.height + 12;
    } else {
        titleLabelView()->setFrame(CGRectZero);
        y = 16;
    }
    auto place = [](UIButton* b, CGRect frame) {
        b->setFrame(frame);
        for (auto& sub : b->subviews())
            if (dynamic_cast<SheetButtonFace*>(sub.get())) sub->setFrame(b->bounds());
    };
    bool hasCancel = cancelButtonIndex() >= 0;
    const int listed = numberOfButtons() - (hasCancel ? 1 : 0);
    double cancelPart = hasCancel ? (listed > 0 ? 8 : 0) + kRow : 0;
    double room = container.size.height - y - cancelPart - 12;
    // A list a little too tall closes up its buttons; a longer one scrolls at full size.
    const bool compact = listed * kRow > room && listed * kCompactRow <= room;
    const double buttonHeight = compact ? kCompactButtonHeight : kButtonHeight;
    const double row = compact ? kCompactRow : kRow;
    double listHeight = 0;
    for (int i = 0; i < numberOfButtons(); ++i) {
        if (i == cancelButtonIndex()) continue;
        place(buttonAtIndex(i), CGRectMake(kMargin, listHeight, w - 2 * kMargin, buttonHeight));
        listHeight += row;
    }
    double contentHeight = listHeight;
    if (listHeight > room) {
        // Cut a button in half at the bottom edge so the list shows that it goes on.
        double rows = std::max(0.0, std::floor((room - kButtonHeight / 2) / kRow));
        listHeight = rows * kRow + kButtonHeight / 2;
    }
    list_->setFrame(CGRectMake(0, y, w, listHeight));
    list_->setContentSize(CGSizeMake(w, contentHeight));
    list_->setScrollEnabled(contentHeight > listHeight);
    double maxOffset = std::max(0.0, contentHeight - listHeight);
    list_->setContentOffset(CGPointMake(0, std::min(list_->contentOffset().y, maxOffset)));
    y += listHeight + cancelPart;
    if (hasCancel) place(buttonAtIndex(cancelButtonIndex()), CGRectMake(kMargin, y - kRow, w - 2 * kMargin, kButtonHeight));
    y += 12;
    return CGRectMake(0, container.size.height - y, w, y);
}

void UIActionSheet::drawRect(CGRect) {
    CGContext* c = UIGraphicsGetCurrentContext();
    if (!c) return;
    CGRect b = bounds();
    double alpha = style_ == UIActionSheetStyleBlackOpaque ? 1.0 : 0.85;
    auto g = style_ == UIActionSheetStyleDefault
                 ? CGGradient::createWithColors({UIColor::colorWithRed(0.52, 0.58, 0.66, 0.95), UIColor::colorWithRed(0.28, 0.34, 0.44, 0.95)})
                 : CGGradient::createWithColors({UIColor::colorWithWhite(0.18, alpha), UIColor::colorWithWhite(0.02, alpha)});
    c->drawLinearGradient(*g, CGPointMake(0, 0), CGPointMake(0, b.size.height), 0);
    c->setRGBFillColor(0, 0, 0, 1);
    c->fillRect(CGRectMake(0, 0, b.size.width, 1));
}

void UIActionSheet::notifyClicked(int i) {
    if (delegate_) delegate_->actionSheetClickedButtonAtIndex(this, i);
}
void UIActionSheet::notifyWillDismiss(int i) {
    if (delegate_) delegate_->actionSheetWillDismissWithButtonIndex(this, i);
}
void UIActionSheet::notifyDidDismiss(int i) {
    if (delegate_) delegate_->actionSheetDidDismissWithButtonIndex(this, i);
}
void UIActionSheet::notifyWillPresent() {
    if (delegate_) delegate_->willPresentActionSheet(this);
}
void UIActionSheet::notifyDidPresent() {
    if (list_->isScrollEnabled()) list_->flashScrollIndicators();
    if (delegate_) delegate_->didPresentActionSheet(this);
}
