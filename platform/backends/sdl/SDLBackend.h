#pragma once
// The desktop window: shows the screen at its scale (times an optional zoom),
// feeds SDL input to the application through SDLEventTranslator, draws only
// when something changed and sleeps in SDL_WaitEventTimeout until the next
// timer; work posted from other threads wakes it through the run loop's wake
// handler. Keys: Ctrl+R or F11 rotates the device.
//
// As a ScriptDriver it plays a script's actions as SDL events pushed into SDL's queue, so
// they pass through SDLEventTranslator like a user's, and lets real time pass.

#include <memory>
#include <string>

#include "platform/backends/ScriptDriver.h"
#include "platform/backends/sdl/SDLEventTranslator.h"
#include "platform/ui/Backend.h"
#include "platform/ui/BackendOptions.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

class SDLBackend : public Backend, public ScriptDriver {
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


    // --- ScriptDriver: pushed SDL events, real time ---
    void fingerDown(CGPoint displayPoint) override;
    void fingerMove(CGPoint displayPoint) override;
    void fingerUp(CGPoint displayPoint) override;
    void fingerPairDown(CGPoint a, CGPoint b) override;
    void fingerPairMove(CGPoint a, CGPoint b) override;
    void fingerPairUp(CGPoint a, CGPoint b) override;
    void typeText(const std::string& utf8) override;
    void pressKey(int key) override;
    void deleteBackward() override;
    void rotate(UIDeviceOrientation orientation) override;
    // Runs the window's loop for this many real milliseconds.
    void advance(double milliseconds) override;
    // Runs the loop until nothing has been drawn or animated for a while (bounded).
    void runUntilIdle() override;
    // What the window shows, read back from its renderer.
    [[nodiscard]] bool screenshot(const std::string& path) override;
    bool quitRequested() const override { return quit_; }

private:
    struct WindowDeleter { void operator()(SDL_Window* w) const; };
    struct RendererDeleter { void operator()(SDL_Renderer* r) const; };
    struct TextureDeleter { void operator()(SDL_Texture* t) const; };

    void handle(const SDL_Event& event);
    // One pass of the loop: due work, a frame, then events, waiting at most maxWaitMs for one.
    // True when it drew.
    bool step(int maxWaitMs);
    // Draws when something changed (or forced, or a shot is asked for); true when it drew.
    // With `shot`, what the window shows is also written there (*shotWritten tells).
    bool present(const std::string* shot = nullptr, bool* shotWritten = nullptr);
    void pushMouse(uint32_t type, CGPoint displayPoint);
    // Both fingers of the script's pair as touch-screen events.
    void pushFingerPair(uint32_t type, CGPoint a, CGPoint b);
    void pushKey(int sym, uint16_t mod);
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
};
