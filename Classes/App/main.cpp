// The reader's entry: chooses the backend and the device from the start-up
// flags, starts the application with its delegate and runs the loop.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Classes/App/PlaceholderAppDelegate.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/backends/sdl/SDLBackend.h"
#include "platform/services/LocalNotificationScheduler.h"
#include "platform/services/UILocalNotification.h"
#include "platform/services/URLOpener.h"
#include "platform/ui/BackendOptions.h"
#include "platform/ui/UIApplication.h"

int main(int argc, char** argv)
{
    std::string error;
    auto options = BackendOptions::parse(argc, argv, &error);
    UIApplicationLaunchOptions launch;
    if (options) {
        for (const std::string& arg : options->remaining) {
            if (arg.rfind("lumeno://", 0) == 0) {
                launch.url = arg;
            } else {
                error = "unknown argument \"" + arg + "\"";
                options.reset();
                break;
            }
        }
    }
    if (!options) {
        std::fprintf(stderr, "lumeno: %s\nusage: %s [options] [lumeno://chapter:verse]\n%s", error.c_str(), argv[0],
                     BackendOptions::usage());
        return 2;
    }
    if (!options->headless && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        std::fprintf(stderr,
                     "lumeno: no display found. Run it headless with --headless, or under a virtual "
                     "display: xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }
    options->apply();

    auto& app = UIApplication::sharedApplication();
    PlaceholderAppDelegate delegate;
    app.setDelegate(&delegate);
    // Links: the program's own scheme comes back to the delegate; others go to the desktop.
    auto& opener = URLOpener::shared();
    opener.registerSchemeHandler("lumeno", [&app](const std::string& url) { return app.openURLFromOutside(url); });
    app.setURLHandlers([&opener](const std::string& url) { return opener.openURL(url); },
                       [&opener](const std::string& url) { return opener.canOpenURL(url); });
    LocalNotificationScheduler::shared().setDeliveryHandler(
        [&app](const UILocalNotification& n) { app.deliverLocalNotification(n); });
    int status = 0;
    if (options->headless) {
        HeadlessBackend backend(*options);
        backend.attach();
        app.launch(launch);
        status = backend.run();
    } else {
        SDLBackend backend(*options);
        if (!backend.open(&error)) {
            std::fprintf(stderr, "lumeno: %s\n", error.c_str());
            return 1;
        }
        if (!options->shotsDir.empty()) backend.setScreenshotAndQuit(options->shotsDir + "/screen.png");
        app.launch(launch);
        status = backend.run();
    }
    app.terminate();
    LocalNotificationScheduler::shared().setDeliveryHandler(nullptr);
    opener.unregisterSchemeHandler("lumeno");
    app.setDelegate(nullptr);
    return status;
}
