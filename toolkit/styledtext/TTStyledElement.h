#pragma once
// Nodes with children and an optional class name (the name of their style), and the element
// kinds the layout tells apart.

#include "toolkit/styledtext/TTStyledNode.h"

class TTStyledElement : public TTStyledNode {
public:
    TTStyledElement() = default;
    // An element with one text child.
    explicit TTStyledElement(const std::string& text, TTStyledNodePtr next = nullptr);
    ~TTStyledElement() override;

    const TTStyledNodePtr& firstChild() const { return firstChild_; }
    TTStyledNode* lastChild() const { return lastChild_; }
    const std::string& className() const { return className_; }
    void setClassName(std::string name) { className_ = std::move(name); }

    // Appends the node and the siblings chained after it.
    void addChild(TTStyledNodePtr node);
    void addText(const std::string& text);
    // Puts `replacement` (or nothing) in the place of `old`; nothing when `old` is no child.
    void replaceChild(TTStyledNode* old, TTStyledNodePtr replacement);
    // Depth-first in document order over the children.
    TTStyledElement* getElementByClassName(const std::string& name) const;

    std::string description() const override;

protected:
    void appendText(std::string& out) const override;
    void appendHTML(std::string& out) const override;
    TTStyledNodePtr takeChildren() override;

private:
    TTStyledNodePtr firstChild_;
    TTStyledNode* lastChild_ = nullptr;
    std::string className_;
};

// Laid out as a block (div, p).
class TTStyledBlock : public TTStyledElement {
public:
    using TTStyledElement::TTStyledElement;
};

// Laid out inline (span).
class TTStyledInline : public TTStyledElement {
public:
    using TTStyledElement::TTStyledElement;
};

class TTStyledInlineBlock : public TTStyledElement {
public:
    using TTStyledElement::TTStyledElement;
};

// A line break (br).
class TTStyledLineBreakNode : public TTStyledBlock {
public:
    using TTStyledBlock::TTStyledBlock;
};

class TTStyledBoldNode : public TTStyledInline {
public:
    using TTStyledInline::TTStyledInline;
    std::string description() const override;
};

class TTStyledItalicNode : public TTStyledInline {
public:
    using TTStyledInline::TTStyledInline;
    std::string description() const override;
};
