#include "toolkit/controls/TTButtonContent.h"

#include "toolkit/controls/TTButton.h"
#include "toolkit/network/TTURLCache.h"
#include "toolkit/network/TTURLImageResponse.h"
#include "toolkit/network/TTURLRequestQueue.h"

TTButtonContent::~TTButtonContent() {
    // Also catches a request that was sent but never started, which still names this content.
    TTURLRequestQueue::mainQueue().cancelRequestsWithDelegate(this);
}

void TTButtonContent::redrawButton() {
    if (_button) _button->setNeedsDisplay();
}

void TTButtonContent::setImageURL(const std::string& url) {
    if (_image && url == _imageURL) return;
    stopLoading();
    _imageURL = url;
    if (!_imageURL.empty()) {
        reload();
    } else {
        _image = nullptr;
        redrawButton();
    }
}

void TTButtonContent::reload() {
    if (_request || _imageURL.empty()) return;
    if (UIImagePtr cached = TTURLCache::sharedCache().imageForURL(_imageURL)) {
        _image = std::move(cached);
        redrawButton();
        return;
    }
    auto request = TTURLRequest::requestWithURL(_imageURL, this);
    request->setResponse(std::make_shared<TTURLImageResponse>());
    (void)request->send();
}

void TTButtonContent::stopLoading() {
    if (!_request) return;
    TTURLRequestPtr request = _request;
    request->cancel();
    _request = nullptr;
}

void TTButtonContent::requestDidStartLoad(TTURLRequest* request) { _request = request->shared_from_this(); }

void TTButtonContent::requestDidFinishLoad(TTURLRequest* request) {
    auto* response = dynamic_cast<TTURLImageResponse*>(request->response().get());
    _image = response ? response->image() : nullptr;
    redrawButton();
    _request = nullptr;
}

void TTButtonContent::requestDidFailLoadWithError(TTURLRequest*, const NSError&) { _request = nullptr; }

void TTButtonContent::requestDidCancelLoad(TTURLRequest*) { _request = nullptr; }
