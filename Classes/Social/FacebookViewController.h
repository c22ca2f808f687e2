#pragma once
// The modal screen that posts a verse to the social network: the user's name and picture, the
// message prefilled with the verse, the count of characters left of 420, Post, Cancel and a
// clear button.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/hosting/UIAlertView.h"
#include "platform/ui/hosting/UITextView.h"
#include "platform/net/NSURLConnection.h"
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
                               public FBSessionDelegate,
                               private NSURLConnectionDelegate {
 public:
  static constexpr int kMaxCharacters = 420;
  static constexpr const char* kPictureFile = "facebookPic.png";
  // A post, or a login's profile with its picture, still without its whole answer after this
  // long is stopped; a late picture leaves the placeholder, anything else is reported failed.
  static constexpr int kRequestDeadlineSeconds = 30;
  // A larger answer is not taken for a profile picture.
  static constexpr size_t kMaxPictureBytes = 4 << 20;

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
  void fetchPicture(const std::string& url);
  void storePicture();
  void connectionDidReceiveResponse(NSURLConnection& connection, const NSHTTPURLResponse& response) override;
  void connectionDidReceiveData(NSURLConnection& connection, const std::vector<uint8_t>& data) override;
  void connectionDidFinishLoading(NSURLConnection& connection) override;
  void connectionDidFailWithError(NSURLConnection& connection, const NSError& error) override;
  void setSending(bool sending);
  void postTimedOut();
  void profileTimedOut();
  void showLoginEnded(const std::string& why);
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
  // The profile picture on its way; the profile shows when it ends.
  std::shared_ptr<NSURLConnection> pictureConnection_;
  int pictureStatus_ = 0;
  std::vector<uint8_t> pictureBytes_;
  bool showingNetworkActivity_ = false;
  bool loggedInForProfile_ = false;  // a login this screen asked for after a refused profile
};
