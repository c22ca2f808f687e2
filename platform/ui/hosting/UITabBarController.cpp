#include "platform/ui/hosting/UITabBarController.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/Log.h"
#include "platform/graphics/CGContext.h"
#include "platform/text/StringDrawing.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UITouch.h"
#include "platform/ui/hosting/UINavigationController.h"

namespace {
constexpr double kTabBarHeight = 49;
}

UITabBar::UITabBar(CGRect frame) : UIView(frame) {
    setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin);
    setBackgroundColor(UIColor::blackColor());
    setContentMode(UIViewContentModeRedraw);  // the selected item's box is drawn where it sits
}

void UITabBar::setItems(std::vector<std::shared_ptr<UITabBarItem>> items, bool) {
    items_ = std::move(items);
    bool found = false;
    for (auto& it : items_) {
        if (it.get() == selected_) found = true;
        std::weak_ptr<UIView> weak = weak_from_this();
        it->setChangeHandler([weak] {
            if (auto self = weak.lock()) self->setNeedsDisplay();
        });
    }
    if (!found) selected_ = nullptr;
    setNeedsDisplay();
}

void UITabBar::setSelectedItem(UITabBarItem* item) {
    selected_ = item;
    setNeedsDisplay();
}

int UITabBar::itemIndexAt(CGPoint p) const {
    if (items_.empty() || !CGRectContainsPoint(bounds(), p)) return -1;
    double w = bounds().size.width / static_cast<double>(items_.size());
    int i = static_cast<int>(p.x / w);
    return std::max(0, std::min(static_cast<int>(items_.size()) - 1, i));
}

void UITabBar::touchesBegan(const UITouchSet& touches, UIEvent*) {
    pressed_ = itemIndexAt((*touches.begin())->locationInView(this));
}

void UITabBar::touchesEnded(const UITouchSet& touches, UIEvent*) {
    int i = itemIndexAt((*touches.begin())->locationInView(this));
    int pressed = pressed_;
    pressed_ = -1;
    if (i < 0 || i != pressed || !items_[static_cast<size_t>(i)]->isEnabled()) return;
    if (onTap_) {
        onTap_(i);
        return;
    }
    setSelectedItem(items_[static_cast<size_t>(i)].get());
    if (delegate_) delegate_->tabBarDidSelectItem(this, items_[static_cast<size_t>(i)].get());
}

void UITabBar::drawRect(CGRect) {
    CGContext* c = UIGraphicsGetCurrentContext();
    if (!c) return;
    CGRect b = bounds();
    auto bg = CGGradient::createWithColors({UIColor::colorWithWhite(0.24, 1), UIColor::colorWithWhite(0.1, 1), UIColor::colorWithWhite(0.03, 1),
                                            UIColor::colorWithWhite(0.0, 1)},
                                           {0, 0.5, 0.5, 1});
    c->drawLinearGradient(*bg, CGPointMake(0, 0), CGPointMake(0, b.size.height), 0);
    if (items_.empty()) return;
    double w = b.size.width / static_cast<double>(items_.size());
    auto font = UIFont::boldSystemFontOfSize(10);
    for (size_t i = 0; i < items_.size(); ++i) {
        const UITabBarItem& item = *items_[i];
        bool sel = &item == selected_;
        CGRect cell = CGRectMake(std::floor(w * static_cast<double>(i)), 0, std::floor(w), b.size.height);
        if (sel) {
            c->setRGBFillColor(1, 1, 1, 0.15);
            c->addRoundedRect(CGRectInset(cell, 2, 2), 3);
            c->fillPath();
        }
        CGRect icon = CGRectMake(CGRectGetMidX(cell) - 15, 3, 30, 30);
        if (item.image()) {
            CGSize s = item.image()->size();
            CGRect r = CGRectMake(std::floor(CGRectGetMidX(cell) - s.width / 2), std::floor(3 + (30 - s.height) / 2), s.width, s.height);
            auto tinted = item.image()->copyImageWithColor(sel ? *UIColor::colorWithRed(0.35, 0.7, 1.0, 1) : *UIColor::colorWithWhite(0.55, 1));
            if (tinted) tinted->drawInRect(r);
            icon = r;
        }
        c->setGrayFillColor(sel ? 1 : 0.6, item.isEnabled() ? 1 : 0.5);
        drawInRect(*c, item.title(), CGRectMake(cell.origin.x + 2, b.size.height - 15, cell.size.width - 4, 13), *font,
                   UILineBreakModeTailTruncation, UITextAlignmentCenter);
        if (item.badgeValue()) {
            auto bf = UIFont::boldSystemFontOfSize(13);
            double tw = std::ceil(sizeWithFont(*item.badgeValue(), *bf).width);
            double bw = std::max(20.0, tw + 12);
            CGRect badge = CGRectMake(std::min(CGRectGetMaxX(icon) - 6, CGRectGetMaxX(cell) - bw - 1), 1, bw, 20);
            c->setRGBFillColor(1, 1, 1, 1);
            c->addRoundedRect(badge, 10);
            c->fillPath();
            c->setRGBFillColor(0.86, 0.08, 0.08, 1);
            c->addRoundedRect(CGRectInset(badge, 2, 2), 8);
            c->fillPath();
            c->setRGBFillColor(1, 1, 1, 1);
            drawInRect(*c, *item.badgeValue(), CGRectMake(badge.origin.x, badge.origin.y + 2, bw, 16), *bf, UILineBreakModeClip,
                       UITextAlignmentCenter);
        }
    }
}

// --- Controller ---

UITabBarController::UITabBarController(const std::string& nibName) : UIViewController(nibName) {
    tabBar_ = std::make_shared<UITabBar>(CGRectMake(0, 431, 320, kTabBarHeight));
    tabBar_->setDelegate(this);
    tabBar_->setTapHandler([this](int i) { tabTapped(i); });
}

