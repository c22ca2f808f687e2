// Redrawing a phone screen at scale 2 (640 x 960 pixels) of 30 labelled and
// image views: every view invalid, and a frame where nothing changed.
// Prints "figure redraw_full_ms" and "figure redraw_unchanged_ms" (medians).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/CGContext.h"
#include "platform/ui/Compositor.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIWindow.h"

namespace {
double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

UIImagePtr makeIcon(double hue)
{
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(40, 40), false, 2);
    auto* ctx = UIGraphicsGetCurrentContext();
    ctx->setRGBFillColor(hue, 0.5, 1 - hue, 1);
    ctx->fillEllipseInRect(CGRectMake(2, 2, 36, 36));
    UIImagePtr img = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return img;
}
}  // namespace

int main()
{
    UIScreen::mainScreen().configure(UIUserInterfaceIdiomPhone, 2);
    HeadlessBackend backend;
    backend.attach();
    auto window = std::make_shared<UIWindow>();
    window->setBackgroundColor(UIColor::whiteColor());
    window->makeKeyAndVisible();

    std::vector<std::shared_ptr<UIView>> views;
    for (int row = 0; row < 15; ++row) {
        double y = 20 + row * 30.0;
        auto icon = std::make_shared<UIImageView>(makeIcon(row / 15.0));
        icon->setFrame(CGRectMake(8, y + 2, 26, 26));
        auto label = std::make_shared<UILabel>(CGRectMake(42, y, 270, 30));
        label->setText("Verse " + std::to_string(row + 1) + ": In the name of God, the Merciful");
        label->setFont(UIFont::fontWithName("Helvetica", 15));
        window->addSubview(icon);
        window->addSubview(label);
        views.push_back(icon);
        views.push_back(label);
    }
    auto& compositor = UIApplication::sharedApplication().compositor();
    compositor.renderIfNeeded();  // warm-up: fonts, surfaces

    using clock = std::chrono::steady_clock;
    std::vector<double> full, unchanged;
    int drawnUnchanged = 0;
    for (int i = 0; i < 60; ++i) {
        for (auto& v : views) v->setNeedsDisplay();
        auto t0 = clock::now();
        compositor.renderIfNeeded();
        auto t1 = clock::now();
        full.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        if (compositor.lastFrameDrawRectCount() != static_cast<int>(views.size())) {
            std::fprintf(stderr, "a full redraw drew %d of %zu views\n", compositor.lastFrameDrawRectCount(), views.size());
            return 1;
        }

        long frames = compositor.framesRendered();
        t0 = clock::now();
        bool drew = compositor.renderIfNeeded();
        t1 = clock::now();
        unchanged.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        if (drew || compositor.framesRendered() != frames) ++drawnUnchanged;
    }
    if (drawnUnchanged) {
        std::fprintf(stderr, "%d unchanged frames were drawn\n", drawnUnchanged);
        return 1;
    }
    std::printf("figure redraw_full_ms %.3f ms\n", median(full));
    std::printf("figure redraw_unchanged_ms %.4f ms\n", median(unchanged));
    return 0;
}
