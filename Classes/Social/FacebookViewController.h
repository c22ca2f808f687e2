#pragma once
// The modal screen that posts a verse to the social network: the user's name and picture, the
// message prefilled with the verse, the count of characters left of 420, Post, Cancel and a
// clear button.

#include <memory>
#include <string>

#include "platform/ui/hosting/UIAlertView.h"
#include "platform/ui/hosting/UITextView.h"
#include "platform/ui/hosting/UIViewController.h"
#include "social/Facebook.h"
#include "social/FBRequest.h"

class NSTimer;
class UIActivityIndicatorView;
class UIButton;
class UIImageView;
class UILabel;

class FacebookViewDelegate {
 public:
  virtual ~FacebookViewDelegate() = default;
  virtual void facebookViewSentMessage() = 0;
  virtual void facebookViewCancelled() = 0;
};

class FacebookViewController : public UIViewController,
                               public UITextViewDelegate,
                               public FBRequestDelegate,
                               public FBSessionDelegate {
 public:
  static constexpr int kMaxCharacters = 420;
  static constexpr const char* kPictureFile = "facebookPic.png";
  // A profile request or a post still without its whole answer after this long is stopped and
  // reported failed.
  static constexpr int kRequestDeadlineSeconds = 30;

  // The session is not retained; its owner outlives the screen.
  FacebookViewController(Facebook* session, const std::string& message);
  ~FacebookViewController() override;

  FacebookViewDelegate* delegate() const { return delegate_; }
  void setDelegate(FacebookViewDelegate* delegate) { delegate_ = delegate; }

  void loadView() override;
  void viewDidLoad() override;
  void viewWillAppear(bool animated) override;
  void viewWillDisappear(bool animated) override;
  bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation orientation) override;

  void textViewDidChange(UITextView* view) override;
  bool textViewShouldEndEditing(UITextView* view) override;

  void btnClearPressed();
  void btnSendPressed();
  void btnCancelPressed();
  void checkCharacterCount();
  void loginTwitter();
  void finishedLoading();

  void requestDidLoad(FBRequest& request, const FBResult& result) override;
  void requestDidFailWithError(FBRequest& request, const FBError& error) override;
  void fbDidLogin() override;
  void fbDidNotLogin(bool cancelled) override;

  // Parts, for tests.
  UILabel* lblTwitterName() const { return lblTwitterName_.get(); }
  UILabel* lblCharCounter() const { return lblCharCounter_.get(); }
  UITextView* txtView() const { return txtView_.get(); }
  UIButton* btnSend() const { return btnSend_.get(); }
  UIButton* btnCancel() const { return btnCancel_.get(); }
  UIButton* btnClear() const { return btnClear_.get(); }
  UIImageView* imgProfileIcon() const { return imgProfileIcon_.get(); }
  bool hasLoggedIn() const { return hasLoggedIn_; }
  bool isSendingMessage() const { return IsSendingMessage_; }
  FBRequest* currentRequest() const { return currentRequest_.get(); }
  UIAlertView* lastAlert() const { return lastAlert_.get(); }

 private:
  void dropCurrentRequest();
  void setSending(bool sending);
  void postTimedOut();
  void profileTimedOut();
  void showAlert(const std::string& title, const std::string& message);
  void showNetworkActivity(bool shown);

  Facebook* session_;  // unretained
  FacebookViewDelegate* delegate_ = nullptr;  // unretained
  std::shared_ptr<UIImageView> imgBG_;
  std::shared_ptr<UIImageView> imgProfileIcon_;
  std::shared_ptr<UILabel> lblTwitterName_;
  std::shared_ptr<UILabel> lblCharCounter_;
  std::shared_ptr<UIButton> btnClear_;
  std::shared_ptr<UITextView> txtView_;
  std::shared_ptr<UIButton> btnSend_;
  std::shared_ptr<UIButton> btnCancel_;
  bool hasLoggedIn_ = false;
  bool IsSendingMessage_ = false;
  std::string initMessage_;
  std::shared_ptr<FBRequest> currentRequest_;
  std::shared_ptr<UIActivityIndicatorView> loadingIndicator_;
  std::shared_ptr<UIAlertView> lastAlert_;
  std::shared_ptr<NSTimer> requestDeadline_;
  bool showingNetworkActivity_ = false;
  bool loggedInForProfile_ = false;  // a login this screen asked for after a refused profile
};
