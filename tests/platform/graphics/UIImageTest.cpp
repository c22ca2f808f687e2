#include "platform/graphics/UIImage.h"
#include "platform/foundation/Log.h"
#include "platform/graphics/ImageCodec.h"
#include "platform/graphics/PixelFile.h"
#include "tests/platform/graphics/Pixels.h"
#include "tests/support/FullDisk.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

// An image of w x h pixels at the scale, filled with one colour.
UIImagePtr solidImage(int w, int h, double r, double g, double b, double a = 1, double scale = 1) {
    CairoSurface s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
    Cairo cr(cairo_create(s.get()));
    cairo_set_source_rgba(cr.get(), r, g, b, a);
    cairo_paint(cr.get());
    cr.reset();
    return std::make_shared<UIImage>(s.get(), scale);
}

// 4 x 4 pixels: an opaque red 2 x 2 block at the top-left, the rest transparent.
UIImagePtr cornerImage() {
    CairoSurface s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 4, 4));
    Cairo cr(cairo_create(s.get()));
    cairo_set_source_rgba(cr.get(), 1, 0, 0, 1);
    cairo_rectangle(cr.get(), 0, 0, 2, 2);
    cairo_fill(cr.get());
    cr.reset();
    return std::make_shared<UIImage>(s.get(), 1.0);
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class ScreenScale {
public:
    explicit ScreenScale(double s) : saved_(UIGraphicsGetScreenScale()) { UIGraphicsSetScreenScale(s); }
    ~ScreenScale() { UIGraphicsSetScreenScale(saved_); }
private:
    double saved_;
};

TEST(UIImage, PngAndJpegRoundTrip) {
    UIImagePtr image = cornerImage();
    std::vector<uint8_t> png = UIImagePNGRepresentation(*image);
    UIImagePtr decoded = UIImage::imageWithData(png);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->pixelWidth(), 4);
    EXPECT_EQ(decoded->pixelAt(0, 0).r, 255);
    EXPECT_EQ(decoded->pixelAt(3, 3).a, 0);

    UIImagePtr green = solidImage(16, 8, 0, 0.8, 0.2);
    std::vector<uint8_t> jpeg = UIImageJPEGRepresentation(*green, 0.9);
    ASSERT_GT(jpeg.size(), 100u);
    UIImagePtr fromJpeg = UIImage::imageWithData(jpeg, 2.0);
    ASSERT_TRUE(fromJpeg);
    EXPECT_EQ(fromJpeg->size(), CGSizeMake(8, 4));
    UIImage::Pixel p = fromJpeg->pixelAt(5, 5);
    EXPECT_NEAR(p.g, 204, 4);
    EXPECT_NEAR(p.b, 51, 4);
    EXPECT_EQ(p.a, 255);

    std::string path = testOutputDir() + "/roundtrip.png";
    ASSERT_TRUE(UIImageWritePNGToFile(*image, path));
    UIImagePtr fromFile = UIImage::imageWithContentsOfFile(path);
    ASSERT_TRUE(fromFile);
    EXPECT_EQ(fromFile->pixelAt(1, 1).r, 255);
    EXPECT_FALSE(std::filesystem::exists(path + ".partial"));
}

TEST(UIImage, RejectsBadDataWithALogLine) {
    std::vector<uint8_t> png = UIImagePNGRepresentation(*cornerImage());
    std::vector<uint8_t> jpeg = UIImageJPEGRepresentation(*solidImage(32, 32, 0.2, 0.4, 0.6), 0.8);
    // A PNG header claiming an absurd size.
    std::vector<uint8_t> huge = png;
    huge[16] = 0x7f;
    struct Case { const char* name; std::vector<uint8_t> bytes; } cases[] = {
        {"empty", {}},
        {"garbage", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"truncated png", std::vector<uint8_t>(png.begin(), png.begin() + static_cast<long>(png.size() / 2))},
        {"png header only", std::vector<uint8_t>(png.begin(), png.begin() + 20)},
        {"huge png", huge},
        {"truncated jpeg", std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + static_cast<long>(jpeg.size() / 2))},
    };
    for (const auto& c : cases) {
        LogCapture capture;
        EXPECT_FALSE(UIImage::imageWithData(c.bytes)) << c.name;
        EXPECT_TRUE(capture.contains("cannot decode")) << c.name;
    }
    LogCapture capture;
    EXPECT_FALSE(UIImage::imageWithContentsOfFile(testOutputDir() + "/no-such-image.png"));
}

