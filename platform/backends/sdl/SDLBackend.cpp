#include "platform/backends/sdl/SDLBackend.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "platform/backends/sdl/SDLClipboard.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"
#include "platform/graphics/CairoHandles.h"
#include "platform/ui/Compositor.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIDevice.h"
#include "platform/ui/UIResponder.h"
#include "platform/services/UIPasteboard.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/ViewAnimator.h"

void SDLBackend::WindowDeleter::operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
void SDLBackend::RendererDeleter::operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
void SDLBackend::TextureDeleter::operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }

SDLBackend::SDLBackend(BackendOptions options) : options_(std::move(options)) {}

SDLBackend::~SDLBackend()
{
    RunLoop::main().setWakeHandler(nullptr);
    if (auto* app = UIApplication::existing(); app && app->backend() == this) app->setBackend(nullptr);
    if (videoStarted_) UIPasteboard::generalPasteboard().setBackend(nullptr);
    texture_.reset();
    renderer_.reset();
    window_.reset();
    if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool SDLBackend::open(std::string* error)
{
    // Touches and mouse stay separate; the translator drops SDL's copies.
    SDL_SetHint(SDL_HINT_MOUSE_TOUCH_EVENTS, "0");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        if (error) *error = std::string("cannot start the display: ") + SDL_GetError();
        return false;
    }
    videoStarted_ = true;
    CGSize d = Compositor::displaySize();
    // Without a chosen zoom, a screen larger than the desktop is shrunk to fit.
    SDL_Rect usable;
    if (options_.zoom == 1.0 && SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.w > 0 && usable.h > 0) {
        double scale = UIScreen::mainScreen().scale();
        double longest = std::max(d.width, d.height) * scale;
        double room = std::min(usable.w, usable.h) * 0.95;
        if (longest > room) options_.zoom = std::max(0.25, room / longest);
    }
    double k = UIScreen::mainScreen().scale() * options_.zoom;
    int w = static_cast<int>(std::lround(d.width * k)), h = static_cast<int>(std::lround(d.height * k));
    window_.reset(SDL_CreateWindow("Lumeno", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h, SDL_WINDOW_SHOWN));
    if (!window_) {
        if (error) *error = std::string("cannot open a window: ") + SDL_GetError();
        return false;
    }
    renderer_.reset(SDL_CreateRenderer(window_.get(), -1, 0));
    if (!renderer_) renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_SOFTWARE));
    if (!renderer_) {
        if (error) *error = std::string("cannot draw in the window: ") + SDL_GetError();
        return false;
    }
    translator_.setPixelsPerPoint(k);
    wakeEvent_ = SDL_RegisterEvents(1);
    uint32_t wake = wakeEvent_;
    RunLoop::main().setWakeHandler([wake] {
        SDL_Event e{};
        e.type = wake;
        SDL_PushEvent(&e);
    });
    SDL_StartTextInput();
    UIPasteboard::generalPasteboard().setBackend(std::make_shared<SDLClipboard>());
    UIApplication::sharedApplication().setBackend(this);
    return true;
}

void SDLBackend::quit()
{
    quit_ = true;
    if (wakeEvent_) {
        SDL_Event e{};
        e.type = wakeEvent_;
        SDL_PushEvent(&e);
    }
}

void SDLBackend::setScreenSaverInhibited(bool inhibited)
{
    if (!videoStarted_) return;
    if (inhibited)
        SDL_DisableScreenSaver();
    else
        SDL_EnableScreenSaver();
}

void SDLBackend::setNeedsFrame()
{
    forceFrame_ = true;
}

void SDLBackend::handle(const SDL_Event& event)
{
    if (event.type == wakeEvent_) return;  // only wakes the loop
    for (const InputAction& a : translator_.translate(event)) {
        SDLEventTranslator::apply(a);
        if (a.kind == InputAction::Quit) quit_ = true;
        if (a.kind == InputAction::Rotate) fitWindowToDisplay();
        if (a.kind == InputAction::Redraw) forceFrame_ = true;
    }
}

// The window takes the display's shape after a rotation.
void SDLBackend::fitWindowToDisplay()
{
    double k = UIScreen::mainScreen().scale() * options_.zoom;
    CGSize d = Compositor::displaySize();
    SDL_SetWindowSize(window_.get(), static_cast<int>(std::lround(d.width * k)), static_cast<int>(std::lround(d.height * k)));
    forceFrame_ = true;
}

