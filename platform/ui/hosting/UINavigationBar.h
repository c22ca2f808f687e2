#pragma once
// The bar at the top of a navigation controller: the top item's title (or title
// view), its left and right buttons, and a back button titled after the item below.

#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/UILabel.h"
#include "platform/ui/UIView.h"
#include "platform/ui/hosting/UIBarButtonItem.h"

class UIBarButtonView;

// Style, tint and translucency of a navigation bar or toolbar, and its background.
class UIBar : public UIView {
public:
    explicit UIBar(CGRect frame) : UIView(frame) {}
    UIBarStyle barStyle() const { return barStyle_; }
    void setBarStyle(UIBarStyle style);
    const UIColorPtr& tintColor() const { return tintColor_; }
    void setTintColor(UIColorPtr color);
    bool isTranslucent() const { return translucent_; }
    void setTranslucent(bool on);
    void drawRect(CGRect rect) override;

protected:
    // The look changed: rebuild the buttons in the new tint.
    virtual void appearanceChanged() = 0;
    UIColorPtr effectiveTint() const;

private:
    UIBarStyle barStyle_ = UIBarStyleDefault;
    UIColorPtr tintColor_;
    bool translucent_ = false;
};

class UINavigationBar : public UIBar {
public:
    explicit UINavigationBar(CGRect frame = CGRectMake(0, 0, 320, 44));

    // The shown item and the one below it (for the back button); unretained.
    void setItems(UINavigationItem* top, UINavigationItem* below, const std::string& belowTitle);
    UINavigationItem* topItem() const { return top_; }
    UINavigationItem* backItem() const { return below_; }
    // Tapping the back button.
    void setBackHandler(std::function<void()> handler) { onBack_ = std::move(handler); }

    // The views made for the current item (tests and decorations).
    UILabel* titleLabel() const { return titleLabel_.get(); }
    UIBarButtonView* backButton() const { return backButton_.get(); }
    UIBarButtonView* leftButton() const { return leftButton_.get(); }
    UIBarButtonView* rightButton() const { return rightButton_.get(); }

    void refresh();
    void layoutSubviews() override;

protected:
    void appearanceChanged() override { refresh(); }

private:
    UINavigationItem* top_ = nullptr;
    UINavigationItem* below_ = nullptr;
    std::string belowTitle_;
    std::function<void()> onBack_;
    std::shared_ptr<UILabel> titleLabel_;
    std::shared_ptr<UIView> titleView_;
    std::shared_ptr<UIBarButtonView> backButton_, leftButton_, rightButton_;
    std::vector<std::shared_ptr<UIView>> customViews_;
};

class UIToolbar : public UIBar {
public:
    explicit UIToolbar(CGRect frame = CGRectMake(0, 0, 320, 44));
    const std::vector<UIBarButtonItemPtr>& items() const { return items_; }
    void setItems(std::vector<UIBarButtonItemPtr> items, bool animated = false);
    // The view shown for an item (null for spaces).
    UIView* viewForItem(const UIBarButtonItem* item) const;
    void layoutSubviews() override;

protected:
    void appearanceChanged() override { rebuild(); }

private:
    void rebuild();
    std::vector<UIBarButtonItemPtr> items_;
    std::vector<std::shared_ptr<UIView>> views_;  // parallel to items_, null for spaces
};
