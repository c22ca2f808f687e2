#include "toolkit/network/TTMD5.h"

#include <nettle/md5.h>

#include <cstdio>

std::string TTMD5HexDigest(const std::string& text) {
  md5_ctx context;
  md5_init(&context);
  md5_update(&context, text.size(), reinterpret_cast<const uint8_t*>(text.data()));
  uint8_t digest[MD5_DIGEST_SIZE];
  md5_digest(&context, sizeof digest, digest);
  std::string hex;
  char pair[3];
  for (uint8_t byte : digest) {
    std::snprintf(pair, sizeof pair, "%02x", byte);
    hex += pair;
  }
  return hex;
}
