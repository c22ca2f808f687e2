#include <gtest/gtest.h>

#include "platform/graphics/CGContext.h"
#include "toolkit/foundation/UIColor+TTCategory.h"
#include "toolkit/foundation/UIFont+TTCategory.h"
#include "toolkit/foundation/UIImage+TTCategory.h"

TEST(ColorCategory, HSVConversions) {
  struct Case { float r, g, b, h, s, v; } cases[] = {
      {1, 0, 0, 0, 1, 1}, {0, 1, 0, 120, 1, 1}, {0, 0, 1, 240, 1, 1},
      {1, 0, 1, 300, 1, 1}, {0.5f, 0.25f, 0.25f, 0, 0.5f, 0.5f}, {0, 0, 0, -1, 0, 0},
  };
  for (const auto& c : cases) {
    float h, s, v;
    RGBToHSV(c.r, c.g, c.b, &h, &s, &v);
    EXPECT_NEAR(h, c.h, 1e-4) << c.r << "," << c.g << "," << c.b;
    EXPECT_NEAR(s, c.s, 1e-4);
    EXPECT_NEAR(v, c.v, 1e-4);
    if (c.v == 0) continue;
    float r, g, b;
    HSVToRGB(h, s, v, &r, &g, &b);
    EXPECT_NEAR(r, c.r, 1e-4);
    EXPECT_NEAR(g, c.g, 1e-4);
    EXPECT_NEAR(b, c.b, 1e-4);
  }
  float r, g, b;
  HSVToRGB(200, 0, 0.3f, &r, &g, &b);
  EXPECT_EQ(r, 0.3f);
  EXPECT_EQ(g, 0.3f);
  EXPECT_EQ(b, 0.3f);
  HSVToRGB(400, 1, 1, &r, &g, &b);  // out of range: the last sector, not wrapped
  EXPECT_EQ(r, 1);
}

TEST(ColorCategory, HighlightAndShadowKeepHueAndAlpha) {
  UIColor blue(0.2, 0.4, 0.8, 0.5);
  auto light = tt::highlight(blue);
  auto dark = tt::shadow(blue);
  EXPECT_LT(tt::saturation(*light), tt::saturation(blue));
  EXPECT_GT(tt::value(*light), tt::value(blue));
  EXPECT_LT(tt::saturation(*dark), tt::saturation(blue));
  EXPECT_LT(tt::value(*dark), tt::value(blue));
  EXPECT_NEAR(tt::hue(*light), tt::hue(blue), 1e-3);
  EXPECT_EQ(light->alpha(), 0.5);
  EXPECT_EQ(dark->alpha(), 0.5);
  EXPECT_EQ(tt::copyWithAlpha(blue, 0.25f)->alpha(), 0.25);
  auto shifted = tt::addHue(blue, 100, 0, 0);
  EXPECT_NEAR(tt::hue(*shifted), tt::hue(blue) + 100, 1e-3);
}

TEST(FontCategory, LineHeightAddsOnePoint) {
  auto font = UIFont::systemFontOfSize(14);
  EXPECT_DOUBLE_EQ(tt::lineHeight(*font), font->ascender() - font->descender() + 1);
}

namespace {
UIImagePtr solid(CGFloat w, CGFloat h) {
  UIGraphicsBeginImageContextWithOptions(CGSizeMake(w, h), false, 1);
  UIGraphicsGetCurrentContext()->setRGBFillColor(1, 0, 0, 1);
  UIGraphicsGetCurrentContext()->fillRect(CGRectMake(0, 0, w, h));
  auto image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  return image;
}

// Draws into a 60 by 60 white canvas and returns which pixels came out red.
struct Canvas {
  UIImagePtr image;
  bool red(int x, int y) const {
    auto p = image->pixelAt(x, y);
    return p.r > 200 && p.g < 50;
  }
  // The bounding box of the red pixels.
  CGRect box() const {
    int minX = 60, minY = 60, maxX = -1, maxY = -1;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 60; ++x)
        if (red(x, y)) minX = std::min(minX, x), minY = std::min(minY, y), maxX = std::max(maxX, x), maxY = std::max(maxY, y);
    if (maxX < 0) return CGRectZero;
    return CGRectMake(minX, minY, maxX - minX + 1, maxY - minY + 1);
  }
};

