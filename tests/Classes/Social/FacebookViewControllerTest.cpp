// Posting a verse: from the options panel's share sheet to the post screen and the local
// stand-in service; the character count, the profile, its picture and their deadline, a failed
// post and a failed login.

#include <gtest/gtest.h>

#include <filesystem>

#include "Classes/Social/FacebookViewController.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/StringUtils.h"
#include "platform/graphics/UIImage.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/UIAlertView.h"
#include "social/FBLoginDialog.h"
#include "tests/Classes/Reading/panel/PanelFixture.h"
#include "tests/support/DocsScreenshot.h"
#include "tests/support/FakeSocialServer.h"
#include "tests/support/ScreenPixels.h"
#include "tests/support/ScreenTouches.h"

namespace {

// The application delegate with a session on the local service.
class SocialAppDelegate : public LumenoSDKAppDelegate {
 public:
  explicit SocialAppDelegate(FBEndpoints endpoints) : endpoints_(std::move(endpoints)) {}
  Facebook* facebook() override {
    if (!session_) session_ = std::make_unique<Facebook>("lumeno", endpoints_);
    return session_.get();
  }
  Facebook* existingFacebook() const override { return session_.get(); }
  void fbDidLogin() override { ++logins; }
  int logins = 0;

 private:
  FBEndpoints endpoints_;
  std::unique_ptr<Facebook> session_;
};

class PostVerseTest : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    server = std::make_unique<FakeSocialServer>(switches());
    app.reset();
    social = new SocialAppDelegate(server->endpoints());
    app.reset(social);
    ASSERT_TRUE(app->initializeDatabase());
  }
  void TearDown() override {
    PanelTest::TearDown();
    server.reset();
  }
  virtual FakeSocialService::Switches switches() const { return {}; }

  void logIn() { ASSERT_TRUE(social->facebook()->handleOpenURL(std::string("fblumeno://authorize#access_token=") + FakeSocialService::kToken)); }

  // Share, Facebook, then the given text choice (0 Arabic, 1 translation, 2 both).
  void shareVerse(int verse, int choice) {
    pressVerse(verse);
    press(hud().btnHUDTweet);
    ASSERT_TRUE(sheet() && sheet()->tag() == SurahOptionsHUD::kShareSheet);
    answer(0);
    ASSERT_TRUE(sheet() && sheet()->tag() == SurahOptionsHUD::kFacebookSheet);
    answer(choice);
  }
  bool waitFor(const std::function<bool()>& condition) {
    return RunLoop::main().runUntil([&] {
      backend.runUntilIdle();
      return condition();
    }, 10);
  }
  void type(const std::string& text) {
    post()->txtView()->setText(text);
    post()->textViewDidChange(post()->txtView());
  }
  FacebookViewController* post() { return hud().facebookScreen(); }
  std::vector<FakeSocialService::Received> posts() {
    std::vector<FakeSocialService::Received> out;
    for (const auto& r : server->service.received())
      if (r.path == "/method/stream.publish") out.push_back(r);
    return out;
  }

  std::unique_ptr<FakeSocialServer> server;
  SocialAppDelegate* social = nullptr;
};

TEST_F(PostVerseTest, AVerseWithItsTranslationIsPostedWithExactlySixFields) {
  logIn();
  open(2, 255, 3);
  shareVerse(255, 1);
  ASSERT_TRUE(post());
  const std::string message =
      ChapterInfo::getTranslationFor(app->dbConnectionStatic(), 3, 2, 255) + " [2:255]";
  EXPECT_EQ(post()->txtView()->text(), message);
  ASSERT_TRUE(waitFor([&] { return post()->hasLoggedIn(); }));
  EXPECT_EQ(post()->lblTwitterName()->text(), "Amina Rahman");
  EXPECT_TRUE(str::hasSuffix(NSUserDefaults::standardUserDefaults().stringForKey("FacebookPic1.0").value_or(""), "/1001/picture"));
  EXPECT_TRUE(UIImage::imageWithContentsOfFile(str::appendPathComponent(Paths::documents(), "facebookPic.png")));

  // The verse is longer than 420 characters: the profile's arrival does not enable Post.
  const int left = 420 - static_cast<int>(str::utf16Length(message));
  ASSERT_LT(left, 0);
  EXPECT_EQ(post()->lblCharCounter()->text(), std::to_string(left));
  EXPECT_FALSE(post()->btnSend()->isEnabled());
  post()->btnSendPressed();
  EXPECT_TRUE(posts().empty());

  const std::string shortened = str::utf16Substring(message, 0, 400);
  type(shortened);
  EXPECT_EQ(post()->lblCharCounter()->text(), "20");
  ASSERT_TRUE(post()->btnSend()->isEnabled());
  post()->btnSend()->sendActionsForControlEvents(UIControlEventTouchUpInside);
  EXPECT_EQ(post()->btnSend()->titleForState(UIControlStateNormal), "Sending");
  EXPECT_TRUE(post()->btnCancel()->isEnabled());  // Cancel would stop the post
  ASSERT_TRUE(waitFor([&] { return post() == nullptr; }));  // sent: the screen closed

  const auto sent = posts();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].query, "");
  EXPECT_EQ(sent[0].fields, (std::vector<std::pair<std::string, std::string>>{{"app_id", "lumeno"},
                                                                             {"message", shortened},
                                                                             {"format", "json"},
                                                                             {"sdk", "ios"},
                                                                             {"sdk_version", "2"},
                                                                             {"access_token", FakeSocialService::kToken}}));
}

