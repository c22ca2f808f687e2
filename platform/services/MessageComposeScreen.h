#pragma once
// The text-message composer's screen: a To field over the message text, Cancel and Send.

#include <memory>
#include <string>

#include "platform/ui/hosting/UIViewController.h"

class MFMessageComposeViewController;
class UILabel;
class UITextField;

class MessageComposeScreen : public UIViewController {
 public:
  MessageComposeScreen();
  // The composer that owns this screen (unretained).
  void setOwner(MFMessageComposeViewController* owner) { owner_ = owner; }

  void viewDidLoad() override;
  void refresh();
  std::string toText() const;

  UITextField* toField() const { return toField_.get(); }
  UILabel* bodyLabel() const { return bodyLabel_.get(); }

 private:
  MFMessageComposeViewController* owner_ = nullptr;
  std::shared_ptr<UITextField> toField_;
  std::shared_ptr<UILabel> bodyLabel_;
};
