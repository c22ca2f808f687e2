#pragma once
// The desktop window: shows the screen at its scale (times an optional zoom),
// feeds SDL input to the application through SDLEventTranslator, draws only
// when something changed and sleeps in SDL_WaitEventTimeout until the next
// timer; work posted from other threads wakes it through the run loop's wake
// handler. Keys: Ctrl+R or F11 rotates the device.

#include <memory>
#include <string>

#include "platform/backends/sdl/SDLEventTranslator.h"
#include "platform/ui/Backend.h"
#include "platform/ui/BackendOptions.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

class SDLBackend : public Backend {
public:
    explicit SDLBackend(BackendOptions options);
    ~SDLBackend() override;

    // Starts SDL video and opens the window; false with *error set when there
    // is no display.
    [[nodiscard]] bool open(std::string* error);

    const char* name() const override { return "sdl"; }
    int run() override;
    void quit() override;
    void setScreenSaverInhibited(bool inhibited) override;
    void setNeedsFrame() override;

    // After the first frame is shown, write what the window shows to this PNG
    // and quit (empty: keep running); run() then fails when it could not be written.
    void setScreenshotAndQuit(const std::string& path) { shotPath_ = path; }

private:
    struct WindowDeleter { void operator()(SDL_Window* w) const; };
    struct RendererDeleter { void operator()(SDL_Renderer* r) const; };
    struct TextureDeleter { void operator()(SDL_Texture* t) const; };

    void handle(const SDL_Event& event);
    void present();
    void fitWindowToDisplay();
    bool writeWindowPNG(const std::string& path);

    BackendOptions options_;
    std::unique_ptr<SDL_Window, WindowDeleter> window_;
    std::unique_ptr<SDL_Renderer, RendererDeleter> renderer_;
    std::unique_ptr<SDL_Texture, TextureDeleter> texture_;
    int textureW_ = 0, textureH_ = 0;
    SDLEventTranslator translator_;
    uint32_t wakeEvent_ = 0;
    bool quit_ = false;
    bool videoStarted_ = false;
    bool forceFrame_ = true;
    std::string shotPath_;
    bool shotFailed_ = false;
};