TEST(UIImage, PicksTheDoubleDensityFileAtScaleTwo) {
    std::string dir = testOutputDir();
    writeFile(dir + "/badge.png", UIImagePNGRepresentation(*solidImage(10, 6, 1, 0, 0)));
    writeFile(dir + "/badge@2x.png", UIImagePNGRepresentation(*solidImage(20, 12, 0, 0, 1)));
    writeFile(dir + "/plain.png", UIImagePNGRepresentation(*solidImage(10, 6, 1, 0, 0)));
    {
        ScreenScale scale(2);
        UIImagePtr image = UIImage::imageWithContentsOfFile(dir + "/badge.png");
        ASSERT_TRUE(image);
        EXPECT_EQ(image->scale(), 2);
        EXPECT_EQ(image->size(), CGSizeMake(10, 6));
        EXPECT_EQ(image->pixelAt(0, 0).b, 255);
        // Without a double-density file the plain one serves at scale 1.
        UIImagePtr plain = UIImage::imageWithContentsOfFile(dir + "/plain.png");
        ASSERT_TRUE(plain);
        EXPECT_EQ(plain->scale(), 1);
    }
    ScreenScale scale(1);
    UIImagePtr image = UIImage::imageWithContentsOfFile(dir + "/badge.png");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->scale(), 1);
    EXPECT_EQ(image->pixelAt(0, 0).r, 255);
    // Asked for by its own name, the double-density file has scale 2.
    EXPECT_EQ(UIImage::imageWithContentsOfFile(dir + "/badge@2x.png")->scale(), 2);
}

TEST(UIImage, APixelFileBesideTheImageIsReadInsteadOfDecodingIt) {
    const std::string dir = testOutputDir();
    ScreenScale scale(1);
    // Translucent (ARGB32) and opaque (RGB24 once decoded from PNG) pixels keep every byte.
    for (double alpha : {0.4, 1.0}) {
        SCOPED_TRACE(alpha);
        std::string error;
        const std::vector<uint8_t> png = UIImagePNGRepresentation(*solidImage(7, 5, 0.2, 0.6, 0.9, alpha));
        CairoSurface decoded = decodeImage(png.data(), png.size(), &error);
        ASSERT_TRUE(decoded) << error;
        ASSERT_TRUE(writePixelFile(decoded.get(), dir + "/kept.pixels", &error)) << error;
        CairoSurface read = readPixelFile(dir + "/kept.pixels", &error);
        ASSERT_TRUE(read) << error;
        EXPECT_EQ(cairo_image_surface_get_format(read.get()), cairo_image_surface_get_format(decoded.get()));
        const size_t bytes = static_cast<size_t>(cairo_image_surface_get_stride(read.get())) * 5;
        EXPECT_EQ(std::memcmp(cairo_image_surface_get_data(read.get()), cairo_image_surface_get_data(decoded.get()), bytes), 0);
    }

    // The pixel file wins over its PNG (the bundle keeps the two the same).
    writeFile(dir + "/wide.png", UIImagePNGRepresentation(*solidImage(8, 2, 1, 0, 0)));
    std::string error;
    CairoSurface blue(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 8, 2));
    {
        Cairo cr(cairo_create(blue.get()));
        cairo_set_source_rgb(cr.get(), 0, 0, 1);
        cairo_paint(cr.get());
    }
    ASSERT_TRUE(writePixelFile(blue.get(), pixelFileFor(dir + "/wide.png"), &error)) << error;
    EXPECT_EQ(pixelFileFor(dir + "/wide.png"), dir + "/wide.pixels");
    UIImagePtr image = UIImage::imageWithContentsOfFile(dir + "/wide.png");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), CGSizeMake(8, 2));
    EXPECT_EQ(image->pixelAt(3, 1).b, 255);

    // A damaged pixel file is said and the PNG decoded after all.
    std::ifstream in(dir + "/wide.pixels", std::ios::binary);
    std::vector<uint8_t> damaged((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    damaged.pop_back();
    writeFile(dir + "/wide.pixels", damaged);
    LogCapture log;
    image = UIImage::imageWithContentsOfFile(dir + "/wide.png");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixelAt(3, 1).r, 255);
    EXPECT_TRUE(log.contains("wide.pixels"));
}

