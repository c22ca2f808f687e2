#include "social/json/JSONDecimal.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

bool isDecimalDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<JSONDecimal> JSONDecimal::fromLiteral(std::string_view text) {
  JSONDecimal d;
  size_t i = 0;
  if (i < text.size() && text[i] == '-') {
    d.negative_ = true;
    ++i;
  }
  std::string mantissa;
  long long exponent = 0;
  for (; i < text.size() && isDecimalDigit(text[i]); ++i) mantissa.push_back(text[i]);
  if (i < text.size() && text[i] == '.') {
    for (++i; i < text.size() && isDecimalDigit(text[i]); ++i) {
      mantissa.push_back(text[i]);
      --exponent;
    }
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
    long long literal = 0;
    for (; i < text.size() && isDecimalDigit(text[i]); ++i)
      if (literal < 1000000000000LL) literal = literal * 10 + (text[i] - '0');  // saturates far out of range
    exponent += negativeExponent ? -literal : literal;
  }
  if (i != text.size() || mantissa.empty()) return std::nullopt;

  size_t first = mantissa.find_first_not_of('0');
  if (first == std::string::npos) return JSONDecimal();  // zero, whatever its exponent or sign
  mantissa.erase(0, first);
  if (mantissa.size() > static_cast<size_t>(kMaxDigits)) {
    const bool roundUp = mantissa[kMaxDigits] >= '5';
    exponent += static_cast<long long>(mantissa.size()) - kMaxDigits;
    mantissa.resize(kMaxDigits);
    if (roundUp) {
      int k = kMaxDigits - 1;
      while (k >= 0 && mantissa[k] == '9') mantissa[k--] = '0';
      if (k >= 0) {
        ++mantissa[k];
      } else {  // 99...9 rounded up: 10^38 is 1 x 10^(exponent + 38)
        mantissa = "1";
        exponent += kMaxDigits;
      }
    }
  }
  while (mantissa.back() == '0') {
    mantissa.pop_back();
    ++exponent;
  }
  // A large exponent can be lowered by padding the mantissa with zeros up to 38 digits.
  const long long lowest = exponent - (kMaxDigits - static_cast<long long>(mantissa.size()));
  if (exponent < kMinExponent || lowest > kMaxExponent) return std::nullopt;
  d.digits_ = std::move(mantissa);
  d.exponent_ = static_cast<int>(exponent);
  return d;
}

JSONDecimal JSONDecimal::fromInteger(long long value) {
  return *fromLiteral(std::to_string(value));
}

std::optional<JSONDecimal> JSONDecimal::fromDouble(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (ec != std::errc()) return std::nullopt;
  return fromLiteral(std::string_view(buffer, static_cast<size_t>(end - buffer)));
}

std::string JSONDecimal::stringValue() const {
  if (digits_.empty()) return "0";
  std::string out = negative_ ? "-" : "";
  if (exponent_ >= 0) {
    out += digits_;
    out.append(static_cast<size_t>(exponent_), '0');
    return out;
  }
  const long long point = static_cast<long long>(digits_.size()) + exponent_;  // digits before the point
  if (point > 0) {
    out.append(digits_, 0, static_cast<size_t>(point));
    out += '.';
    out.append(digits_, static_cast<size_t>(point));
  } else {
    out += "0.";
    out.append(static_cast<size_t>(-point), '0');
    out += digits_;
  }
  return out;
}

long long JSONDecimal::integerValue() const {
  if (digits_.empty()) return 0;
  const long long intDigits = static_cast<long long>(digits_.size()) + exponent_;
  if (intDigits <= 0) return 0;
  if (intDigits > 19) return negative_ ? std::numeric_limits<long long>::min() : std::numeric_limits<long long>::max();
  unsigned long long magnitude = 0;
  for (long long k = 0; k < intDigits; ++k) {
    const int digit = k < static_cast<long long>(digits_.size()) ? digits_[static_cast<size_t>(k)] - '0' : 0;
    if (magnitude > (std::numeric_limits<unsigned long long>::max() - digit) / 10)
      return negative_ ? std::numeric_limits<long long>::min() : std::numeric_limits<long long>::max();
    magnitude = magnitude * 10 + static_cast<unsigned long long>(digit);
  }
  const unsigned long long limit = static_cast<unsigned long long>(std::numeric_limits<long long>::max());
  if (negative_) return magnitude > limit ? std::numeric_limits<long long>::min() : -static_cast<long long>(magnitude);
  return magnitude > limit ? std::numeric_limits<long long>::max() : static_cast<long long>(magnitude);
}

double JSONDecimal::doubleValue() const {
  const std::string text = (negative_ ? "-" : "") + (digits_.empty() ? "0" : digits_) + "e" + std::to_string(exponent_);
  return std::strtod(text.c_str(), nullptr);
}
