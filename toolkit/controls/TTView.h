#pragma once
// The toolkit's base view: draws itself through a style chain and can hand the placing of its
// subviews to a layout.

#include <memory>

#include "platform/ui/UIView.h"
#include "toolkit/style/TTStyle.h"
#include "toolkit/views/TTLayout.h"

class TTView : public UIView, public TTStyleDelegate {
public:
    explicit TTView(CGRect frame = CGRectZero);

    const TTStylePtr& style() const { return _style; }
    // A different style redraws the view; the same one changes nothing.
    virtual void setStyle(TTStylePtr style);
    const std::shared_ptr<TTLayout>& layout() const { return _layout; }
    void setLayout(std::shared_ptr<TTLayout> layout) { _layout = std::move(layout); }

    // The view's own content; the base draws nothing.
    virtual void drawContent(CGRect rect) {}

    void drawRect(CGRect rect) override;
    void layoutSubviews() override;
    // The style's size, whatever size is asked about; zero without a style.
    CGSize sizeThatFits(CGSize size) const override;

protected:
    // The font the style context starts with when drawing; none for the base view.
    virtual UIFontPtr styleFont() const { return nullptr; }

private:
    TTStylePtr _style;
    std::shared_ptr<TTLayout> _layout;
};

using TTViewPtr = std::shared_ptr<TTView>;