TEST(UIImage, APixelFileWrittenAgainLeavesTheImagesReadFromItAsTheyWere) {
    const std::string dir = testOutputDir();
    auto solid = [](double r, double g, double b) {
        CairoSurface s(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 8, 2));
        Cairo cr(cairo_create(s.get()));
        cairo_set_source_rgb(cr.get(), r, g, b);
        cairo_paint(cr.get());
        return s;
    };
    auto pixel = [](cairo_surface_t* s) {
        cairo_surface_flush(s);
        return reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s))[9] & 0xffffff;
    };
    const std::string path = dir + "/shown.pixels";
    std::string error;
    ASSERT_TRUE(writePixelFile(solid(0, 0, 1).get(), path, &error)) << error;
    CairoSurface shown = readPixelFile(path, &error);
    ASSERT_TRUE(shown) << error;
    // Written again (as a build does) while the first image is still on screen.
    ASSERT_TRUE(writePixelFile(solid(1, 0, 0).get(), path, &error)) << error;
    EXPECT_EQ(pixel(shown.get()), 0x0000ffu);
    CairoSurface fresh = readPixelFile(path, &error);
    ASSERT_TRUE(fresh) << error;
    EXPECT_EQ(pixel(fresh.get()), 0xff0000u);
    auto leftovers = [&] {
        int n = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir))
            n += entry.path().filename().string().rfind("shown.pixels.", 0) == 0;
        return n;
    };
    EXPECT_EQ(leftovers(), 0);

    // A write that cannot finish (a full disk) leaves the file there as it was.
    {
        FullDisk full(dir);
        EXPECT_FALSE(writePixelFile(solid(0, 1, 0).get(), path, &error));
    }
    EXPECT_EQ(leftovers(), 0);
    EXPECT_EQ(pixel(readPixelFile(path, &error).get()), 0xff0000u);
}

TEST(UIImage, BadPixelFilesAreRefusedWithAReason) {
    const std::string dir = testOutputDir();
    auto header = [](const char* magic, uint32_t w, uint32_t h, uint32_t format) {
        std::vector<uint8_t> out(magic, magic + 8);
        for (uint32_t v : {w, h, format})
            for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
        return out;
    };
    auto withBody = [](std::vector<uint8_t> bytes, size_t body) {
        bytes.resize(bytes.size() + body, 0x7f);
        return bytes;
    };
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"empty", {}, "not a pixel file"},
        {"png", UIImagePNGRepresentation(*solidImage(2, 2, 1, 0, 0)), "not a pixel file"},
        {"short body", withBody(header("LUMPIX01", 2, 2, CAIRO_FORMAT_ARGB32), 15), "does not match"},
        {"long body", withBody(header("LUMPIX01", 2, 2, CAIRO_FORMAT_ARGB32), 17), "does not match"},
        {"no width", withBody(header("LUMPIX01", 0, 2, CAIRO_FORMAT_ARGB32), 0), "out of range"},
        {"huge", withBody(header("LUMPIX01", 100000, 100000, CAIRO_FORMAT_ARGB32), 16), "out of range"},
        {"a8 format", withBody(header("LUMPIX01", 4, 1, CAIRO_FORMAT_A8), 4), "out of range"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(dir + "/bad.pixels", c.bytes);
        std::string error;
        EXPECT_FALSE(readPixelFile(dir + "/bad.pixels", &error));
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
    std::string error;
    EXPECT_FALSE(readPixelFile(dir + "/missing.pixels", &error));
    EXPECT_FALSE(error.empty());
}

TEST(UIImage, DrawsUprightAndPlatformBitmapDrawingFlips) {
    UIImagePtr image = cornerImage();
    auto ctx = makeContext(4, 4);
    UIGraphicsPushContext(ctx.get());
    image->drawAtPoint(CGPointZero);
    UIGraphicsPopContext();
    EXPECT_EQ(pixelOf(*ctx, 0, 0).r, 255);
    EXPECT_EQ(pixelOf(*ctx, 0, 3).a, 0);

    // The bitmap call puts the top row at the bottom of a y-down space...
    auto flipped = makeContext(4, 4);
    flipped->drawImage(CGRectMake(0, 0, 4, 4), *image);
    EXPECT_EQ(pixelOf(*flipped, 0, 3).r, 255);
    EXPECT_EQ(pixelOf(*flipped, 0, 0).a, 0);
    // ...and the callers' flip makes it upright.
    auto upright = makeContext(4, 4);
    upright->translateCTM(0, 4);
    upright->scaleCTM(1, -1);
    upright->drawImage(CGRectMake(0, 0, 4, 4), *image);
    EXPECT_EQ(pixelOf(*upright, 0, 0).r, 255);
    EXPECT_EQ(pixelOf(*upright, 0, 3).a, 0);
}

