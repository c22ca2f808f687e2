#include "platform/backends/sdl/SDLEventTranslator.h"

#include "platform/ui/Compositor.h"
#include "platform/ui/UIDevice.h"
#include "platform/ui/UIResponder.h"

CGPoint SDLEventTranslator::screenPointFromPixels(double x, double y) const
{
    double k = pixelsPerPoint_ > 0 ? pixelsPerPoint_ : 1;
    return Compositor::screenPointFromDisplayPoint(CGPointMake(x / k, y / k));
}

CGPoint SDLEventTranslator::screenPointFromNormalized(float x, float y) const
{
    CGSize d = Compositor::displaySize();
    return Compositor::screenPointFromDisplayPoint(CGPointMake(x * d.width, y * d.height));
}

std::vector<InputAction> SDLEventTranslator::translate(const SDL_Event& e)
{
    std::vector<InputAction> out;
    auto touch = [&](long id, UITouchPhase phase, CGPoint p) {
        InputAction a;
        a.kind = InputAction::Touches;
        a.touches.push_back({id, phase, p});
        out.push_back(std::move(a));
    };
    switch (e.type) {
    case SDL_MOUSEBUTTONDOWN:
        if (e.button.which == SDL_TOUCH_MOUSEID || e.button.button != SDL_BUTTON_LEFT) break;
        mouseDown_ = true;
        touch(kMouseTouchId, UITouchPhaseBegan, screenPointFromPixels(e.button.x, e.button.y));
        break;
    case SDL_MOUSEMOTION:
        if (e.motion.which == SDL_TOUCH_MOUSEID || !mouseDown_) break;
        touch(kMouseTouchId, UITouchPhaseMoved, screenPointFromPixels(e.motion.x, e.motion.y));
        break;
    case SDL_MOUSEBUTTONUP:
        if (e.button.which == SDL_TOUCH_MOUSEID || e.button.button != SDL_BUTTON_LEFT || !mouseDown_) break;
        mouseDown_ = false;
        touch(kMouseTouchId, UITouchPhaseEnded, screenPointFromPixels(e.button.x, e.button.y));
        break;
    case SDL_FINGERDOWN: {
        if (e.tfinger.touchId == SDL_MOUSE_TOUCHID) break;
        if (fingers_.count(e.tfinger.fingerId)) break;
        long id = nextTouchId_++;
        fingers_[e.tfinger.fingerId] = id;
        touch(id, UITouchPhaseBegan, screenPointFromNormalized(e.tfinger.x, e.tfinger.y));
        break;
    }
    case SDL_FINGERMOTION: {
        if (e.tfinger.touchId == SDL_MOUSE_TOUCHID) break;
        auto it = fingers_.find(e.tfinger.fingerId);
        if (it == fingers_.end()) break;
        touch(it->second, UITouchPhaseMoved, screenPointFromNormalized(e.tfinger.x, e.tfinger.y));
        break;
    }
    case SDL_FINGERUP: {
        if (e.tfinger.touchId == SDL_MOUSE_TOUCHID) break;
        auto it = fingers_.find(e.tfinger.fingerId);
        if (it == fingers_.end()) break;
        long id = it->second;
        fingers_.erase(it);
        touch(id, UITouchPhaseEnded, screenPointFromNormalized(e.tfinger.x, e.tfinger.y));
        break;
    }
    case SDL_TEXTINPUT: {
        InputAction a;
        a.kind = InputAction::Text;
        a.text = e.text.text;
        out.push_back(std::move(a));
        break;
    }
    case SDL_KEYDOWN: keyDown(e.key, out); break;
    case SDL_WINDOWEVENT:
        switch (e.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED: out.push_back(InputAction::of(InputAction::BecomeActive)); break;
        case SDL_WINDOWEVENT_FOCUS_LOST: out.push_back(InputAction::of(InputAction::ResignActive)); break;
        case SDL_WINDOWEVENT_MINIMIZED:
            minimized_ = true;
            out.push_back(InputAction::of(InputAction::EnterBackground));
            break;
        case SDL_WINDOWEVENT_RESTORED:
            if (minimized_) {
                minimized_ = false;
                out.push_back(InputAction::of(InputAction::EnterForeground));
            }
            out.push_back(InputAction::of(InputAction::Redraw));
            break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED: out.push_back(InputAction::of(InputAction::Redraw)); break;
        default: break;
        }
        break;
    case SDL_QUIT: out.push_back(InputAction::of(InputAction::Quit)); break;
    default: break;
    }
    return out;
}

