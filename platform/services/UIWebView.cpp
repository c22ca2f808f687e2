#include "platform/services/UIWebView.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/StringUtils.h"
#include "platform/graphics/UIColor.h"
#include "platform/net/URLParts.h"
#include "platform/services/URLOpener.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UITouch.h"
#include "platform/ui/hosting/UIScrollView.h"

namespace {
constexpr size_t kMaxPageBytes = 8u << 20;  // pages larger than this are refused
constexpr double kMargin = 8;
constexpr double kSpacing = 8;

// A block of text; a link block follows its address when tapped.
class WebBlockLabel : public UILabel {
 public:
  WebBlockLabel(UIWebView* owner, std::string href) : owner_(owner), href_(std::move(href)) {
    setUserInteractionEnabled(!href_.empty());
  }
  void touchesEnded(const UITouchSet& touches, UIEvent* event) override {
    for (UITouch* t : touches) {
      if (pointInside(t->locationInView(this), event)) {
        owner_->followLink(href_);
        return;
      }
    }
  }

 private:
  UIWebView* owner_;  // unretained: the web view owns this label
  std::string href_;
};

std::string plainTextAsHTML(const std::string& text) {
  std::string out = "<html><body>";
  for (const auto& line : str::split(text, "\n")) out += "<p>" + str::xmlEscape(line) + "</p>";
  return out + "</body></html>";
}

bool isPageType(const std::string& mime) {
  return mime.empty() || mime == "text/html" || mime == "application/xhtml+xml" || mime == "text/plain";
}
}  // namespace

UIWebView::UIWebView(CGRect frame) : UIView(frame) {
  setBackgroundColor(UIColor::whiteColor());
  scroll_ = std::make_shared<UIScrollView>(bounds());
  scroll_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  addSubview(scroll_);
}

UIWebView::~UIWebView() {
  *alive_ = false;
  if (connection_) connection_->cancel();
}

UIView* UIWebView::viewForBlock(size_t index) const {
  return index < blockViews_.size() ? blockViews_[index].get() : nullptr;
}

void UIWebView::loadRequest(const NSURLRequest& request) { load(request, UIWebViewNavigationTypeOther, true); }

void UIWebView::followLink(const std::string& href) {
  std::string url = SimpleHTMLDocument::resolve(href, request_.URL());
  // As browsers do, only a local page may lead to local files.
  URLParts target, page;
  if (URLParts::parse(url, target) && target.scheme == "file" &&
      !(URLParts::parse(request_.URL(), page) && page.scheme == "file")) {
    NSLog("refused a link from %@ to a local file", request_.URL());
    return;
  }
  load(NSURLRequest(url), UIWebViewNavigationTypeLinkClicked, true);
}

void UIWebView::reload() {
  if (!request_.URL().empty()) load(request_, UIWebViewNavigationTypeReload, false);
}

void UIWebView::goBack() {
  if (!canGoBack()) return;
  load(history_[static_cast<size_t>(historyIndex_ - 1)], UIWebViewNavigationTypeBackForward, false, historyIndex_ - 1);
}

void UIWebView::goForward() {
  if (!canGoForward()) return;
  load(history_[static_cast<size_t>(historyIndex_ + 1)], UIWebViewNavigationTypeBackForward, false, historyIndex_ + 1);
}

void UIWebView::stopLoading() {
  if (!connection_) return;
  connection_->cancel();
  connection_.reset();
  finishWith(NSError::urlError(NSURLErrorCancelled));
}