class FailingPostTest : public PostVerseTest {
  FakeSocialService::Switches switches() const override {
    FakeSocialService::Switches s;
    s.postStatus = 500;
    return s;
  }
};

TEST_F(FailingPostTest, AFailedPostTellsTheUserAndKeepsTheMessage) {
  logIn();
  open(2, 255, 3);
  shareVerse(255, 0);  // the Arabic verse
  ASSERT_TRUE(post());
  ASSERT_TRUE(waitFor([&] { return post()->hasLoggedIn(); }));
  const std::string message = post()->txtView()->text();
  ASSERT_TRUE(post()->btnSend()->isEnabled());
  post()->btnSendPressed();
  ASSERT_TRUE(waitFor([&] { return post()->lastAlert() != nullptr; }));
  EXPECT_EQ(post()->lastAlert()->title(), "Posting Failed");
  EXPECT_EQ(post()->lastAlert()->message(), "Error 500: The server answered with HTTP status 500.");
  EXPECT_FALSE(post()->isSendingMessage());
  EXPECT_EQ(post()->txtView()->text(), message);
  EXPECT_TRUE(post()->txtView()->isEditable());
  EXPECT_TRUE(post()->btnSend()->isEnabled());
  EXPECT_EQ(post()->btnSend()->titleForState(UIControlStateNormal), "Post");
  EXPECT_EQ(posts().size(), 1u);
}

TEST_F(PostVerseTest, WithoutASessionSharingLogsInFirstAndAFailedLoginIsShown) {
  open(2, 255, 3);
  shareVerse(255, 1);
  EXPECT_EQ(post(), nullptr);
  FBLoginDialog* dialog = social->facebook()->loginDialog();
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(waitFor([&] { return !dialog->webView()->document().blocks.empty(); }));
  dialog->webView()->followLink("fbconnect://cancel");
  backend.advance(1000);
  ASSERT_TRUE(alert());
  EXPECT_EQ(alert()->message(), "The login was cancelled; nothing was posted.");
  EXPECT_EQ(post(), nullptr);

  // Sharing again logs in and, once logged in, opens the post screen.
  answer(0);
  shareVerse(255, 1);
  dialog = social->facebook()->loginDialog();
  ASSERT_TRUE(waitFor([&] { return !dialog->webView()->document().blocks.empty(); }));
  for (const HTMLBlock& block : dialog->webView()->document().blocks)
    if (block.text == "Allow") dialog->webView()->followLink(block.href);
  EXPECT_EQ(social->logins, 1);
  ASSERT_TRUE(post());
  EXPECT_TRUE(str::hasSuffix(post()->txtView()->text(), "[2:255]"));
}

