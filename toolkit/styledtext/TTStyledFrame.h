#pragma once
// Laid-out styled text: positioned rectangles for element boxes, runs of text and images, in
// document coordinates. Each frame owns its next frame and a box its first child; chains are
// released without recursion.

#include <memory>
#include <string>

#include "platform/graphics/Geometry.h"
#include "platform/text/UIFont.h"
#include "toolkit/style/TTStyle.h"

class TTStyledElement;
class TTStyledTextNode;
class TTStyledImageNode;
class TTStyledFrame;
class TTStyledBoxFrame;
using TTStyledFramePtr = std::shared_ptr<TTStyledFrame>;

class TTStyledFrame {
public:
    explicit TTStyledFrame(TTStyledElement* element) : element_(element) {}
    virtual ~TTStyledFrame();
    TTStyledFrame(const TTStyledFrame&) = delete;
    TTStyledFrame& operator=(const TTStyledFrame&) = delete;

    TTStyledElement* element() const { return element_; }
    const TTStyledFramePtr& nextFrame() const { return nextFrame_; }
    void setNextFrame(TTStyledFramePtr frame) { nextFrame_ = std::move(frame); }
    CGRect bounds() const { return bounds_; }
    void setBounds(CGRect bounds) { bounds_ = bounds; }
    CGFloat x() const { return bounds_.origin.x; }
    void setX(CGFloat x) { bounds_.origin.x = x; }
    CGFloat y() const { return bounds_.origin.y; }
    void setY(CGFloat y) { bounds_.origin.y = y; }
    CGFloat width() const { return bounds_.size.width; }
    void setWidth(CGFloat w) { bounds_.size.width = w; }
    CGFloat height() const { return bounds_.size.height; }
    void setHeight(CGFloat h) { bounds_.size.height = h; }

    virtual UIFontPtr font() const { return nullptr; }
    virtual void drawInRect(CGRect rect) {}
    // The innermost box frame at the point, searching along the chain and then into the
    // children of the first box that holds it.
    TTStyledBoxFrame* hitTest(CGPoint point);
    // This frame's text (a box: its children's); chainDescription adds the later frames'.
    virtual std::string description() const { return {}; }
    std::string chainDescription() const;

    static void releaseChain(TTStyledFramePtr head);

protected:
    // A box that holds the point, or null when this frame answers nothing itself.
    virtual bool holds(CGPoint) const { return false; }
    virtual TTStyledFramePtr takeChildren() { return nullptr; }

private:
    TTStyledElement* element_;  // unretained
    TTStyledFramePtr nextFrame_;
    CGRect bounds_{};
};

class TTStyledBoxFrame : public TTStyledFrame, public TTStyleDelegate {
public:
    using TTStyledFrame::TTStyledFrame;
    ~TTStyledBoxFrame() override;

    TTStyledBoxFrame* parentFrame() const { return parentFrame_; }
    void setParentFrame(TTStyledBoxFrame* parent) { parentFrame_ = parent; }
    const TTStyledFramePtr& firstChildFrame() const { return firstChildFrame_; }
    void setFirstChildFrame(TTStyledFramePtr frame) { firstChildFrame_ = std::move(frame); }
    const TTStylePtr& style() const { return style_; }
    void setStyle(TTStylePtr style) { style_ = std::move(style); }

    UIFontPtr font() const override;
    void drawInRect(CGRect rect) override;
    void drawSubframes();
    bool drawLayer(TTStyleContext& context, TTStyle* style) override;
    TTStyledBoxFrame* hitTestChildren(CGPoint point);
    std::string description() const override;

protected:
    bool holds(CGPoint point) const override;
    TTStyledFramePtr takeChildren() override { return std::move(firstChildFrame_); }

private:
    TTStyledBoxFrame* parentFrame_ = nullptr;  // unretained
    TTStyledFramePtr firstChildFrame_;
    TTStylePtr style_;
};

// One piece of an inline element; an element broken over lines has a piece per line.
class TTStyledInlineFrame : public TTStyledBoxFrame {
public:
    using TTStyledBoxFrame::TTStyledBoxFrame;
    TTStyledInlineFrame* inlinePreviousFrame() const { return inlinePreviousFrame_; }
    void setInlinePreviousFrame(TTStyledInlineFrame* f) { inlinePreviousFrame_ = f; }
    TTStyledInlineFrame* inlineNextFrame() const { return inlineNextFrame_; }
    void setInlineNextFrame(TTStyledInlineFrame* f) { inlineNextFrame_ = f; }
    TTStyledInlineFrame* inlineParentFrame() const { return dynamic_cast<TTStyledInlineFrame*>(parentFrame()); }

private:
    TTStyledInlineFrame* inlinePreviousFrame_ = nullptr;  // unretained
    TTStyledInlineFrame* inlineNextFrame_ = nullptr;      // unretained
};

class TTStyledTextFrame : public TTStyledFrame {
public:
    TTStyledTextFrame(std::string text, TTStyledElement* element, TTStyledTextNode* node)
        : TTStyledFrame(element), text_(std::move(text)), node_(node) {}
    const std::string& text() const { return text_; }
    TTStyledTextNode* node() const { return node_; }
    UIFontPtr font() const override { return font_; }
    void setFont(UIFontPtr font) { font_ = std::move(font); }
    void drawInRect(CGRect rect) override;
    std::string description() const override { return text_; }

private:
    std::string text_;
    TTStyledTextNode* node_;  // unretained
    UIFontPtr font_;
};

class TTStyledImageFrame : public TTStyledFrame, public TTStyleDelegate {
public:
    TTStyledImageFrame(TTStyledElement* element, TTStyledImageNode* node) : TTStyledFrame(element), imageNode_(node) {}
    TTStyledImageNode* imageNode() const { return imageNode_; }
    const TTStylePtr& style() const { return style_; }
    void setStyle(TTStylePtr style) { style_ = std::move(style); }
    void drawInRect(CGRect rect) override;
    void drawImage(CGRect rect);
    bool drawLayer(TTStyleContext& context, TTStyle* style) override;

private:
    UIImagePtr shownImage() const;
    TTStyledImageNode* imageNode_;  // unretained
    TTStylePtr style_;
};
