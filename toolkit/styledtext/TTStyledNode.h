#pragma once
// The document model of styled text: text runs and elements linked as siblings and children.
// Each node owns its next sibling and each element its first child; parents and last children
// are back references. Long sibling chains are walked and released without recursion.

#include <memory>
#include <string>

class TTStyledNode;
class TTStyledElement;
using TTStyledNodePtr = std::shared_ptr<TTStyledNode>;

class TTStyledNode {
public:
    TTStyledNode() = default;
    explicit TTStyledNode(TTStyledNodePtr next) { setNextSibling(std::move(next)); }
    virtual ~TTStyledNode();
    TTStyledNode(const TTStyledNode&) = delete;
    TTStyledNode& operator=(const TTStyledNode&) = delete;

    const TTStyledNodePtr& nextSibling() const { return nextSibling_; }
    // Also gives the new sibling this node's parent.
    void setNextSibling(TTStyledNodePtr node);
    TTStyledElement* parentNode() const { return parentNode_; }
    void setParentNode(TTStyledElement* parent) { parentNode_ = parent; }

    // The last node of the chain starting at the node; null for null.
    static TTStyledNode* findLastSibling(TTStyledNode* node);
    // This node if it is a T, else the nearest such ancestor.
    template <class T>
    T* ancestorOrSelfWithClass() {
        for (TTStyledNode* n = this; n; n = n->parentAsNode())
            if (auto* hit = dynamic_cast<T*>(n)) return hit;
        return nullptr;
    }

    // The plain text, or the mark-up, of this node and every later sibling.
    std::string outerText() const;
    std::string outerHTML() const;
    virtual void performDefaultAction() {}
    virtual std::string description() const { return {}; }

    // Releases a chain iteratively: nodes that nobody else holds give up their siblings and
    // children to a work list before they go.
    static void releaseChain(TTStyledNodePtr head);

protected:
    // This node's own part of outerText / outerHTML, without its siblings.
    virtual void appendText(std::string& out) const {}
    virtual void appendHTML(std::string& out) const {}
    // Hands the owned children to the release work list.
    virtual TTStyledNodePtr takeChildren() { return nullptr; }

private:
    TTStyledNode* parentAsNode() const;
    TTStyledNodePtr nextSibling_;
    TTStyledElement* parentNode_ = nullptr;
};

class TTStyledTextNode : public TTStyledNode {
public:
    explicit TTStyledTextNode(std::string text, TTStyledNodePtr next = nullptr)
        : TTStyledNode(std::move(next)), text_(std::move(text)) {}
    const std::string& text() const { return text_; }
    void setText(std::string text) { text_ = std::move(text); }
    std::string description() const override { return text_; }

protected:
    void appendText(std::string& out) const override { out += text_; }
    void appendHTML(std::string& out) const override { out += text_; }

private:
    std::string text_;
};
