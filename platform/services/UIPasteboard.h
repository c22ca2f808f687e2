#pragma once
// The general pasteboard. Only plain UTF-8 text is carried; it goes to the installed clipboard
// backend (the desktop clipboard in the program, memory otherwise).

#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/services/ClipboardBackend.h"

inline constexpr const char* kUTTypeUTF8PlainText = "public.utf8-plain-text";
inline constexpr const char* kUTTypePlainText = "public.plain-text";
inline constexpr const char* kUTTypeText = "public.text";

class UIPasteboard {
 public:
  static UIPasteboard& generalPasteboard();

  // Replaces the contents. Invalid UTF-8 is repaired (bad bytes become U+FFFD) before it
  // reaches the desktop.
  void setString(const std::string& text);
  std::optional<std::string> string() const;

  // Text types only; false (nothing changed) for any other type.
  bool setValue(const std::string& value, const std::string& pasteboardType);
  std::optional<std::string> valueForPasteboardType(const std::string& pasteboardType) const;
  bool containsPasteboardTypes(const std::string& pasteboardType) const;

  // Installs the backend; none restores the in-memory one.
  void setBackend(std::shared_ptr<ClipboardBackend> backend);

 private:
  UIPasteboard();
  static bool isTextType(const std::string& type);

  mutable std::mutex mutex_;
  std::shared_ptr<ClipboardBackend> backend_;
};