void UIWebView::load(const NSURLRequest& request, UIWebViewNavigationType type, bool recordHistory, int historyIndex) {
  if (delegate_ && !delegate_->webViewShouldStartLoadWithRequest(this, request, type)) return;
  if (connection_) stopLoading();
  request_ = request;
  recordHistory_ = recordHistory;
  pendingHistoryIndex_ = historyIndex;
  interrupted_ = false;
  URLParts parts;
  std::string scheme = URLParts::parse(request.URL(), parts) ? parts.scheme : std::string();
  if (scheme == "http" || scheme == "https") {
    body_.clear();
    response_ = NSHTTPURLResponse();
    connection_ = NSURLConnection::connectionWithRequest(request, this);
    if (delegate_) delegate_->webViewDidStartLoad(this);
    return;
  }
  // Everything else completes on a later turn of the loop, as a network load would.
  std::weak_ptr<bool> alive = alive_;
  RunLoop::main().post([this, alive, scheme, url = request.URL(), path = parts.path] {
    if (alive.expired()) return;
    if (delegate_) delegate_->webViewDidStartLoad(this);
    if (scheme == "about") {
      show("", url);
      finishWith(std::nullopt);
    } else if (scheme == "file") {
      auto bytes = NSFileManager::defaultManager().contentsAtPath(str::percentUnescape(path).value_or(path));
      if (!bytes) {
        finishWith(NSError(NSURLErrorDomain, -1100, "The requested URL was not found on this server."));
        return;
      }
      std::string text(bytes->begin(), bytes->end());
      show(str::hasSuffix(path, ".txt") ? plainTextAsHTML(text) : text, url);
      finishWith(std::nullopt);
    } else {
      finishWith(NSError(WebKitErrorDomain, WebKitErrorCannotShowURL, "The URL can't be shown"));
    }
  });
}

void UIWebView::loadHTMLString(const std::string& html, const std::string& baseURL) {
  if (connection_) stopLoading();
  request_ = NSURLRequest(baseURL.empty() ? "about:blank" : baseURL);
  std::weak_ptr<bool> alive = alive_;
  RunLoop::main().post([this, alive, html, url = request_.URL()] {
    if (alive.expired()) return;
    if (delegate_) delegate_->webViewDidStartLoad(this);
    recordHistory_ = false;
    pendingHistoryIndex_ = -1;
    show(html, url);
    finishWith(std::nullopt);
  });
}

void UIWebView::show(const std::string& html, const std::string& url) {
  document_ = SimpleHTMLDocument::parse(str::sanitizeUtf8(html));
  if (recordHistory_) {
    history_.resize(static_cast<size_t>(historyIndex_ + 1));
    history_.push_back(NSURLRequest(url));
    historyIndex_ = static_cast<int>(history_.size()) - 1;
  } else if (pendingHistoryIndex_ >= 0) {
    historyIndex_ = pendingHistoryIndex_;
  }
  pendingHistoryIndex_ = -1;
  if (request_.URL() != url) request_ = NSURLRequest(url);  // where a redirect ended
  shown_ = request_;
  rebuild();
}

void UIWebView::rebuild() {
  for (auto& v : blockViews_) v->removeFromSuperview();
  blockViews_.clear();
  for (const auto& block : document_.blocks) {
    if (block.kind == HTMLBlock::Kind::Rule) {
      auto rule = std::make_shared<UIView>(CGRectZero);
      rule->setBackgroundColor(UIColor::lightGrayColor());
      blockViews_.push_back(rule);
      scroll_->addSubview(rule);
      continue;
    }
    auto label = std::make_shared<WebBlockLabel>(this, block.kind == HTMLBlock::Kind::Link ? block.href : "");
    label->setText(block.text);
    label->setNumberOfLines(0);
    label->setLineBreakMode(UILineBreakModeWordWrap);
    label->setBackgroundColor(UIColor::clearColor());
    switch (block.kind) {
      case HTMLBlock::Kind::Heading1: label->setFont(UIFont::boldSystemFontOfSize(22)); break;
      case HTMLBlock::Kind::Heading2: label->setFont(UIFont::boldSystemFontOfSize(19)); break;
      case HTMLBlock::Kind::Heading3: label->setFont(UIFont::boldSystemFontOfSize(17)); break;
      case HTMLBlock::Kind::Link:
        label->setFont(UIFont::systemFontOfSize(15));
        label->setTextColor(UIColor::colorWithRed(0.1, 0.3, 0.8, 1));
        break;
      case HTMLBlock::Kind::Image:
        label->setFont(UIFont::italicSystemFontOfSize(13));
        label->setTextColor(UIColor::grayColor());
        break;
      default: label->setFont(UIFont::systemFontOfSize(15)); break;
    }
    if (block.rightToLeft) label->setTextAlignment(UITextAlignmentRight);
    blockViews_.push_back(label);
    scroll_->addSubview(label);
  }
  scroll_->setContentOffset(CGPointMake(0, 0));
  layoutSubviews();
}

