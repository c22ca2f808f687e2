#include "platform/services/MFMessageComposeViewController.h"

#include <cstdlib>
#include <mutex>

#include "platform/foundation/Log.h"
#include "platform/services/Outbox.h"

namespace {
std::mutex gMutex;
std::optional<bool> gCanSendOverride;
}  // namespace

bool MFMessageComposeViewController::canSendText() {
  {
    std::lock_guard lock(gMutex);
    if (gCanSendOverride) return *gCanSendOverride;
  }
  const char* env = std::getenv("LUMENO_CAN_SEND_TEXT");
  return !(env && std::string(env) == "0");
}

void MFMessageComposeViewController::setCanSendTextForTesting(std::optional<bool> value) {
  std::lock_guard lock(gMutex);
  gCanSendOverride = value;
}

void MFMessageComposeViewController::finish(MessageComposeResult result) {
  finished_ = true;
  if (delegate_) delegate_->messageComposeViewController(*this, result);
}

void MFMessageComposeViewController::send() {
  if (finished_) return;
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
