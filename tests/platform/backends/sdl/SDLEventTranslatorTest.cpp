#include <gtest/gtest.h>

#include "platform/backends/sdl/SDLEventTranslator.h"
#include "platform/foundation/NSTimer.h"
#include "tests/platform/ui/UITestSupport.h"

namespace {
SDL_Event finger(Uint32 type, SDL_FingerID id, float x, float y, SDL_TouchID device = 1)
{
    SDL_Event e{};
    e.type = type;
    e.tfinger.touchId = device;
    e.tfinger.fingerId = id;
    e.tfinger.x = x;
    e.tfinger.y = y;
    return e;
}

SDL_Event mouseButton(Uint32 type, int x, int y, Uint32 which = 0)
{
    SDL_Event e{};
    e.type = type;
    e.button.which = which;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = x;
    e.button.y = y;
    return e;
}

SDL_Event mouseMotion(int x, int y, Uint32 which = 0)
{
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.which = which;
    e.motion.x = x;
    e.motion.y = y;
    return e;
}

SDL_Event key(SDL_Keycode sym, Uint16 mod = 0)
{
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    return e;
}

SDL_Event windowEvent(Uint8 what)
{
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = what;
    return e;
}

// The reading screen's long press: a 0.55 s timer from touch-down.
class PressView : public UIView {
public:
    using UIView::UIView;
    void touchesBegan(const UITouchSet&, UIEvent*) override
    {
        ++began;
        timer = NSTimer::scheduledTimer(0.55, false, [this](NSTimer&) { ++longPresses; });
    }
    void touchesEnded(const UITouchSet&, UIEvent*) override
    {
        ++ended;
        if (timer) timer->invalidate();
    }
    int began = 0, ended = 0, longPresses = 0;
    std::shared_ptr<NSTimer> timer;
};

class SDLEventTranslatorTest : public UITest {
protected:
    double scale() const override { return 2; }
    void SetUp() override
    {
        UITest::SetUp();
        view = std::make_shared<PressView>(CGRectMake(0, 0, 320, 480));
        window->addSubview(view);
        translator.setPixelsPerPoint(2);  // scale 2, zoom 1
    }
    std::vector<InputAction> feed(const SDL_Event& e)
    {
        auto actions = translator.translate(e);
        for (auto& a : actions) SDLEventTranslator::apply(a);
        RunLoop::main().runUntilIdle();
        return actions;
    }
    SDLEventTranslator translator;
    std::shared_ptr<PressView> view;
};
}  // namespace

TEST_F(SDLEventTranslatorTest, ALongPressOnATouchScreenArrivesOnceDespiteSDLsMouseCopy)
{
    // SDL reports the finger, then the same press again as a mouse.
    feed(finger(SDL_FINGERDOWN, 7, 0.25f, 0.5f));
    feed(mouseButton(SDL_MOUSEBUTTONDOWN, 160, 480, SDL_TOUCH_MOUSEID));
    RunLoop::main().advance(300);
    feed(finger(SDL_FINGERMOTION, 7, 0.251f, 0.5f));
    feed(mouseMotion(161, 480, SDL_TOUCH_MOUSEID));
    RunLoop::main().advance(400);
    feed(finger(SDL_FINGERUP, 7, 0.251f, 0.5f));
    feed(mouseButton(SDL_MOUSEBUTTONUP, 161, 480, SDL_TOUCH_MOUSEID));
    EXPECT_EQ(view->began, 1);
    EXPECT_EQ(view->longPresses, 1);
    EXPECT_EQ(view->ended, 1);
}

TEST_F(SDLEventTranslatorTest, MouseBecomesATouchAtThePointUnderIt)
{
    auto down = feed(mouseButton(SDL_MOUSEBUTTONDOWN, 200, 300));
    ASSERT_EQ(down.size(), 1u);
    ASSERT_EQ(down[0].kind, InputAction::Touches);
    EXPECT_EQ(down[0].touches[0].phase, UITouchPhaseBegan);
    EXPECT_DOUBLE_EQ(down[0].touches[0].location.x, 100);  // pixels / 2
    EXPECT_DOUBLE_EQ(down[0].touches[0].location.y, 150);
    EXPECT_TRUE(feed(mouseMotion(10, 10, SDL_TOUCH_MOUSEID)).empty());
    EXPECT_EQ(feed(mouseMotion(210, 300)).size(), 1u);
    // Mouse copies of fingers that SDL may make are ignored.
    EXPECT_TRUE(feed(finger(SDL_FINGERDOWN, 1, 0.5f, 0.5f, SDL_MOUSE_TOUCHID)).empty());
    feed(mouseButton(SDL_MOUSEBUTTONUP, 210, 300));
    EXPECT_EQ(view->began, 1);
    EXPECT_EQ(view->ended, 1);
    EXPECT_TRUE(feed(mouseMotion(220, 300)).empty());  // hovering is no touch
}

