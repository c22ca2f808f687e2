#pragma once
// A ready-made busy indicator: a spinning indicator and a line of text, optionally with a
// progress bar, in one of seven looks (two of them a centred bezel).

#include <memory>
#include <string>

#include "platform/ui/UIActivityIndicatorView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIProgressView.h"
#include "toolkit/controls/TTView.h"

enum TTActivityLabelStyle : int {
    TTActivityLabelStyleWhite = 0,
    TTActivityLabelStyleGray = 1,
    TTActivityLabelStyleBlackBox = 2,
    TTActivityLabelStyleBlackBezel = 3,
    TTActivityLabelStyleBlackBanner = 4,
    TTActivityLabelStyleWhiteBezel = 5,
    TTActivityLabelStyleWhiteBox = 6,
};

class TTActivityLabel : public UIView {
public:
    TTActivityLabel(CGRect frame, int style, const std::string& text);  // initWithFrame:style:text:
    TTActivityLabel(CGRect frame, int style) : TTActivityLabel(frame, style, "") {}
    explicit TTActivityLabel(int style) : TTActivityLabel(CGRectZero, style, "") {}
    explicit TTActivityLabel(CGRect frame = CGRectZero) : TTActivityLabel(frame, TTActivityLabelStyleWhiteBox, "") {}

    int style() const { return _style; }
    const std::string& text() const { return _label->text(); }
    void setText(const std::string& text);
    const UIFontPtr& font() const { return _label->font(); }
    void setFont(UIFontPtr font);
    bool isAnimating() const { return _activityIndicator && _activityIndicator->isAnimating(); }
    void setIsAnimating(bool animating);
    // 0 while there is no progress bar; the first setProgress makes one.
    float progress() const { return _progressView ? _progressView->progress() : 0; }
    void setProgress(float progress);

    CGSize sizeThatFits(CGSize size) const override;
    void layoutSubviews() override;

    // The parts, for whoever places or inspects them.
    const std::shared_ptr<TTView>& bezelView() const { return _bezelView; }
    const std::shared_ptr<UILabel>& label() const { return _label; }
    const std::shared_ptr<UIActivityIndicatorView>& activityIndicator() const { return _activityIndicator; }
    const std::shared_ptr<UIProgressView>& progressView() const { return _progressView; }

private:
    bool isBezel() const { return _style == TTActivityLabelStyleBlackBezel || _style == TTActivityLabelStyleWhiteBezel; }

    int _style;
    std::shared_ptr<TTView> _bezelView;
    std::shared_ptr<UIProgressView> _progressView;
    std::shared_ptr<UIActivityIndicatorView> _activityIndicator;  // none for a look outside 0..6
    std::shared_ptr<UILabel> _label;
    // The indicator's side as made: layout shrinks its frame (to zero while stopped), so the
    // frame cannot be measured again after a stop.
    CGFloat _indicatorSide = 0;
};
