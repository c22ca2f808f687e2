#pragma once
// Standard Base64 (RFC 4648 alphabet, "=" padding, no line breaks).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace NSData {
// White space and "=" are skipped anywhere; any other character outside the alphabet, a
// non-ASCII text or a final group of one character gives no result.
std::optional<std::vector<uint8_t>> dataWithBase64EncodedString(const std::string& text);
std::string base64Encoding(const std::vector<uint8_t>& data);
}  // namespace NSData
