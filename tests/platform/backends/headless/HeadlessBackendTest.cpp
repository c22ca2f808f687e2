#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdlib>
#include <filesystem>

#include "platform/ui/UITouch.h"
#include "tests/platform/ui/UITestSupport.h"

namespace fs = std::filesystem;

namespace {
// Remembers where its touches were, in its own coordinates, and when.
class TraceView : public UIView {
public:
    using UIView::UIView;
    void touchesBegan(const UITouchSet& t, UIEvent*) override { add(t); }
    void touchesMoved(const UITouchSet& t, UIEvent*) override { add(t); }
    void touchesEnded(const UITouchSet& t, UIEvent*) override { add(t); }
    std::vector<CGPoint> points;
    std::vector<double> times;

private:
    void add(const UITouchSet& t)
    {
        points.push_back((*t.begin())->locationInView(this));
        times.push_back((*t.begin())->timestamp());
    }
};

class HeadlessBackendTest : public UITest {
protected:
    double scale() const override { return 2; }
};
}  // namespace

TEST_F(HeadlessBackendTest, ScreenshotIsAPngOfTheScreenInPixels)
{
    auto box = std::make_shared<UIView>(CGRectMake(0, 100, 320, 100));
    box->setBackgroundColor(UIColor::colorWithRed(0, 0.5, 1, 1));
    window->addSubview(box);
    const char* tmp = std::getenv("LUMENO_TEMP_DIR");
    fs::path dir = fs::path(tmp ? tmp : fs::temp_directory_path().string());
    fs::create_directories(dir);
    fs::path file = dir / "headless-shot.png";
    fs::remove(file);
    ASSERT_TRUE(backend.screenshot(file.string()));

    cairo_surface_t* s = cairo_image_surface_create_from_png(file.c_str());
    ASSERT_EQ(cairo_surface_status(s), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(s), 640);
    EXPECT_EQ(cairo_image_surface_get_height(s), 960);
    const unsigned char* row = cairo_image_surface_get_data(s) + 300 * cairo_image_surface_get_stride(s);
    uint32_t px = reinterpret_cast<const uint32_t*>(row)[100] & 0xffffff;
    EXPECT_NEAR(static_cast<int>((px >> 8) & 0xff), 128, 1);
    EXPECT_EQ(px & 0xff, 255u);
    cairo_surface_destroy(s);

    EXPECT_FALSE(backend.screenshot((dir / "missing-folder" / "x.png").string()));
}

TEST_F(HeadlessBackendTest, DragMovesOnTheVirtualClock)
{
    auto v = std::make_shared<TraceView>(CGRectMake(0, 0, 320, 480));
    window->addSubview(v);
    double start = RunLoop::main().now();
    backend.drag(CGPointMake(10, 10), CGPointMake(110, 210), 200, 4);
    ASSERT_EQ(v->points.size(), 6u);  // down, four moves, up
    EXPECT_DOUBLE_EQ(v->points[2].x, 60);
    EXPECT_DOUBLE_EQ(v->points[2].y, 110);
    EXPECT_NEAR(v->times.back() - start, 0.2, 1e-9);
}

TEST_F(HeadlessBackendTest, InLandscapeTouchesUseTheUprightDisplay)
{
    // The interface's root view turned for landscape-right, as the hosting layer does.
    auto root = std::make_shared<TraceView>(CGRectMake(0, 0, 480, 320));
    root->setCenter(CGPointMake(160, 240));
    root->setTransform(CGAffineTransformMakeRotation(M_PI / 2));
    window->addSubview(root);
    backend.rotate(UIDeviceOrientationLandscapeLeft);
    backend.tap(CGPointMake(30, 40));  // near the display's top-left corner
    ASSERT_FALSE(root->points.empty());
    EXPECT_NEAR(root->points[0].x, 30, 1e-9);
    EXPECT_NEAR(root->points[0].y, 40, 1e-9);
}
