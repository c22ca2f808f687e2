#include "Classes/Social/FacebookViewController.h"

#include "platform/foundation/Format.h"
#include "platform/foundation/Localization.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/NSTimer.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/StringUtils.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"
#include "platform/net/NSURLConnection.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UIActivityIndicatorView.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIDevice.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "social/json/SBJSON.h"
#include "toolkit/foundation/TTGlobal.h"

namespace {

constexpr const char* kNameKey = "FacebookName";
constexpr const char* kPictureKey = "FacebookPic1.0";

void setTitleInEveryState(UIButton& button, const std::string& title) {
  for (unsigned state : {UIControlStateNormal, UIControlStateHighlighted, UIControlStateDisabled}) button.setTitle(title, state);
}

// The main bundle's strings, keyed by the English text.
std::string tr(const std::string& english) {
  auto languages = NSUserDefaults::standardUserDefaults().stringArrayForKey("AppleLanguages");
  const std::string lang = languages && !languages->empty() ? languages->front().substr(0, 2) : "en";
  return localizedString(english, lang, english);
}

NSUserDefaults& defaults() { return NSUserDefaults::standardUserDefaults(); }

std::string picturePath() { return str::appendPathComponent(Paths::documents(), FacebookViewController::kPictureFile); }

std::shared_ptr<UIButton> makeBigButton(const std::string& title, CGRect frame) {
  auto button = UIButton::buttonWithType(UIButtonTypeCustom);
  button->setFrame(frame);
  button->setBackgroundImage(UIImage::imageNamed("short-button-white-.png"), UIControlStateNormal);
  button->setBackgroundImage(UIImage::imageNamed("short-button-t.png"), UIControlStateHighlighted);
  setTitleInEveryState(*button, title);
  button->setFont(UIFont::fontWithName("Helvetica-Bold", 21));
  button->setTitleColor(UIColor::colorWithWhite(0.2, 1), UIControlStateNormal);
  button->setTitleColor(UIColor::whiteColor(), UIControlStateHighlighted);
  button->setTitleColor(UIColor::colorWithWhite(0.2, 0.6), UIControlStateDisabled);
  button->setTitleShadowColor(UIColor::colorWithWhite(1, 0.35), UIControlStateNormal);
  button->setTitleShadowColor(UIColor::colorWithWhite(0, 0.55), UIControlStateHighlighted);
  button->setTitleShadowColor(UIColor::colorWithWhite(1, 0.35), UIControlStateDisabled);
  button->titleLabel()->setShadowOffset(CGSizeMake(0, 1));
  button->setReversesTitleShadowWhenHighlighted(true);
  button->setExclusiveTouch(true);
  button->setAdjustsImageWhenHighlighted(false);
  button->setAdjustsImageWhenDisabled(false);
  return button;
}

// A post is confirmed by a decoded answer, or by a bare JSON text or number: the new post's
// identifier. Anything else (cut short, too deep, a page, nothing) leaves the outcome unknown.
bool confirmsPost(const FBResult& result) {
  if (std::holds_alternative<JSONValue>(result)) return true;
  const std::vector<uint8_t>& body = std::get<std::vector<uint8_t>>(result);
  const std::string_view text(reinterpret_cast<const char*>(body.data()), body.size());
  if (!str::isValidUtf8(text)) return false;
  const std::optional<JSONValue> value = SBJSON().fragmentWithString(text, nullptr);
  return value && (value->asString() || value->asNumber());
}

}  // namespace

FacebookViewController::FacebookViewController(Facebook* session, const std::string& message)
    : session_(session), initMessage_(message) {}

FacebookViewController::~FacebookViewController() {
  if (txtView_) txtView_->setDelegate(nullptr);
  dropCurrentRequest();
  showNetworkActivity(false);
  // A login still running must not report to a screen that is gone.
  if (session_) session_->resignSessionDelegate(this);
}

