#include "platform/services/MFMailComposeViewController.h"

#include <cstdlib>
#include <sstream>

#include "platform/foundation/Log.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/StringUtils.h"
#include "platform/services/DesktopCommand.h"
#include "platform/services/MailComposeScreen.h"
#include "platform/services/ServiceSwitch.h"
#include "platform/services/Outbox.h"

namespace {
ServiceSwitch gMail("LUMENO_CAN_SEND_MAIL");
}  // namespace

MFMailComposeViewController::MFMailComposeViewController()
    : UINavigationController(std::make_shared<MailComposeScreen>()) {
  screen_ = std::static_pointer_cast<MailComposeScreen>(viewControllers().front());
  screen_->setOwner(this);
  screen_->refresh();
}

MFMailComposeViewController::~MFMailComposeViewController() {
  if (screen_) screen_->setOwner(nullptr);
}

void MFMailComposeViewController::setSubject(const std::string& subject) {
  message_.subject = subject;
  screen_->refresh();
}

void MFMailComposeViewController::setToRecipients(std::vector<std::string> list) {
  message_.toRecipients = std::move(list);
  screen_->refresh();
}

void MFMailComposeViewController::setCcRecipients(std::vector<std::string> list) {
  message_.ccRecipients = std::move(list);
  screen_->refresh();
}

void MFMailComposeViewController::setMessageBody(const std::string& body, bool isHTML) {
  message_.body = body;
  message_.isHTML = isHTML;
  screen_->refresh();
}

void MFMailComposeViewController::takeFields() {
  if (!screen_->isViewLoaded()) return;
  auto recipients = [](const std::string& text) {
    std::vector<std::string> out;
    for (const auto& part : str::split(text, ","))
      if (auto t = str::trim(part); !t.empty()) out.push_back(t);
    return out;
  };
  message_.toRecipients = recipients(screen_->toText());
  message_.ccRecipients = recipients(screen_->ccText());
  message_.subject = screen_->subjectText();
}

bool MFMailComposeViewController::canSendMail() { return gMail.isOn(); }
void MFMailComposeViewController::setCanSendMailForTesting(std::optional<bool> value) { gMail.force(value); }

std::vector<std::string> MFMailComposeViewController::mailClientCommand() {
  std::string line;
  if (const char* env = std::getenv("LUMENO_MAIL_COMMAND")) line = env;
  else if (auto v = NSUserDefaults::standardUserDefaults().stringForKey("MailClientCommand")) line = *v;
  std::vector<std::string> words;
  std::istringstream in(line);
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

void MFMailComposeViewController::finish(MFMailComposeResult result, const NSError* error) {
  finished_ = true;
  if (delegate_) delegate_->mailComposeController(*this, result, error);
}

void MFMailComposeViewController::send() {
  if (finished_) return;
  takeFields();
  std::string why;
  auto path = Outbox::writeMail(message_, false, &why);
  if (!path) {
    NSLog("Mail: cannot write the message: %@", why);
    NSError error(MFMailComposeErrorDomain, MFMailComposeErrorCodeSendFailed, "The message could not be written: " + why);
    finish(MFMailComposeResultFailed, &error);
    return;
  }
  writtenPath_ = *path;
  auto command = mailClientCommand();
  if (!command.empty()) {
    bool placed = false;
    for (auto& w : command) {
      auto at = w.find("%f");
      if (at != std::string::npos) {
        w.replace(at, 2, *path);
        placed = true;
      }
    }
    if (!placed) command.push_back(*path);
    if (!DesktopCommand::launch(command)) {
      NSError error(MFMailComposeErrorDomain, MFMailComposeErrorCodeSendFailed,
                    "The mail program " + command[0] + " could not be started");
      finish(MFMailComposeResultFailed, &error);
      return;
    }
  }
  finish(MFMailComposeResultSent, nullptr);
}

void MFMailComposeViewController::saveDraft() {
  if (finished_) return;
  takeFields();
  std::string why;
  auto path = Outbox::writeMail(message_, true, &why);
  if (!path) {
    NSError error(MFMailComposeErrorDomain, MFMailComposeErrorCodeSaveFailed, "The draft could not be saved: " + why);
    finish(MFMailComposeResultFailed, &error);
    return;
  }
  writtenPath_ = *path;
  finish(MFMailComposeResultSaved, nullptr);
}

void MFMailComposeViewController::cancel() {
  if (finished_) return;
  finish(MFMailComposeResultCancelled, nullptr);
}
