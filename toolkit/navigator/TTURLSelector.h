#pragma once
// One key of a property path ("user.name" is two); reads the key from an object and hands
// the value to the next key.

#include <memory>
#include <string>

#include "toolkit/navigator/TTClass.h"

class TTURLSelector {
 public:
  explicit TTURLSelector(std::string name) : name_(std::move(name)) {}

  const std::string& name() const { return name_; }
  const std::shared_ptr<TTURLSelector>& next() const { return next_; }
  void setNext(std::shared_ptr<TTURLSelector> next) { next_ = std::move(next); }

  // The value at the end of the path as URL text, formatted by its kind (the property's own
  // kind when `type` is none); "" when a key cannot be read.
  std::string perform(const TTObjectRef& object, TTURLArgumentType type) const;

 private:
  std::string name_;
  std::shared_ptr<TTURLSelector> next_;
};

// The kind of a declared property; none when the class has no such property.
TTURLArgumentType TTPropertyArgumentType(const TTClass* cls, const std::string& key);