void SDLEventTranslator::keyDown(const SDL_KeyboardEvent& key, std::vector<InputAction>& out)
{
    SDL_Keycode sym = key.keysym.sym;
    bool ctrl = (key.keysym.mod & KMOD_CTRL) != 0;
    auto remote = [&](UIEventSubtype s) {
        InputAction a;
        a.kind = InputAction::RemoteControl;
        a.subtype = s;
        out.push_back(a);
    };
    auto k = [&](int code) {
        InputAction a;
        a.kind = InputAction::Key;
        a.key = code;
        out.push_back(a);
    };
    if ((ctrl && sym == SDLK_r) || sym == SDLK_F11) {
        if (key.repeat) return;
        InputAction a;
        a.kind = InputAction::Rotate;
        const bool shift = (key.keysym.mod & KMOD_SHIFT) != 0;
        a.orientation = UIInterfaceOrientationIsLandscape(UIApplication::sharedApplication().statusBarOrientation())
                            ? UIDeviceOrientationPortrait
                        : shift ? UIDeviceOrientationLandscapeRight
                                : UIDeviceOrientationLandscapeLeft;
        out.push_back(a);
        return;
    }
    switch (sym) {
    case SDLK_AUDIOPLAY: remote(UIEventSubtypeRemoteControlTogglePlayPause); break;
    case SDLK_AUDIOSTOP: remote(UIEventSubtypeRemoteControlStop); break;
    case SDLK_AUDIONEXT: remote(UIEventSubtypeRemoteControlNextTrack); break;
    case SDLK_AUDIOPREV: remote(UIEventSubtypeRemoteControlPreviousTrack); break;
    case SDLK_BACKSPACE: out.push_back(InputAction::of(InputAction::DeleteBackward)); break;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: k(UIResponder::KeyReturn); break;
    case SDLK_ESCAPE: k(UIResponder::KeyEscape); break;
    case SDLK_TAB: k(UIResponder::KeyTab); break;
    case SDLK_LEFT: k(UIResponder::KeyLeft); break;
    case SDLK_RIGHT: k(UIResponder::KeyRight); break;
    case SDLK_UP: k(UIResponder::KeyUp); break;
    case SDLK_DOWN: k(UIResponder::KeyDown); break;
    case SDLK_HOME: k(UIResponder::KeyHome); break;
    case SDLK_END: k(UIResponder::KeyEnd); break;
    case SDLK_PAGEUP: k(UIResponder::KeyPageUp); break;
    case SDLK_PAGEDOWN: k(UIResponder::KeyPageDown); break;
    case SDLK_DELETE: k(UIResponder::KeyDelete); break;
    default: break;
    }
}

void SDLEventTranslator::apply(const InputAction& a)
{
    auto& app = UIApplication::sharedApplication();
    switch (a.kind) {
    case InputAction::Touches: app.handleTouches(a.touches); break;
    case InputAction::Text: app.handleText(a.text); break;
    case InputAction::Key: app.handleKey(a.key); break;
    case InputAction::DeleteBackward: app.handleDeleteBackward(); break;
    case InputAction::RemoteControl: app.handleRemoteControl(a.subtype); break;
    case InputAction::Rotate: app.deviceDidRotate(a.orientation); break;
    case InputAction::BecomeActive: app.becomeActive(); break;
    case InputAction::ResignActive: app.resignActive(); break;
    case InputAction::EnterBackground: app.enterBackground(); break;
    case InputAction::EnterForeground: app.enterForeground(); break;
    case InputAction::Quit: break;  // the program ends its loop, then terminates
    case InputAction::Redraw: app.setNeedsFrame(); break;
    }
}
