#pragma once
// A line of text over which a soft highlight sweeps from left to right while it animates.
// Any text the fonts can show is drawn, not only single-byte text.

#include <memory>
#include <string>

#include "platform/foundation/NSTimer.h"
#include "platform/graphics/CGContext.h"
#include "platform/ui/UIView.h"

class TTSearchlightLabel : public UIView {
public:
    explicit TTSearchlightLabel(CGRect frame = CGRectZero);
    ~TTSearchlightLabel() override;

    // Plain stores: none of them redraws.
    const std::string& text() const { return _text; }
    void setText(const std::string& text) { _text = text; }
    const UIFontPtr& font() const { return _font; }
    void setFont(UIFontPtr font) { _font = std::move(font); }
    const UIColorPtr& textColor() const { return _textColor; }
    void setTextColor(UIColorPtr color) { _textColor = std::move(color); }
    const UIColorPtr& spotlightColor() const { return _spotlightColor; }
    void setSpotlightColor(UIColorPtr color) { _spotlightColor = std::move(color); }
    UITextAlignment textAlignment() const { return _textAlignment; }
    void setTextAlignment(UITextAlignment alignment) { _textAlignment = alignment; }

    void startAnimating();
    void stopAnimating();
    bool isAnimating() const { return _timer != nullptr; }
    // Where the highlight is, as a fraction of the text's width.
    float spotlightPoint() const { return _spotlightPoint; }

    CGSize sizeThatFits(CGSize size) const override;
    void drawRect(CGRect rect) override;

private:
    void newMask();
    void releaseMask() { _maskContext.reset(); }
    UIImagePtr newSpotlightMask(CGRect rect, CGPoint origin, CGFloat radius);
    void updateSpotlight();

    std::string _text;
    UIFontPtr _font;
    UIColorPtr _textColor;
    UIColorPtr _spotlightColor;
    UITextAlignment _textAlignment = UITextAlignmentLeft;
    std::shared_ptr<NSTimer> _timer;
    float _spotlightPoint = 0;
    std::unique_ptr<CGContext> _maskContext;  // owns its pixel memory
};
