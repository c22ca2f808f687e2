#include "platform/services/SimpleHTMLDocument.h"

#include <cctype>
#include <cstdlib>

#include "platform/foundation/StringUtils.h"
#include "platform/net/NSURL.h"

namespace {
std::string lower(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// A character reference's code point; U+FFFD for none, surrogates and values past Unicode.
void appendCodePoint(std::string& out, unsigned long cp) {
  if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  str::appendUtf8(out, static_cast<char32_t>(cp));
}

// The value of an attribute in a tag's text ("a href='x' class=y"), entities decoded.
std::string attribute(const std::string& tag, const std::string& name) {
  std::string low = lower(tag);
  size_t pos = 0;
  while ((pos = low.find(name, pos)) != std::string::npos) {
    bool startOk = pos > 0 && std::isspace(static_cast<unsigned char>(low[pos - 1]));
    size_t eq = pos + name.size();
    while (eq < low.size() && low[eq] == ' ') ++eq;
    if (!startOk || eq >= low.size() || low[eq] != '=') {
      pos += name.size();
      continue;
    }
    size_t v = eq + 1;
    while (v < tag.size() && tag[v] == ' ') ++v;
    if (v >= tag.size()) return {};
    if (tag[v] == '"' || tag[v] == '\'') {
      size_t end = tag.find(tag[v], v + 1);
      return SimpleHTMLDocument::decodeEntities(tag.substr(v + 1, end == std::string::npos ? std::string::npos : end - v - 1));
    }
    size_t end = v;
    while (end < tag.size() && !std::isspace(static_cast<unsigned char>(tag[end])) && tag[end] != '>') ++end;
    return SimpleHTMLDocument::decodeEntities(tag.substr(v, end - v));
  }
  return {};
}

std::string collapse(const std::string& s) {
  std::string out;
  bool space = false;
  for (unsigned char c : s) {
    if (std::isspace(c)) {
      space = !out.empty();
      continue;
    }
    if (space) out += ' ';
    space = false;
    out += static_cast<char>(c);
  }
  return out;
}
}  // namespace

std::string SimpleHTMLDocument::decodeEntities(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      out += text[i];
      continue;
    }
    size_t semi = text.find(';', i);
    if (semi == std::string::npos || semi - i > 10) {
      out += '&';
      continue;
    }
    std::string name = text.substr(i + 1, semi - i - 1);
    if (name == "amp") out += '&';
    else if (name == "lt") out += '<';
    else if (name == "gt") out += '>';
    else if (name == "quot") out += '"';
    else if (name == "apos") out += '\'';
    else if (name == "nbsp") appendCodePoint(out, 0xA0);
    else if (name.size() > 1 && name[0] == '#') {
      bool hex = name[1] == 'x' || name[1] == 'X';
      char* end = nullptr;
      unsigned long cp = std::strtoul(name.c_str() + (hex ? 2 : 1), &end, hex ? 16 : 10);
      if (!end || *end != '\0') {
        out += '&';
        continue;
      }
      appendCodePoint(out, cp);
    } else {
      out += '&';
      continue;
    }
    i = semi;
  }
  return out;
}

std::string SimpleHTMLDocument::resolve(const std::string& href, const std::string& baseURL) {
  auto base = NSURL::URLWithString(baseURL);
  if (!base) return href;
  auto url = NSURL::URLWithString(href, *base);
  return url ? url->absoluteString() : href;
}

SimpleHTMLDocument SimpleHTMLDocument::parse(const std::string& html) {
  SimpleHTMLDocument doc;
  std::string text;
  HTMLBlock::Kind kind = HTMLBlock::Kind::Paragraph;
  int rtlDepth = 0;
  std::vector<bool> rtlStack;
  auto flush = [&](HTMLBlock::Kind k = HTMLBlock::Kind::Paragraph, const std::string& href = {}) {
    std::string t = collapse(decodeEntities(text));
    text.clear();
    if (t.empty()) return;
    doc.blocks.push_back({k, t, href, rtlDepth > 0});
  };
  std::string linkHref;
  bool inLink = false;
  size_t i = 0;
  while (i < html.size()) {
    if (html[i] != '<') {
      size_t next = html.find('<', i);
      text += html.substr(i, next == std::string::npos ? std::string::npos : next - i);
      i = next == std::string::npos ? html.size() : next;
      continue;
    }
    if (html.compare(i, 4, "<!--") == 0) {
      size_t end = html.find("-->", i + 4);
      i = end == std::string::npos ? html.size() : end + 3;
      continue;
    }
    size_t close = html.find('>', i);
    if (close == std::string::npos) break;
    std::string tag = html.substr(i + 1, close - i - 1);
    i = close + 1;
    bool closing = !tag.empty() && tag[0] == '/';
    std::string name;
    for (size_t k = closing ? 1 : 0; k < tag.size() && !std::isspace(static_cast<unsigned char>(tag[k])) && tag[k] != '/'; ++k)
      name += static_cast<char>(std::tolower(static_cast<unsigned char>(tag[k])));

    if (!closing && (name == "script" || name == "style" || name == "title" || name == "head")) {
      size_t end = lower(html).find("</" + name, i);
      std::string inner = html.substr(i, end == std::string::npos ? std::string::npos : end - i);
      if (name == "title") doc.title = collapse(decodeEntities(inner));
      if (name == "head") {  // the title may sit inside the head
        auto t = parse(inner);
        if (!t.title.empty()) doc.title = t.title;
      }
      size_t after = end == std::string::npos ? std::string::npos : html.find('>', end);
      i = after == std::string::npos ? html.size() : after + 1;
      continue;
    }
    bool block = name == "p" || name == "div" || name == "br" || name == "li" || name == "ul" || name == "ol" ||
                 name == "tr" || name == "table" || name == "body" || name == "blockquote";
    bool heading = name == "h1" || name == "h2" || name == "h3" || name == "h4" || name == "h5" || name == "h6";
    if (name == "a") {
      if (!closing) {
        flush(kind);
        linkHref = attribute(tag, "href");
        inLink = true;
      } else if (inLink) {
        flush(linkHref.empty() ? HTMLBlock::Kind::Paragraph : HTMLBlock::Kind::Link, linkHref);
        inLink = false;
      }
    } else if (name == "img") {
      flush(kind);
      std::string alt = collapse(attribute(tag, "alt"));
      doc.blocks.push_back({HTMLBlock::Kind::Image, alt.empty() ? "[image]" : "[" + alt + "]", attribute(tag, "src"), rtlDepth > 0});
    } else if (name == "hr") {
      flush(kind);
      doc.blocks.push_back({HTMLBlock::Kind::Rule, "", "", false});
    } else if (heading) {
      flush(kind);
      kind = closing ? HTMLBlock::Kind::Paragraph
                     : name == "h1" ? HTMLBlock::Kind::Heading1
                     : name == "h2" ? HTMLBlock::Kind::Heading2
                                    : HTMLBlock::Kind::Heading3;
    } else if (block) {
      flush(kind);
    }
    if (block || heading) {
      bool isRtl = lower(attribute(tag, "dir")) == "rtl";
      if (name != "br" && !closing) {
        rtlStack.push_back(isRtl);
        if (isRtl) ++rtlDepth;
      } else if (closing && name != "br" && !rtlStack.empty()) {
        if (rtlStack.back()) --rtlDepth;
        rtlStack.pop_back();
      }
    }
  }
  flush(inLink && !linkHref.empty() ? HTMLBlock::Kind::Link : kind, inLink ? linkHref : std::string());
  return doc;
}
