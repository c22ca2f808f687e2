#pragma once
// The desktop clipboard through SDL (needs SDL's video started, as the window does).

#include "platform/services/ClipboardBackend.h"

class SDLClipboard : public ClipboardBackend {
 public:
  bool setText(const std::string& utf8) override;
  std::optional<std::string> text() const override;
};
