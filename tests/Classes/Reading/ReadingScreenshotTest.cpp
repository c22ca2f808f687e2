// Screens at scale 2: chapter 1 and the Throne Verse in portrait and landscape (docs/reading-*.png).

#include "tests/Classes/Reading/ReadingFixture.h"

#include <algorithm>

#include "platform/ui/UIApplication.h"
#include "tests/support/DocsScreenshot.h"

namespace {

class ReadingScreenshotTest : public ReadingTest {
protected:
    double scale() const override { return 2; }

    void shoot(const std::string& name) { docs_screenshot::shootForDocs(backend, name); }
    // How many sampled points along a horizontal line are dark ink.
    int inkAlong(double y, double x0, double x1) {
        int ink = 0;
        for (double x = x0; x < x1; x += 2) {
            const auto p = backend.pixelAt(CGPoint{x, y});
            if (p.r + p.g + p.b < 300) ++ink;
        }
        return ink;
    }
    // Dark samples within a rectangle (points).
    int inkIn(CGRect r) {
        int ink = 0;
        for (double y = r.origin.y; y < r.origin.y + r.size.height; y += 2) ink += inkAlong(y, r.origin.x, r.origin.x + r.size.width);
        return ink;
    }
};

TEST_F(ReadingScreenshotTest, FatihaWithTranslation) {
    open(1, 1, 3);
    backend.frame();
    const CGRect verse = screen->tblVerses->convertRectToView(
        screen->tblVerses->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0)), nullptr);
    EXPECT_GT(inkIn(CGRect{{70, verse.origin.y}, {240, verse.size.height}}), 20);  // the Arabic is drawn
    const CGRect text = screen->tblVerses->convertRectToView(
        screen->tblVerses->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(1, 0)), nullptr);
    EXPECT_GT(inkIn(CGRect{{65, text.origin.y}, {240, text.size.height}}), 5);  // and its translation
    shoot("reading-1.png");
}

TEST_F(ReadingScreenshotTest, ThroneVersePortraitAndLandscape) {
    open(2, 255, 3);
    backend.frame();
    const CGRect row = screen->tblVerses->convertRectToView(
        screen->tblVerses->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(screen->verseToRow(255), 0)), nullptr);
    EXPECT_NEAR(row.origin.y, screen->tblVerses->convertPointToView(screen->tblVerses->contentOffset(), nullptr).y, 1);
    EXPECT_GT(inkIn(CGRect{{70, row.origin.y}, {240, std::min(row.size.height, 120.0)}}), 20);
    shoot("reading-2-255.png");

    backend.rotate(UIDeviceOrientationLandscapeLeft);
    backend.advance(500);
    backend.frame();
    EXPECT_EQ(topVerse(), 255);
    shoot("reading-2-255-landscape.png");
}

}  // namespace
