#include "platform/services/MFMessageComposeViewController.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/StringUtils.h"
#include "platform/services/MessageComposeScreen.h"
#include "platform/services/Outbox.h"
#include "platform/services/ServiceSwitch.h"

namespace {
ServiceSwitch gText("LUMENO_CAN_SEND_TEXT");
}  // namespace

bool MFMessageComposeViewController::canSendText() { return gText.isOn(); }
void MFMessageComposeViewController::setCanSendTextForTesting(std::optional<bool> value) { gText.force(value); }

MFMessageComposeViewController::MFMessageComposeViewController()
    : UINavigationController(std::make_shared<MessageComposeScreen>()) {
  screen_ = std::static_pointer_cast<MessageComposeScreen>(viewControllers().front());
  screen_->setOwner(this);
}

MFMessageComposeViewController::~MFMessageComposeViewController() {
  if (screen_) screen_->setOwner(nullptr);
}

void MFMessageComposeViewController::setBody(const std::string& body) {
  body_ = body;
  screen_->refresh();
}

void MFMessageComposeViewController::setRecipients(std::vector<std::string> list) {
  recipients_ = std::move(list);
  screen_->refresh();
}

void MFMessageComposeViewController::finish(MessageComposeResult result) {
  finished_ = true;
  if (delegate_) delegate_->messageComposeViewController(*this, result);
}

void MFMessageComposeViewController::send() {
  if (finished_) return;
  if (screen_->isViewLoaded()) {
    recipients_.clear();
    for (const auto& part : str::split(screen_->toText(), ","))
      if (auto t = str::trim(part); !t.empty()) recipients_.push_back(t);
  }
  std::string why;
  auto path = Outbox::writeTextMessage(recipients_, body_, &why);
  if (!path) {
    NSLog("Message: cannot write the message: %@", why);
    finish(MessageComposeResultFailed);
    return;
  }
  writtenPath_ = *path;
  finish(MessageComposeResultSent);
}

void MFMessageComposeViewController::cancel() {
  if (finished_) return;
  finish(MessageComposeResultCancelled);
}
