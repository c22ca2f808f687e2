#pragma once
// A narrow vertical bar of index labels: a finger on it reports which label lies under it,
// so a list can jump there. Colour mode shows the labels and recolours them while touched;
// image mode shows one picture (portrait or landscape, swapped with a transition) and the
// labels are invisible touch zones.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Classes/Index/TransitionImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIView.h"

class UIScrollableBarDelegate {
public:
    virtual ~UIScrollableBarDelegate() = default;
    // The label under the finger, -1 when it is between two labels.
    virtual void scrollableBarSelectedIndex(int index) = 0;
    virtual void scrollableBarFingerDown() = 0;
    virtual void scrollableBarFingerUp() = 0;
};

class UIScrollableBar : public UIView {
public:
    explicit UIScrollableBar(CGRect frame = CGRectZero);
    // The label colours of colour mode.
    static UIColorPtr standardMainColor();
    static UIColorPtr standardHighlightColor();
    // Colour mode with the standard colours and a bottom gap of 8.
    UIScrollableBar(CGRect frame, const std::vector<std::string>& labels, double topPadding);

    // (Re)builds the labels; an empty colour or image name leaves that look out. Without a
    // main colour the labels are invisible touch zones.
    void setIndexes(const std::vector<std::string>& titles, double topPadding, double bottomPadding,
                    UIColorPtr mainColor, UIColorPtr highlightColor, const std::string& mainImage,
                    const std::string& highlightedImage);
    void setLandscapeImage(const std::string& image, const std::string& highlightImage);
    void setupPortrait(double duration);
    void setupLandscape(double duration);

    // Index of the label at a point of the bar (only its y counts).
    int getIndexForTouch(CGPoint point) const;
    void highlightBar();
    void unhighlightBar();

    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesMoved(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void touchesCancelled(const UITouchSet& touches, UIEvent* event) override;

    // Unretained.
    UIScrollableBarDelegate* delegate() const { return delegate_; }
    void setDelegate(UIScrollableBarDelegate* delegate) { delegate_ = delegate; }
    const std::vector<std::string>& ThisTitles() const { return ThisTitles_; }
    void setThisTitles(std::vector<std::string> titles) { ThisTitles_ = std::move(titles); }
    const std::vector<std::shared_ptr<UILabel>>& ThisIndexLabels() const { return ThisIndexLabels_; }
    TransitionImageView* imgMainImg() const { return imgMainImg_.get(); }
    bool IsPortrait() const { return IsPortrait_; }

private:
    void showPicture(const std::string& image, const std::string& highlight, double duration, CGRect start);

    UIScrollableBarDelegate* delegate_ = nullptr;  // unretained
    UIColorPtr unhighColor_;
    UIColorPtr highColor_;
    std::string mainImage_, highImage_;
    std::string mainImageLandscape_, highImageLandscape_;
    std::shared_ptr<TransitionImageView> imgMainImg_;
    bool IsPortrait_ = true;
    std::vector<std::string> ThisTitles_;
    std::vector<std::shared_ptr<UILabel>> ThisIndexLabels_;
};
