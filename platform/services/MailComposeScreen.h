#pragma once
// The composer's screen: To, Cc and Subject fields over the body (an HTML body is shown as its
// text), Cancel and Send in the navigation bar. Cancel asks whether to delete or save the draft.

#include <memory>
#include <string>

#include "platform/ui/hosting/UIActionSheet.h"
#include "platform/ui/hosting/UIViewController.h"

class MFMailComposeViewController;
class UILabel;
class UIScrollView;
class UITextField;

class MailComposeScreen : public UIViewController, public UIActionSheetDelegate {
 public:
  MailComposeScreen();
  // The composer that owns this screen (unretained).
  void setOwner(MFMailComposeViewController* owner) { owner_ = owner; }

  void viewDidLoad() override;
  // Shows the composer's current message.
  void refresh();

  // The fields as typed ("," separates recipients).
  std::string toText() const;
  std::string ccText() const;
  std::string subjectText() const;

  UITextField* toField() const { return toField_.get(); }
  UITextField* subjectField() const { return subjectField_.get(); }
  UILabel* bodyLabel() const { return bodyLabel_.get(); }
  UIActionSheet* cancelSheet() const { return cancelSheet_.get(); }

  void actionSheetClickedButtonAtIndex(UIActionSheet* sheet, int buttonIndex) override;

 private:
  void cancelPressed();
  std::shared_ptr<UITextField> addField(const std::string& caption, double y);

  MFMailComposeViewController* owner_ = nullptr;
  std::shared_ptr<UITextField> toField_, ccField_, subjectField_;
  std::shared_ptr<UIScrollView> bodyScroll_;
  std::shared_ptr<UILabel> bodyLabel_;
  std::shared_ptr<UIActionSheet> cancelSheet_;
};
