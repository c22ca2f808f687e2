#pragma once
// Where the pasteboard's text lives: the desktop clipboard (SDL backend) or memory.

#include <optional>
#include <string>

class ClipboardBackend {
 public:
  virtual ~ClipboardBackend() = default;
  virtual bool setText(const std::string& utf8) = 0;
  virtual std::optional<std::string> text() const = 0;
};
