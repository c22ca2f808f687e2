#pragma once
// What alerts and action sheets share: buttons kept in index order, a dimming
// layer, the modal blocker that keeps touches away from everything behind, and
// the click / will-dismiss / did-dismiss sequence.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/UIButton.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIView.h"

class UIDialogView : public UIView {
public:
    explicit UIDialogView(CGRect frame = CGRectZero);
    ~UIDialogView() override;

    // Adds a button at the end; returns its index.
    int addButtonWithTitle(const std::string& title);
    int numberOfButtons() const { return static_cast<int>(titles_.size()); }
    // Empty for an index out of range.
    std::string buttonTitleAtIndex(int index) const;
    int cancelButtonIndex() const { return cancelIndex_; }
    void setCancelButtonIndex(int index);
    int firstOtherButtonIndex() const;
    bool isVisible() const { return visible_; }
    const std::string& title() const { return titleLabel_->text(); }
    void setTitle(const std::string& title);

    // Closes without a click (no clicked call); will/did dismiss get the index.
    void dismissWithClickedButtonIndex(int index, bool animated);
    // A finger on the button at the index (the clicked call, then dismissal).
    void clickButtonAtIndex(int index);
    // The button view for an index (tests).
    UIButton* buttonAtIndex(int index) const;

protected:
    virtual void notifyClicked(int index) = 0;
    virtual void notifyWillDismiss(int index) = 0;
    virtual void notifyDidDismiss(int index) = 0;
    virtual void notifyWillPresent() {}
    virtual void notifyDidPresent() {}
    // Places the dialog's parts for its container (bounds of the container given);
    // returns the dialog's frame there.
    virtual CGRect layoutIn(CGRect container) = 0;
    virtual bool slidesUp() const = 0;
    virtual void styleButton(UIButton& button, int index) = 0;

    // Shows in the interface's root view that holds `anchor` (or the key window).
    void present(UIView* anchor);
    UILabel* titleLabelView() const { return titleLabel_.get(); }
    const std::vector<std::shared_ptr<UIButton>>& buttons() const { return buttonViews_; }
    void rebuildButtons();
    // The view a button goes in (the dialog itself unless a subclass holds them elsewhere).
    virtual UIView& buttonContainer(int index) { return *this; }
    // A turn of the device resized the container: the dialog is laid out for it again.
    void autoresizeWithOldSuperviewSize(CGSize oldSize) override;
    int destructiveIndex_ = -1;

private:
    std::vector<std::string> titles_;
    std::vector<std::shared_ptr<UIButton>> buttonViews_;
    int cancelIndex_ = -1;
    bool visible_ = false;
    bool dismissing_ = false;
    std::shared_ptr<UILabel> titleLabel_;
    std::shared_ptr<UIView> dimmer_;
};
