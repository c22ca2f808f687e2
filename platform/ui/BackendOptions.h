#pragma once
// Start-up flags that choose the backend and the device:
//   --headless              no window: an offscreen surface
//   --device phone|tablet   the idiom (phone: 320 x 480 points, tablet: 768 x 1024)
//   --scale 1|2             pixels per point
//   --landscape             start in landscape
//   --zoom N                window zoom for the SDL backend (e.g. 0.5 on a small desktop)
//   --shots DIR             headless: write a screenshot into DIR
// Arguments it does not know are kept in `remaining` for the program's own flags.

#include <optional>
#include <string>
#include <vector>

#include "platform/ui/UIKitTypes.h"

struct BackendOptions {
    bool headless = false;
    UIUserInterfaceIdiom idiom = UIUserInterfaceIdiomPhone;
    int scale = 1;
    bool landscape = false;
    double zoom = 1.0;
    std::string shotsDir;
    std::vector<std::string> remaining;

    // Empty with *error set when a flag's value is missing or wrong.
    static std::optional<BackendOptions> parse(const std::vector<std::string>& args, std::string* error);
    static std::optional<BackendOptions> parse(int argc, char** argv, std::string* error);
    static const char* usage();

    // Configures the main screen and the device (idiom, scale, orientation).
    void apply() const;
};
