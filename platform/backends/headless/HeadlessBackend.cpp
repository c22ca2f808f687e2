#include "platform/backends/headless/HeadlessBackend.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Compositor.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIScreen.h"

namespace {
constexpr double kFrameMs = 1000.0 / 60;
}

HeadlessBackend::~HeadlessBackend()
{
    auto* app = UIApplication::existing();
    if (attached_ && app && app->backend() == this) app->setBackend(nullptr);
}

void HeadlessBackend::attach()
{
    UIApplication::sharedApplication().setBackend(this);
    attached_ = true;
}

int HeadlessBackend::run()
{
    if (!attached_) attach();
    RunLoop::main().runUntilIdle();
    UIApplication::sharedApplication().compositor().renderIfNeeded();
    if (!options_.shotsDir.empty()) {
        std::string path = options_.shotsDir + "/screen.png";
        if (!screenshot(path)) return 1;
        NSLog("screenshot written to %@", path);
    }
    return 0;
}

void HeadlessBackend::advance(double milliseconds)
{
    auto& loop = RunLoop::main();
    double left = milliseconds;
    while (left > 1e-9) {
        double step = std::min(left, kFrameMs);
        loop.advance(step);
        left -= step;
        frame();
    }
    loop.runUntilIdle();
}

void HeadlessBackend::runUntilIdle()
{
    RunLoop::main().runUntilIdle();
    frame();
}

void HeadlessBackend::send(long id, UITouchPhase phase, CGPoint displayPoint)
{
    TouchInput in{id, phase, Compositor::screenPointFromDisplayPoint(displayPoint)};
    UIApplication::sharedApplication().handleTouches({in});
    RunLoop::main().runUntilIdle();
}

void HeadlessBackend::sendPair(UITouchPhase phase, CGPoint a, CGPoint b)
{
    UIApplication::sharedApplication().handleTouches(
        {{kScriptPairFirst, phase, Compositor::screenPointFromDisplayPoint(a)},
         {kScriptPairSecond, phase, Compositor::screenPointFromDisplayPoint(b)}});
    RunLoop::main().runUntilIdle();
}

void HeadlessBackend::touchDown(long id, CGPoint p) { send(id, UITouchPhaseBegan, p); }
void HeadlessBackend::touchMove(long id, CGPoint p) { send(id, UITouchPhaseMoved, p); }
void HeadlessBackend::touchUp(long id, CGPoint p) { send(id, UITouchPhaseEnded, p); }
void HeadlessBackend::touchCancel(long id) { send(id, UITouchPhaseCancelled, CGPointZero); }

void HeadlessBackend::tap(CGPoint p, double holdMs)
{
    long id = nextAutoId_++;
    touchDown(id, p);
    advance(holdMs);
    touchUp(id, p);
}

void HeadlessBackend::longPress(CGPoint p, double seconds)
{
    tap(p, seconds * 1000);
}

void HeadlessBackend::drag(CGPoint from, CGPoint to, double durationMs, int steps)
{
    long id = nextAutoId_++;
    steps = std::max(1, steps);
    touchDown(id, from);
    for (int i = 1; i <= steps; ++i) {
        advance(durationMs / steps);
        double t = static_cast<double>(i) / steps;
        touchMove(id, CGPointMake(from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t));
    }
    touchUp(id, to);
}

void HeadlessBackend::twoFingerTap(CGPoint a, CGPoint b, double holdMs)
{
    long ida = nextAutoId_++, idb = nextAutoId_++;
    auto& app = UIApplication::sharedApplication();
    app.handleTouches({{ida, UITouchPhaseBegan, Compositor::screenPointFromDisplayPoint(a)},
                       {idb, UITouchPhaseBegan, Compositor::screenPointFromDisplayPoint(b)}});
    advance(holdMs);
    app.handleTouches({{ida, UITouchPhaseEnded, Compositor::screenPointFromDisplayPoint(a)},
                       {idb, UITouchPhaseEnded, Compositor::screenPointFromDisplayPoint(b)}});
    RunLoop::main().runUntilIdle();
}

void HeadlessBackend::typeText(const std::string& utf8)
{
    UIApplication::sharedApplication().handleText(utf8);
    RunLoop::main().runUntilIdle();
}

void HeadlessBackend::pressKey(int key)
{
    UIApplication::sharedApplication().handleKey(key);
    RunLoop::main().runUntilIdle();
}

void HeadlessBackend::deleteBackward()
{
    UIApplication::sharedApplication().handleDeleteBackward();
    RunLoop::main().runUntilIdle();
}

void HeadlessBackend::remoteControl(UIEventSubtype subtype)
{
    UIApplication::sharedApplication().handleRemoteControl(subtype);
    RunLoop::main().runUntilIdle();
}

void HeadlessBackend::rotate(UIDeviceOrientation orientation)
{
    UIApplication::sharedApplication().deviceDidRotate(orientation);
    RunLoop::main().runUntilIdle();
}

bool HeadlessBackend::frame()
{
    return UIApplication::sharedApplication().compositor().renderIfNeeded();
}

cairo_surface_t* HeadlessBackend::surface()
{
    frame();
    return UIApplication::sharedApplication().compositor().displaySurface();
}

HeadlessBackend::Pixel HeadlessBackend::pixelAt(CGPoint p)
{
    cairo_surface_t* s = surface();
    cairo_surface_flush(s);
    double scale = UIScreen::mainScreen().scale();
    int x = static_cast<int>(std::floor(p.x * scale)), y = static_cast<int>(std::floor(p.y * scale));
    Pixel px;
    if (x < 0 || y < 0 || x >= cairo_image_surface_get_width(s) || y >= cairo_image_surface_get_height(s)) return px;
    const unsigned char* row = cairo_image_surface_get_data(s) + static_cast<size_t>(y) * cairo_image_surface_get_stride(s);
    uint32_t v = reinterpret_cast<const uint32_t*>(row)[x];
    bool opaque = cairo_image_surface_get_format(s) == CAIRO_FORMAT_RGB24;
    int a = opaque ? 255 : static_cast<int>(v >> 24);
    auto un = [&](int c) { return a == 0 ? 0 : std::min(255, (c * 255 + a / 2) / a); };
    px.r = un((v >> 16) & 0xff);
    px.g = un((v >> 8) & 0xff);
    px.b = un(v & 0xff);
    px.a = a;
    return px;
}

bool HeadlessBackend::screenshot(const std::string& path)
{
    frame();
    return UIApplication::sharedApplication().compositor().writePNG(path);
}
