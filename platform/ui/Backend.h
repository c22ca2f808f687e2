#pragma once
// What the application needs from the thing that shows the screen and gives
// input (the SDL window or the headless surface). Input flows the other way:
// backends call UIApplication's handle... methods.

class Backend {
public:
    virtual ~Backend() = default;
    virtual const char* name() const = 0;
    // Runs the program's loop until quit(); returns the exit status.
    virtual int run() = 0;
    virtual void quit() = 0;
    // The idle timer hold: keep the screen saver off while true.
    virtual void setScreenSaverInhibited(bool inhibited) {}
    // Something changed outside input handling; draw a frame soon.
    virtual void setNeedsFrame() {}
};
