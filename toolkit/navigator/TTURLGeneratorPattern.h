#pragma once
// A pattern that builds a URL for an object of its class from the object's properties:
// "app://user/(name)" gives "app://user/ann" for a user whose name is "ann".

#include "toolkit/navigator/TTURLPattern.h"

class TTURLGeneratorPattern : public TTURLPattern {
 public:
  explicit TTURLGeneratorPattern(const TTClass* targetClass) : targetClass_(targetClass) {}

  const TTClass* targetClass() const { return targetClass_; }
  const TTClass* classForInvocation() const override { return targetClass_; }

  // False when the pattern is not a URL.
  bool compile();
  // The scheme, then each path piece joined with "/", then "?key=value&..." for the query;
  // the fragment is not generated and nothing is escaped.
  std::string generateURLFromObject(const TTObjectRef& object) const;

 private:
  const TTClass* targetClass_;
};
