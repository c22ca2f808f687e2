#pragma once
// Collects the text runs of a piece of mark-up, dropping elements and attributes. The text is
// read as the content of one wrapping element; at the first error (a broken tag, an unknown
// entity, an end tag that does not match) reading stops and the runs found so far are kept.
// Entities: amp, lt, gt, quot, apos, nbsp (a plain space) and numeric character references.

#include <string>
#include <vector>

class TTMarkupStripper {
 public:
  std::string parse(const std::string& text);
  // The runs of the last parse, and whether it reached the end without an error.
  const std::vector<std::string>& strings() const { return strings_; }
  bool completed() const { return completed_; }

 private:
  bool parseElements(const std::string& text);
  std::vector<std::string> strings_;
  bool completed_ = false;
};
