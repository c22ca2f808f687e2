#pragma once
// A sheet of buttons that slides up from the bottom. Button indexes follow the
// platform: the destructive button first, then the other buttons in order, then
// the cancel button. Buttons that do not fit the screen's height scroll above
// the cancel button.

#include <optional>
#include <string>
#include <vector>

#include "platform/ui/hosting/UIDialogView.h"
#include "platform/ui/hosting/UIHostingTypes.h"

class UIActionSheet;
class UIScrollView;
class UITabBar;
class UIToolbar;

class UIActionSheetDelegate {
public:
    virtual ~UIActionSheetDelegate() = default;
    virtual void actionSheetClickedButtonAtIndex(UIActionSheet* sheet, int buttonIndex) {}
    virtual void willPresentActionSheet(UIActionSheet* sheet) {}
    virtual void didPresentActionSheet(UIActionSheet* sheet) {}
    virtual void actionSheetWillDismissWithButtonIndex(UIActionSheet* sheet, int buttonIndex) {}
    virtual void actionSheetDidDismissWithButtonIndex(UIActionSheet* sheet, int buttonIndex) {}
};

class UIActionSheet : public UIDialogView {
public:
    // Empty titles mean no such button.
    UIActionSheet(const std::string& title, UIActionSheetDelegate* delegate, const std::string& cancelButtonTitle,
                  const std::string& destructiveButtonTitle, const std::vector<std::string>& otherButtonTitles);

    UIActionSheetDelegate* delegate() const { return delegate_; }
    void setDelegate(UIActionSheetDelegate* d) { delegate_ = d; }  // unretained
    int destructiveButtonIndex() const { return destructiveIndex_; }
    void setDestructiveButtonIndex(int index);
    UIActionSheetStyle actionSheetStyle() const { return style_; }
    void setActionSheetStyle(UIActionSheetStyle style);

    void showInView(UIView* view);
    void showFromTabBar(UITabBar* tabBar);
    void showFromToolbar(UIToolbar* toolbar);

    void drawRect(CGRect rect) override;

protected:
    void notifyClicked(int index) override;
    void notifyWillDismiss(int index) override;
    void notifyDidDismiss(int index) override;
    void notifyWillPresent() override;
    void notifyDidPresent() override;
    CGRect layoutIn(CGRect container) override;
    bool slidesUp() const override { return true; }
    void styleButton(UIButton& button, int index) override;
    UIView& buttonContainer(int index) override;

private:
    UIActionSheetDelegate* delegate_;  // unretained
    std::shared_ptr<UIScrollView> list_;  // every button but the cancel button
    UIActionSheetStyle style_ = UIActionSheetStyleAutomatic;
};

using UIActionSheetPtr = std::shared_ptr<UIActionSheet>;
