#pragma once
// What a script of user actions needs from a backend: one finger, text and keys, turning the
// device, letting time pass, and the screen as a picture. The headless backend plays the
// actions on the run loop's clock (virtual in tests); the SDL window pushes them as events into
// SDL's own queue, so they take the same road as a user's input, on the real clock.

#include <string>

#include "platform/graphics/Geometry.h"
#include "platform/ui/UIKitTypes.h"

class ScriptDriver {
public:
    virtual ~ScriptDriver() = default;

    // The script's finger, in display points (the upright interface as the user sees it).
    virtual void fingerDown(CGPoint displayPoint) = 0;
    virtual void fingerMove(CGPoint displayPoint) = 0;
    virtual void fingerUp(CGPoint displayPoint) = 0;
    // Two fingers of their own that go down, move and lift together (pinches, two-finger drags).
    virtual void fingerPairDown(CGPoint a, CGPoint b) = 0;
    virtual void fingerPairMove(CGPoint a, CGPoint b) = 0;
    virtual void fingerPairUp(CGPoint a, CGPoint b) = 0;

    virtual void typeText(const std::string& utf8) = 0;
    virtual void pressKey(int key) = 0;  // UIResponder::Key
    virtual void deleteBackward() = 0;
    virtual void rotate(UIDeviceOrientation orientation) = 0;

    // Lets this much time pass, running what falls due and drawing frames.
    virtual void advance(double milliseconds) = 0;
    // Runs what is due now; on the real clock, waits until the program has been quiet a while.
    virtual void runUntilIdle() = 0;

    // Writes what the screen shows now; false when it cannot be written.
    [[nodiscard]] virtual bool screenshot(const std::string& path) = 0;
    virtual bool quitRequested() const = 0;
};