void FacebookViewController::loadView() {
  auto root = std::make_shared<UIView>(CGRectMake(0, 0, 320, 460));
  root->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  root->setBackgroundColor(UIColor::colorWithRed(0xef / 255.0, 0xe2 / 255.0, 0xc2 / 255.0, 1));  // the background's paper
  imgBG_ = std::make_shared<UIImageView>(CGRectMake(0, 0, 320, 460));
  imgBG_->setImage(UIImage::imageNamed("tweet-bg-2.png"));
  root->addSubview(imgBG_);

  imgProfileIcon_ = std::make_shared<UIImageView>(CGRectMake(24, 11, 40, 40));
  imgProfileIcon_->setImage(UIImage::imageNamed("tweet-pic-holder.png"));
  root->addSubview(imgProfileIcon_);

  loadingIndicator_ = std::make_shared<UIActivityIndicatorView>(UIActivityIndicatorViewStyleWhite);
  loadingIndicator_->setFrame(CGRectMake(37, 23, 15, 15));
  loadingIndicator_->setHidesWhenStopped(true);
  root->addSubview(loadingIndicator_);

  lblTwitterName_ = std::make_shared<UILabel>(CGRectMake(75, 11, 170, 40));
  lblTwitterName_->setFont(UIFont::fontWithName("Helvetica-Bold", 13));
  lblTwitterName_->setTextColor(UIColor::whiteColor());
  lblTwitterName_->setTextAlignment(UITextAlignmentLeft);
  lblTwitterName_->setBackgroundColor(UIColor::clearColor());
  lblTwitterName_->setShadowColor(UIColor::colorWithWhite(0, 0.35));
  lblTwitterName_->setShadowOffset(CGSizeMake(0, -1));
  lblTwitterName_->setText(tr("Logging in..."));
  root->addSubview(lblTwitterName_);

  lblCharCounter_ = std::make_shared<UILabel>(CGRectMake(270, 11, 30, 40));
  lblCharCounter_->setFont(UIFont::fontWithName("Helvetica-Bold", 13));
  lblCharCounter_->setTextAlignment(UITextAlignmentLeft);
  lblCharCounter_->setBackgroundColor(UIColor::clearColor());
  root->addSubview(lblCharCounter_);

  txtView_ = std::make_shared<UITextView>(CGRectMake(26, 66, 257, 87));
  txtView_->setFont(UIFont::fontWithName("Helvetica-Bold", 14));
  txtView_->setTextColor(UIColor::blackColor());
  txtView_->setBackgroundColor(UIColor::clearColor());
  txtView_->setAutocorrectionType(UITextAutocorrectionTypeNo);
  txtView_->setAutocapitalizationType(UITextAutocapitalizationTypeNone);
  txtView_->setKeyboardType(UIKeyboardTypeDefault);
  txtView_->setEnablesReturnKeyAutomatically(true);
  txtView_->setDelegate(this);
  root->addSubview(txtView_);

  btnClear_ = UIButton::buttonWithType(UIButtonTypeCustom);
  btnClear_->setFrame(CGRectMake(268, 69, 28, 28));
  btnClear_->setBackgroundImage(UIImage::imageNamed("tweet-x.png"), UIControlStateNormal);
  btnClear_->setBackgroundImage(UIImage::imageNamed("tweet-x.png"), UIControlStateHighlighted);
  btnClear_->setExclusiveTouch(true);
  btnClear_->setAdjustsImageWhenDisabled(false);
  btnClear_->setAdjustsImageWhenHighlighted(true);
  btnClear_->addTarget(this, [this](UIControl*, UIEvent*) { btnClearPressed(); }, UIControlEventTouchUpInside);
  root->addSubview(btnClear_);

  btnSend_ = makeBigButton(tr("Post"), CGRectMake(12, 168, 148, 61));
  btnSend_->setEnabled(false);
  btnSend_->addTarget(this, [this](UIControl*, UIEvent*) { btnSendPressed(); }, UIControlEventTouchUpInside);
  root->addSubview(btnSend_);
  btnCancel_ = makeBigButton(tr("Cancel"), CGRectMake(159, 168, 148, 61));
  btnCancel_->addTarget(this, [this](UIControl*, UIEvent*) { btnCancelPressed(); }, UIControlEventTouchUpInside);
  root->addSubview(btnCancel_);
  setView(root);
}