TEST(UIImage, GlyphLayerIdiomKeepsImagesUpright) {
    // A layer made from a scale 2 context, flipped, the image drawn in, the layer drawn into a rect.
    UIImagePtr image = cornerImage();
    auto ctx = makeContext(8, 8, 2);
    CGLayerRef layer = CGLayer::createWithContext(ctx.get(), image->size());
    ASSERT_TRUE(layer);
    layer->context()->translateCTM(0, image->size().height);
    layer->context()->scaleCTM(1, -1);
    layer->context()->drawImage(CGRectMake(0, 0, 4, 4), *image);
    ctx->drawLayerInRect(*layer, CGRectMake(0, 0, 8, 8));
    EXPECT_EQ(pixelOf(*ctx, 1, 1).r, 255);
    EXPECT_EQ(pixelOf(*ctx, 14, 14).a, 0);
    EXPECT_EQ(pixelOf(*ctx, 1, 14).a, 0);
}

TEST(UIImage, TintsThroughItsAlpha) {
    UIImagePtr image = cornerImage();
    UIImagePtr tinted = image->copyImageWithColor(*UIColor::colorWithRed(0, 0.5, 1, 1));
    ASSERT_TRUE(tinted);
    EXPECT_EQ(tinted->size(), image->size());
    UIImage::Pixel in = tinted->pixelAt(0, 0), out = tinted->pixelAt(3, 3), below = tinted->pixelAt(0, 3);
    EXPECT_EQ(in.a, 255);
    EXPECT_NEAR(in.g, 128, 1);
    EXPECT_EQ(in.b, 255);
    EXPECT_EQ(in.r, 0);
    EXPECT_EQ(out.a, 0);
    EXPECT_EQ(below.a, 0);  // not flipped

    // Partial alpha is kept.
    UIImagePtr faint = solidImage(2, 2, 1, 1, 1, 0.5);
    UIImage::Pixel f = faint->copyImageWithColor(*UIColor::blackColor())->pixelAt(1, 1);
    EXPECT_NEAR(f.a, 128, 1);
    EXPECT_EQ(f.r, 0);
}

TEST(UIImage, StretchableImageKeepsItsCaps) {
    // 5 x 3 points: columns red, red, green (the stretching column), blue, blue.
    CairoSurface s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 5, 3));
    Cairo cr(cairo_create(s.get()));
    const double colours[5][3] = {{1, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 1}};
    for (int x = 0; x < 5; ++x) {
        cairo_set_source_rgb(cr.get(), colours[x][0], colours[x][1], colours[x][2]);
        cairo_rectangle(cr.get(), x, 0, 1, 3);
        cairo_fill(cr.get());
    }
    cr.reset();
    auto base = std::make_shared<UIImage>(s.get(), 1.0);
    UIImagePtr stretchable = base->stretchableImageWithLeftCapWidth(2, 0);
    EXPECT_EQ(stretchable->leftCapWidth(), 2);
    auto ctx = makeContext(30, 10);
    UIGraphicsPushContext(ctx.get());
    stretchable->drawInRect(CGRectMake(0, 0, 30, 10));
    UIGraphicsPopContext();
    struct Case { int x; Rgba expected; } cases[] = {
        {0, Rgba{255, 0, 0, 255}}, {1, Rgba{255, 0, 0, 255}}, {3, {0, 255, 0, 255}}, {15, {0, 255, 0, 255}}, {28, {0, 0, 255, 255}}, {29, {0, 0, 255, 255}}};
    for (const auto& c : cases) EXPECT_TRUE(near(pixelOf(*ctx, c.x, 5), c.expected)) << c.x << describe(pixelOf(*ctx, c.x, 5));
    // A cap past the image's size is kept inside it.
    EXPECT_EQ(base->stretchableImageWithLeftCapWidth(159, 152)->leftCapWidth(), 4);
}

}  // namespace
