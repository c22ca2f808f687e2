#pragma once
// A compact text form of a styled node tree for assertions: text as [text], elements as their
// tag with .class, {url} or {url WxH} and their children in parentheses.

#include <string>

#include "toolkit/styledtext/TTStyledImageNode.h"
#include "toolkit/styledtext/TTStyledLinkNode.h"

inline std::string dumpTree(const TTStyledNode* node) {
    std::string out;
    for (; node; node = node->nextSibling().get()) {
        if (auto* text = dynamic_cast<const TTStyledTextNode*>(node)) {
            out += "[" + text->text() + "]";
            continue;
        }
        auto* e = dynamic_cast<const TTStyledElement*>(node);
        if (auto* image = dynamic_cast<const TTStyledImageNode*>(e)) {
            out += "img{" + image->URL() + " " + std::to_string(static_cast<int>(image->width())) + "x" +
                   std::to_string(static_cast<int>(image->height())) + "}";
        } else if (auto* link = dynamic_cast<const TTStyledLinkNode*>(e)) {
            out += "a{" + link->URL() + "}";
        } else if (auto* button = dynamic_cast<const TTStyledButtonNode*>(e)) {
            out += "button{" + button->URL() + "}";
        } else if (dynamic_cast<const TTStyledLineBreakNode*>(e)) {
            out += "br";
        } else if (dynamic_cast<const TTStyledBoldNode*>(e)) {
            out += "b";
        } else if (dynamic_cast<const TTStyledItalicNode*>(e)) {
            out += "i";
        } else if (dynamic_cast<const TTStyledBlock*>(e)) {
            out += "div";
        } else if (dynamic_cast<const TTStyledInline*>(e)) {
            out += "span";
        }
        if (!e->className().empty()) out += "." + e->className();
        out += "(" + dumpTree(e->firstChild().get()) + ")";
    }
    return out;
}
