#pragma once
// What a request's response object is given: the received bytes, or an image when the answer
// came from the in-memory image cache. It returns an error to fail the request.

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include "platform/graphics/UIImage.h"
#include "platform/net/NSError.h"
#include "platform/net/NSURLRequest.h"

class TTURLRequest;

using TTURLData = std::variant<std::vector<uint8_t>, UIImagePtr>;

// The toolkit's own error domain.
inline constexpr const char* TTErrorDomain = "TTErrorDomain";
inline constexpr int TTErrorCodeInvalidImage = 101;

class TTURLResponse {
 public:
  virtual ~TTURLResponse() = default;
  // `response` is null when the answer comes from a cache.
  virtual std::optional<NSError> processResponse(TTURLRequest& request, const NSHTTPURLResponse* response,
                                                 const TTURLData& data) = 0;
};