UITabBar* UITabBarController::tabBar() { return tabBar_.get(); }

void UITabBarController::loadView() {
    CGRect f = UIScreen::mainScreen().applicationFrame();
    auto v = std::make_shared<UIView>(f);
    v->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    v->setBackgroundColor(UIColor::blackColor());
    container_ = std::make_shared<UIView>(CGRectMake(0, 0, f.size.width, f.size.height - kTabBarHeight));
    container_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    container_->setClipsToBounds(true);
    v->addSubview(container_);
    tabBar_->setFrame(CGRectMake(0, f.size.height - kTabBarHeight, f.size.width, kTabBarHeight));
    v->addSubview(tabBar_);
    setView(v);
    if (UIViewController* c = selectedViewController()) {
        c->view()->setFrame(container_->bounds());
        c->view()->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        container_->addSubview(c->viewPtr());
    }
}

void UITabBarController::setViewControllers(std::vector<UIViewControllerPtr> controllers, bool) {
    UIViewController* old = selectedViewController();
    for (auto& c : controllers_) c->setParentViewController(nullptr);
    controllers_ = std::move(controllers);
    for (auto& c : controllers_) {
        c->setParentViewController(this);
        c->setInterfaceOrientationTree(interfaceOrientation());
    }
    tabBarItemsChanged();
    int keep = -1;
    for (size_t i = 0; i < controllers_.size(); ++i)
        if (controllers_[i].get() == old) keep = static_cast<int>(i);
    selected_ = -1;
    if (old && keep < 0 && old->isViewLoaded() && isVisible()) {
        old->beginAppearance(false, false);
        old->view()->removeFromSuperview();
        old->endAppearance();
    }
    show(keep >= 0 ? keep : (controllers_.empty() ? -1 : 0));
}

void UITabBarController::tabBarItemsChanged() {
    std::vector<std::shared_ptr<UITabBarItem>> items;
    for (auto& c : controllers_) {
        c->tabBarItem();
        items.push_back(std::shared_ptr<UITabBarItem>(c, c->tabBarItem()));
    }
    tabBar_->setItems(std::move(items));
    if (UIViewController* s = selectedViewController()) tabBar_->setSelectedItem(s->tabBarItem());
}

UIViewController* UITabBarController::selectedViewController() const {
    if (selected_ < 0 || selected_ >= static_cast<int>(controllers_.size())) return nullptr;
    return controllers_[static_cast<size_t>(selected_)].get();
}

void UITabBarController::setSelectedIndex(int index) {
    if (index < 0 || index >= static_cast<int>(controllers_.size())) {
        NSLog("UITabBarController: no tab at index %i", index);
        return;
    }
    show(index);
}

void UITabBarController::setSelectedViewController(UIViewController* controller) {
    for (size_t i = 0; i < controllers_.size(); ++i)
        if (controllers_[i].get() == controller) return show(static_cast<int>(i));
}

void UITabBarController::show(int index) {
    if (index == selected_) return;
    UIViewController* from = selectedViewController();
    selected_ = index;
    UIViewController* to = selectedViewController();
    if (to) tabBar_->setSelectedItem(to->tabBarItem());
    if (!isViewLoaded()) return;
    bool onScreen = isVisible();
    if (onScreen) {
        if (from) from->beginAppearance(false, false);
        if (to) to->beginAppearance(true, false);
    }
    if (from && from->isViewLoaded()) from->view()->removeFromSuperview();
    if (to) {
        to->view()->setFrame(container_->bounds());
        to->view()->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        container_->addSubview(to->viewPtr());
    }
    // The newly shown tab decides whether its pushed screen hides the bar.
    bool hide = false;
    if (to)
        for (UIViewController* c : to->childViewControllers()) hide = hide || c->hidesBottomBarWhenPushed();
    setTabBarHiddenByPush(hide);
    if (onScreen) {
        if (from) from->endAppearance();
        if (to) to->endAppearance();
    }
}

void UITabBarController::tabTapped(int index) {
    if (index < 0 || index >= static_cast<int>(controllers_.size())) return;
    UIViewControllerPtr c = controllers_[static_cast<size_t>(index)];
    if (delegate_ && !delegate_->shouldSelectViewController(this, c.get())) return;
    // The bar's delegate hears every tap, the re-tap of the selected tab included,
    // while selectedIndex still names the tab shown before: comparing the two
    // tells a re-tap from a switch.
    bool reTap = index == selected_;
    if (UITabBarDelegate* d = tabBar_->delegate()) d->tabBarDidSelectItem(tabBar_.get(), c->tabBarItem());
    show(index);
    // A re-tap takes a navigation tab back to its first screen.
    if (reTap)
        if (auto* nav = dynamic_cast<UINavigationController*>(c.get())) nav->popToRootViewControllerAnimated(true);
    if (delegate_) delegate_->didSelectViewController(this, c.get());
}

void UITabBarController::setTabBarHiddenByPush(bool hidden) {
    if (hidden == hiddenByPush_) return;
    hiddenByPush_ = hidden;
    tabBar_->setHidden(hidden);
    if (!isViewLoaded()) return;
    CGRect f = container_->frame();
    f.size.height = hidden ? view()->bounds().size.height - f.origin.y : tabBar_->frame().origin.y - f.origin.y;
    container_->setFrame(f);
}

std::vector<UIViewController*> UITabBarController::childViewControllers() const {
    std::vector<UIViewController*> out;
    for (auto& c : controllers_) out.push_back(c.get());
    return out;
}

std::vector<UIViewController*> UITabBarController::visibleChildViewControllers() const {
    if (UIViewController* s = selectedViewController()) return {s};
    return {};
}

