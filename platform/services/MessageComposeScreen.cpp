#include "platform/services/MessageComposeScreen.h"

#include "platform/foundation/StringUtils.h"
#include "platform/graphics/UIColor.h"
#include "platform/services/MFMessageComposeViewController.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/UITextField.h"

MessageComposeScreen::MessageComposeScreen() {
  setTitle("New Message");
  navigationItem()->setLeftBarButtonItem(std::make_shared<UIBarButtonItem>(UIBarButtonSystemItemCancel, [this](UIBarButtonItem*) {
    if (owner_) owner_->cancel();
  }));
  navigationItem()->setRightBarButtonItem(std::make_shared<UIBarButtonItem>("Send", UIBarButtonItemStyleDone, [this](UIBarButtonItem*) {
    if (owner_) owner_->send();
  }));
}

void MessageComposeScreen::viewDidLoad() {
  view()->setBackgroundColor(UIColor::colorWithRed(0.86, 0.88, 0.92, 1));
  double width = view()->bounds().size.width;
  auto caption = std::make_shared<UILabel>(CGRectMake(8, 0, 34, 40));
  caption->setText("To:");
  caption->setFont(UIFont::systemFontOfSize(15));
  caption->setTextColor(UIColor::grayColor());
  caption->setBackgroundColor(UIColor::clearColor());
  view()->addSubview(caption);
  toField_ = std::make_shared<UITextField>(CGRectMake(44, 8, width - 52, 24));
  toField_->setFont(UIFont::systemFontOfSize(15));
  toField_->setKeyboardType(UIKeyboardTypePhonePad);
  toField_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
  view()->addSubview(toField_);
  // The message as a bubble of text below the field.
  bodyLabel_ = std::make_shared<UILabel>(CGRectMake(16, 56, width - 32, 0));
  bodyLabel_->setNumberOfLines(0);
  bodyLabel_->setLineBreakMode(UILineBreakModeWordWrap);
  bodyLabel_->setFont(UIFont::systemFontOfSize(15));
  bodyLabel_->setBackgroundColor(UIColor::whiteColor());
  view()->addSubview(bodyLabel_);
  refresh();
}

void MessageComposeScreen::refresh() {
  if (!owner_ || !isViewLoaded()) return;
  toField_->setText(str::join(owner_->recipients(), ", "));
  bodyLabel_->setText(owner_->body());
  double width = view()->bounds().size.width - 32;
  CGSize size = bodyLabel_->sizeThatFits(CGSizeMake(width, 100000));
  bodyLabel_->setFrame(CGRectMake(16, 56, width, size.height));
}

std::string MessageComposeScreen::toText() const { return toField_ ? toField_->text() : std::string(); }
