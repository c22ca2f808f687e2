#include "toolkit/network/TTURLDataResponse.h"

std::optional<NSError> TTURLDataResponse::processResponse(TTURLRequest&, const NSHTTPURLResponse*,
                                                           const TTURLData& data) {
  if (auto* bytes = std::get_if<std::vector<uint8_t>>(&data)) data_ = *bytes;
  return std::nullopt;
}
