#include "toolkit/foundation/UIImage+TTCategory.h"

#include <cmath>
#include <numbers>

namespace tt {

void addRoundedRectToPath(CGContext& context, CGRect rect, CGFloat radius) {
  context.beginPath();
  if (radius == 0) {
    context.addRect(rect);
    return;
  }
  context.saveGState();
  context.translateCTM(CGRectGetMinX(rect), CGRectGetMinY(rect));
  context.scaleCTM(radius, radius);
  CGFloat w = CGRectGetWidth(rect) / radius;
  CGFloat h = CGRectGetHeight(rect) / radius;
  context.moveToPoint(w, h / 2);
  context.addArcToPoint(w, h, w / 2, h, 1);
  context.addArcToPoint(0, h, 0, h / 2, 1);
  context.addArcToPoint(0, 0, w / 2, 0, 1);
  context.addArcToPoint(w, 0, w, h / 2, 1);
  context.closePath();
  context.restoreGState();
}

UIImagePtr transformWidth(const UIImage& image, CGFloat width, CGFloat height, bool rotate) {
  UIGraphicsBeginImageContextWithOptions(CGSizeMake(width, height), false, 1);
  CGContext* context = UIGraphicsGetCurrentContext();
  CGRect box = CGRectMake(0, 0, width, height);
  UIImageOrientation o = image.imageOrientation();
  if (rotate && context) {
    if (o == UIImageOrientation::Left || o == UIImageOrientation::Right) std::swap(box.size.width, box.size.height);
    if (o == UIImageOrientation::Down) {
      context->translateCTM(width, height);
      context->rotateCTM(std::numbers::pi);
    } else if (o == UIImageOrientation::Left) {
      context->translateCTM(width, 0);
      context->rotateCTM(std::numbers::pi / 2);
    } else if (o == UIImageOrientation::Right) {
      context->translateCTM(0, height);
      context->rotateCTM(-std::numbers::pi / 2);
    }
  }
  image.drawInRect(box);
  UIImagePtr result = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  return result;
}

void drawInRect(const UIImage& image, CGRect rect, UIViewContentMode contentMode) {
  CGSize size = image.size();
  CGFloat x = rect.origin.x, y = rect.origin.y, w = rect.size.width, h = rect.size.height;
  CGFloat iw = size.width, ih = size.height;
  if (iw == w && ih == h) {
    image.drawInRect(rect);
    return;
  }
  auto centred = [&](CGFloat dw, CGFloat dh) {
    return CGRectMake(x + std::floor(w / 2 - dw / 2), y + std::floor(h / 2 - dh / 2), dw, dh);
  };
  auto clipped = [&](CGFloat ix, CGFloat iy) {
    CGContext* context = UIGraphicsGetCurrentContext();
    if (!context) return;
    context->saveGState();
    context->clipToRect(rect);
    image.drawInRect(CGRectMake(ix, iy, iw, ih));
    context->restoreGState();
  };
  if (iw <= 0 || ih <= 0) return;  // nothing to scale
  switch (contentMode) {
    case UIViewContentModeScaleAspectFit:
      if (iw > ih) image.drawInRect(centred(w, std::floor(ih / iw * w)));
      else image.drawInRect(centred(std::floor(iw / ih * h), h));
      break;
    case UIViewContentModeScaleAspectFill:
      if (iw > ih) image.drawInRect(centred(std::floor(iw / ih * h), h));
      else image.drawInRect(centred(w, std::floor(ih / iw * w)));
      break;
    case UIViewContentModeCenter: image.drawInRect(centred(iw, ih)); break;
    case UIViewContentModeTop: clipped(x + std::floor(w / 2 - iw / 2), y); break;
    case UIViewContentModeBottom: clipped(x + std::floor(w / 2 - iw / 2), y + std::floor(h - ih)); break;
    case UIViewContentModeLeft: clipped(x, y + std::floor(h / 2 - ih / 2)); break;
    case UIViewContentModeRight: clipped(x + (w - iw), y + std::floor(h / 2 - ih / 2)); break;
    case UIViewContentModeTopLeft: clipped(x, y); break;
    case UIViewContentModeTopRight: clipped(x + (w - iw), y); break;
    case UIViewContentModeBottomLeft: clipped(x, y + std::floor(h - ih)); break;
    case UIViewContentModeBottomRight: clipped(x + (w - iw), y + (h - ih)); break;
    default: image.drawInRect(rect); break;
  }
}

void drawInRect(const UIImage& image, CGRect rect, CGFloat radius, UIViewContentMode contentMode) {
  CGContext* context = UIGraphicsGetCurrentContext();
  if (!context) return;
  context->saveGState();
  if (radius != 0) {
    addRoundedRectToPath(*context, rect, radius);
    context->clip();
  }
  drawInRect(image, rect, contentMode);
  context->restoreGState();
}

}  // namespace tt
