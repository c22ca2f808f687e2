#pragma once
// MD5 digests as cache keys.

#include <string>

// The digest of the text's bytes as 32 lowercase hexadecimal digits.
std::string TTMD5HexDigest(const std::string& text);
