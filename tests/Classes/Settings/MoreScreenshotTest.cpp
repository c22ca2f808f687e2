// The More menu and the settings page at scale 2 (docs/more.png, docs/settings.png).

#include "tests/Classes/Settings/SettingsFixture.h"

#include "Classes/Settings/SettingsViewController.h"
#include "tests/support/DocsScreenshot.h"

namespace {

class MoreScreenshotTest : public SettingsTest {
protected:
    double scale() const override { return 2; }
    int brightness(double x, double y) { return docs_screenshot::brightness(backend, CGPointMake(x, y)); }
};

// Turned before Settings opens: the decoration along the bar's top runs across the whole width.
TEST_F(MoreScreenshotTest, SettingsBarIsDecoratedAcrossTheLandscapeWidth) {
    launch();
    backend.rotate(UIDeviceOrientationLandscapeLeft);
    settle();
    openSettings();
    backend.frame();
    for (double y : {1.0, 3.0}) EXPECT_NEAR(brightness(400, y), brightness(100, y), 12) << "row " << y;
}

TEST_F(MoreScreenshotTest, MenuAndSettings) {
    launch();
    // The menu's own top bar is darker than the paper under the rows.
    EXPECT_LT(brightness(160, 5), brightness(300, 400));
    docs_screenshot::shootForDocs(backend, "more.png");

    SettingsViewController& page = openSettings();
    // The brown navigation bar over pale grouped rows.
    EXPECT_LT(brightness(160, 30), brightness(160, 120));
    ASSERT_TRUE(page.switchColoredTrans->window());
    docs_screenshot::shootForDocs(backend, "settings.png");
}

}  // namespace

namespace {

// The sub-pages and the About screen, kept out of docs/.
TEST_F(MoreScreenshotTest, FontSizeAndTajweedPages) {
    launch();
    SettingsViewController& root = openSettings();
    for (NSIndexPath row : {NSIndexPath{1, 0}, NSIndexPath{1, 1}, NSIndexPath{0, 0}}) {
        tapRow(*root.myTableView, row);
        ASSERT_NE(nav->topViewController(), &root);
        docs_screenshot::shoot(backend, "settings-page-" + std::to_string(row.row) + std::to_string(row.section) + ".png");
        nav->popViewControllerAnimated(true);
        settle();
    }
    nav->popViewControllerAnimated(true);
    settle();
    openMenuRow(7);
    ASSERT_TRUE(tabs->modalViewController());
    docs_screenshot::shoot(backend, "about.png");
}

}  // namespace
