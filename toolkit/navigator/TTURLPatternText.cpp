#include "toolkit/navigator/TTURLPatternText.h"

#include "platform/foundation/StringUtils.h"

std::string TTURLWildcard::convertPropertyOfObject(const TTObjectRef& object) const {
  return selector_ ? selector_->perform(object, argType_) : "";
}

void TTURLWildcard::deduceSelectorForClass(const TTClass* cls) {
  auto keys = str::split(name_, ".");
  if (keys.size() == 1) {
    argType_ = TTPropertyArgumentType(cls, name_);
    selector_ = std::make_shared<TTURLSelector>(name_);
    return;
  }
  selector_.reset();
  std::shared_ptr<TTURLSelector> last;
  for (const auto& key : keys) {
    auto selector = std::make_shared<TTURLSelector>(key);
    if (last) last->setNext(selector);
    else selector_ = selector;
    last = selector;
  }
}
