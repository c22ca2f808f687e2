#pragma once
// Items of navigation bars, toolbars and tab bars, and the navigation item that
// a controller shows in its navigation bar.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/UIImage.h"
#include "platform/ui/UIView.h"
#include "platform/ui/hosting/UIHostingTypes.h"

class UIBarButtonItem;
using UIBarButtonItemPtr = std::shared_ptr<UIBarButtonItem>;

class UIBarItem {
public:
    virtual ~UIBarItem() = default;
    const std::string& title() const { return title_; }
    virtual void setTitle(const std::string& title);
    const UIImagePtr& image() const { return image_; }
    virtual void setImage(UIImagePtr image);
    long tag() const { return tag_; }
    void setTag(long tag) { tag_ = tag; }
    bool isEnabled() const { return enabled_; }
    virtual void setEnabled(bool enabled);
    // Bars listen to redraw when an item changes.
    void setChangeHandler(std::function<void()> handler) { onChange_ = std::move(handler); }

protected:
    void changed() const {
        if (onChange_) onChange_();
    }

private:
    std::string title_;
    UIImagePtr image_;
    long tag_ = 0;
    bool enabled_ = true;
    std::function<void()> onChange_;
};

class UIBarButtonItem : public UIBarItem {
public:
    using Action = std::function<void(UIBarButtonItem* sender)>;

    UIBarButtonItem(const std::string& title, UIBarButtonItemStyle style, Action action);
    UIBarButtonItem(UIImagePtr image, UIBarButtonItemStyle style, Action action);
    UIBarButtonItem(UIBarButtonSystemItem systemItem, Action action);
    explicit UIBarButtonItem(std::shared_ptr<UIView> customView);

    UIBarButtonItemStyle style() const { return style_; }
    void setStyle(UIBarButtonItemStyle style);
    std::optional<UIBarButtonSystemItem> systemItem() const { return systemItem_; }
    // The system item's text (Done, Cancel, Edit ...) or the title.
    std::string displayTitle() const;
    double width() const { return width_; }
    void setWidth(double width);
    UIView* customView() const { return customView_.get(); }
    const std::shared_ptr<UIView>& customViewPtr() const { return customView_; }
    void setCustomView(std::shared_ptr<UIView> view);
    void setAction(Action action) { action_ = std::move(action); }
    bool hasAction() const { return static_cast<bool>(action_); }
    const UIColorPtr& tintColor() const { return tintColor_; }
    void setTintColor(UIColorPtr c);
    bool isSpace() const {
        return systemItem_ && (*systemItem_ == UIBarButtonSystemItemFlexibleSpace || *systemItem_ == UIBarButtonSystemItemFixedSpace);
    }
    // A tap on the item.
    void trigger();

private:
    UIBarButtonItemStyle style_ = UIBarButtonItemStylePlain;
    std::optional<UIBarButtonSystemItem> systemItem_;
    double width_ = 0;
    std::shared_ptr<UIView> customView_;
    Action action_;
    UIColorPtr tintColor_;
};

class UITabBarItem : public UIBarItem {
public:
    UITabBarItem(const std::string& title, UIImagePtr image, long tag);
    // Empty: no badge.
    const std::optional<std::string>& badgeValue() const { return badgeValue_; }
    void setBadgeValue(std::optional<std::string> value);

private:
    std::optional<std::string> badgeValue_;
};

class UINavigationItem {
public:
    explicit UINavigationItem(const std::string& title = "") : title_(title) {}
    const std::string& title() const { return title_; }
    void setTitle(const std::string& title);
    const std::string& prompt() const { return prompt_; }
    void setPrompt(const std::string& p) { prompt_ = p; changed(); }
    UIView* titleView() const { return titleView_.get(); }
    const std::shared_ptr<UIView>& titleViewPtr() const { return titleView_; }
    void setTitleView(std::shared_ptr<UIView> view);
    const UIBarButtonItemPtr& leftBarButtonItem() const { return left_; }
    void setLeftBarButtonItem(UIBarButtonItemPtr item, bool animated = false);
    const UIBarButtonItemPtr& rightBarButtonItem() const { return right_; }
    void setRightBarButtonItem(UIBarButtonItemPtr item, bool animated = false);
    // What the next screen's back button shows for this screen.
    const UIBarButtonItemPtr& backBarButtonItem() const { return back_; }
    void setBackBarButtonItem(UIBarButtonItemPtr item);
    bool hidesBackButton() const { return hidesBackButton_; }
    void setHidesBackButton(bool hides, bool animated = false);
    void setChangeHandler(std::function<void()> handler) { onChange_ = std::move(handler); }

private:
    void changed() const {
        if (onChange_) onChange_();
    }
    std::string title_;
    std::string prompt_;
    std::shared_ptr<UIView> titleView_;
    UIBarButtonItemPtr left_, right_, back_;
    bool hidesBackButton_ = false;
    std::function<void()> onChange_;
};
