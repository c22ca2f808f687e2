#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/foundation/StringUtils.h"
#include "platform/services/UIWebView.h"
#include "platform/ui/UILabel.h"
#include "tests/platform/net/LoopbackHTTPServer.h"
#include "tests/platform/ui/UITestSupport.h"

namespace {

TEST(SimpleHTMLDocumentTest, ReadsTitleBlocksLinksAndDirection) {
  auto doc = SimpleHTMLDocument::parse(
      "<html><head><title>Ghunna &amp; more</title><style>p{color:red}</style></head><body>"
      "<h1>Ghunna</h1><p>A nasal   sound,\n held two counts &#8212; see <a href='/rules#2'>the rules</a>.</p>"
      "<script>document.write('<p>never</p>')</script><div dir='rtl'>بِسْمِ اللَّهِ</div>"
      "<img src='x.png' alt='diagram'><hr><p>unclosed <b>bold");
  EXPECT_EQ(doc.title, "Ghunna & more");
  struct Expected {
    HTMLBlock::Kind kind;
    const char* text;
    const char* href;
    bool rtl;
  } expected[] = {
      {HTMLBlock::Kind::Heading1, "Ghunna", "", false},
      {HTMLBlock::Kind::Paragraph, "A nasal sound, held two counts \u2014 see", "", false},
      {HTMLBlock::Kind::Link, "the rules", "/rules#2", false},
      {HTMLBlock::Kind::Paragraph, ".", "", false},
      {HTMLBlock::Kind::Paragraph, "بِسْمِ اللَّهِ", "", true},
      {HTMLBlock::Kind::Image, "[diagram]", "x.png", false},
      {HTMLBlock::Kind::Rule, "", "", false},
      {HTMLBlock::Kind::Paragraph, "unclosed bold", "", false},
  };
  ASSERT_EQ(doc.blocks.size(), std::size(expected));
  for (size_t i = 0; i < doc.blocks.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(doc.blocks[i].kind, expected[i].kind);
    EXPECT_EQ(doc.blocks[i].text, expected[i].text);
    EXPECT_EQ(doc.blocks[i].href, expected[i].href);
    EXPECT_EQ(doc.blocks[i].rightToLeft, expected[i].rtl);
  }
  EXPECT_EQ(SimpleHTMLDocument::decodeEntities("&#x41;&#0;&bogus;&"), "A\xEF\xBF\xBD&bogus;&");
}

TEST(SimpleHTMLDocumentTest, ResolvesLinksAgainstThePage) {
  const std::string base = "http://h.test:8080/help/page.html?x=1";
  struct Case {
    const char* href;
    const char* url;
  } cases[] = {{"https://other.test/a", "https://other.test/a"},
               {"fbconnect://success", "fbconnect://success"},
               {"/top", "http://h.test:8080/top"},
               {"next.html", "http://h.test:8080/help/next.html"},
               {"#part", "http://h.test:8080/help/page.html?x=1#part"},
               {"//cdn.test/i.png", "http://cdn.test/i.png"}};
  for (const auto& c : cases) EXPECT_EQ(SimpleHTMLDocument::resolve(c.href, base), c.url) << c.href;
}

struct WebRecorder : UIWebViewDelegate {
  std::vector<std::string> calls;
  std::vector<std::string> refuse;  // URLs prefixes answered NO
  NSError error;
  bool webViewShouldStartLoadWithRequest(UIWebView*, const NSURLRequest& r, UIWebViewNavigationType t) override {
    calls.push_back("should " + std::to_string(t) + " " + r.URL());
    for (const auto& p : refuse)
      if (r.URL().rfind(p, 0) == 0) return false;
    return true;
  }
  void webViewDidStartLoad(UIWebView*) override { calls.push_back("start"); }
  void webViewDidFinishLoad(UIWebView*) override { calls.push_back("finish"); }
  void webViewDidFailLoadWithError(UIWebView*, const NSError& e) override {
    calls.push_back("fail " + e.domain + " " + std::to_string(e.code));
    error = e;
  }
  bool ended() const {
    return !calls.empty() && (calls.back() == "finish" || calls.back().rfind("fail", 0) == 0);
  }
};

class WebViewTest : public UITest {
 protected:
  LoopbackHTTPServer server;
  WebRecorder recorder;
  std::shared_ptr<UIWebView> web;

