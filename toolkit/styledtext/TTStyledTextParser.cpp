#include "toolkit/styledtext/TTStyledTextParser.h"

#include <expat.h>

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "toolkit/styledtext/TTStyledImageNode.h"
#include "toolkit/styledtext/TTStyledLinkNode.h"
#include "toolkit/styledtext/TTStyledCharacters.h"

namespace {

// The wrapper declares the one entity XML lacks; "nbsp" is an ordinary space here.
constexpr const char* kPrologue = "<!DOCTYPE x [<!ENTITY nbsp \" \">]><x>";
constexpr const char* kEpilogue = "</x>";

std::string lowercase(const char* s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

const char* attribute(const char** attributes, const char* name) {
    for (int i = 0; attributes[i]; i += 2)
        if (std::strcmp(attributes[i], name) == 0) return attributes[i + 1];
    return nullptr;
}

struct ExpatParser {
    XML_Parser parser = XML_ParserCreate("UTF-8");
    ~ExpatParser() {
        if (parser) XML_ParserFree(parser);
    }
};

}  // namespace

bool TTStyledTextParser::parseXHTML(const std::string& html) {
    ExpatParser xml;
    if (!xml.parser) return false;
    XML_SetUserData(xml.parser, this);
    XML_SetElementHandler(
        xml.parser,
        [](void* self, const XML_Char* name, const XML_Char** atts) {
            static_cast<TTStyledTextParser*>(self)->startElement(name, atts);
        },
        [](void* self, const XML_Char* name) { static_cast<TTStyledTextParser*>(self)->endElement(name); });
    XML_SetCharacterDataHandler(xml.parser, [](void* self, const XML_Char* s, int len) {
        static_cast<TTStyledTextParser*>(self)->characters(s, len);
    });
    // No external entities are ever fetched.
    XML_SetParamEntityParsing(xml.parser, XML_PARAM_ENTITY_PARSING_NEVER);
    const std::string document = kPrologue + html + kEpilogue;
    const XML_Status status = XML_Parse(xml.parser, document.data(), static_cast<int>(document.size()), XML_TRUE);
    return status == XML_STATUS_OK && !tooDeep_;
}

void TTStyledTextParser::startElement(const char* rawName, const char** attributes) {
    if (tooDeep_) return;  // the parse stopped there
    flushCharacters();
    const std::string name = lowercase(rawName);
    std::shared_ptr<TTStyledElement> element;
    if (name == "span") {
        element = std::make_shared<TTStyledInline>();
    } else if (name == "br") {
        element = std::make_shared<TTStyledLineBreakNode>();
    } else if (name == "div" || name == "p") {
        element = std::make_shared<TTStyledBlock>();
    } else if (name == "b") {
        element = std::make_shared<TTStyledBoldNode>();
    } else if (name == "i") {
        element = std::make_shared<TTStyledItalicNode>();
    } else if (name == "a") {
        auto link = std::make_shared<TTStyledLinkNode>();
        if (const char* href = attribute(attributes, "href")) link->setURL(href);
        element = link;
    } else if (name == "button") {
        auto button = std::make_shared<TTStyledButtonNode>();
        if (const char* href = attribute(attributes, "href")) button->setURL(href);
        element = button;
    } else if (name == "img") {
        auto image = std::make_shared<TTStyledImageNode>();
        if (const char* src = attribute(attributes, "src")) image->setURL(src);
        if (const char* w = attribute(attributes, "width")) image->setWidth(std::strtof(w, nullptr));
        if (const char* h = attribute(attributes, "height")) image->setHeight(std::strtof(h, nullptr));
        element = image;
    }
    if (element && (name == "span" || name == "br" || name == "div" || name == "p" || name == "img"))
        if (const char* cls = attribute(attributes, "class")) element->setClassName(cls);
    if (element && stack_.size() >= kMaxDepth) {
        tooDeep_ = true;
        openedElement_.push_back(false);
        return;
    }
    openedElement_.push_back(element != nullptr);
    if (element) pushNode(std::move(element));
}

void TTStyledTextParser::endElement(const char*) {
    if (tooDeep_) return;
    flushCharacters();
    if (!openedElement_.empty()) {
        if (openedElement_.back()) popNode();
        openedElement_.pop_back();
    }
}

void TTStyledTextParser::characters(const char* data, int length) {
    if (tooDeep_) return;
    chars_.append(data, static_cast<size_t>(length));
}

void TTStyledTextParser::addNode(TTStyledNodePtr node) {
    if (!rootNode_) {
        rootNode_ = node;
        lastNode_ = node.get();
    } else if (topElement_) {
        topElement_->addChild(std::move(node));
    } else {
        TTStyledNode* added = node.get();
        lastNode_->setNextSibling(std::move(node));
        lastNode_ = added;
    }
}

void TTStyledTextParser::pushNode(std::shared_ptr<TTStyledElement> element) {
    TTStyledElement* raw = element.get();
    addNode(std::move(element));
    stack_.push_back(raw);
    topElement_ = raw;
}

void TTStyledTextParser::popNode() {
    if (!stack_.empty()) stack_.pop_back();
    topElement_ = stack_.empty() ? nullptr : stack_.back();
}

void TTStyledTextParser::flushCharacters() {
    if (!chars_.empty() && !tooDeep_) parseText(chars_);
    chars_.clear();
}

void TTStyledTextParser::parseText(const std::string& text) {
    if (parseLineBreaks_) {
        size_t lineStart = 0, i = 0;
        while (i < text.size()) {
            const size_t newline = TTStyledCharacters::newlineLength(text, i);
            if (!newline) {
                i += TTStyledCharacters::sequenceLength(text, i);
                continue;
            }
            if (i > lineStart) parseURLs(text.substr(lineStart, i - lineStart));
            addNode(std::make_shared<TTStyledLineBreakNode>());
            i += newline;
            lineStart = i;
        }
        if (lineStart < text.size()) parseURLs(text.substr(lineStart));
    } else if (parseURLs_) {
        parseURLs(text);
    } else {
        addNode(std::make_shared<TTStyledTextNode>(text));
    }
}

void TTStyledTextParser::parseURLs(const std::string& text) {
    static const std::string scheme = "http://";
    size_t index = 0;
    while (index < text.size()) {
        const size_t start = TTStyledCharacters::findCaseless(text, scheme, index);
        if (start == std::string::npos) {
            addNode(std::make_shared<TTStyledTextNode>(text.substr(index)));
            break;
        }
        if (start > index) addNode(std::make_shared<TTStyledTextNode>(text.substr(index, start - index)));
        const size_t space = text.find(' ', start);
        const std::string url = text.substr(start, space == std::string::npos ? std::string::npos : space - start);
        addNode(std::make_shared<TTStyledLinkNode>(url, url, nullptr));
        if (space == std::string::npos) break;
        index = space;
    }
}
