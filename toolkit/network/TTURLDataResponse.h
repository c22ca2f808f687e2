#pragma once
// Keeps the received bytes; an image from the memory cache leaves it empty.

#include "toolkit/network/TTURLResponse.h"

class TTURLDataResponse : public TTURLResponse {
 public:
  std::optional<NSError> processResponse(TTURLRequest& request, const NSHTTPURLResponse* response,
                                         const TTURLData& data) override;
  const std::optional<std::vector<uint8_t>>& data() const { return data_; }

 private:
  std::optional<std::vector<uint8_t>> data_;
};
