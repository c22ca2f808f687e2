#include "platform/ui/BackendOptions.h"

#include <cstdlib>

#include "platform/foundation/QuotedText.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIDevice.h"
#include "platform/ui/UIScreen.h"

std::optional<BackendOptions> BackendOptions::parse(const std::vector<std::string>& args, std::string* error)
{
    BackendOptions o;
    auto fail = [&](const std::string& message) -> std::optional<BackendOptions> {
        if (error) *error = message;
        return std::nullopt;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string* { return i + 1 < args.size() ? &args[++i] : nullptr; };
        if (a == "--headless") {
            o.headless = true;
        } else if (a == "--landscape") {
            o.landscape = true;
        } else if (a == "--device") {
            const std::string* v = value();
            if (!v) return fail("--device needs phone or tablet");
            if (*v == "phone")
                o.idiom = UIUserInterfaceIdiomPhone;
            else if (*v == "tablet")
                o.idiom = UIUserInterfaceIdiomPad;
            else
                return fail("--device must be phone or tablet, not " + str::quoteForMessage(*v));
        } else if (a == "--scale") {
            const std::string* v = value();
            if (!v || (*v != "1" && *v != "2")) return fail("--scale must be 1 or 2");
            o.scale = *v == "2" ? 2 : 1;
        } else if (a == "--zoom") {
            const std::string* v = value();
            char* end = nullptr;
            double z = v ? std::strtod(v->c_str(), &end) : 0;
            if (!v || end == v->c_str() || *end || !(z >= 0.25 && z <= 4)) return fail("--zoom must be a number from 0.25 to 4");
            o.zoom = z;
        } else if (a == "--shots") {
            const std::string* v = value();
            if (!v || v->empty()) return fail("--shots needs a folder");
            o.shotsDir = *v;
        } else {
            o.remaining.push_back(a);
        }
    }
    return o;
}

std::optional<BackendOptions> BackendOptions::parse(int argc, char** argv, std::string* error)
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    return parse(args, error);
}

const char* BackendOptions::usage()
{
    return "  --headless              run without a window (offscreen)\n"
           "  --device phone|tablet   screen size of a phone (320x480) or tablet (768x1024)\n"
           "  --scale 1|2             pixels per point\n"
           "  --landscape             start in landscape\n"
           "  --zoom N                window zoom, 0.25 to 4 (window only)\n"
           "  --shots DIR             write a screenshot into DIR (in a window: then quit)\n"
           "In the window: Ctrl+R or F11 turns the device, Home scrolls to the top,\n"
           "media keys play, pause, stop and skip.\n";
}

void BackendOptions::apply() const
{
    UIScreen::mainScreen().configure(idiom, scale);
    UIDevice::currentDevice().setUserInterfaceIdiom(idiom);
    if (landscape) {
        UIDevice::currentDevice().setOrientation(UIDeviceOrientationLandscapeLeft);
        UIApplication::sharedApplication().setStatusBarOrientation(UIInterfaceOrientationLandscapeRight);
    }
}
