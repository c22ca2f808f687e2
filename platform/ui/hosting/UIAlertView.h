#pragma once
// A centred alert with a title, a message and buttons: the cancel button is
// index 0 when there is one, the other buttons follow in order. A message too
// long for the screen scrolls between the title and the buttons.

#include <string>
#include <vector>

#include "platform/ui/hosting/UIDialogView.h"

class UIAlertView;
class UIScrollView;

class UIAlertViewDelegate {
public:
    virtual ~UIAlertViewDelegate() = default;
    virtual void alertViewClickedButtonAtIndex(UIAlertView* alert, int buttonIndex) {}
    virtual void willPresentAlertView(UIAlertView* alert) {}
    virtual void didPresentAlertView(UIAlertView* alert) {}
    virtual void alertViewWillDismissWithButtonIndex(UIAlertView* alert, int buttonIndex) {}
    virtual void alertViewDidDismissWithButtonIndex(UIAlertView* alert, int buttonIndex) {}
};

class UIAlertView : public UIDialogView {
public:
    UIAlertView(const std::string& title, const std::string& message, UIAlertViewDelegate* delegate,
                const std::string& cancelButtonTitle, const std::vector<std::string>& otherButtonTitles);

    UIAlertViewDelegate* delegate() const { return delegate_; }
    void setDelegate(UIAlertViewDelegate* d) { delegate_ = d; }  // unretained
    const std::string& message() const { return messageLabel_->text(); }
    void setMessage(const std::string& message);
    void show();

    void drawRect(CGRect rect) override;

protected:
    void notifyClicked(int index) override;
    void notifyWillDismiss(int index) override;
    void notifyDidDismiss(int index) override;
    void notifyWillPresent() override;
    void notifyDidPresent() override;
    CGRect layoutIn(CGRect container) override;
    bool slidesUp() const override { return false; }
    void styleButton(UIButton& button, int index) override;

private:
    UIAlertViewDelegate* delegate_;  // unretained
    std::shared_ptr<UIScrollView> messageScroll_;
    std::shared_ptr<UILabel> messageLabel_;  // in messageScroll_
};

using UIAlertViewPtr = std::shared_ptr<UIAlertView>;