bool SDLBackend::present(const std::string* shot, bool* shotWritten)
{
    auto& compositor = UIApplication::sharedApplication().compositor();
    bool drew = compositor.renderIfNeeded();
    // After a rotation the status bar orientation may change without a view change.
    if (!drew && !forceFrame_ && !shot) return false;
    forceFrame_ = false;
    cairo_surface_t* s = compositor.displaySurface();
    cairo_surface_flush(s);
    int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    if (!texture_ || w != textureW_ || h != textureH_) {
        texture_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, w, h));
        textureW_ = w;
        textureH_ = h;
        int ww = 0, wh = 0;
        SDL_GetWindowSize(window_.get(), &ww, &wh);
        if (ww != static_cast<int>(std::lround(w * options_.zoom)) || wh != static_cast<int>(std::lround(h * options_.zoom)))
            fitWindowToDisplay();
    }
    if (!texture_) {
        NSLog("cannot make the window's texture: %s", SDL_GetError());
        return false;
    }
    SDL_UpdateTexture(texture_.get(), nullptr, cairo_image_surface_get_data(s), cairo_image_surface_get_stride(s));
    SDL_RenderClear(renderer_.get());
    SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, nullptr);
    // Read back before presenting: afterwards the back buffer's content is undefined.
    if (shot && shotWritten) *shotWritten = writeWindowPNG(*shot);
    SDL_RenderPresent(renderer_.get());
    return true;
}

