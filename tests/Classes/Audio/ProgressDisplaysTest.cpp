// The download displays' size text and the round progress button.

#include <gtest/gtest.h>

#include "Classes/Audio/DownloadProgressText.h"
#include "Classes/Audio/RoundProgressButton.h"
#include "Classes/Core/ChapterInfo.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIImage.h"

namespace {

TEST(DownloadProgressText, SizeInWholeKilobytesOrMegabytes) {
    const struct {
        int bytes;
        const char* text;
    } cases[] = {{0, "-- kB"},          {-5, "-- kB"},        {500, "-- kB"},       {23 * 1024, "23 kB"},
                 {1047552, "1023 kB"},  {1048000, "1023 kB"}, {1048576, "1 MB"},    {5767168, "5 MB"}};
    for (const auto& c : cases) EXPECT_EQ(downloadSizeText(c.bytes), c.text) << c.bytes;
    EXPECT_EQ(downloadProgressText(1, 23 * 1024 + 7), "Downloading " + ChapterInfo::getNameFromNumber(1) + " (23 kB)");
}

// Whether the pixel at (x, y) is opaque white.
bool white(const UIImage& image, int x, int y) {
    const UIImage::Pixel p = image.pixelAt(x, y);
    return p.a > 240 && p.r > 240 && p.g > 240 && p.b > 240;
}

TEST(RoundProgressButton, HalfDiscFromTwelveClockwiseAndTheIndicatorUntilComplete) {
    RoundProgressButton button;
    EXPECT_EQ(button.frame().size.width, 37);
    EXPECT_FALSE(button.activityInd()->isAnimating());
    const CGRect indicator = button.activityInd()->frame();
    EXPECT_NEAR(indicator.size.width, 37 * 0.3, 1e-9);
    EXPECT_NEAR(indicator.origin.x + indicator.size.width / 2, 18.5, 1e-9);

    button.setProgress(0.5f);
    EXPECT_TRUE(button.activityInd()->isAnimating());
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(37, 37), false, 1);
    button.drawRect(button.bounds());
    UIImagePtr drawn = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    ASSERT_TRUE(drawn);
    EXPECT_TRUE(white(*drawn, 26, 10));   // upper right
    EXPECT_TRUE(white(*drawn, 26, 27));   // lower right
    EXPECT_FALSE(white(*drawn, 10, 10));  // left half empty
    EXPECT_FALSE(white(*drawn, 10, 27));

    button.setProgress(1.0f);
    EXPECT_FALSE(button.activityInd()->isAnimating());
}

}  // namespace
