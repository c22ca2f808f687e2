#pragma once
// An exact base-10 number: sign, up to 38 significant digits and a power of ten from -128 to
// 127, built from a literal's text without passing through floating point.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class JSONDecimal {
 public:
  static constexpr int kMaxDigits = 38;
  static constexpr int kMinExponent = -128;
  static constexpr int kMaxExponent = 127;

  JSONDecimal() = default;  // zero
  // A JSON number literal (already checked for its grammar); none when it lies outside the
  // range. More than 38 significant digits are rounded half up.
  static std::optional<JSONDecimal> fromLiteral(std::string_view literal);
  static JSONDecimal fromInteger(long long value);
  // The shortest decimal that reads back as the double; none for infinities and NaN.
  static std::optional<JSONDecimal> fromDouble(double value);

  bool isZero() const { return digits_.empty(); }
  bool isNegative() const { return negative_; }
  // Plain notation without exponent: "1500", "-0.025", "0".
  std::string stringValue() const;
  // Truncated towards zero and clamped to the range of long long.
  long long integerValue() const;
  double doubleValue() const;

  bool operator==(const JSONDecimal& other) const = default;

 private:
  bool negative_ = false;
  std::string digits_;  // significant digits, no leading or trailing zeros; empty for zero
  int exponent_ = 0;    // value = digits x 10^exponent
};
