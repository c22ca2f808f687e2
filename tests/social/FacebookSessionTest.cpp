// The session: logins completed by the callback link and through the web dialog against the
// local stand-in service, the token's expiry, the standard parameters and logout.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/net/NSHTTPCookieStorage.h"
#include "platform/ui/UIButton.h"
#include "social/FBLoginDialog.h"
#include "tests/platform/ui/UITestSupport.h"
#include "tests/support/FakeSocialServer.h"

namespace {

struct SessionRecorder : FBSessionDelegate {
  std::vector<std::string> calls;
  void fbDidLogin() override { calls.push_back("login"); }
  void fbDidNotLogin(bool cancelled) override { calls.push_back(cancelled ? "cancelled" : "failed"); }
  void fbDidLogout() override { calls.push_back("logout"); }
};

class FacebookSessionTest : public UITest {
 protected:
  void SetUp() override {
    UITest::SetUp();
    RunLoop::main().setWallClock(1.8e9);
  }

  // Starts a login: with no other app or browser to take it, the dialog shows the login page.
  FBLoginDialog* loginThroughDialog(Facebook& session) {
    session.authorize({"publish_stream"}, &recorder);
    FBLoginDialog* dialog = session.loginDialog();
    if (!dialog) return nullptr;
    const bool loaded = RunLoop::main().runUntil(
        [&] { return !dialog->webView()->isLoading() && !dialog->webView()->document().blocks.empty(); }, 10);
    return loaded ? dialog : nullptr;
  }

  static std::string linkNamed(FBDialog& dialog, const std::string& name) {
    for (const HTMLBlock& block : dialog.webView()->document().blocks)
      if (block.kind == HTMLBlock::Kind::Link && block.text == name) return block.href;
    return {};
  }

  SessionRecorder recorder;
};

TEST_F(FacebookSessionTest, CallbackLinksCompleteOrRefuseTheLogin) {
  struct Case {
    std::string url;
    bool handled;
    std::string call;           // what the delegate hears, "" for nothing
    double validFor;            // seconds; -1 when no session; 1e9 for "does not expire"
  } cases[] = {
      {"fblumeno://authorize#access_token=T1&expires_in=0", true, "login", 1e9},
      {"fblumeno://authorize#access_token=T1&expires_in=3600", true, "login", 3600},
      {"fblumeno://authorize?access_token=T%2B1&expires_in=3600", true, "login", 3600},
      {"fblumeno://authorize#access_token=T1", true, "login", 1e9},
      {"FBLumeno://authorize#access_token=T1", true, "login", 1e9},  // the scheme is case-insensitive
      {"fblumeno://authorize#error=access_denied", true, "cancelled", -1},
      {"fblumeno://authorize#error=access_denied&error_code=200", true, "failed", -1},
      {"fblumeno://authorize#error_reason=user_denied", true, "cancelled", -1},
      {"fblumeno://authorize#novalue&error", true, "cancelled", -1},
      {"fbother://authorize#access_token=T1", false, "", -1},
      {"lumeno://2:255", false, "", -1},
  };
  for (const Case& c : cases) {
    auto session = std::make_unique<Facebook>("lumeno", FBEndpoints::onServer("http://127.0.0.1:9"));
    SessionRecorder r;
    session->setSessionDelegate(&r);
    EXPECT_EQ(session->handleOpenURL(c.url), c.handled) << c.url;
    EXPECT_EQ(r.calls, c.call.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.call}) << c.url;
    EXPECT_EQ(session->isSessionValid(), c.validFor > 0) << c.url;
    if (c.validFor > 0) {
      EXPECT_NEAR(session->expirationDate()->timeIntervalSinceNow(), std::min(c.validFor, 3e9), c.validFor > 1e8 ? 1e12 : 1)
          << c.url;
      EXPECT_GT(session->expirationDate()->timeIntervalSinceNow(), c.validFor - 1) << c.url;
    }
  }
  Facebook session("lumeno", FBEndpoints::onServer("http://127.0.0.1:9"));
  session.handleOpenURL("fblumeno://authorize?access_token=T%2B1&expires_in=3600");
  EXPECT_EQ(session.accessToken(), "T+1");
}

TEST_F(FacebookSessionTest, ParsedLinkParametersSkipPairsWithoutValuesAndKeepEqualsSigns) {
  EXPECT_EQ(Facebook::parseURLParams("a=1&bare&b=x=y&c=%E2%9C%93&&d="),
            (std::map<std::string, std::string>{{"a", "1"}, {"b", "x=y"}, {"c", "\xE2\x9C\x93"}, {"d", ""}}));
  EXPECT_EQ(FBDialog::getStringFromUrl("fbconnect://success#xaccess_token=1&access_token=2", "access_token"), "2");
  EXPECT_EQ(FBDialog::getStringFromUrl("fbconnect://success#xaccess_token=1", "access_token"), std::nullopt);
}

TEST_F(FacebookSessionTest, TheTokenExpiresWithTheClockAndGoesOnlyIntoRequestsWhileValid) {
  FakeSocialServer server;
  auto session = server.makeSession();
  session->setSessionDelegate(&recorder);
  FBParams before;
  auto request = session->requestWithGraphPath("me", before, nullptr);
  EXPECT_EQ(request->params().text("access_token"), nullptr);
  EXPECT_EQ(*request->params().text("format"), "json");
  EXPECT_EQ(*request->params().text("sdk"), "ios");
  EXPECT_EQ(*request->params().text("sdk_version"), "2");

  session->handleOpenURL("fblumeno://authorize#access_token=T1&expires_in=60");
  FBParams during;
  EXPECT_EQ(*session->requestWithGraphPath("me", during, nullptr)->params().text("access_token"), "T1");
  RunLoop::main().setWallClock(1.8e9 + 61);
  EXPECT_FALSE(session->isSessionValid());
  FBParams after;
  EXPECT_EQ(session->requestWithGraphPath("me", after, nullptr)->params().text("access_token"), nullptr);

  FBParams noMethod;
  EXPECT_EQ(session->requestWithParams(noMethod, nullptr), nullptr);
}