TEST_F(SDLEventTranslatorTest, KeysMapToTextRotationAndRemoteControl)
{
    struct Case {
        SDL_Keycode sym;
        Uint16 mod;
        InputAction::Kind kind;
        int detail;
    } cases[] = {
        {SDLK_r, KMOD_LCTRL, InputAction::Rotate, UIDeviceOrientationLandscapeLeft},
        {SDLK_r, KMOD_LCTRL | KMOD_LSHIFT, InputAction::Rotate, UIDeviceOrientationLandscapeRight},
        {SDLK_F11, 0, InputAction::Rotate, UIDeviceOrientationLandscapeLeft},
        {SDLK_AUDIOPLAY, 0, InputAction::RemoteControl, UIEventSubtypeRemoteControlTogglePlayPause},
        {SDLK_AUDIOSTOP, 0, InputAction::RemoteControl, UIEventSubtypeRemoteControlStop},
        {SDLK_AUDIONEXT, 0, InputAction::RemoteControl, UIEventSubtypeRemoteControlNextTrack},
        {SDLK_AUDIOPREV, 0, InputAction::RemoteControl, UIEventSubtypeRemoteControlPreviousTrack},
        {SDLK_RETURN, 0, InputAction::Key, UIResponder::KeyReturn},
        {SDLK_HOME, 0, InputAction::Key, UIResponder::KeyHome},
        {SDLK_BACKSPACE, 0, InputAction::DeleteBackward, 0},
    };
    for (auto& c : cases) {
        auto actions = translator.translate(key(c.sym, c.mod));
        ASSERT_EQ(actions.size(), 1u) << c.sym;
        EXPECT_EQ(actions[0].kind, c.kind) << c.sym;
        int detail = c.kind == InputAction::Rotate          ? actions[0].orientation
                     : c.kind == InputAction::RemoteControl ? actions[0].subtype
                     : c.kind == InputAction::Key           ? actions[0].key
                                                            : 0;
        EXPECT_EQ(detail, c.detail) << c.sym;
    }
    EXPECT_TRUE(translator.translate(key(SDLK_r)).empty());  // plain r is text, not a command

    // The rotate key turns back to portrait from landscape.
    feed(key(SDLK_F11));
    EXPECT_EQ(UIApplication::sharedApplication().statusBarOrientation(), UIInterfaceOrientationLandscapeRight);
    feed(key(SDLK_F11));
    EXPECT_EQ(UIApplication::sharedApplication().statusBarOrientation(), UIInterfaceOrientationPortrait);

    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    std::snprintf(text.text.text, sizeof text.text.text, "%s", "بسم");
    auto t = translator.translate(text);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].text, "بسم");
}

TEST_F(SDLEventTranslatorTest, WindowFocusAndMinimisingDriveTheLifeCycle)
{
    auto& app = UIApplication::sharedApplication();
    app.launch();
    feed(windowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
    EXPECT_EQ(app.applicationState(), UIApplicationStateInactive);
    feed(windowEvent(SDL_WINDOWEVENT_MINIMIZED));
    EXPECT_EQ(app.applicationState(), UIApplicationStateBackground);
    feed(windowEvent(SDL_WINDOWEVENT_RESTORED));
    EXPECT_EQ(app.applicationState(), UIApplicationStateActive);
    feed(windowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
    feed(windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
    EXPECT_EQ(app.applicationState(), UIApplicationStateActive);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    auto q = translator.translate(quit);
    ASSERT_EQ(q.size(), 1u);
    EXPECT_EQ(q[0].kind, InputAction::Quit);
}
