#include "platform/backends/sdl/SDLBackend.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "platform/backends/sdl/SDLClipboard.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/CairoHandles.h"
#include "platform/ui/Compositor.h"
#include "platform/ui/UIApplication.h"
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

void SDLBackend::present()
{
    auto& compositor = UIApplication::sharedApplication().compositor();
    bool drew = compositor.renderIfNeeded();
    // After a rotation the status bar orientation may change without a view change.
    if (!drew && !forceFrame_) return;
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
        return;
    }
    SDL_UpdateTexture(texture_.get(), nullptr, cairo_image_surface_get_data(s), cairo_image_surface_get_stride(s));
    SDL_RenderClear(renderer_.get());
    SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, nullptr);
    if (!shotPath_.empty()) {
        if (writeWindowPNG(shotPath_))
            NSLog("screenshot written to %@", shotPath_);
        else
            shotFailed_ = true;
        shotPath_.clear();
        quit_ = true;
    }
    SDL_RenderPresent(renderer_.get());
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

int SDLBackend::run()
{
    if (!window_) return 1;
    auto& loop = RunLoop::main();
    while (!quit_) {
        double untilTimer = loop.runOnce(0);
        present();
        if (quit_) break;
        // Sleep until input, a post (the wake handler), the next timer, or the
        // next animation frame.
        double wait = untilTimer;
        if (UIView::hasRunningAnimations() || Compositor::needsFrame()) wait = std::min(wait, 1.0 / 60);
        int ms = std::isinf(wait) ? 500 : std::clamp(static_cast<int>(std::ceil(wait * 1000)), 0, 500);
        SDL_Event e;
        if (SDL_WaitEventTimeout(&e, ms)) {
            handle(e);
            while (!quit_ && SDL_PollEvent(&e)) handle(e);
        }
    }
    return shotFailed_ ? 1 : 0;
}
