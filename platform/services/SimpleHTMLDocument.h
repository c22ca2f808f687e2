#pragma once
// The reading of an HTML page that the web view's viewer shows: its title and a list of blocks
// (headings, paragraphs, links, images by their alternative text). Scripts, styles and the
// head are skipped; unknown tags keep their text. Never fails: bad mark-up gives what could
// be read.

#include <string>
#include <vector>

struct HTMLBlock {
  enum class Kind { Heading1, Heading2, Heading3, Paragraph, Link, Image, Rule };
  Kind kind = Kind::Paragraph;
  std::string text;  // white space collapsed; for an image its alternative text
  std::string href;  // links; image source for images
  bool rightToLeft = false;
};

struct SimpleHTMLDocument {
  std::string title;
  std::vector<HTMLBlock> blocks;

  static SimpleHTMLDocument parse(const std::string& html);
  // Decodes the named and numeric character references of a text.
  static std::string decodeEntities(const std::string& text);
  // A link target against the page's address: absolute, "/path", "#fragment" or relative.
  static std::string resolve(const std::string& href, const std::string& baseURL);
};
