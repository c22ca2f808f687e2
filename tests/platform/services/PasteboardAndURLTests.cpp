#include <gtest/gtest.h>

#include "platform/services/URLOpener.h"
#include "platform/services/UIPasteboard.h"
#include "tests/platform/services/ServicesTestSupport.h"

namespace {

struct RecordingClipboard : ClipboardBackend {
  std::vector<std::string> writes;
  bool setText(const std::string& s) override {
    writes.push_back(s);
    return true;
  }
  std::optional<std::string> text() const override {
    return writes.empty() ? std::nullopt : std::optional<std::string>(writes.back());
  }
};

TEST(UIPasteboardTest, TextTypesReachTheClipboardOthersAreRefused) {
  auto& board = UIPasteboard::generalPasteboard();
  auto clip = std::make_shared<RecordingClipboard>();
  board.setBackend(clip);
  EXPECT_TRUE(board.setValue("بِسْمِ اللَّهِ [1:1]", kUTTypeUTF8PlainText));
  EXPECT_EQ(board.string(), "بِسْمِ اللَّهِ [1:1]");
  EXPECT_EQ(board.valueForPasteboardType(kUTTypeUTF8PlainText), board.string());
  EXPECT_FALSE(board.setValue("<png bytes>", "public.png"));
  EXPECT_EQ(clip->writes.size(), 1u);
  board.setString(std::string("ok\xff\xfe", 4));  // broken UTF-8 is repaired, not passed on
  EXPECT_EQ(clip->writes.back(), "ok\xEF\xBF\xBD\xEF\xBF\xBD");
  board.setBackend(nullptr);
  EXPECT_FALSE(board.string().has_value());
}

class URLOpenerTest : public ::testing::Test {
 protected:
  FakeDesktop desktop;
  URLOpener& opener = URLOpener::shared();
  std::vector<std::string> opened;
  void SetUp() override {
    opener.resetForTesting();
    desktop.outputs["xdg-mime"] = "";
    opener.registerSchemeHandler("lumeno", [this](const std::string& url) {
      opened.push_back(url);
      return url.size() > 9;
    });
  }
  void TearDown() override { opener.resetForTesting(); }
};

TEST_F(URLOpenerTest, OwnSchemeStaysInProcess) {
  EXPECT_TRUE(opener.canOpenURL("lumeno://2:255"));
  EXPECT_TRUE(opener.canOpenURL("LUMENO://2:255"));
  EXPECT_TRUE(opener.openURL("lumeno://2:255"));
  EXPECT_FALSE(opener.openURL("lumeno://"));  // the handler's own answer
  EXPECT_EQ(opened, (std::vector<std::string>{"lumeno://2:255", "lumeno://"}));
  EXPECT_TRUE(desktop.calls.empty());
}

TEST_F(URLOpenerTest, OtherSchemesAskTheDesktopOnce) {
  std::map<std::string, std::string> handlers = {{"x-scheme-handler/http", "firefox.desktop\n"},
                                                 {"x-scheme-handler/twitter", "\n"}};
  DesktopCommand::setRunnerForTesting([&](const std::vector<std::string>& argv, bool wait, std::string* out) {
    desktop.calls.push_back({argv, wait});
    if (out && argv.size() == 4) *out = handlers[argv[3]];
    return std::optional<int>(0);
  });
  EXPECT_TRUE(opener.canOpenURL("http://example.test/page"));
  EXPECT_FALSE(opener.canOpenURL("twitter://post?message=test"));
  EXPECT_FALSE(opener.openURL("twitter://post?message=hello"));
  EXPECT_TRUE(opener.openURL("http://example.test/a b"));
  EXPECT_EQ(desktop.count("xdg-mime"), 2u);  // one question per scheme
  ASSERT_EQ(desktop.count("xdg-open"), 1u);
  const auto& launch = desktop.calls.back();
  EXPECT_EQ(launch.argv, (std::vector<std::string>{"xdg-open", "http://example.test/a b"}));
  EXPECT_FALSE(launch.waited);
}

TEST_F(URLOpenerTest, UnsafeOrMalformedLinksRunNothing) {
  desktop.outputs["xdg-mime"] = "handler.desktop";
  for (const std::string url : {"file:///etc/passwd", "javascript:alert(1)", "data:text/html,x",
                                "http://example.test/\nrm -rf", "no scheme here", "-e://x", ""}) {
    SCOPED_TRACE(url);
    EXPECT_FALSE(opener.canOpenURL(url));
    EXPECT_FALSE(opener.openURL(url));
  }
  EXPECT_EQ(desktop.count("xdg-open"), 0u);
}

}  // namespace
