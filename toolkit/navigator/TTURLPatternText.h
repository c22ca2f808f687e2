#pragma once
// One piece of a URL pattern: a literal that must equal the URL's text, or a wildcard
// "(name)" that takes any text and names an argument or a property path.

#include <climits>
#include <memory>
#include <string>

#include "toolkit/navigator/TTURLSelector.h"

class TTURLPatternText {
 public:
  virtual ~TTURLPatternText() = default;
  virtual bool match(const std::string& text) const = 0;
  // The text a generated URL holds here for the object.
  virtual std::string convertPropertyOfObject(const TTObjectRef& object) const = 0;
};

class TTURLLiteral : public TTURLPatternText {
 public:
  explicit TTURLLiteral(std::string name) : name_(std::move(name)) {}
  const std::string& name() const { return name_; }
  bool match(const std::string& text) const override { return text == name_; }
  std::string convertPropertyOfObject(const TTObjectRef&) const override { return name_; }

 private:
  std::string name_;
};

class TTURLWildcard : public TTURLPatternText {
 public:
  static constexpr int kNotFound = INT_MAX;

  explicit TTURLWildcard(std::string name) : name_(std::move(name)) {}
  const std::string& name() const { return name_; }
  int argIndex() const { return argIndex_; }
  void setArgIndex(int index) { argIndex_ = index; }
  TTURLArgumentType argType() const { return argType_; }
  void setArgType(TTURLArgumentType type) { argType_ = type; }
  const std::shared_ptr<TTURLSelector>& selector() const { return selector_; }

  bool match(const std::string&) const override { return true; }
  std::string convertPropertyOfObject(const TTObjectRef& object) const override;
  // Reads the name as a property path of the class: "a.b" reads b of a.
  void deduceSelectorForClass(const TTClass* cls);

 private:
  std::string name_;
  int argIndex_ = kNotFound;
  TTURLArgumentType argType_ = TTURLArgumentType::None;
  std::shared_ptr<TTURLSelector> selector_;
};