void FacebookViewController::viewDidLoad() {
  checkCharacterCount();
  loadingIndicator_->startAnimating();
  loginTwitter();
}

void FacebookViewController::viewWillAppear(bool) {
  txtView_->setText(initMessage_);
  txtView_->becomeFirstResponder();
  checkCharacterCount();
}

void FacebookViewController::viewWillDisappear(bool) {
  txtView_->setDelegate(nullptr);
  showNetworkActivity(false);
}

bool FacebookViewController::shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation orientation) {
  if (UIDevice::currentDevice().userInterfaceIdiom() == UIUserInterfaceIdiomPad) return true;
  return orientation == UIInterfaceOrientationPortrait;
}

void FacebookViewController::textViewDidChange(UITextView*) { checkCharacterCount(); }

bool FacebookViewController::textViewShouldEndEditing(UITextView*) {
  if (UIDevice::currentDevice().userInterfaceIdiom() != UIUserInterfaceIdiomPad) return false;
  return !str::trim(txtView_->text()).empty();
}

void FacebookViewController::checkCharacterCount() {
  const long n = static_cast<long>(str::utf16Length(txtView_->text()));
  const long left = kMaxCharacters - n;
  lblCharCounter_->setText(stringWithFormat("%i", static_cast<int>(left)));
  if (left < 0) {
    lblCharCounter_->setTextColor(UIColor::redColor());
    lblCharCounter_->setShadowColor(UIColor::colorWithWhite(1, 0.35));
    lblCharCounter_->setShadowOffset(CGSizeMake(0, 1));
    btnSend_->setEnabled(false);
    btnClear_->setAlpha(1);
    return;
  }
  lblCharCounter_->setTextColor(UIColor::whiteColor());
  lblCharCounter_->setShadowColor(UIColor::colorWithWhite(0, 0.35));
  lblCharCounter_->setShadowOffset(CGSizeMake(0, -1));
  btnSend_->setEnabled(hasLoggedIn_ && n > 0 && !IsSendingMessage_);
  btnClear_->setAlpha(n > 0 ? 1 : 0);
}

// The request stops with it: a post dropped here can no longer go out unseen. So does the
// picture's fetch.
void FacebookViewController::dropCurrentRequest() {
  if (requestDeadline_) requestDeadline_->invalidate();
  requestDeadline_.reset();
  if (currentRequest_) currentRequest_->cancel();
  currentRequest_.reset();
  if (pictureConnection_) pictureConnection_->cancel();
  pictureConnection_.reset();
  pictureBytes_ = std::vector<uint8_t>();
}

// Through the shared count, so another load's indicator stays on.
void FacebookViewController::showNetworkActivity(bool shown) {
  if (shown == showingNetworkActivity_) return;
  showingNetworkActivity_ = shown;
  if (shown) TTNetworkActivityBegan();
  else TTNetworkActivityEnded();
}

void FacebookViewController::showAlert(const std::string& title, const std::string& message) {
  lastAlert_ = std::make_shared<UIAlertView>(title, message, nullptr, tr("OK"), std::vector<std::string>{});
  lastAlert_->show();
}

void FacebookViewController::loginTwitter() {
  imgProfileIcon_->setImage(UIImage::imageNamed("tweet-pic-holder.png"));
  if (defaults().stringForKey(kPictureKey)) {
    finishedLoading();
    return;
  }
  if (!session_) return;
  showNetworkActivity(true);
  dropCurrentRequest();
  // One deadline for the profile and its picture: "Logging in..." never outlasts it.
  requestDeadline_ = NSTimer::scheduledTimer(kRequestDeadlineSeconds, false, [this](NSTimer&) { profileTimedOut(); });
  std::shared_ptr<FBRequest> request = session_->requestWithGraphPath("me", this);
  if (!request || !request->loading()) return;  // it has been answered at once
  currentRequest_ = request;
}

