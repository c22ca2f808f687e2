#pragma once
// Whole-buffer zlib and gzip compression. An empty buffer is returned unchanged; a failure
// gives no result.

#include <cstdint>
#include <optional>
#include <vector>

namespace NSData {
using Bytes = std::vector<uint8_t>;

std::optional<Bytes> gzipDeflate(const Bytes& data);
// Accepts gzip or zlib input.
std::optional<Bytes> gzipInflate(const Bytes& data);
std::optional<Bytes> zlibDeflate(const Bytes& data);
std::optional<Bytes> zlibInflate(const Bytes& data);
}  // namespace NSData