TEST_F(PostVerseTest, AStoredProfileIsShownWithoutAskingAndTheCountRuleDecidesPost) {
  NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
  defaults.setString("Amina Rahman", "FacebookName");
  defaults.setString(server->service.origin() + "/1001/picture", "FacebookPic1.0");
  logIn();
  auto screen = std::make_shared<FacebookViewController>(social->facebook(), "");
  window->setRootViewController(screen);
  backend.runUntilIdle();
  EXPECT_TRUE(screen->hasLoggedIn());
  EXPECT_EQ(screen->lblTwitterName()->text(), "Amina Rahman");
  EXPECT_EQ(screen->currentRequest(), nullptr);
  struct Case {
    int length;
    std::string counter;
    bool post, clear;
  } cases[] = {{0, "420", false, false}, {1, "419", true, true}, {420, "0", true, true}, {421, "-1", false, true}};
  for (const Case& c : cases) {
    screen->txtView()->setText(std::string(static_cast<size_t>(c.length), 'a'));
    screen->checkCharacterCount();
    EXPECT_EQ(screen->lblCharCounter()->text(), c.counter) << c.length;
    EXPECT_EQ(screen->btnSend()->isEnabled(), c.post) << c.length;
    EXPECT_EQ(screen->btnClear()->alpha() > 0, c.clear) << c.length;
  }
  screen->btnClearPressed();
  EXPECT_EQ(screen->txtView()->text(), "");
  EXPECT_FALSE(screen->btnSend()->isEnabled());
  EXPECT_TRUE(server->service.received().empty());
  window->setRootViewController(nullptr);
}

}  // namespace

namespace {

TEST_F(PostVerseTest, ThePostScreenAndTheLoginDialogAsTheyLook) {
  open(2, 255, 3);
  shareVerse(255, 0);
  FBLoginDialog* dialog = social->facebook()->loginDialog();
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(waitFor([&] { return !dialog->webView()->document().blocks.empty(); }));
  backend.advance(1000);
  docs_screenshot::shootForDocs(backend, "social-login.png");
  // The panel's blue title bar sits inside its grey frame.
  const auto bar = backend.pixelAt(CGPointMake(160, 30));
  EXPECT_GT(bar.b, bar.r + 30);

  for (const HTMLBlock& block : dialog->webView()->document().blocks)
    if (block.text == "Allow") dialog->webView()->followLink(block.href);
  ASSERT_TRUE(post());
  ASSERT_TRUE(waitFor([&] { return post()->hasLoggedIn(); }));
  backend.advance(1000);
  docs_screenshot::shootForDocs(backend, "social-post.png");
  // The service's picture (teal) has replaced the placeholder.
  const auto picture = backend.pixelAt(CGPointMake(28, 14));
  EXPECT_GT(picture.g, picture.r + 50);
}

}  // namespace

namespace {

TEST_F(PostVerseTest, AScreenClosedDuringItsLoginIsNotCalledWhenTheLoginCompletes) {
  Facebook* session = social->facebook();  // no token: the profile request is refused
  auto screen = std::make_shared<FacebookViewController>(session, "text");
  window->setRootViewController(screen);
  ASSERT_TRUE(waitFor([&] { return session->sessionDelegate() == screen.get(); }));
  ASSERT_TRUE(session->loginDialog());
  window->setRootViewController(nullptr);
  screen.reset();
  EXPECT_EQ(session->sessionDelegate(), nullptr);
  EXPECT_TRUE(session->handleOpenURL(std::string("fblumeno://authorize#access_token=") + FakeSocialService::kToken));
  EXPECT_TRUE(session->isSessionValid());
}

}  // namespace

namespace {

// The post screen on its own with a stored profile: ready to post at once.
class PostOutcomeTest : public PostVerseTest {
 protected:
  struct Outcome : FacebookViewDelegate {
    void facebookViewSentMessage() override { ++sent; }
    void facebookViewCancelled() override { ++cancelled; }
    int sent = 0, cancelled = 0;
  };

