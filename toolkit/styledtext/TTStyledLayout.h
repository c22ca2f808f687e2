#pragma once
// Lays a styled node tree out for a width: text broken into lines at word boundaries, a box
// frame for every element that has a style, inline boxes split over lines, images inline or
// floated, margins, paddings and minimum sizes of box styles, and the frames of a line aligned
// on a common bottom. Lines are left-aligned. One layout object serves one pass.

#include <memory>
#include <vector>

#include "toolkit/style/TTStructuralStyles.h"
#include "toolkit/styledtext/TTStyledFrame.h"
#include "toolkit/styledtext/TTStyledNode.h"

class TTStyledImageNode;
class TTStyledInlineFrame;
using TTStyledImageList = std::shared_ptr<std::vector<TTStyledImageNode*>>;

class TTStyledLayout {
public:
    explicit TTStyledLayout(TTStyledNode* rootNode) : rootNode_(rootNode) {}
    // A layout that starts at x with the width and at the vertical position y.
    TTStyledLayout(CGFloat x, CGFloat width, CGFloat y) : x_(x), width_(width), height_(y), minX_(x) {}

    CGFloat width() const { return width_; }
    void setWidth(CGFloat width) { width_ = width; }
    // The current font; the global sheet's font until one is set.
    const UIFontPtr& font();
    void setFont(UIFontPtr font);
    CGFloat height() const { return height_; }
    const TTStyledFramePtr& rootFrame() const { return rootFrame_; }
    // Image nodes with a URL but no image yet, in layout order (unretained).
    const TTStyledImageList& invalidImages() const { return invalidImages_; }
    void setInvalidImages(TTStyledImageList list) { invalidImages_ = std::move(list); }

    // Lays out the node and its later siblings, then ends the last line.
    void layout(TTStyledNode* node);

private:
    const UIFontPtr& boldFont();
    const UIFontPtr& italicFont();
    const TTStylePtr& linkStyle();

    void layout(TTStyledNode* node, TTStyledElement* container);
    void layoutElement(TTStyledElement* element);
    void layoutPositioned(TTStyledElement* element, const TTStylePtr& style, const TTBoxStyle& box,
                          const UIFontPtr& lastFont);
    void layoutText(TTStyledTextNode* node, TTStyledElement* container);
    void layoutImage(TTStyledImageNode* node, TTStyledElement* container);

    void addFrame(TTStyledFramePtr frame);
    void pushFrame(const std::shared_ptr<TTStyledBoxFrame>& frame);
    void popFrame();
    void addContentFrame(TTStyledFramePtr frame, CGFloat width);
    void addContentFrame(TTStyledFramePtr frame, CGFloat width, CGFloat height);
    void addAbsoluteFrame(TTStyledFramePtr frame, CGFloat width, CGFloat height);
    TTStyledInlineFrame* addInlineFrame(TTStylePtr style, TTStyledElement* element, CGFloat width, CGFloat height);
    TTStyledBoxFrame* addBlockFrame(TTStylePtr style, TTStyledElement* element, CGFloat width, CGFloat height);
    TTStyledInlineFrame* cloneInlineFrame(TTStyledInlineFrame* frame);
    void addFrameForText(const std::string& text, TTStyledElement* element, TTStyledTextNode* node, CGFloat width,
                         CGFloat height);
    void expandLineWidth(CGFloat width);
    void inflateLineHeight(CGFloat height);
    void offsetFrame(TTStyledFrame* frame, CGFloat dy);
    void breakLine();
    void checkFloats();
    // Moves a floated frame and takes its room from the lines beside it.
    void placeFloat(TTStyledFrame* frame, int position, CGFloat outerWidth, CGFloat outerHeight);
    CGSize measure(const std::string& text, CGFloat width);

    CGFloat x_ = 0, width_ = 0, height_ = 0, lineWidth_ = 0, lineHeight_ = 0, minX_ = 0;
    CGFloat floatLeftWidth_ = 0, floatRightWidth_ = 0, floatHeight_ = 0;
    TTStyledFramePtr rootFrame_;
    TTStyledFrame* lineFirstFrame_ = nullptr;
    TTStyledInlineFrame* inlineFrame_ = nullptr;
    TTStyledBoxFrame* topFrame_ = nullptr;
    TTStyledFrame* lastFrame_ = nullptr;
    UIFontPtr font_, boldFont_, italicFont_;
    TTStylePtr linkStyle_;
    bool linkStyleFetched_ = false;
    TTStyledNode* rootNode_ = nullptr;
    TTStyledImageList invalidImages_;
};
