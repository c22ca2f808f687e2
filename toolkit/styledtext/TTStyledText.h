#pragma once
// A styled-text document: owns a node tree, lays it out on demand for its width and font,
// keeps the frames until something invalidates them, draws them, answers hit tests, and finds
// the images the layout left missing, telling its delegate to redraw when they arrive.

#include <memory>
#include <string>

#include "toolkit/network/TTURLRequest.h"
#include "toolkit/styledtext/TTStyledFrame.h"
#include "toolkit/styledtext/TTStyledLayout.h"
#include "toolkit/styledtext/TTStyledElement.h"

class TTStyledText;
using TTStyledTextPtr = std::shared_ptr<TTStyledText>;

class TTStyledTextDelegate {
public:
    virtual ~TTStyledTextDelegate() = default;
    // An image arrived: the document must be drawn again.
    virtual void styledTextNeedsDisplay(TTStyledText* text) = 0;
};

class TTStyledText : public TTURLRequestDelegate {
public:
    // Line-break splitting off, URL detection on.
    static TTStyledTextPtr textFromXHTML(const std::string& html);
    // Null when the mark-up produced no node.
    static TTStyledTextPtr textFromXHTML(const std::string& html, bool lineBreaks, bool URLs);
    static TTStyledTextPtr textWithURLs(const std::string& text) { return textWithURLs(text, false); }
    static TTStyledTextPtr textWithURLs(const std::string& text, bool lineBreaks);

    explicit TTStyledText(TTStyledNodePtr rootNode = nullptr) : rootNode_(std::move(rootNode)) {}
    ~TTStyledText() override;
    TTStyledText(const TTStyledText&) = delete;
    TTStyledText& operator=(const TTStyledText&) = delete;

    const TTStyledNodePtr& rootNode() const { return rootNode_; }
    void setRootNode(TTStyledNodePtr node) { rootNode_ = std::move(node); }
    // Tree edits; the caller asks for a new layout (setNeedsLayout).
    void addChild(TTStyledNodePtr node);
    void addText(const std::string& text);
    void insertChild(TTStyledNodePtr node, size_t index);
    TTStyledElement* getElementByClassName(const std::string& name) const;

    const UIFontPtr& font() const { return font_; }
    void setFont(UIFontPtr font);
    CGFloat width() const { return width_; }
    void setWidth(CGFloat width);

    bool needsLayout() const { return !rootFrame_; }
    void setNeedsLayout();
    void layoutIfNeeded();
    void layoutFrames();
    CGFloat height();
    const TTStyledFramePtr& rootFrame();

    // Draws with the origin at the point; text without a style of its own takes the fill colour.
    void drawAtPoint(CGPoint point, bool highlighted = false);
    TTStyledBoxFrame* hitTest(CGPoint point);
    // The first frame made for the node in the current layout (no layout is made).
    TTStyledFrame* getFrameForNode(const TTStyledNode* node) const;

    TTStyledTextDelegate* delegate() const { return delegate_; }
    // A new delegate starts the image loads.
    void setDelegate(TTStyledTextDelegate* delegate);
    const TTStyledImageList& invalidImages() const { return invalidImages_; }
    // Applies the images the URL cache holds and requests the others through the queue.
    void loadImages();
    // Cancels the requests in flight; their nodes are listed again.
    void stopLoadingImages();
    size_t imageRequestCount() const { return imageRequests_.size(); }

    void requestDidStartLoad(TTURLRequest* request) override;
    void requestDidFinishLoad(TTURLRequest* request) override;
    void requestDidFailLoadWithError(TTURLRequest* request, const NSError& error) override;
    void requestDidCancelLoad(TTURLRequest* request) override;

    std::string description();

private:
    TTStyledNodePtr rootNode_;
    TTStyledFramePtr rootFrame_;
    UIFontPtr font_;
    CGFloat width_ = 0;
    CGFloat height_ = 0;
    TTStyledTextDelegate* delegate_ = nullptr;  // unretained
    TTStyledImageList invalidImages_;
    std::vector<TTURLRequestPtr> imageRequests_;

    void forgetRequest(TTURLRequest* request);
};
