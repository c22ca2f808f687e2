#include "toolkit/controls/TTImageView.h"

#include <cmath>

#include "platform/graphics/CGContext.h"
#include "toolkit/foundation/UIImage+TTCategory.h"
#include "toolkit/network/TTURLCache.h"
#include "toolkit/network/TTURLImageResponse.h"
#include "toolkit/network/TTURLRequestQueue.h"
#include "toolkit/style/TTStructuralStyles.h"

TTImageView::TTImageView(CGRect frame) : TTView(frame) {}

TTImageView::~TTImageView() {
    _delegate = nullptr;
    // Also catches a request sent but not yet started, which still names this view.
    TTURLRequestQueue::mainQueue().cancelRequestsWithDelegate(static_cast<TTURLRequestDelegate*>(this));
}

void TTImageView::updateLayer() {
    // Without a style the layer shows the image as it is; with one, drawRect draws it.
    layer().setContents(style() ? nullptr : _image);
    setNeedsDisplay();
}

void TTImageView::setStyle(TTStylePtr style) {
    if (style == this->style()) return;
    TTView::setStyle(std::move(style));
    updateLayer();
}

void TTImageView::drawRect(CGRect rect) {
    if (style()) TTView::drawRect(rect);
}

void TTImageView::drawContent(CGRect rect) {
    const UIImagePtr& shown = _image ? _image : _defaultImage;
    if (shown) tt::drawInRect(*shown, rect, contentMode());
}

bool TTImageView::drawLayer(TTStyleContext& context, TTStyle* style) {
    if (!dynamic_cast<TTContentStyle*>(style)) return false;
    CGContext* cg = UIGraphicsGetCurrentContext();
    if (!cg) return false;
    cg->saveGState();
    context.shape()->addToPath(context.frame);
    cg->clip();
    drawContent(context.frame);
    cg->restoreGState();
    return true;
}

void TTImageView::setURL(const std::string& url) {
    if (_image && url == _URL) return;
    stopLoading();
    _URL = url;
    if (!_URL.empty()) {
        reload();
    } else if (_image != _defaultImage) {
        setImage(_defaultImage);
    }
}

void TTImageView::reload() {
    if (_request || _URL.empty()) return;
    if (UIImagePtr cached = TTURLCache::sharedCache().imageForURL(_URL)) {
        setImage(cached);
        return;
    }
    auto request = TTURLRequest::requestWithURL(_URL, this);
    request->setResponse(std::make_shared<TTURLImageResponse>());
    if (!request->send() && _defaultImage && _image != _defaultImage) setImage(_defaultImage);
}

void TTImageView::stopLoading() {
    if (!_request) return;
    TTURLRequestPtr request = _request;
    request->cancel();
    _request = nullptr;
}

void TTImageView::requestDidStartLoad(TTURLRequest* request) {
    _request = request->shared_from_this();
    imageViewDidStartLoad();
    if (_delegate) _delegate->imageViewDidStartLoad(this);
}

void TTImageView::requestDidFinishLoad(TTURLRequest* request) {
    auto* response = dynamic_cast<TTURLImageResponse*>(request->response().get());
    setImage(response ? response->image() : nullptr);
    _request = nullptr;
}

void TTImageView::failed(const NSError* error) {
    _request = nullptr;
    imageViewDidFailLoadWithError(error);
    if (_delegate) _delegate->imageViewDidFailLoadWithError(this, error);
}

void TTImageView::requestDidFailLoadWithError(TTURLRequest*, const NSError& error) { failed(&error); }

void TTImageView::requestDidCancelLoad(TTURLRequest*) { failed(nullptr); }

void TTImageView::setImage(UIImagePtr image) {
    if (image == _image) return;
    _image = std::move(image);
    updateLayer();

    CGRect frame = this->frame();
    CGSize imageSize = _image ? _image->size() : CGSizeZero;
    CGFloat width = frame.size.width, height = frame.size.height;
    if (_autoresizesToImage) {
        frame.size = imageSize;
    } else if (width && !height) {
        // No ratio without a width: the frame stays as it is.
        if (imageSize.width > 0) frame.size.height = std::floor(imageSize.height / imageSize.width * width);
    } else if (!width && height) {
        if (imageSize.height > 0) frame.size.width = std::floor(imageSize.width / imageSize.height * height);
    } else if (!width && !height) {
        frame.size = imageSize;
    }
    if (!CGRectEqualToRect(frame, this->frame())) setFrame(frame);

    if (_defaultImage && _image == _defaultImage) return;
    imageViewDidLoadImage(_image);
    if (_delegate) _delegate->imageViewDidLoadImage(this, _image);
}
