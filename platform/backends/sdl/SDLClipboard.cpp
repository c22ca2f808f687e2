#include "platform/backends/sdl/SDLClipboard.h"

#include <SDL.h>

#include "platform/foundation/Log.h"

bool SDLClipboard::setText(const std::string& utf8) {
  if (SDL_SetClipboardText(utf8.c_str()) != 0) {
    NSLog("Clipboard: %s", SDL_GetError());
    return false;
  }
  return true;
}

std::optional<std::string> SDLClipboard::text() const {
  if (!SDL_HasClipboardText()) return std::nullopt;
  char* raw = SDL_GetClipboardText();
  if (!raw) return std::nullopt;
  std::string s(raw);
  SDL_free(raw);
  return s;
}