void FacebookViewController::finishedLoading() {
  dropCurrentRequest();
  showNetworkActivity(false);
  lblTwitterName_->setText(defaults().stringForKey(kNameKey).value_or(""));
  imgBG_->setImage(UIImage::imageNamed("tweet-bg.png"));
  hasLoggedIn_ = true;
  if (UIImagePtr picture = UIImage::imageWithContentsOfFile(picturePath())) imgProfileIcon_->setImage(picture);
  loadingIndicator_->stopAnimating();
  // The count decides whether Post is enabled: a message over the limit stays unsendable.
  checkCharacterCount();
}

void FacebookViewController::requestDidLoad(FBRequest&, const FBResult& result) {
  if (IsSendingMessage_) {
    dropCurrentRequest();
    if (!confirmsPost(result)) {
      NSLog("ERROR: %@", "the answer to the post could not be read");
      showAlert(tr("Post Not Confirmed"), tr("The service's answer could not be read, so it is not known whether the "
                                             "verse was posted. Your text is kept; check your page before you post it "
                                             "again."));
      setSending(false);
      return;
    }
    if (delegate_) delegate_->facebookViewSentMessage();
    return;
  }
  const JSONValue* value = std::get_if<JSONValue>(&result);
  const JSONObject* profile = value ? value->asObject() : nullptr;
  if (!profile) {
    NSLog("ERROR: %@", "the profile answer is not an object");
    finishedLoading();
    return;
  }
  const auto text = [&](const char* key) {
    const JSONValue* v = profile->find(key);
    return v ? v->textValue() : std::string();
  };
  defaults().setString(stringWithFormat("%@ %@", text("first_name"), text("last_name")), kNameKey);
  const std::string id = text("id");
  std::string pictureURL;
  if (!id.empty() && session_) {
    pictureURL = session_->endpoints().graphBase + str::percentEscapeComponent(id) + "/picture";
    defaults().setString(pictureURL, kPictureKey);
  }
  defaults().synchronize();
  if (!pictureURL.empty()) fetchPicture(pictureURL);
  if (!pictureConnection_) finishedLoading();
}

// The profile shows when the picture has been stored, has failed, or the login's deadline has
// passed; the window goes on meanwhile.
void FacebookViewController::fetchPicture(const std::string& url) {
  // The profile request has been answered; its deadline goes on for the picture.
  if (currentRequest_) currentRequest_->cancel();
  currentRequest_.reset();
  pictureStatus_ = 0;
  pictureBytes_.clear();
  pictureConnection_ = NSURLConnection::connectionWithRequest(NSURLRequest::requestWithURL(url), this);
}

void FacebookViewController::connectionDidReceiveResponse(NSURLConnection&, const NSHTTPURLResponse& response) {
  pictureStatus_ = response.statusCode();
  pictureBytes_.clear();
}

void FacebookViewController::connectionDidReceiveData(NSURLConnection&, const std::vector<uint8_t>& data) {
  if (pictureBytes_.size() + data.size() > kMaxPictureBytes) {
    NSLog("ERROR: %@", "the profile picture is too large and was not stored");
    finishedLoading();
    return;
  }
  pictureBytes_.insert(pictureBytes_.end(), data.begin(), data.end());
}

void FacebookViewController::connectionDidFinishLoading(NSURLConnection&) {
  storePicture();
  finishedLoading();
}

void FacebookViewController::connectionDidFailWithError(NSURLConnection&, const NSError& error) {
  NSLog("ERROR: the profile picture could not be fetched: %@", error.localizedDescription);
  finishedLoading();
}

// Only a whole picture replaces the stored one.
void FacebookViewController::storePicture() {
  if (pictureStatus_ != 200 || !UIImage::imageWithData(pictureBytes_)) {
    NSLog("ERROR: the profile picture answer (HTTP status %i) is no picture", pictureStatus_);
    return;
  }
  if (!NSFileManager::defaultManager().writeAtomically(picturePath(), pictureBytes_))
    NSLog("ERROR: %@", "the profile picture could not be saved");
}

