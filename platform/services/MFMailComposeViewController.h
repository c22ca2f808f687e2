#pragma once
// The mail composer: a navigation controller whose screen shows the recipients, the subject
// and the body, with Cancel (delete or save the draft) and Send. Sending writes the message to
// the Outbox (MIME, HTML body kept) and, when a mail client command is configured, hands the
// file to it. The delegate hears the result; the presenter dismisses the composer.
//
// The mail client command comes from the environment variable LUMENO_MAIL_COMMAND or the user
// default "MailClientCommand": words separated by spaces, "%f" standing for the message file
// (appended when absent), e.g. "thunderbird -compose message=%f" or "xdg-open".

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/net/NSError.h"
#include "platform/services/MailMessage.h"
#include "platform/ui/hosting/UINavigationController.h"

enum MFMailComposeResult : int {
  MFMailComposeResultCancelled = 0,
  MFMailComposeResultSaved = 1,
  MFMailComposeResultSent = 2,
  MFMailComposeResultFailed = 3,
};

inline constexpr const char* MFMailComposeErrorDomain = "MFMailComposeErrorDomain";
enum : int { MFMailComposeErrorCodeSaveFailed = 0, MFMailComposeErrorCodeSendFailed = 1 };

class MFMailComposeViewController;

class MFMailComposeViewControllerDelegate {
 public:
  virtual ~MFMailComposeViewControllerDelegate() = default;
  // `error` is set for MFMailComposeResultFailed only.
  virtual void mailComposeController(MFMailComposeViewController& controller, MFMailComposeResult result,
                                     const NSError* error) {}
};

class MailComposeScreen;

class MFMailComposeViewController : public UINavigationController {
 public:
  MFMailComposeViewController();
  ~MFMailComposeViewController() override;

  // True unless mail is switched off (LUMENO_CAN_SEND_MAIL=0): the Outbox is always there.
  static bool canSendMail();
  static void setCanSendMailForTesting(std::optional<bool> value);

  void setSubject(const std::string& subject);
  void setToRecipients(std::vector<std::string> list);
  void setCcRecipients(std::vector<std::string> list);
  void setBccRecipients(std::vector<std::string> list) { message_.bccRecipients = std::move(list); }
  void setMessageBody(const std::string& body, bool isHTML);
  void addAttachmentData(std::vector<uint8_t> data, const std::string& mimeType, const std::string& fileName) {
    message_.attachments.push_back({std::move(data), mimeType, fileName});
  }
  const MailMessage& message() const { return message_; }

  // Unretained.
  MFMailComposeViewControllerDelegate* mailComposeDelegate() const { return delegate_; }
  void setMailComposeDelegate(MFMailComposeViewControllerDelegate* d) { delegate_ = d; }

  // The screen's buttons (Cancel asks first, then calls cancel() or saveDraft()). Each ends the
  // composition once; later presses do nothing. What the user typed in the fields is taken.
  void send();
  void saveDraft();
  void cancel();
  bool isFinished() const { return finished_; }
  // The file written by send() or saveDraft().
  const std::string& writtenPath() const { return writtenPath_; }

  // The configured mail client command split into words; empty when none.
  static std::vector<std::string> mailClientCommand();

 private:
  void finish(MFMailComposeResult result, const NSError* error);
  void takeFields();

  std::shared_ptr<MailComposeScreen> screen_;
  MailMessage message_;
  MFMailComposeViewControllerDelegate* delegate_ = nullptr;
  bool finished_ = false;
  std::string writtenPath_;
};
