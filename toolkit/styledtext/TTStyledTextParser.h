#pragma once
// Turns styled-text mark-up (a small XHTML subset) or plain text into a styled node tree.
// Mark-up that is not well formed stops the parse at the first error; the nodes made before it
// stay. Elements nest at most kMaxDepth deep: deeper mark-up is treated as an error, so that
// the layout and drawing, which follow the nesting, stay within bounds.

#include <memory>
#include <string>
#include <vector>

#include "toolkit/styledtext/TTStyledElement.h"

class TTStyledTextParser {
public:
    static constexpr size_t kMaxDepth = 200;

    bool parseLineBreaks() const { return parseLineBreaks_; }
    void setParseLineBreaks(bool on) { parseLineBreaks_ = on; }
    bool parseURLs() const { return parseURLs_; }
    void setParseURLs(bool on) { parseURLs_ = on; }

    // Parses mark-up; false when it was not well formed (what came before the error is kept).
    bool parseXHTML(const std::string& html);
    void parseText(const std::string& text);
    const TTStyledNodePtr& rootNode() const { return rootNode_; }

    // Steps of the parse, also used by the XML callbacks.
    void addNode(TTStyledNodePtr node);
    void pushNode(std::shared_ptr<TTStyledElement> element);
    void popNode();
    void flushCharacters();
    // URL detection on one string (split lines always pass through it).
    void parseURLs(const std::string& text);

    void startElement(const char* name, const char** attributes);
    void endElement(const char* name);
    void characters(const char* data, int length);

private:
    TTStyledNodePtr rootNode_;
    TTStyledNode* lastNode_ = nullptr;
    TTStyledElement* topElement_ = nullptr;
    std::vector<TTStyledElement*> stack_;
    // One entry per open tag: whether it opened an element.
    std::vector<bool> openedElement_;
    std::string chars_;
    bool parseLineBreaks_ = false;
    bool parseURLs_ = false;
    bool tooDeep_ = false;
};
