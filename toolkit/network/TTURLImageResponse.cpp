#include "toolkit/network/TTURLImageResponse.h"

#include "toolkit/network/TTURLCache.h"
#include "toolkit/network/TTURLRequest.h"

std::optional<NSError> TTURLImageResponse::processResponse(TTURLRequest& request, const NSHTTPURLResponse*,
                                                           const TTURLData& data) {
  if (auto* image = std::get_if<UIImagePtr>(&data)) {
    if (*image) image_ = *image;
    return std::nullopt;
  }
  const auto& bytes = std::get<std::vector<uint8_t>>(data);
  UIImagePtr image = TTURLCache::sharedCache().imageForURL(request.URL(), false);
  if (!image) image = UIImage::imageWithData(bytes);
  if (!image) return NSError(TTErrorDomain, TTErrorCodeInvalidImage, "The data is not an image");
  if (!request.respondedFromCache()) TTURLCache::sharedCache().storeImage(image, request.URL());
  image_ = image;
  return std::nullopt;
}
