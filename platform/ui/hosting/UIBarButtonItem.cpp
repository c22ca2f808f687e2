#include "platform/ui/hosting/UIBarButtonItem.h"

void UIBarItem::setTitle(const std::string& title) {
    title_ = title;
    changed();
}

void UIBarItem::setImage(UIImagePtr image) {
    image_ = std::move(image);
    changed();
}

void UIBarItem::setEnabled(bool enabled) {
    enabled_ = enabled;
    changed();
}

UIBarButtonItem::UIBarButtonItem(const std::string& title, UIBarButtonItemStyle style, Action action)
    : style_(style), action_(std::move(action)) {
    UIBarItem::setTitle(title);
}

UIBarButtonItem::UIBarButtonItem(UIImagePtr image, UIBarButtonItemStyle style, Action action)
    : style_(style), action_(std::move(action)) {
    UIBarItem::setImage(std::move(image));
}

UIBarButtonItem::UIBarButtonItem(UIBarButtonSystemItem systemItem, Action action)
    : style_(systemItem == UIBarButtonSystemItemDone ? UIBarButtonItemStyleDone : UIBarButtonItemStyleBordered),
      systemItem_(systemItem),
      action_(std::move(action)) {}

UIBarButtonItem::UIBarButtonItem(std::shared_ptr<UIView> customView) : customView_(std::move(customView)) {}

void UIBarButtonItem::setStyle(UIBarButtonItemStyle style) {
    style_ = style;
    changed();
}

void UIBarButtonItem::setWidth(double width) {
    width_ = width;
    changed();
}

void UIBarButtonItem::setCustomView(std::shared_ptr<UIView> view) {
    customView_ = std::move(view);
    changed();
}

void UIBarButtonItem::setTintColor(UIColorPtr c) {
    tintColor_ = std::move(c);
    changed();
}

std::string UIBarButtonItem::displayTitle() const {
    if (!systemItem_) return title();
    switch (*systemItem_) {
    case UIBarButtonSystemItemDone: return "Done";
    case UIBarButtonSystemItemCancel: return "Cancel";
    case UIBarButtonSystemItemEdit: return "Edit";
    case UIBarButtonSystemItemSave: return "Save";
    default: return "";
    }
}

void UIBarButtonItem::trigger() {
    if (!isEnabled() || !action_) return;
    // The action may release the item; keep the callback alive while it runs.
    Action a = action_;
    a(this);
}

UITabBarItem::UITabBarItem(const std::string& title, UIImagePtr image, long tag) {
    UIBarItem::setTitle(title);
    UIBarItem::setImage(std::move(image));
    setTag(tag);
}

void UITabBarItem::setBadgeValue(std::optional<std::string> value) {
    if (value && value->empty()) value.reset();
    badgeValue_ = std::move(value);
    changed();
}

void UINavigationItem::setTitle(const std::string& title) {
    title_ = title;
    changed();
}

void UINavigationItem::setTitleView(std::shared_ptr<UIView> view) {
    titleView_ = std::move(view);
    changed();
}

void UINavigationItem::setLeftBarButtonItem(UIBarButtonItemPtr item, bool) {
    left_ = std::move(item);
    changed();
}

void UINavigationItem::setRightBarButtonItem(UIBarButtonItemPtr item, bool) {
    right_ = std::move(item);
    changed();
}

void UINavigationItem::setBackBarButtonItem(UIBarButtonItemPtr item) {
    back_ = std::move(item);
    changed();
}

void UINavigationItem::setHidesBackButton(bool hides, bool) {
    hidesBackButton_ = hides;
    changed();
}