  void SetUp() override {
    UITest::SetUp();
    server.route("/first", [](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
      r.send(LoopbackHTTPServer::response(
          200, "OK",
          "<html><head><title>First page</title></head><body><h2>Stop signs</h2>"
          "<p>Signs over the text tell where a reader may pause.</p><a href='second'>More signs</a>"
          "<div dir='rtl'>صلے</div><a href='fbconnect://success'>Done</a></body></html>",
          "Content-Type: text/html; charset=utf-8\r\n"));
    });
    server.route("/second", [](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
      r.send(LoopbackHTTPServer::response(200, "OK", "<title>Second</title><p>two</p>", "Content-Type: text/html\r\n"));
    });
    server.route("/dialog", [](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
      r.send(LoopbackHTTPServer::response(302, "Found", "", "Location: fbconnect://success#access_token=T\r\n"));
    });
    web = std::make_shared<UIWebView>(CGRectMake(0, 0, 320, 460));
    web->setDelegate(&recorder);
    window->addSubview(web);
  }
  void TearDown() override {
    web->setDelegate(nullptr);
    web.reset();
    server.stop();
    UITest::TearDown();
  }
  void waitForLoad() {
    ASSERT_TRUE(RunLoop::main().runUntil([this] { return recorder.ended(); }, 5));
    backend.advance(50);
  }
  void tapBlock(size_t index) {
    UIView* v = web->viewForBlock(index);
    ASSERT_NE(v, nullptr);
    CGRect r = v->convertRectToView(v->bounds(), nullptr);
    recorder.calls.clear();
    backend.tap(CGPointMake(CGRectGetMinX(r) + 10, CGRectGetMidY(r)));
  }
};

TEST_F(WebViewTest, LoadsAPageFollowsLinksAndGoesBack) {
  web->loadRequest(NSURLRequest(server.url("/first")));
  waitForLoad();
  EXPECT_EQ(recorder.calls, (std::vector<std::string>{"should 5 " + server.url("/first"), "start", "finish"}));
  EXPECT_EQ(web->stringByEvaluatingJavaScriptFromString("document.title"), "First page");
  ASSERT_EQ(web->document().blocks.size(), 5u);
  const char* tmp = std::getenv("LUMENO_TEMP_DIR");
  if (tmp) {
    std::filesystem::create_directories(tmp);
    EXPECT_TRUE(backend.screenshot(std::string(tmp) + "/web-view.png"));
  }

  tapBlock(2);  // "More signs"
  waitForLoad();
  EXPECT_EQ(recorder.calls.front(), "should 0 " + server.url("/second"));
  EXPECT_EQ(web->request().URL(), server.url("/second"));
  EXPECT_EQ(web->stringByEvaluatingJavaScriptFromString("document.title;"), "Second");
  EXPECT_TRUE(web->canGoBack());
  EXPECT_FALSE(web->canGoForward());

  recorder.calls.clear();
  web->goBack();
  waitForLoad();
  EXPECT_EQ(recorder.calls.front(), "should 2 " + server.url("/first"));
  EXPECT_EQ(web->document().title, "First page");
  EXPECT_FALSE(web->canGoBack());
  EXPECT_TRUE(web->canGoForward());
}

TEST_F(WebViewTest, OwnSchemeLinksAndRedirectsAreNeverLoaded) {
  recorder.refuse = {"fbconnect:"};
  web->loadRequest(NSURLRequest(server.url("/dialog")));
  waitForLoad();
  EXPECT_EQ(recorder.calls, (std::vector<std::string>{"should 5 " + server.url("/dialog"), "start",
                                                      "should 5 fbconnect://success#access_token=T",
                                                      "fail WebKitErrorDomain 102"}));

  recorder.refuse.clear();
  recorder.calls.clear();
  web->loadRequest(NSURLRequest(server.url("/first")));
  waitForLoad();
  tapBlock(4);  // "Done": allowed by the delegate, but a web view cannot show it
  ASSERT_TRUE(RunLoop::main().runUntil([this] { return recorder.ended(); }, 5));
  EXPECT_EQ(recorder.calls.front(), "should 0 fbconnect://success");
  EXPECT_EQ(recorder.calls.back(), "fail WebKitErrorDomain 101");
  EXPECT_EQ(web->document().title, "First page");  // the page stays
  EXPECT_EQ(web->request().URL(), server.url("/first"));
}

TEST_F(WebViewTest, LocalFilesLoadByEscapedPathButNotFromARemotePage) {
  const std::filesystem::path dir = std::filesystem::path(std::getenv("LUMENO_TEMP_DIR")) / "web pages";
  std::filesystem::create_directories(dir);
  {
    std::ofstream(dir / "a.html") << "<title>Local A</title><a href='b.html'>B</a>";
    std::ofstream(dir / "b.html") << "<title>Local B</title>";
  }
  const std::string fileURL = "file://" + str::percentEscape((dir / "a.html").string());
  web->loadRequest(NSURLRequest(fileURL));
  waitForLoad();
  EXPECT_EQ(web->document().title, "Local A");
  recorder.calls.clear();
  web->followLink("b.html");
  waitForLoad();
  EXPECT_EQ(web->document().title, "Local B");

  server.route("/lure", [fileURL](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
    r.send(LoopbackHTTPServer::response(200, "OK", "<title>Lure</title><a href='" + fileURL + "'>x</a>",
                                        "Content-Type: text/html\r\n"));
  });
  recorder.calls.clear();
  web->loadRequest(NSURLRequest(server.url("/lure")));
  waitForLoad();
  recorder.calls.clear();
  web->followLink(fileURL);
  backend.runUntilIdle();
  EXPECT_TRUE(recorder.calls.empty());
  EXPECT_EQ(web->document().title, "Lure");
}

TEST_F(WebViewTest, FailedLoadsLeaveThePageItsAddressAndItsPlaceInHistory) {
  web->loadRequest(NSURLRequest(server.url("/first")));
  waitForLoad();
  tapBlock(2);
  waitForLoad();
  server.stop();
  recorder.calls.clear();
  web->goBack();
  waitForLoad();
  EXPECT_EQ(recorder.calls.back().rfind("fail", 0), 0u);
  EXPECT_EQ(web->document().title, "Second");
  EXPECT_EQ(web->request().URL(), server.url("/second"));
  EXPECT_TRUE(web->canGoBack());
  EXPECT_FALSE(web->canGoForward());
}

TEST_F(WebViewTest, HtmlStringsLoadLikePages) {
  web->loadHTMLString("<title>Tajweed</title><p>Idgham merges the sound into the next letter.</p>", "");
  EXPECT_TRUE(recorder.calls.empty());  // delivered on a later turn, as a load is
  backend.runUntilIdle();
  EXPECT_EQ(recorder.calls, (std::vector<std::string>{"start", "finish"}));
  auto* label = dynamic_cast<UILabel*>(web->viewForBlock(0));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), "Idgham merges the sound into the next letter.");
  EXPECT_EQ(web->request().URL(), "about:blank");
}

}  // namespace
