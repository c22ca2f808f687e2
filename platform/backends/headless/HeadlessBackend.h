#pragma once
// The backend without a window: the screen is an offscreen surface, time is
// whatever the run loop's clock says (the virtual clock in tests), and input
// comes from synthetic touches, text and keys. Touch points are display points:
// the upright interface as the user sees it (so landscape is wider than tall).

#include <string>
#include <vector>

#include "platform/backends/ScriptDriver.h"
#include "platform/graphics/CairoHandles.h"
#include "platform/graphics/Geometry.h"
#include "platform/ui/Backend.h"
#include "platform/ui/BackendOptions.h"
#include "platform/ui/UIKitTypes.h"

class HeadlessBackend : public Backend, public ScriptDriver {
public:
    HeadlessBackend() = default;
    explicit HeadlessBackend(BackendOptions options) : options_(std::move(options)) {}
    ~HeadlessBackend() override;

    // Registers itself with the application.
    void attach();

    const char* name() const override { return "headless"; }
    // Runs what is due, draws a frame and (with --shots DIR) writes DIR/screen.png.
    int run() override;
    void quit() override { quit_ = true; }
    bool quitRequested() const override { return quit_; }
    void setScreenSaverInhibited(bool inhibited) override { screenSaverInhibited_ = inhibited; }
    bool screenSaverInhibited() const { return screenSaverInhibited_; }

    // --- Time (virtual clock) ---
    // Moves the clock in frame-sized steps, drawing a frame after each.
    void advance(double milliseconds) override;
    void runUntilIdle() override;

    // --- Touches ---
    void touchDown(long id, CGPoint displayPoint);
    void touchMove(long id, CGPoint displayPoint);
    void touchUp(long id, CGPoint displayPoint);
    void touchCancel(long id);
    // The script's finger (one touch id of its own).
    void fingerDown(CGPoint p) override { touchDown(kScriptFinger, p); }
    void fingerMove(CGPoint p) override { touchMove(kScriptFinger, p); }
    void fingerUp(CGPoint p) override { touchUp(kScriptFinger, p); }
    void fingerPairDown(CGPoint a, CGPoint b) override { sendPair(UITouchPhaseBegan, a, b); }
    void fingerPairMove(CGPoint a, CGPoint b) override { sendPair(UITouchPhaseMoved, a, b); }
    void fingerPairUp(CGPoint a, CGPoint b) override { sendPair(UITouchPhaseEnded, a, b); }
    // A finger down and up after `holdMs`.
    void tap(CGPoint p, double holdMs = 50);
    void longPress(CGPoint p, double seconds);
    // From one point to another in `steps` moves over `durationMs`, then up.
    void drag(CGPoint from, CGPoint to, double durationMs = 300, int steps = 10);
    // A quick drag (100 ms).
    void swipe(CGPoint from, CGPoint to) { drag(from, to, 100, 5); }
    // Two fingers down together, then up together.
    void twoFingerTap(CGPoint a, CGPoint b, double holdMs = 50);

    // --- Text, keys, device ---
    void typeText(const std::string& utf8) override;
    void pressKey(int key) override;  // UIResponder::Key
    void deleteBackward() override;
    void remoteControl(UIEventSubtype subtype);
    void rotate(UIDeviceOrientation orientation) override;

    // --- Output ---
    // Draws a frame when something changed; true when it drew.
    bool frame();
    // The display image (upright).
    cairo_surface_t* surface();
    // Un-premultiplied RGBA at a display point (points; the pixel under it).
    struct Pixel {
        int r = 0, g = 0, b = 0, a = 0;
    };
    Pixel pixelAt(CGPoint displayPoint);
    [[nodiscard]] bool screenshot(const std::string& path) override;

private:
    static constexpr long kScriptFinger = 999;
    static constexpr long kScriptPairFirst = 997, kScriptPairSecond = 998;
    void send(long id, UITouchPhase phase, CGPoint displayPoint);
    // Both fingers of the script's pair in one event.
    void sendPair(UITouchPhase phase, CGPoint a, CGPoint b);
    BackendOptions options_;
    bool attached_ = false;
    bool quit_ = false;
    bool screenSaverInhibited_ = false;
    long nextAutoId_ = 1000;
};
