#pragma once
// The text-message composer: a navigation controller whose screen shows the recipients and
// the text, with Cancel and Send. Sending writes the message as a text file to the Outbox.

#include <optional>
#include <string>
#include <vector>

#include "platform/ui/hosting/UINavigationController.h"

enum MessageComposeResult : int {
  MessageComposeResultCancelled = 0,
  MessageComposeResultSent = 1,
  MessageComposeResultFailed = 2,
};

class MFMessageComposeViewController;
class MessageComposeScreen;

class MFMessageComposeViewControllerDelegate {
 public:
  virtual ~MFMessageComposeViewControllerDelegate() = default;
  virtual void messageComposeViewController(MFMessageComposeViewController& controller, MessageComposeResult result) {}
};

class MFMessageComposeViewController : public UINavigationController {
 public:
  MFMessageComposeViewController();
  ~MFMessageComposeViewController() override;

  // True unless switched off (LUMENO_CAN_SEND_TEXT=0).
  static bool canSendText();
  static void setCanSendTextForTesting(std::optional<bool> value);

  const std::string& body() const { return body_; }
  void setBody(const std::string& body);
  const std::vector<std::string>& recipients() const { return recipients_; }
  void setRecipients(std::vector<std::string> list);

  // Unretained.
  MFMessageComposeViewControllerDelegate* messageComposeDelegate() const { return delegate_; }
  void setMessageComposeDelegate(MFMessageComposeViewControllerDelegate* d) { delegate_ = d; }

  // The screen's buttons; each ends the composition once. The To field's text is taken.
  void send();
  void cancel();
  bool isFinished() const { return finished_; }
  const std::string& writtenPath() const { return writtenPath_; }

 private:
  void finish(MessageComposeResult result);
  std::shared_ptr<MessageComposeScreen> screen_;
  std::string body_;
  std::vector<std::string> recipients_;
  MFMessageComposeViewControllerDelegate* delegate_ = nullptr;
  bool finished_ = false;
  std::string writtenPath_;
};
