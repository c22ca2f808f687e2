#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/foundation/NSFileManager.h"
#include "platform/services/MFMailComposeViewController.h"
#include "platform/services/MFMessageComposeViewController.h"
#include "platform/services/MailComposeScreen.h"
#include "platform/services/MessageComposeScreen.h"
#include "platform/services/Outbox.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/UIBarButtonView.h"
#include "platform/ui/hosting/UINavigationBar.h"
#include "platform/ui/hosting/UITextField.h"
#include "tests/platform/ui/UITestSupport.h"

namespace {

// Presents the composer as the Parts do and dismisses it on every result.
class Presenter : public UIViewController, public MFMailComposeViewControllerDelegate {
 public:
  std::vector<MFMailComposeResult> results;
  void mailComposeController(MFMailComposeViewController&, MFMailComposeResult r, const NSError*) override {
    results.push_back(r);
    dismissModalViewControllerAnimated(true);
  }
};

class MailComposeScreenTest : public UITest {
 protected:
  std::shared_ptr<Presenter> presenter = std::make_shared<Presenter>();
  std::shared_ptr<MFMailComposeViewController> mail = std::make_shared<MFMailComposeViewController>();
  MailComposeScreen* screen = nullptr;

  void SetUp() override {
    UITest::SetUp();
    UIViewController::installPlatformHooks();
    std::string ignored;
    (void)NSFileManager::defaultManager().removeItemAtPath(Outbox::folder(), &ignored);
    window->setRootViewController(presenter);
    backend.advance(100);
    mail->setMailComposeDelegate(presenter.get());
    mail->setSubject("Check out this app");
    mail->setMessageBody("Assalamualaikum,<br><br>I'm really enjoying using Lumeno:<br><br>"
                         "<a href='https://example.test/app'>Lumeno</a><br><br>salam,<br>", true);
    presenter->presentModalViewController(mail, true);
    backend.advance(500);
    screen = static_cast<MailComposeScreen*>(mail->topViewController());
  }

  void tapView(UIView* v) {
    ASSERT_NE(v, nullptr);
    CGRect r = v->convertRectToView(v->bounds(), nullptr);
    backend.tap(CGPointMake(CGRectGetMidX(r), CGRectGetMidY(r)));
    backend.advance(500);
  }
};

TEST_F(MailComposeScreenTest, ShowsTheMessageAndSendsWhatWasTyped) {
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(screen->title(), "Check out this app");
  EXPECT_EQ(screen->subjectField()->text(), "Check out this app");
  EXPECT_EQ(screen->bodyLabel()->text(),
            "Assalamualaikum,\n\nI'm really enjoying using Lumeno:\n\nLumeno (https://example.test/app)\n\nsalam,\n");
  const char* tmp = std::getenv("LUMENO_TEMP_DIR");
  if (tmp) {
    std::filesystem::create_directories(tmp);
    EXPECT_TRUE(backend.screenshot(std::string(tmp) + "/mail-compose.png"));
  }

  screen->toField()->setText("friend@example.test, other@example.test");
  tapView(mail->navigationBar()->rightButton());
  ASSERT_EQ(presenter->results, (std::vector<MFMailComposeResult>{MFMailComposeResultSent}));
  EXPECT_EQ(presenter->modalViewController(), nullptr);
  std::ifstream in(mail->writtenPath(), std::ios::binary);
  std::string raw{std::istreambuf_iterator<char>(in), {}};
  EXPECT_NE(raw.find("\r\nTo: friend@example.test, other@example.test\r\n"), std::string::npos);
  EXPECT_NE(raw.find("\r\nSubject: Check out this app\r\n"), std::string::npos);
}

TEST_F(MailComposeScreenTest, CancelAsksThenSavesOrDeletesTheDraft) {
  tapView(mail->navigationBar()->leftButton());
  UIActionSheet* sheet = screen->cancelSheet();
  ASSERT_NE(sheet, nullptr);
  ASSERT_TRUE(sheet->isVisible());
  EXPECT_EQ(sheet->buttonTitleAtIndex(1), "Save Draft");
  tapView(sheet->buttonAtIndex(1));
  ASSERT_EQ(presenter->results, (std::vector<MFMailComposeResult>{MFMailComposeResultSaved}));
  EXPECT_EQ(mail->writtenPath().rfind(Outbox::draftsFolder(), 0), 0u);

  auto second = std::make_shared<MFMailComposeViewController>();
  second->setMailComposeDelegate(presenter.get());
  presenter->presentModalViewController(second, false);
  backend.advance(100);
  tapView(second->navigationBar()->leftButton());
  auto* secondScreen = static_cast<MailComposeScreen*>(second->topViewController());
  tapView(secondScreen->cancelSheet()->buttonAtIndex(0));  // "Delete Draft"
  EXPECT_EQ(presenter->results.back(), MFMailComposeResultCancelled);
  EXPECT_TRUE(second->writtenPath().empty());
}

TEST_F(MailComposeScreenTest, MessageComposerSendsToTheTypedNumber) {
  presenter->dismissModalViewControllerAnimated(false);
  backend.advance(100);
  struct : MFMessageComposeViewControllerDelegate {
    std::vector<MessageComposeResult> results;
    void messageComposeViewController(MFMessageComposeViewController& c, MessageComposeResult r) override {
      results.push_back(r);
      c.dismissModalViewControllerAnimated(false);
    }
  } delegate;
  auto sms = std::make_shared<MFMessageComposeViewController>();
  sms->setMessageComposeDelegate(&delegate);
  sms->setBody("In the name of God [1:1]");
  presenter->presentModalViewController(sms, true);
  backend.advance(500);
  auto* smsScreen = static_cast<MessageComposeScreen*>(sms->topViewController());
  EXPECT_EQ(smsScreen->bodyLabel()->text(), "In the name of God [1:1]");
  smsScreen->toField()->setText("555 0100");
  tapView(sms->navigationBar()->rightButton());
  ASSERT_EQ(delegate.results, (std::vector<MessageComposeResult>{MessageComposeResultSent}));
  std::ifstream in(sms->writtenPath(), std::ios::binary);
  std::string raw{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(raw, "To: 555 0100\n\nIn the name of God [1:1]\n");
  EXPECT_EQ(presenter->modalViewController(), nullptr);
}

}  // namespace
