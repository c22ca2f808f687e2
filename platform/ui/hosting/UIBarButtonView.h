#pragma once
// The button a bar shows for a bar button item (bordered, done, plain or the back
// arrow), drawn in the bar's tint.

#include <memory>

#include "platform/ui/UIControl.h"
#include "platform/ui/hosting/UIBarButtonItem.h"

class UIBarButtonView : public UIControl {
public:
    enum class Shape { Bordered, Done, Plain, Back };
    UIBarButtonView(UIBarButtonItemPtr item, Shape shape, UIColorPtr tint);
    // A back button that only has a title and a callback.
    UIBarButtonView(const std::string& title, UIColorPtr tint, std::function<void()> onTap);

    UIBarButtonItem* item() const { return item_.get(); }
    const std::string& title() const { return title_; }
    CGSize sizeThatFits(CGSize size) const override;
    void drawRect(CGRect rect) override;
    void setTint(UIColorPtr tint);

    static UIColorPtr defaultTint() { return UIColor::colorWithRed(0.43, 0.53, 0.65, 1); }
    // Fills a bar's background: a gradient from the tint, lighter at the top.
    static void drawBarBackground(CGRect rect, const UIColor& tint, bool translucent);

protected:
    void stateDidChange() override;

private:
    void wire();
    UIBarButtonItemPtr item_;
    Shape shape_;
    UIColorPtr tint_;
    std::string title_;
    std::function<void()> onTap_;
};