TEST_F(FacebookSessionTest, TheDialogLoginStoresTheTokenFromTheService) {
  FakeSocialServer server;
  auto session = server.makeSession();
  FBLoginDialog* dialog = loginThroughDialog(*session);
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(dialog->isShowing());
  EXPECT_EQ(dialog->title(), "Log in");
  // The page was asked for with the login parameters.
  const auto received = server.service.received();
  ASSERT_FALSE(received.empty());
  EXPECT_EQ(received[0].path, "/dialog/oauth");
  EXPECT_EQ(received[0].query,
            "client_id=lumeno&type=user_agent&redirect_uri=fbconnect%3A%2F%2Fsuccess&display=touch&sdk=2&scope=publish_stream");

  dialog->webView()->followLink(linkNamed(*dialog, "Allow"));
  RunLoop::main().advance(1000);
  EXPECT_EQ(recorder.calls, std::vector<std::string>{"login"});
  EXPECT_TRUE(session->isSessionValid());
  EXPECT_EQ(session->accessToken(), FakeSocialService::kToken);
  EXPECT_NEAR(session->expirationDate()->timeIntervalSinceNow(), 3600, 1);
  EXPECT_FALSE(dialog->isShowing());
}

TEST_F(FacebookSessionTest, ADialogLoginWithoutLifetimeGivesAUsableSession) {
  FakeSocialService::Switches switches;
  switches.expiresIn.reset();
  FakeSocialServer server(switches);
  auto session = server.makeSession();
  FBLoginDialog* dialog = loginThroughDialog(*session);
  ASSERT_TRUE(dialog);
  dialog->webView()->followLink(linkNamed(*dialog, "Allow"));
  EXPECT_EQ(recorder.calls, std::vector<std::string>{"login"});
  EXPECT_TRUE(session->isSessionValid());
}

TEST_F(FacebookSessionTest, CancellingOrFailingTheDialogLoginIsReportedAndLeavesNoSession) {
  FakeSocialServer server;
  struct Outcome {
    std::string action;  // a link of the page, a server cancel, or the close button
    std::string call;
  } outcomes[] = {{"Cancel", "cancelled"},
                  {"fbconnect://cancel?error_code=190&error_msg=Denied", "failed"},
                  {"fbconnect://success", "cancelled"},
                  {"close", "cancelled"}};
  for (const Outcome& o : outcomes) {
    auto session = server.makeSession();
    recorder.calls.clear();
    FBLoginDialog* dialog = loginThroughDialog(*session);
    ASSERT_TRUE(dialog);
    if (o.action == "close") dialog->closeButton()->sendActionsForControlEvents(UIControlEventTouchUpInside);
    else dialog->webView()->followLink(o.action == "Cancel" ? linkNamed(*dialog, "Cancel") : o.action);
    RunLoop::main().advance(1000);
    EXPECT_EQ(recorder.calls, std::vector<std::string>{o.call}) << o.action;
    EXPECT_FALSE(session->isSessionValid()) << o.action;
    EXPECT_FALSE(dialog->isShowing()) << o.action;
  }

  // The service cannot be reached: the page fails and the login with it.
  const FBEndpoints gone = server.endpoints();
  server.service.stop();
  Facebook session("lumeno", gone);
  recorder.calls.clear();
  session.authorize({}, &recorder);
  ASSERT_TRUE(RunLoop::main().runUntil([&] { return !recorder.calls.empty(); }, 10));
  EXPECT_EQ(recorder.calls, std::vector<std::string>{"failed"});
}

TEST_F(FacebookSessionTest, ADelegateThatResignsHearsNothingMore) {
  FakeSocialServer server;
  auto session = server.makeSession();
  {
    SessionRecorder shortLived;
    session->authorize({}, &shortLived);
    session->resignSessionDelegate(&shortLived);
  }
  // The login completes after the delegate went away: nothing is sent to it.
  EXPECT_TRUE(session->handleOpenURL("fblumeno://authorize#access_token=T1"));
  EXPECT_TRUE(session->isSessionValid());
}

TEST_F(FacebookSessionTest, LogoutExpiresTheSessionAndDeletesTheLoginCookies) {
  FakeSocialServer server;
  auto session = server.makeSession();
  NSHTTPCookieStorage& cookies = NSHTTPCookieStorage::sharedHTTPCookieStorage();
  cookies.deleteAllCookies();
  cookies.storeSetCookieHeaders({"login=1; Path=/"}, server.service.origin() + "/dialog/oauth");
  ASSERT_EQ(cookies.cookies().size(), 1u);
  session->handleOpenURL("fblumeno://authorize#access_token=T1");
  session->logout(&recorder);
  EXPECT_FALSE(session->isSessionValid());
  EXPECT_TRUE(cookies.cookies().empty());
  EXPECT_EQ(recorder.calls, std::vector<std::string>{"logout"});
  ASSERT_TRUE(RunLoop::main().runUntil([&] { return !server.service.received().empty(); }, 10));
  EXPECT_EQ(server.service.received()[0].path, "/method/auth.expireSession");
  EXPECT_NE(server.service.received()[0].query.find("access_token=T1"), std::string::npos);
}

}  // namespace
