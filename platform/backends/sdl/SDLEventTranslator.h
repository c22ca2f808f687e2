#pragma once
// Turns SDL events into the application's input: mouse and fingers become
// touches (in screen points), text and keys go to the first responder, media
// keys become remote-control events, window focus and minimising become the
// application's life-cycle calls. SDL reports a finger twice (as a finger and
// as a mouse with SDL_TOUCH_MOUSEID) and may mirror the mouse as a finger
// (SDL_MOUSE_TOUCHID); the copies are dropped so each touch arrives once.
//
// Keys: Ctrl+R or F11 turns the device (portrait <-> landscape; with Shift to the
// right-hand landscape), Home is the
// status-bar tap (scroll to top), media keys play/pause/stop/next/previous.

#include <SDL.h>

#include <map>
#include <string>
#include <vector>

#include "platform/graphics/Geometry.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIKitTypes.h"

struct InputAction {
    enum Kind {
        Touches,
        Text,
        Key,
        DeleteBackward,
        RemoteControl,
        Rotate,
        BecomeActive,
        ResignActive,
        EnterBackground,
        EnterForeground,
        Quit,
        Redraw,
    };
    Kind kind = Redraw;
    std::vector<TouchInput> touches;  // Touches (screen points)
    std::string text;                 // Text
    int key = 0;                      // Key (UIResponder::Key)
    UIEventSubtype subtype = UIEventSubtypeNone;             // RemoteControl
    UIDeviceOrientation orientation = UIDeviceOrientationPortrait;  // Rotate

    static InputAction of(Kind kind)
    {
        InputAction a;
        a.kind = kind;
        return a;
    }
};

class SDLEventTranslator {
public:
    // How big the window's drawing area is (pixels) and how many pixels one
    // display point takes (scale times zoom).
    void setPixelsPerPoint(double pixelsPerPoint) { pixelsPerPoint_ = pixelsPerPoint; }

    std::vector<InputAction> translate(const SDL_Event& event);
    // Applies an action to the application; Quit is left to the caller.
    static void apply(const InputAction& action);

private:
    CGPoint screenPointFromPixels(double x, double y) const;
    CGPoint screenPointFromNormalized(float x, float y) const;
    void keyDown(const SDL_KeyboardEvent& key, std::vector<InputAction>& out);

    double pixelsPerPoint_ = 1;
    bool mouseDown_ = false;
    bool minimized_ = false;
    // SDL finger ids to our touch ids.
    std::map<SDL_FingerID, long> fingers_;
    long nextTouchId_ = 1;
    static constexpr long kMouseTouchId = 0;
};