  void openReady(const std::string& text) {
    NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
    defaults.setString("Amina Rahman", "FacebookName");
    defaults.setString(server->service.origin() + "/1001/picture", "FacebookPic1.0");
    logIn();
    screen = std::make_shared<FacebookViewController>(social->facebook(), text);
    screen->setDelegate(&outcome);
    window->setRootViewController(screen);
    backend.runUntilIdle();
    ASSERT_TRUE(screen->btnSend()->isEnabled());
  }
  void closeScreen() {
    window->setRootViewController(nullptr);
    screen.reset();
  }
  void tap(UIButton* button) {
    backend.tap(screen_touches::screenCentre(*button, button->bounds()));
    backend.runUntilIdle();
  }
  // The post has reached the service (and, for a trickle, its answer has begun).
  bool postArrived(size_t count = 1, int trickled = 0) {
    return waitFor([&] { return posts().size() >= count && server->service.trickledBytes() >= trickled; });
  }
  UIAlertView* shownAlert() {
    UIAlertView* alert = screen->lastAlert();
    return alert && alert->isVisible() ? alert : nullptr;
  }
  // The screen says the post did not go through, and the text is there to send again.
  void expectKeptForAnotherTry(const std::string& text, const std::string& title) {
    UIAlertView* alert = shownAlert();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), title);
    backend.advance(500);
    const auto panel = backend.pixelAt(CGPointMake(160, 240));  // the alert's blue panel is drawn
    EXPECT_GT(panel.b, panel.r + 30);
    EXPECT_EQ(outcome.sent, 0);
    EXPECT_FALSE(screen->isSendingMessage());
    EXPECT_EQ(screen->txtView()->text(), text);
    EXPECT_TRUE(screen->txtView()->isEditable());
    EXPECT_TRUE(screen->btnSend()->isEnabled());
    EXPECT_EQ(screen->btnSend()->titleForState(UIControlStateNormal), "Post");
    alert->dismissWithClickedButtonIndex(0, false);
    backend.runUntilIdle();
  }

  Outcome outcome;
  std::shared_ptr<FacebookViewController> screen;
};

TEST_F(PostOutcomeTest, APostWithNoEndingAnswerFailsAtItsDeadlineAndKeepsTheText) {
  const std::string text = "Verily, with hardship comes ease [94:6]";
  for (FakeSocialService::Pace pace : {FakeSocialService::Pace::Silent, FakeSocialService::Pace::Trickle}) {
    const bool trickle = pace == FakeSocialService::Pace::Trickle;
    SCOPED_TRACE(trickle ? "trickle" : "silent");
    FakeSocialService::Switches switches;
    switches.postPace = pace;
    server->service.setSwitches(switches);
    const int hangUps = server->service.hangUps();
    const size_t count = posts().size() + 1;
    openReady(text);
    tap(screen->btnSend());
    EXPECT_EQ(screen->btnSend()->titleForState(UIControlStateNormal), "Sending");
    ASSERT_TRUE(postArrived(count, trickle ? 3 : 0));
    backend.advance(29000);
    EXPECT_TRUE(screen->isSendingMessage());
    EXPECT_EQ(shownAlert(), nullptr);
    backend.advance(1500);
    expectKeptForAnotherTry(text, "Posting Failed");
    // The request was stopped: the service sees the connection closed.
    EXPECT_TRUE(waitFor([&] { return server->service.hangUps() == hangUps + 1; }));
    // The kept text goes out on the next try.
    server->service.setSwitches({});
    tap(screen->btnSend());
    ASSERT_TRUE(waitFor([&] { return outcome.sent == 1; }));
    outcome.sent = 0;
    EXPECT_EQ(posts().back().fields[1], (std::pair<std::string, std::string>{"message", text}));
    closeScreen();
  }
}

TEST_F(PostOutcomeTest, CancelWhileSendingStopsThePostAndClosesTheScreen) {
  FakeSocialService::Switches switches;
  switches.postPace = FakeSocialService::Pace::Silent;
  server->service.setSwitches(switches);
  openReady("A verse");
  tap(screen->btnSend());
  ASSERT_TRUE(screen->isSendingMessage());
  EXPECT_TRUE(screen->btnCancel()->isEnabled());
  ASSERT_TRUE(postArrived());
  tap(screen->btnCancel());
  EXPECT_EQ(outcome.cancelled, 1);
  EXPECT_EQ(screen->currentRequest(), nullptr);
  EXPECT_TRUE(waitFor([&] { return server->service.hangUps() == 1; }));
  // Nothing comes back later: not even the deadline.
  backend.advance(60000);
  EXPECT_EQ(shownAlert(), nullptr);
  EXPECT_EQ(outcome.sent, 0);
  closeScreen();
}

