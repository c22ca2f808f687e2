#include "platform/services/MailComposeScreen.h"

#include "platform/graphics/UIColor.h"
#include "platform/services/MFMailComposeViewController.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/UIScrollView.h"
#include "platform/ui/hosting/UITextField.h"

namespace {
constexpr double kRowHeight = 40;
constexpr double kCaptionWidth = 70;

std::string joined(const std::vector<std::string>& list) {
  std::string out;
  for (const auto& s : list) out += (out.empty() ? "" : ", ") + s;
  return out;
}

enum { kDeleteDraft = 0, kSaveDraft = 1 };
}  // namespace

MailComposeScreen::MailComposeScreen() {
  navigationItem()->setLeftBarButtonItem(std::make_shared<UIBarButtonItem>(
      UIBarButtonSystemItemCancel, [this](UIBarButtonItem*) { cancelPressed(); }));
  navigationItem()->setRightBarButtonItem(std::make_shared<UIBarButtonItem>(
      "Send", UIBarButtonItemStyleDone, [this](UIBarButtonItem*) {
        if (owner_) owner_->send();
      }));
}

std::shared_ptr<UITextField> MailComposeScreen::addField(const std::string& caption, double y) {
  double width = view()->bounds().size.width;
  auto label = std::make_shared<UILabel>(CGRectMake(8, y, kCaptionWidth - 8, kRowHeight));
  label->setText(caption);
  label->setFont(UIFont::systemFontOfSize(15));
  label->setTextColor(UIColor::grayColor());
  view()->addSubview(label);
  auto field = std::make_shared<UITextField>(CGRectMake(kCaptionWidth, y + 8, width - kCaptionWidth - 8, kRowHeight - 16));
  field->setFont(UIFont::systemFontOfSize(15));
  field->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
  field->setAutocorrectionType(UITextAutocorrectionTypeNo);
  field->setAutocapitalizationType(UITextAutocapitalizationTypeNone);
  view()->addSubview(field);
  auto rule = std::make_shared<UIView>(CGRectMake(0, y + kRowHeight - 1, width, 1));
  rule->setBackgroundColor(UIColor::lightGrayColor());
  rule->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
  view()->addSubview(rule);
  return field;
}

void MailComposeScreen::viewDidLoad() {
  view()->setBackgroundColor(UIColor::whiteColor());
  toField_ = addField("To:", 0);
  toField_->setKeyboardType(UIKeyboardTypeEmailAddress);
  ccField_ = addField("Cc:", kRowHeight);
  ccField_->setKeyboardType(UIKeyboardTypeEmailAddress);
  subjectField_ = addField("Subject:", 2 * kRowHeight);
  CGRect b = view()->bounds();
  double top = 3 * kRowHeight;
  bodyScroll_ = std::make_shared<UIScrollView>(CGRectMake(0, top, b.size.width, b.size.height - top));
  bodyScroll_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  view()->addSubview(bodyScroll_);
  bodyLabel_ = std::make_shared<UILabel>(CGRectMake(8, 8, b.size.width - 16, 0));
  bodyLabel_->setNumberOfLines(0);
  bodyLabel_->setLineBreakMode(UILineBreakModeWordWrap);
  bodyLabel_->setFont(UIFont::systemFontOfSize(15));
  bodyScroll_->addSubview(bodyLabel_);
  refresh();
}

void MailComposeScreen::refresh() {
  if (!owner_) return;
  const MailMessage& m = owner_->message();
  setTitle(m.subject.empty() ? "New Message" : m.subject);
  if (!isViewLoaded()) return;
  toField_->setText(joined(m.toRecipients));
  ccField_->setText(joined(m.ccRecipients));
  subjectField_->setText(m.subject);
  std::string text = m.isHTML ? MailMessage::plainTextFromHTML(m.body) : m.body;
  bodyLabel_->setText(text);
  double width = bodyScroll_->bounds().size.width - 16;
  CGSize size = bodyLabel_->sizeThatFits(CGSizeMake(width, 100000));
  bodyLabel_->setFrame(CGRectMake(8, 8, width, size.height));
  bodyScroll_->setContentSize(CGSizeMake(bodyScroll_->bounds().size.width, size.height + 16));
}

std::string MailComposeScreen::toText() const { return toField_ ? toField_->text() : std::string(); }
std::string MailComposeScreen::ccText() const { return ccField_ ? ccField_->text() : std::string(); }
std::string MailComposeScreen::subjectText() const { return subjectField_ ? subjectField_->text() : std::string(); }

void MailComposeScreen::cancelPressed() {
  if (!owner_ || owner_->isFinished()) return;
  cancelSheet_ = std::make_shared<UIActionSheet>("", this, "Cancel", "Delete Draft", std::vector<std::string>{"Save Draft"});
  cancelSheet_->showInView(view());
}

void MailComposeScreen::actionSheetClickedButtonAtIndex(UIActionSheet* sheet, int buttonIndex) {
  if (sheet != cancelSheet_.get() || !owner_) return;
  if (buttonIndex == kDeleteDraft) owner_->cancel();
  else if (buttonIndex == kSaveDraft) owner_->saveDraft();
}