template <class F>
Canvas draw(F paint) {
  UIGraphicsBeginImageContextWithOptions(CGSizeMake(60, 60), true, 1);
  UIGraphicsGetCurrentContext()->setRGBFillColor(1, 1, 1, 1);
  UIGraphicsGetCurrentContext()->fillRect(CGRectMake(0, 0, 60, 60));
  paint();
  Canvas c{UIGraphicsGetImageFromCurrentImageContext()};
  UIGraphicsEndImageContext();
  return c;
}
}  // namespace

TEST(ImageCategory, ContentModesPlaceTheImageByPixels) {
  struct Case { CGSize image; UIViewContentMode mode; CGRect drawn; } cases[] = {
      {{100, 50}, UIViewContentModeScaleAspectFit, CGRectMake(10, 20, 40, 20)},
      {{50, 100}, UIViewContentModeScaleAspectFit, CGRectMake(20, 10, 20, 40)},
      {{100, 50}, UIViewContentModeScaleAspectFill, CGRectMake(0, 10, 60, 40)},  // overflow drawn, unclipped
      {{20, 20}, UIViewContentModeCenter, CGRectMake(20, 20, 20, 20)},
      {{20, 20}, UIViewContentModeBottomRight, CGRectMake(30, 30, 20, 20)},
      {{20, 20}, UIViewContentModeTopLeft, CGRectMake(10, 10, 20, 20)},
      {{20, 20}, UIViewContentModeTop, CGRectMake(20, 10, 20, 20)},
      {{20, 20}, UIViewContentModeRight, CGRectMake(30, 20, 20, 20)},
      {{60, 60}, UIViewContentModeBottomRight, CGRectMake(10, 10, 40, 40)},  // clipped to the rectangle
      {{20, 20}, UIViewContentModeScaleToFill, CGRectMake(10, 10, 40, 40)},
      {{40, 40}, UIViewContentModeBottomRight, CGRectMake(10, 10, 40, 40)},  // same size: drawn plainly
  };
  for (const auto& c : cases) {
    auto image = solid(c.image.width, c.image.height);
    auto canvas = draw([&] { tt::drawInRect(*image, CGRectMake(10, 10, 40, 40), c.mode); });
    EXPECT_EQ(canvas.box(), c.drawn) << "mode " << c.mode << " image " << c.image.width << "x" << c.image.height;
  }
}

TEST(ImageCategory, RoundedClipCutsTheCornersOnlyWithARadius) {
  auto image = solid(40, 40);
  auto rounded = draw([&] { tt::drawInRect(*image, CGRectMake(10, 10, 40, 40), 10); });
  EXPECT_FALSE(rounded.red(10, 10));
  EXPECT_TRUE(rounded.red(30, 10));
  EXPECT_TRUE(rounded.red(30, 30));
  auto square = draw([&] { tt::drawInRect(*image, CGRectMake(10, 10, 40, 40), 0); });
  EXPECT_TRUE(square.red(10, 10));
}

TEST(ImageCategory, TransformRedrawsAtTheSizeAndTurnsByOrientation) {
  UIGraphicsBeginImageContextWithOptions(CGSizeMake(20, 10), false, 1);
  UIGraphicsGetCurrentContext()->setRGBFillColor(1, 0, 0, 1);
  UIGraphicsGetCurrentContext()->fillRect(CGRectMake(0, 0, 10, 10));  // left half red
  auto half = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();

  auto scaled = tt::transformWidth(*half, 40, 20, false);
  ASSERT_TRUE(scaled);
  EXPECT_EQ(scaled->size(), CGSizeMake(40, 20));
  EXPECT_GT(scaled->pixelAt(5, 10).r, 200);
  EXPECT_LT(scaled->pixelAt(35, 10).a, 50);

  UIImage down(half->surface(), 1, UIImageOrientation::Down);
  auto turned = tt::transformWidth(down, 20, 10, true);
  ASSERT_TRUE(turned);
  EXPECT_LT(turned->pixelAt(2, 5).a, 50);
  EXPECT_GT(turned->pixelAt(17, 5).r, 200);
}
