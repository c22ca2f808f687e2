#include "social/json/SBJSON.h"

SBJSON::SBJSON() : jsonParser_(std::make_unique<SBJsonParser>()), jsonWriter_(std::make_unique<SBJsonWriter>()) {}

void SBJSON::setMaxDepth(unsigned depth) {
  SBJsonBase::setMaxDepth(depth);
  jsonParser_->setMaxDepth(depth);
  jsonWriter_->setMaxDepth(depth);
}

void SBJSON::takeTrace(const SBJsonBase& component, std::shared_ptr<const SBJsonError>* error) {
  setErrorTrace(component.errorTrace());
  if (error && component.errorTrace() && !component.errorTrace()->empty()) *error = component.errorTrace()->back();
}

std::optional<JSONValue> SBJSON::objectWithString(std::optional<std::string_view> text) {
  return objectWithString(text, false, nullptr);
}

std::optional<std::string> SBJSON::stringWithObject(const JSONValue& value) {
  return stringWithObject(value, false, nullptr);
}

std::optional<JSONValue> SBJSON::objectWithString(std::optional<std::string_view> text, bool allowScalar,
                                                  std::shared_ptr<const SBJsonError>* error) {
  std::optional<JSONValue> value =
      allowScalar ? jsonParser_->fragmentWithString(text) : jsonParser_->objectWithString(text);
  if (!value) takeTrace(*jsonParser_, error);
  return value;
}

std::optional<std::string> SBJSON::stringWithObject(const JSONValue& value, bool allowScalar,
                                                    std::shared_ptr<const SBJsonError>* error) {
  std::optional<std::string> text =
      allowScalar ? jsonWriter_->stringWithFragment(value) : jsonWriter_->stringWithObject(value);
  if (!text) takeTrace(*jsonWriter_, error);
  return text;
}
