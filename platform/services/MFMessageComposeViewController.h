#pragma once
// The text-message composer. Sending writes the message as a text file to the Outbox.

#include <optional>
#include <string>
#include <vector>

enum MessageComposeResult : int {
  MessageComposeResultCancelled = 0,
  MessageComposeResultSent = 1,
  MessageComposeResultFailed = 2,
};

class MFMessageComposeViewController;

class MFMessageComposeViewControllerDelegate {
 public:
  virtual ~MFMessageComposeViewControllerDelegate() = default;
  virtual void messageComposeViewController(MFMessageComposeViewController& controller, MessageComposeResult result) {}
};

class MFMessageComposeViewController {
 public:
  // True unless switched off (LUMENO_CAN_SEND_TEXT=0).
  static bool canSendText();
  static void setCanSendTextForTesting(std::optional<bool> value);

  const std::string& body() const { return body_; }
  void setBody(const std::string& body) { body_ = body; }
  const std::vector<std::string>& recipients() const { return recipients_; }
  void setRecipients(std::vector<std::string> list) { recipients_ = std::move(list); }

  // Unretained.
  MFMessageComposeViewControllerDelegate* messageComposeDelegate() const { return delegate_; }
  void setMessageComposeDelegate(MFMessageComposeViewControllerDelegate* d) { delegate_ = d; }

  void send();
  void cancel();
  bool isFinished() const { return finished_; }
  const std::string& writtenPath() const { return writtenPath_; }

 private:
  void finish(MessageComposeResult result);
  std::string body_;
  std::vector<std::string> recipients_;
  MFMessageComposeViewControllerDelegate* delegate_ = nullptr;
  bool finished_ = false;
  std::string writtenPath_;
};
