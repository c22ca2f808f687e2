#pragma once
// One parser and one writer behind a single object, with an optional error out-parameter.
// After a failure the facade's own trace is a copy of the failing component's.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "social/json/SBJsonParser.h"
#include "social/json/SBJsonWriter.h"

class SBJSON : public SBJsonBase {
 public:
  SBJSON();

  std::optional<JSONValue> objectWithString(std::optional<std::string_view> text);
  std::optional<std::string> stringWithObject(const JSONValue& value);

  // With allowScalar any value is accepted; on failure `error` receives the outermost record.
  std::optional<JSONValue> objectWithString(std::optional<std::string_view> text, bool allowScalar,
                                            std::shared_ptr<const SBJsonError>* error);
  std::optional<std::string> stringWithObject(const JSONValue& value, bool allowScalar,
                                              std::shared_ptr<const SBJsonError>* error);
  std::optional<JSONValue> objectWithString(std::optional<std::string_view> text, std::shared_ptr<const SBJsonError>* error) {
    return objectWithString(text, false, error);
  }
  std::optional<std::string> stringWithObject(const JSONValue& value, std::shared_ptr<const SBJsonError>* error) {
    return stringWithObject(value, false, error);
  }
  std::optional<JSONValue> fragmentWithString(std::optional<std::string_view> text, std::shared_ptr<const SBJsonError>* error) {
    return objectWithString(text, true, error);
  }
  std::optional<std::string> stringWithFragment(const JSONValue& value, std::shared_ptr<const SBJsonError>* error) {
    return stringWithObject(value, true, error);
  }

  unsigned maxDepth() const override { return jsonParser_->maxDepth(); }
  void setMaxDepth(unsigned depth) override;
  bool humanReadable() const { return jsonWriter_->humanReadable(); }
  void setHumanReadable(bool on) { jsonWriter_->setHumanReadable(on); }
  bool sortKeys() const { return jsonWriter_->sortKeys(); }
  void setSortKeys(bool on) { jsonWriter_->setSortKeys(on); }

 private:
  void takeTrace(const SBJsonBase& component, std::shared_ptr<const SBJsonError>* error);

  std::unique_ptr<SBJsonParser> jsonParser_;
  std::unique_ptr<SBJsonWriter> jsonWriter_;
};
