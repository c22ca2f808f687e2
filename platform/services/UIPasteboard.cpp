#include "platform/services/UIPasteboard.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/StringUtils.h"

namespace {
class MemoryClipboard : public ClipboardBackend {
 public:
  bool setText(const std::string& utf8) override {
    text_ = utf8;
    return true;
  }
  std::optional<std::string> text() const override { return text_; }

 private:
  std::optional<std::string> text_;
};
}  // namespace

UIPasteboard::UIPasteboard() : backend_(std::make_shared<MemoryClipboard>()) {}

UIPasteboard& UIPasteboard::generalPasteboard() {
  static UIPasteboard board;
  return board;
}

void UIPasteboard::setBackend(std::shared_ptr<ClipboardBackend> backend) {
  std::lock_guard lock(mutex_);
  backend_ = backend ? std::move(backend) : std::make_shared<MemoryClipboard>();
}

bool UIPasteboard::isTextType(const std::string& type) {
  return type == kUTTypeUTF8PlainText || type == kUTTypePlainText || type == kUTTypeText;
}

void UIPasteboard::setString(const std::string& text) {
  std::lock_guard lock(mutex_);
  if (!backend_->setText(str::sanitizeUtf8(text))) NSLog("UIPasteboard: the clipboard refused the text");
}

std::optional<std::string> UIPasteboard::string() const {
  std::lock_guard lock(mutex_);
  return backend_->text();
}

bool UIPasteboard::setValue(const std::string& value, const std::string& pasteboardType) {
  if (!isTextType(pasteboardType)) {
    NSLog("UIPasteboard: type %@ is not supported", pasteboardType);
    return false;
  }
  setString(value);
  return true;
}

std::optional<std::string> UIPasteboard::valueForPasteboardType(const std::string& pasteboardType) const {
  if (!isTextType(pasteboardType)) return std::nullopt;
  return string();
}

bool UIPasteboard::containsPasteboardTypes(const std::string& pasteboardType) const {
  return isTextType(pasteboardType) && string().has_value();
}
