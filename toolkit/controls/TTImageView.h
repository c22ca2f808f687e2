#pragma once
// Shows an image given by URL: from the URL cache or loaded through the request queue, with a
// default image meanwhile. Without a style the image is the layer's contents (no drawing); with
// one the chain draws it inside its shape.

#include <memory>
#include <string>

#include "platform/net/NSError.h"
#include "toolkit/controls/TTView.h"
#include "toolkit/network/TTURLRequest.h"

class TTImageView;

// Every method optional.
class TTImageViewDelegate {
public:
    virtual ~TTImageViewDelegate() = default;
    virtual void imageViewDidStartLoad(TTImageView* imageView) {}
    virtual void imageViewDidLoadImage(TTImageView* imageView, const UIImagePtr& image) {}
    // The error is null for a cancelled load.
    virtual void imageViewDidFailLoadWithError(TTImageView* imageView, const NSError* error) {}
};

class TTImageView : public TTView, public TTURLRequestDelegate {
public:
    explicit TTImageView(CGRect frame = CGRectZero);
    ~TTImageView() override;

    const std::string& URL() const { return _URL; }
    void setURL(const std::string& url);
    const UIImagePtr& image() const { return _image; }
    void setImage(UIImagePtr image);
    const UIImagePtr& defaultImage() const { return _defaultImage; }
    void setDefaultImage(UIImagePtr image) { _defaultImage = std::move(image); }
    bool autoresizesToImage() const { return _autoresizesToImage; }
    void setAutoresizesToImage(bool on) { _autoresizesToImage = on; }
    TTImageViewDelegate* delegate() const { return _delegate; }
    void setDelegate(TTImageViewDelegate* delegate) { _delegate = delegate; }  // unretained

    bool isLoading() const { return _request != nullptr; }
    // An image shows and it is not the default image.
    bool isLoaded() const { return _image && _image != _defaultImage; }

    void reload();
    void stopLoading();

    void setStyle(TTStylePtr style) override;
    void drawRect(CGRect rect) override;
    void drawContent(CGRect rect) override;
    bool drawLayer(TTStyleContext& context, TTStyle* style) override;

    void requestDidStartLoad(TTURLRequest* request) override;
    void requestDidFinishLoad(TTURLRequest* request) override;
    void requestDidFailLoadWithError(TTURLRequest* request, const NSError& error) override;
    void requestDidCancelLoad(TTURLRequest* request) override;

protected:
    // Hooks for subclasses, called just before the delegate hears the same; they do nothing here.
    virtual void imageViewDidStartLoad() {}
    virtual void imageViewDidLoadImage(const UIImagePtr& image) {}
    virtual void imageViewDidFailLoadWithError(const NSError* error) {}

private:
    void updateLayer();
    void failed(const NSError* error);

    TTImageViewDelegate* _delegate = nullptr;  // unretained
    TTURLRequestPtr _request;
    std::string _URL;
    UIImagePtr _image;
    UIImagePtr _defaultImage;
    bool _autoresizesToImage = false;
};

using TTImageViewPtr = std::shared_ptr<TTImageView>;