TEST_F(PostOutcomeTest, AnAnswerThatCannotBeReadIsNoSuccessAndKeepsTheText) {
  const std::string deep = std::string(600, '[') + std::string(600, ']');
  struct Case {
    std::string body;
    bool posted;
  } cases[] = {
      {"\"1001_1\"", true},       // the new post's identifier
      {"{\"id\":\"1001_1\"}", true},
      {"true", true},
      {"{\"id\":\"1001_1\"", false},  // cut short
      {deep, false},                  // nesting past the parser's limit
      {"<html><body>Welcome</body></html>", false},
      {"", false},
  };
  const std::string text = "And He found you lost and guided you [93:7]";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body.substr(0, 40));
    FakeSocialService::Switches switches;
    switches.postBody = c.body;
    server->service.setSwitches(switches);
    openReady(text);
    tap(screen->btnSend());
    if (c.posted) {
      ASSERT_TRUE(waitFor([&] { return outcome.sent == 1; }));
      EXPECT_EQ(shownAlert(), nullptr);
      outcome.sent = 0;
    } else {
      ASSERT_TRUE(waitFor([&] { return shownAlert() != nullptr; }));
      expectKeptForAnotherTry(text, "Post Not Confirmed");
    }
    closeScreen();
  }
}

}  // namespace

