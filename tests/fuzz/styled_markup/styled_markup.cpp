// Styled-text mark-up of any bytes: parsing with each option, laying out, hit testing and
// reading the text back never crash, and the plain text is never longer than the input (the
// first byte picks the options and is not part of the mark-up).
#include <cstddef>
#include <cstdint>
#include <string>

#include "toolkit/styledtext/TTStyledText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool lineBreaks = data[0] & 1, urls = data[0] & 2;
  const std::string markup(reinterpret_cast<const char*>(data + 1), size - 1);
  TTStyledTextPtr text = TTStyledText::textFromXHTML(markup, lineBreaks, urls);
  if (!text) return 0;
  const std::string plain = text->rootNode()->outerText();
  if (plain.size() > markup.size()) __builtin_trap();
  (void)text->rootNode()->outerHTML();
  text->setWidth(static_cast<CGFloat>(data[0] >> 2) * 4);
  if (text->height() < 0) __builtin_trap();
  (void)text->hitTest(CGPointMake(10, 10));
  (void)text->description();
  return 0;
}
