#pragma once
// A button: title, title colour, title shadow colour, image and background
// image per state (falling back to the normal state's), font, insets,
// adjusts-image flags and the platform's button types.

#include <map>
#include <optional>
#include <memory>
#include <string>

#include "platform/graphics/UIImage.h"
#include "platform/ui/UIControl.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"

class UIButton : public UIControl {
public:
    explicit UIButton(CGRect frame = CGRectZero);
    static std::shared_ptr<UIButton> buttonWithType(UIButtonType type);
    UIButtonType buttonType() const { return type_; }

    void setTitle(const std::string& title, unsigned state);
    void setTitleColor(UIColorPtr color, unsigned state);
    void setTitleShadowColor(UIColorPtr color, unsigned state);
    void setImage(UIImagePtr image, unsigned state);
    void setBackgroundImage(UIImagePtr image, unsigned state);
    // For a state: its own value, else the normal state's.
    std::string titleForState(unsigned state) const;
    UIColorPtr titleColorForState(unsigned state) const;
    UIColorPtr titleShadowColorForState(unsigned state) const;
    UIImagePtr imageForState(unsigned state) const;
    UIImagePtr backgroundImageForState(unsigned state) const;
    std::string currentTitle() const { return titleForState(state()); }
    UIColorPtr currentTitleColor() const { return titleColorForState(state()); }
    UIImagePtr currentImage() const { return imageForState(state()); }
    UIImagePtr currentBackgroundImage() const { return backgroundImageForState(state()); }

    // The label that shows the title (font, line break mode, shadow offset ...).
    UILabel* titleLabel() const { return titleLabel_.get(); }
    UIImageView* imageView() const { return imageView_.get(); }
    // The title font (titleLabel's font); setFont is the older spelling.
    UIFontPtr font() const { return titleLabel_->font(); }
    void setFont(UIFontPtr font);
    void setLineBreakMode(UILineBreakMode mode);

    UIEdgeInsets contentEdgeInsets() const { return contentEdgeInsets_; }
    void setContentEdgeInsets(UIEdgeInsets insets);
    UIEdgeInsets titleEdgeInsets() const { return titleEdgeInsets_; }
    void setTitleEdgeInsets(UIEdgeInsets insets);
    UIEdgeInsets imageEdgeInsets() const { return imageEdgeInsets_; }
    void setImageEdgeInsets(UIEdgeInsets insets);
    bool adjustsImageWhenHighlighted() const { return adjustsImageWhenHighlighted_; }
    void setAdjustsImageWhenHighlighted(bool on);
    bool adjustsImageWhenDisabled() const { return adjustsImageWhenDisabled_; }
    void setAdjustsImageWhenDisabled(bool on);
    bool showsTouchWhenHighlighted() const { return showsTouchWhenHighlighted_; }
    void setShowsTouchWhenHighlighted(bool on);
    bool reversesTitleShadowWhenHighlighted() const { return reversesTitleShadowWhenHighlighted_; }
    void setReversesTitleShadowWhenHighlighted(bool on);

    virtual CGRect backgroundRectForBounds(CGRect bounds) const;
    virtual CGRect contentRectForBounds(CGRect bounds) const;
    virtual CGRect titleRectForContentRect(CGRect contentRect) const;
    virtual CGRect imageRectForContentRect(CGRect contentRect) const;

    void layoutSubviews() override;
    void drawRect(CGRect rect) override;
    CGSize sizeThatFits(CGSize size) const override;

protected:
    void stateDidChange() override;

private:
    struct StateLook {
        std::optional<std::string> title;
        UIColorPtr titleColor;
        UIColorPtr titleShadowColor;
        UIImagePtr image;
        UIImagePtr backgroundImage;
    };
    const StateLook* look(unsigned state) const;
    // The state's own value, else the selected part's, else the normal state's.
    template <class Field>
    Field lookFor(unsigned state, Field StateLook::*field) const;
    void updateSubviews();
    CGSize titleSize() const;

    UIButtonType type_ = UIButtonTypeCustom;
    std::map<unsigned, StateLook> looks_;
    std::shared_ptr<UILabel> titleLabel_;
    std::shared_ptr<UIImageView> imageView_;
    UIEdgeInsets contentEdgeInsets_{};
    UIEdgeInsets titleEdgeInsets_{};
    UIEdgeInsets imageEdgeInsets_{};
    bool adjustsImageWhenHighlighted_ = true;
    bool adjustsImageWhenDisabled_ = true;
    bool showsTouchWhenHighlighted_ = false;
    bool reversesTitleShadowWhenHighlighted_ = false;
    bool shadowReversed_ = false;
};

using UIButtonPtr = std::shared_ptr<UIButton>;