namespace {

class RefusedProfileTest : public PostVerseTest {
 protected:
  FakeSocialService::Switches switches() const override {
    FakeSocialService::Switches s;
    s.meStatus = 403;
    return s;
  }
  // The login dialog the post screen asked for, once its page is shown.
  FBLoginDialog* loginPage() {
    FBLoginDialog* dialog = nullptr;
    const bool shown = waitFor([&] {
      dialog = social->facebook()->loginDialog();
      return dialog && dialog->superview() && !dialog->webView()->document().blocks.empty();
    });
    return shown ? dialog : nullptr;
  }
  int loginPagesServed() {
    int count = 0;
    for (const auto& r : server->service.received()) count += r.path == "/dialog/oauth";
    return count;
  }
  bool activityShown() { return UIApplication::sharedApplication().isNetworkActivityIndicatorVisible(); }
  // The name line shows `text` in white letters on the dark card, not on the pale paper.
  void expectNameLineReads(const std::string& text) {
    UILabel* name = post()->lblTwitterName();
    EXPECT_EQ(name->text(), text);
    EXPECT_TRUE(name->window() && !name->isHidden() && name->alpha() == 1);
    int white = 0, dark = 0, all = 0;
    for (const auto& px : screen_pixels::grab(backend, screen_touches::displayRect(*name))) {
      white += px.r > 220 && px.g > 220 && px.b > 220;
      dark += px.r + px.g + px.b < 450;
      ++all;
    }
    EXPECT_GT(white, 20);
    EXPECT_GT(dark, all / 2);
  }
};

TEST_F(RefusedProfileTest, AProfileRefusedAfterTheLoginIsReportedInsteadOfAnotherLogin) {
  logIn();
  open(2, 255, 3);
  shareVerse(255, 1);
  ASSERT_TRUE(post());
  FBLoginDialog* dialog = loginPage();  // the first refusal asks for a login
  ASSERT_TRUE(dialog);
  for (const HTMLBlock& block : dialog->webView()->document().blocks)
    if (block.text == "Allow") dialog->webView()->followLink(block.href);
  ASSERT_TRUE(waitFor([&] { return post()->lastAlert() != nullptr; }));
  UIAlertView* alert = post()->lastAlert();
  EXPECT_TRUE(alert->isVisible());
  EXPECT_EQ(alert->title(), "Profile Not Loaded");
  EXPECT_NE(alert->message().find("Error 403"), std::string::npos) << alert->message();
  backend.advance(1000);
  EXPECT_EQ(loginPagesServed(), 1);
  EXPECT_FALSE(activityShown());
  EXPECT_FALSE(post()->btnSend()->isEnabled());
  EXPECT_TRUE(post()->btnCancel()->isEnabled());

  // Behind the alert the name line no longer says the login is under way.
  alert->dismissWithClickedButtonIndex(0, false);
  backend.advance(500);
  expectNameLineReads("Login Failed");
  docs_screenshot::shoot(backend, "social-profile-refused.png");
}

TEST_F(RefusedProfileTest, ACancelledLoginIsSaidAndLeavesNoActivityShown) {
  logIn();
  open(2, 255, 3);
  shareVerse(255, 1);
  ASSERT_TRUE(post());
  FBLoginDialog* dialog = loginPage();
  ASSERT_TRUE(dialog);
  dialog->webView()->followLink("fbconnect://cancel");
  backend.advance(1000);
  ASSERT_NE(post()->lastAlert(), nullptr);
  EXPECT_TRUE(post()->lastAlert()->isVisible());
  EXPECT_EQ(post()->lastAlert()->message(), "The login was cancelled; nothing was posted.");
  EXPECT_FALSE(activityShown());
  post()->lastAlert()->dismissWithClickedButtonIndex(0, false);
  backend.advance(500);
  EXPECT_EQ(loginPagesServed(), 1);
  expectNameLineReads("Login Cancelled");
  docs_screenshot::shoot(backend, "social-login-cancelled.png");
}

TEST_F(PostVerseTest, AProfileWithNoEndingAnswerEndsTheLoginAtItsDeadline) {
  logIn();
  for (FakeSocialService::Pace pace : {FakeSocialService::Pace::Silent, FakeSocialService::Pace::Trickle}) {
    const bool trickle = pace == FakeSocialService::Pace::Trickle;
    SCOPED_TRACE(trickle ? "trickle" : "silent");
    FakeSocialService::Switches switches;
    switches.mePace = pace;
    server->service.setSwitches(switches);
    const int hangUps = server->service.hangUps();
    const size_t asked = server->service.received().size() + 1;
    auto screen = std::make_shared<FacebookViewController>(social->facebook(), "A verse");
    window->setRootViewController(screen);
    ASSERT_TRUE(waitFor([&] {
      return server->service.received().size() >= asked && server->service.trickledBytes() >= (trickle ? 3 : 0);
    }));
    backend.advance(29000);
    EXPECT_EQ(screen->lastAlert(), nullptr);
    EXPECT_EQ(screen->lblTwitterName()->text(), "Logging in...");

    backend.advance(1500);
    UIAlertView* alert = screen->lastAlert();
    ASSERT_NE(alert, nullptr);
    EXPECT_TRUE(alert->isVisible());
    EXPECT_EQ(alert->title(), "Login Failed");
    EXPECT_EQ(alert->message(), "Your profile did not arrive within 30 seconds, so the login was stopped. Nothing can "
                                "be posted now; please try again later.");
    backend.advance(500);
    const auto panel = backend.pixelAt(CGPointMake(28, 200));  // the alert's blue panel is drawn
    EXPECT_GT(panel.b, panel.r + 30);
    EXPECT_EQ(screen->lblTwitterName()->text(), "Login Failed");
    EXPECT_FALSE(UIApplication::sharedApplication().isNetworkActivityIndicatorVisible());
    EXPECT_FALSE(screen->hasLoggedIn());
    EXPECT_FALSE(screen->btnSend()->isEnabled());
    EXPECT_TRUE(screen->btnCancel()->isEnabled());
    // The request was stopped: the service sees the connection closed.
    EXPECT_TRUE(waitFor([&] { return server->service.hangUps() == hangUps + 1; }));
    alert->dismissWithClickedButtonIndex(0, false);
    window->setRootViewController(nullptr);
    backend.runUntilIdle();
  }
}

TEST_F(PostVerseTest, CancelDuringASlowProfileStopsItAndLeavesNoActivityShown) {
  FakeSocialService::Switches s;
  s.mePace = FakeSocialService::Pace::Silent;
  server->service.setSwitches(s);
  logIn();
  open(2, 255, 3);
  shareVerse(255, 1);
  ASSERT_TRUE(post());
  ASSERT_TRUE(waitFor([&] { return !server->service.received().empty(); }));
  EXPECT_TRUE(UIApplication::sharedApplication().isNetworkActivityIndicatorVisible());
  UIButton* cancel = post()->btnCancel();
  backend.tap(screen_touches::screenCentre(*cancel, cancel->bounds()));
  backend.advance(1000);
  EXPECT_EQ(post(), nullptr);
  EXPECT_FALSE(UIApplication::sharedApplication().isNetworkActivityIndicatorVisible());
  EXPECT_TRUE(waitFor([&] { return server->service.hangUps() == 1; }));
}

}  // namespace