void UIWebView::setTopInset(double inset) {
  topInset_ = inset;
  layoutSubviews();
}

void UIWebView::layoutSubviews() {
  double width = bounds().size.width - 2 * kMargin;
  double y = topInset_ + kMargin;
  for (auto& v : blockViews_) {
    double h = 1;
    if (auto* label = dynamic_cast<UILabel*>(v.get())) h = label->sizeThatFits(CGSizeMake(width, 1e6)).height;
    v->setFrame(CGRectMake(kMargin, y, width, h));
    y += h + kSpacing;
  }
  scroll_->setContentSize(CGSizeMake(bounds().size.width, y));
}

std::string UIWebView::stringByEvaluatingJavaScriptFromString(const std::string& script) const {
  std::string s = str::trim(script);
  if (!s.empty() && s.back() == ';') s.pop_back();
  if (s == "document.title") return document_.title;
  return {};
}

void UIWebView::finishWith(const std::optional<NSError>& error) {
  if (error) {
    request_ = shown_;
    pendingHistoryIndex_ = -1;
  }
  if (!delegate_) return;
  if (error) delegate_->webViewDidFailLoadWithError(this, *error);
  else delegate_->webViewDidFinishLoad(this);
}

void UIWebView::connectionDidReceiveResponse(NSURLConnection&, const NSHTTPURLResponse& response) {
  response_ = response;
}

void UIWebView::connectionDidReceiveData(NSURLConnection& connection, const std::vector<uint8_t>& data) {
  if (body_.size() + data.size() > kMaxPageBytes) {
    connection.cancel();
    connection_.reset();
    finishWith(NSError::urlError(-1103, "the page is too large"));
    return;
  }
  body_.append(data.begin(), data.end());
}

std::optional<NSURLRequest> UIWebView::connectionWillSendRequest(NSURLConnection&, const NSURLRequest& request,
                                                                 const NSHTTPURLResponse&) {
  if (delegate_ && !delegate_->webViewShouldStartLoadWithRequest(this, request, UIWebViewNavigationTypeOther)) {
    interrupted_ = true;
    return std::nullopt;
  }
  return request;  // an own scheme the viewer cannot show: the load fails
}

void UIWebView::connectionDidFinishLoading(NSURLConnection&) {
  connection_.reset();
  if (interrupted_) {
    finishWith(NSError(WebKitErrorDomain, WebKitErrorFrameLoadInterruptedByPolicyChange, "Frame load interrupted"));
    return;
  }
  std::string url = response_.URL().empty() ? request_.URL() : response_.URL();
  std::string mime = response_.MIMEType();
  if (!isPageType(mime)) {
    // Not a page the viewer can show: the desktop's browser takes it.
    bool opened = URLOpener::shared().openURL(url);
    show(opened ? "<p>The page was opened in your browser.</p>" : "<p>This page cannot be shown.</p>", url);
  } else {
    show(mime == "text/plain" ? plainTextAsHTML(body_) : body_, url);
  }
  body_.clear();
  finishWith(std::nullopt);
}

void UIWebView::connectionDidFailWithError(NSURLConnection&, const NSError& error) {
  connection_.reset();
  body_.clear();
  if (error.domain == NSURLErrorDomain && error.code == NSURLErrorUnsupportedURL)
    finishWith(NSError(WebKitErrorDomain, WebKitErrorCannotShowURL, "The URL can't be shown"));
  else
    finishWith(error);
}