void FacebookViewController::requestDidFailWithError(FBRequest&, const FBError& error) {
  NSLog("ERROR: %@", error.localizedDescription);
  dropCurrentRequest();
  if (IsSendingMessage_) {
    showAlert(tr("Posting Failed"), stringWithFormat("Error %i: %@", error.code, error.localizedDescription));
    setSending(false);
    return;
  }
  showNetworkActivity(false);
  // One login is asked for; a profile refused after it is reported, not met with another.
  if (loggedInForProfile_) {
    showLoginEnded(tr("Login Failed"));
    showAlert(tr("Profile Not Loaded"),
              stringWithFormat(tr("The service refused your profile after the login (Error %i: %@). Nothing can be "
                                  "posted now; please try again later.")
                                   .c_str(),
                               error.code, error.localizedDescription));
    return;
  }
  loggedInForProfile_ = true;
  if (session_) session_->authorize({"publish_stream"}, this);
}

void FacebookViewController::fbDidLogin() { loginTwitter(); }

void FacebookViewController::fbDidNotLogin(bool cancelled) {
  showNetworkActivity(false);
  showLoginEnded(cancelled ? tr("Login Cancelled") : tr("Login Failed"));
  showAlert(tr("Facebook"), cancelled ? tr("The login was cancelled; nothing was posted.")
                                      : tr("The login failed; nothing was posted. Please try again later."));
}

void FacebookViewController::postTimedOut() {
  NSLog("ERROR: %@", "the post had no answer in time and was stopped");
  dropCurrentRequest();
  showAlert(tr("Posting Failed"), stringWithFormat(tr("No answer came within %i seconds, so the post was stopped. Your "
                                                      "text is kept; you can try again.")
                                                       .c_str(),
                                                   kRequestDeadlineSeconds));
  setSending(false);
}

// Post stays disabled and Cancel closes the screen. A profile still waiting for its picture
// shows without it.
void FacebookViewController::profileTimedOut() {
  if (pictureConnection_) {
    NSLog("ERROR: %@", "the profile picture had no answer in time and was stopped");
    finishedLoading();
    return;
  }
  NSLog("ERROR: %@", "the profile had no answer in time and was stopped");
  dropCurrentRequest();
  showNetworkActivity(false);
  showLoginEnded(tr("Login Failed"));
  showAlert(tr("Login Failed"), stringWithFormat(tr("Your profile did not arrive within %i seconds, so the login was "
                                                    "stopped. Nothing can be posted now; please try again later.")
                                                     .c_str(),
                                                 kRequestDeadlineSeconds));
}

// The name line says why no profile will show; the spinner stops.
void FacebookViewController::showLoginEnded(const std::string& why) {
  loadingIndicator_->stopAnimating();
  lblTwitterName_->setText(why);
}

// Cancel stays enabled while sending: it stops the post.
void FacebookViewController::setSending(bool sending) {
  IsSendingMessage_ = sending;
  setTitleInEveryState(*btnSend_, sending ? tr("Sending") : tr("Post"));
  txtView_->setEditable(!sending);
  if (sending) btnSend_->setEnabled(false);
  else checkCharacterCount();
}

void FacebookViewController::btnSendPressed() {
  // The count is checked again here: nothing over the limit is ever sent.
  if (IsSendingMessage_ || !session_ || str::utf16Length(txtView_->text()) > static_cast<size_t>(kMaxCharacters)) return;
  dropCurrentRequest();
  setSending(true);
  FBParams params{{"app_id", session_->appId()}, {"message", txtView_->text()}};
  std::shared_ptr<FBRequest> request = session_->requestWithMethodName("stream.publish", params, "POST", this);
  if (!IsSendingMessage_) return;  // it failed at once
  currentRequest_ = request;
  requestDeadline_ = NSTimer::scheduledTimer(kRequestDeadlineSeconds, false, [this](NSTimer&) { postTimedOut(); });
}

void FacebookViewController::btnClearPressed() {
  txtView_->setText("");
  checkCharacterCount();
}

void FacebookViewController::btnCancelPressed() {
  txtView_->setDelegate(nullptr);
  dropCurrentRequest();
  if (delegate_) delegate_->facebookViewCancelled();
}