// Reads back what the renderer drew, so the picture is the window's own.
bool SDLBackend::writeWindowPNG(const std::string& path)
{
    int w = 0, h = 0;
    if (SDL_GetRendererOutputSize(renderer_.get(), &w, &h) != 0 || w <= 0 || h <= 0) return false;
    CairoSurface img(cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h));
    cairo_surface_flush(img.get());
    if (SDL_RenderReadPixels(renderer_.get(), nullptr, SDL_PIXELFORMAT_ARGB8888, cairo_image_surface_get_data(img.get()),
                             cairo_image_surface_get_stride(img.get())) != 0) {
        NSLog("cannot read the window's pixels: %s", SDL_GetError());
        return false;
    }
    cairo_surface_mark_dirty(img.get());
    if (cairo_surface_write_to_png(img.get(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
        NSLog("could not write the screenshot %@", path);
        return false;
    }
    return true;
}

bool SDLBackend::step(int maxWaitMs)
{
    auto& loop = RunLoop::main();
    double untilTimer = loop.runOnce(0);
    bool drew = present();
    if (quit_) return drew;
    // Sleep until input, a post (the wake handler), the next timer, or the next animation frame.
    double wait = untilTimer;
    if (UIView::hasRunningAnimations() || Compositor::needsFrame()) wait = std::min(wait, 1.0 / 60);
    int ms = std::isinf(wait) ? 500 : std::clamp(static_cast<int>(std::ceil(wait * 1000)), 0, 500);
    SDL_Event e;
    if (SDL_WaitEventTimeout(&e, std::min(ms, std::max(0, maxWaitMs)))) {
        handle(e);
        while (!quit_ && SDL_PollEvent(&e)) handle(e);
    }
    return drew;
}

int SDLBackend::run()
{
    if (!window_) return 1;
    while (!quit_) step(500);
    return 0;
}

// --- Script actions: events into SDL's queue, taken by the loop like a user's ---

void SDLBackend::pushMouse(uint32_t type, CGPoint p)
{
    const double k = UIScreen::mainScreen().scale() * options_.zoom;
    const int x = static_cast<int>(std::lround(p.x * k)), y = static_cast<int>(std::lround(p.y * k));
    SDL_Event e{};
    e.type = type;
    if (type == SDL_MOUSEMOTION) {
        e.motion.windowID = SDL_GetWindowID(window_.get());
        e.motion.which = 0;
        e.motion.state = SDL_BUTTON_LMASK;
        e.motion.x = x;
        e.motion.y = y;
    } else {
        e.button.windowID = SDL_GetWindowID(window_.get());
        e.button.which = 0;
        e.button.button = SDL_BUTTON_LEFT;
        e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.button.clicks = 1;
        e.button.x = x;
        e.button.y = y;
    }
    SDL_PushEvent(&e);
    step(0);
}

void SDLBackend::fingerDown(CGPoint p) { pushMouse(SDL_MOUSEBUTTONDOWN, p); }
void SDLBackend::fingerMove(CGPoint p) { pushMouse(SDL_MOUSEMOTION, p); }
void SDLBackend::fingerUp(CGPoint p) { pushMouse(SDL_MOUSEBUTTONUP, p); }

void SDLBackend::pushFingerPair(uint32_t type, CGPoint a, CGPoint b)
{
    // A touch device id of the script's own; SDL gives real devices theirs.
    constexpr SDL_TouchID kScriptTouchDevice = 0x5C817;
    const CGSize d = Compositor::displaySize();
    if (d.width <= 0 || d.height <= 0) return;
    SDL_FingerID finger = 1;
    for (CGPoint p : {a, b}) {
        SDL_Event e{};
        e.type = type;
        e.tfinger.touchId = kScriptTouchDevice;
        e.tfinger.fingerId = finger++;
        e.tfinger.x = static_cast<float>(p.x / d.width);
        e.tfinger.y = static_cast<float>(p.y / d.height);
        e.tfinger.pressure = 1;
        e.tfinger.windowID = SDL_GetWindowID(window_.get());
        SDL_PushEvent(&e);
    }
    step(0);
}

void SDLBackend::fingerPairDown(CGPoint a, CGPoint b) { pushFingerPair(SDL_FINGERDOWN, a, b); }
void SDLBackend::fingerPairMove(CGPoint a, CGPoint b) { pushFingerPair(SDL_FINGERMOTION, a, b); }
void SDLBackend::fingerPairUp(CGPoint a, CGPoint b) { pushFingerPair(SDL_FINGERUP, a, b); }

void SDLBackend::typeText(const std::string& utf8)
{
    // One event per character, as a keyboard sends them.
    for (size_t i = 0; i < utf8.size();) {
        size_t n = 1;
        while (i + n < utf8.size() && (static_cast<unsigned char>(utf8[i + n]) & 0xC0) == 0x80) ++n;
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        e.text.windowID = SDL_GetWindowID(window_.get());
        utf8.copy(e.text.text, std::min(n, sizeof e.text.text - 1), i);
        SDL_PushEvent(&e);
        step(0);
        i += n;
    }
}

void SDLBackend::pushKey(int sym, uint16_t mod)
{
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.windowID = SDL_GetWindowID(window_.get());
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(sym);
    e.key.keysym.mod = mod;
    SDL_PushEvent(&e);
    e.type = SDL_KEYUP;
    e.key.state = SDL_RELEASED;
    SDL_PushEvent(&e);
    step(0);
}

void SDLBackend::pressKey(int key)
{
    static const std::pair<int, SDL_Keycode> keys[] = {
        {UIResponder::KeyReturn, SDLK_RETURN}, {UIResponder::KeyEscape, SDLK_ESCAPE}, {UIResponder::KeyTab, SDLK_TAB},
        {UIResponder::KeyLeft, SDLK_LEFT},     {UIResponder::KeyRight, SDLK_RIGHT},   {UIResponder::KeyUp, SDLK_UP},
        {UIResponder::KeyDown, SDLK_DOWN},     {UIResponder::KeyHome, SDLK_HOME},     {UIResponder::KeyEnd, SDLK_END},
        {UIResponder::KeyPageUp, SDLK_PAGEUP}, {UIResponder::KeyPageDown, SDLK_PAGEDOWN},
        {UIResponder::KeyDelete, SDLK_DELETE},
    };
    for (const auto& [ours, sym] : keys)
        if (ours == key) return pushKey(sym, KMOD_NONE);
    NSLog("no key of the window stands for key %d", key);
}

void SDLBackend::deleteBackward() { pushKey(SDLK_BACKSPACE, KMOD_NONE); }

// The window turns the device with Ctrl+R (portrait <-> landscape, Shift for the right side).
void SDLBackend::rotate(UIDeviceOrientation orientation)
{
    const UIDeviceOrientation now = UIDevice::currentDevice().orientation();
    if (now == orientation) return;
    if (UIInterfaceOrientationIsLandscape(now)) pushKey(SDLK_r, KMOD_LCTRL);
    if (orientation == UIDeviceOrientationLandscapeLeft) pushKey(SDLK_r, KMOD_LCTRL);
    if (orientation == UIDeviceOrientationLandscapeRight) pushKey(SDLK_r, KMOD_LCTRL | KMOD_LSHIFT);
}

void SDLBackend::advance(double milliseconds)
{
    const Uint64 end = SDL_GetTicks64() + static_cast<Uint64>(std::max(0.0, milliseconds));
    for (Uint64 now = SDL_GetTicks64(); now < end && !quit_; now = SDL_GetTicks64())
        step(static_cast<int>(std::min<Uint64>(end - now, 500)));
}

void SDLBackend::runUntilIdle()
{
    // Quiet: nothing drawn or animating, no input queued, for this long in a row.
    constexpr Uint64 kQuietMs = 200, kBoundMs = 20000;
    const Uint64 start = SDL_GetTicks64();
    Uint64 quietSince = start;
    while (!quit_) {
        const Uint64 now = SDL_GetTicks64();
        if (now - quietSince >= kQuietMs || now - start >= kBoundMs) break;
        bool busy = step(16);
        busy = busy || UIView::hasRunningAnimations() || Compositor::needsFrame() ||
               SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0 ||
               RunLoop::main().pendingPostCount() > 0 || runningWorkerCount() > 0;
        if (busy) quietSince = SDL_GetTicks64();
    }
}

bool SDLBackend::screenshot(const std::string& path)
{
    bool written = false;
    present(&path, &written);
    return written;
}
