#pragma once
// Decodes the received bytes as an image (once per load: the first decoded image enters the
// memory cache, where the other requests of the load find it).

#include "toolkit/network/TTURLResponse.h"

class TTURLImageResponse : public TTURLResponse {
 public:
  std::optional<NSError> processResponse(TTURLRequest& request, const NSHTTPURLResponse* response,
                                         const TTURLData& data) override;
  const UIImagePtr& image() const { return image_; }

 private:
  UIImagePtr image_;
};