namespace {

// The screen's own login: the profile answer comes at once, its picture as the case says. The
// service hangs up a held picture after 20 real seconds, so that a window that waits for it
// fails these tests instead of hanging.
class ProfilePictureTest : public PostOutcomeTest {
 protected:
  static std::string storedPicture() { return str::appendPathComponent(Paths::documents(), "facebookPic.png"); }
  int pictureRequests() {
    int count = 0;
    for (const auto& r : server->service.received()) count += r.path == FakeSocialService::kPicturePath;
    return count;
  }
  // A new screen with no stored profile, once the service has been asked for the picture (and,
  // for a trickle, has begun to send it).
  void openUntilThePictureIsAsked(FakeSocialService::Pace pace, int status = 200) {
    FakeSocialService::Switches switches;
    switches.picturePace = pace;
    switches.pictureStatus = status;
    switches.holdLimit = 20;
    server->service.setSwitches(switches);
    NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
    defaults.removeObjectForKey("FacebookName");
    defaults.removeObjectForKey("FacebookPic1.0");
    std::filesystem::remove(storedPicture());
    logIn();
    const int asked = pictureRequests() + 1;
    const int trickled = server->service.trickledBytes() + (pace == FakeSocialService::Pace::Trickle ? 3 : 0);
    screen = std::make_shared<FacebookViewController>(social->facebook(), "A verse");
    screen->setDelegate(&outcome);
    window->setRootViewController(screen);
    ASSERT_TRUE(waitFor([&] { return pictureRequests() >= asked && server->service.trickledBytes() >= trickled; }));
  }
  // The picture's corner: the service's picture is teal.
  bool pictureShown() {
    backend.frame();
    const auto px = backend.pixelAt(CGPointMake(28, 14));
    return px.g > px.r + 50;
  }
};

TEST_F(ProfilePictureTest, TheProfileShowsWhenItsPictureIsStoredHasFailedOrIsLate) {
  using Pace = FakeSocialService::Pace;
  struct Case {
    const char* name;
    Pace pace;
    int status;
    bool stored;
  } cases[] = {
      {"prompt", Pace::Prompt, 200, true},
      {"refused", Pace::Prompt, 404, false},
      {"silent", Pace::Silent, 200, false},
      {"trickle", Pace::Trickle, 200, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int hangUps = server->service.hangUps();
    openUntilThePictureIsAsked(c.pace, c.status);
    if (c.pace == Pace::Prompt) {
      ASSERT_TRUE(waitFor([&] { return screen->hasLoggedIn(); }));
    } else {
      // The window goes on while the picture is awaited: the spinner turns, the login is shown
      // under way, and Post waits for the profile.
      EXPECT_EQ(screen->lblTwitterName()->text(), "Logging in...");
      EXPECT_FALSE(screen->hasLoggedIn());
      EXPECT_FALSE(screen->btnSend()->isEnabled());
      const CGRect spinner = screen_touches::displayRect(*screen->view(), CGRectMake(37, 23, 15, 15));
      const screen_pixels::Pixels before = screen_pixels::grab(backend, spinner);
      backend.advance(250);
      EXPECT_GT(screen_pixels::differing(before, screen_pixels::grab(backend, spinner)), 0.02);
      backend.advance(28000);
      EXPECT_FALSE(screen->hasLoggedIn());
      backend.advance(2000);  // past the login's deadline
      EXPECT_TRUE(waitFor([&] { return server->service.hangUps() == hangUps + 1; }));
    }
    EXPECT_TRUE(screen->hasLoggedIn());
    EXPECT_EQ(screen->lblTwitterName()->text(), "Amina Rahman");
    EXPECT_EQ(shownAlert(), nullptr);
    EXPECT_TRUE(screen->btnSend()->isEnabled());
    EXPECT_EQ(pictureShown(), c.stored);
    // Only a whole picture is ever stored.
    EXPECT_EQ(std::filesystem::exists(storedPicture()), c.stored);
    if (c.stored) {
      EXPECT_TRUE(UIImage::imageWithContentsOfFile(storedPicture()));
    }
    if (c.pace == Pace::Silent) docs_screenshot::shoot(backend, "social-picture-late.png");
    closeScreen();
  }
}

TEST_F(ProfilePictureTest, CancelWhileThePictureIsAwaitedClosesAtOnceAndStopsIt) {
  openUntilThePictureIsAsked(FakeSocialService::Pace::Silent);
  EXPECT_FALSE(screen->hasLoggedIn());
  tap(screen->btnCancel());
  EXPECT_EQ(outcome.cancelled, 1);
  EXPECT_TRUE(waitFor([&] { return server->service.hangUps() == 1; }));
  // Nothing comes back later: not even the deadline.
  backend.advance(60000);
  EXPECT_FALSE(screen->hasLoggedIn());
  EXPECT_EQ(shownAlert(), nullptr);
  EXPECT_FALSE(std::filesystem::exists(storedPicture()));
  closeScreen();
}

}  // namespace
