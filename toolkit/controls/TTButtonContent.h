#pragma once
// The title, image and style of one state of a TTButton; loads the state's image by URL.

#include <optional>
#include <string>

#include "toolkit/network/TTURLRequest.h"
#include "toolkit/style/TTStyle.h"

class TTButton;

class TTButtonContent : public TTURLRequestDelegate {
public:
    explicit TTButtonContent(TTButton* button) : _button(button) {}  // initWithButton:
    ~TTButtonContent() override;
    TTButtonContent(const TTButtonContent&) = delete;
    TTButtonContent& operator=(const TTButtonContent&) = delete;

    const std::optional<std::string>& title() const { return _title; }
    void setTitle(std::optional<std::string> title) { _title = std::move(title); }
    const std::string& imageURL() const { return _imageURL; }
    // Loads the image of a new URL; an empty URL clears the image.
    void setImageURL(const std::string& url);
    const UIImagePtr& image() const { return _image; }
    void setImage(UIImagePtr image) { _image = std::move(image); }
    const TTStylePtr& style() const { return _style; }
    void setStyle(TTStylePtr style) { _style = std::move(style); }
    bool isLoading() const { return _request != nullptr; }

    void reload();
    void stopLoading();

    void requestDidStartLoad(TTURLRequest* request) override;
    void requestDidFinishLoad(TTURLRequest* request) override;
    void requestDidFailLoadWithError(TTURLRequest* request, const NSError& error) override;
    void requestDidCancelLoad(TTURLRequest* request) override;

private:
    void redrawButton();

    TTButton* _button;  // unretained: the button owns this content
    std::optional<std::string> _title;
    std::string _imageURL;
    UIImagePtr _image;
    TTStylePtr _style;
    TTURLRequestPtr _request;
};
