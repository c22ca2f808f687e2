// The reader's entry:
//   lumeno [lumeno://C:V] [--headless] [--device phone|tablet] [--scale 1|2] [--landscape]
//          [--documents DIR] [--script FILE [--window]] [--shots DIR] [--mirrors HOST[:PORT]|demo]
// With --script the program runs headless on the virtual clock and plays the script's
// actions; "shot" commands write into the shots folder. With --window as well, the script
// is played in the desktop window instead, as window events on the real clock.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "Classes/App/LumenoAppShell.h"
#include "Classes/App/ShellScript.h"
#include "Classes/App/SingleInstance.h"
#include "Classes/Audio/ManageSurahAudioController.h"
#include "Classes/Bookmarks/BookmarksViewController.h"
#include "Classes/Index/IndexViewController.h"
#include "Classes/Search/SearchViewController.h"
#include "Classes/Settings/MoreViewController.h"
#include "Classes/Settings/SettingsViewController.h"
#include "platform/backends/headless/HeadlessAudioOutput.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/backends/sdl/SDLAudioOutput.h"
#include "platform/backends/sdl/SDLBackend.h"
#include "platform/services/MPRISPlayer.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/QuotedText.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/StringUtils.h"
#include "platform/media/AudioOutput.h"
#include "platform/services/LocalNotificationScheduler.h"
#include "platform/services/UILocalNotification.h"
#include "platform/services/URLOpener.h"
#include "platform/ui/BackendOptions.h"
#include "platform/ui/UIApplication.h"
#include "social/FBEndpoints.h"

namespace {

struct ProgramOptions {
    std::string url;
    std::string documents;
    std::string script;
    std::string mirrors;  // host of the seven recitation mirrors, stored in the settings
    bool window = false;  // play the script in the window
};

int usageError(const char* program, const std::string& error) {
    std::fprintf(stderr,
                 "lumeno: %s\nusage: %s [lumeno://chapter:verse] [--documents DIR] [--script FILE [--window]]\n"
                 "       [--mirrors HOST[:PORT]|demo] [options]\n%s%s",
                 error.c_str(), str::quoteForMessage(program).c_str(), BackendOptions::usage(), ShellScript::usage());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    auto options = BackendOptions::parse(argc, argv, &error);
    if (!options) return usageError(argv[0], error);
    ProgramOptions program;
    // The social network's login comes back as a link of this scheme.
    const std::string callbackScheme = "fb" + FBEndpoints::appIdFromDefaults();
    const auto& rest = options->remaining;
    for (size_t i = 0; i < rest.size(); ++i) {
        const std::string& arg = rest[i];
        if ((str::hasPrefixIgnoringASCIICase(arg, "lumeno://") ||
             str::hasPrefixIgnoringASCIICase(arg, callbackScheme + "://")) &&
            program.url.empty()) {
            program.url = arg;
        } else if (arg == "--window") {
            program.window = true;
        } else if ((arg == "--documents" || arg == "--script" || arg == "--mirrors") && i + 1 < rest.size() &&
                   !rest[i + 1].empty()) {
            (arg == "--documents" ? program.documents : arg == "--script" ? program.script : program.mirrors) = rest[++i];
        } else {
            return usageError(argv[0], "unknown or incomplete argument " + str::quoteForMessage(arg));
        }
    }

    // Every message that names the script quotes its path the same way.
    const std::string scriptName = str::quoteForMessage(program.script);
    std::vector<ShellScriptCommand> commands;
    if (!program.script.empty()) {
        bool isFolder = false;
        if (NSFileManager::defaultManager().fileExistsAtPath(program.script, &isFolder) && isFolder)
            return usageError(argv[0], "the script " + scriptName + " is a folder, not a file");
        std::ifstream in(program.script);
        if (!in) return usageError(argv[0], "cannot read the script " + scriptName);
        std::stringstream text;
        text << in.rdbuf();
        auto parsed = ShellScript::parse(text.str(), &error);
        if (!parsed) {
            std::fprintf(stderr, "lumeno: %s: %s\n", scriptName.c_str(), error.c_str());
            return 2;
        }
        commands = std::move(*parsed);
        if (!program.window) options->headless = true;
    }
    if (program.window && (program.script.empty() || options->headless))
        return usageError(argv[0], "--window plays a script in the window: it needs --script and no --headless");
    if (!program.documents.empty()) setenv("LUMENO_DOCUMENTS_DIR", program.documents.c_str(), 1);
    if (!options->shotsDir.empty() && !NSFileManager::defaultManager().createDirectoryAtPath(options->shotsDir, true)) {
        std::fprintf(stderr, "lumeno: cannot make the shots folder %s\n", str::quoteForMessage(options->shotsDir).c_str());
        return 1;
    }

    if (!options->headless && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        std::fprintf(stderr,
                     "lumeno: no display found. Run it headless with --headless, or under a virtual "
                     "display: xvfb-run -a %s\n",
                     str::quoteForMessage(argv[0]).c_str());
        return 1;
    }
    // A link that cannot be handed over is ignored like any other bad link: the reader opens.
    if (!SingleInstance::canHandOver(program.url)) {
        NSLog("The link %@ was ignored: a link is one line of at most %i bytes", str::quoteForMessage(program.url),
              static_cast<int>(SingleInstance::kMaxLink));
        program.url.clear();
    }
    // One reader per settings: a second start hands its link to the running one.
    SingleInstance instance(
        SingleInstance::socketPath(SingleInstance::runtimeFolder(), Paths::config(), Paths::documents()));
    switch (instance.claim(program.url, &error)) {
    case SingleInstance::Role::Primary: break;
    case SingleInstance::Role::Alone:
        NSLog("Warning: running as the only reader; later starts cannot hand their links to it (%@)", error);
        break;
    case SingleInstance::Role::HandedOver:
        if (!program.script.empty()) {
            std::fprintf(stderr, "lumeno: another Lumeno runs with these settings; the script was not played\n");
            return 1;
        }
        std::fprintf(stderr, "lumeno: handed over to the running Lumeno\n");
        return 0;
    case SingleInstance::Role::Failed:
        std::fprintf(stderr, "lumeno: %s\n", error.c_str());
        return 1;
    }
    options->apply();
    if (!program.mirrors.empty()) LumenoSDKAppDelegate::setMirrorHosts(program.mirrors);
    if (!program.script.empty() && options->headless) RunLoop::main().useVirtualClock();

    // The chapter index is the root of the first tab.
    IndexViewController::registerInterface();
    BookmarksViewController::registerInterface();
    SearchViewController::registerInterface();
    MoreViewController::registerInterface();
    SettingsViewController::setInstalledAudioMaker(
        [](int reciter) { return std::make_shared<ManageSurahAudioController>(reciter); });
    auto& app = UIApplication::sharedApplication();
    LumenoAppShell delegate;
    app.setDelegate(&delegate);
    // Links: the program's own scheme comes back to the delegate; others go to the desktop.
    auto& opener = URLOpener::shared();
    opener.registerSchemeHandler("lumeno", [&app](const std::string& url) { return app.openURLFromOutside(url); });
    opener.registerSchemeHandler(callbackScheme, [&app](const std::string& url) { return app.openURLFromOutside(url); });
    app.setURLHandlers([&opener](const std::string& url) { return opener.openURL(url); },
                       [&opener](const std::string& url) { return opener.canOpenURL(url); });
    LocalNotificationScheduler::shared().setDeliveryHandler(
        [&app](const UILocalNotification& n) { app.deliverLocalNotification(n); });
    instance.listen([&app](const std::string& url) {
        if (url.empty()) return;
        if (!app.openURLFromOutside(url)) NSLog("A link handed over was not opened: %@", str::quoteForMessage(url));
    });
    UIApplicationLaunchOptions launch;
    launch.url = program.url;

    // Plays the script on the backend, or runs the backend's own loop.
    auto play = [&](auto& backend) {
        if (program.script.empty()) return backend.run();
        if (ShellScript::run(commands, backend, options->shotsDir, &error)) return 0;
        std::fprintf(stderr, "lumeno: %s: %s\n", scriptName.c_str(), error.c_str());
        return 1;
    };
    int status = 0;
    if (options->headless) {
        AudioOutput::setShared(HeadlessAudioOutput::create());
        HeadlessBackend backend(*options);
        backend.attach();
        app.launch(launch);
        status = play(backend);
    } else {
        SDLBackend backend(*options);
        if (!backend.open(&error)) {
            std::fprintf(stderr, "lumeno: %s\n", error.c_str());
            return 1;
        }
        // Sound through the desktop's audio device; with none, playback keeps time silently.
        std::shared_ptr<AudioOutput> sound = SDLAudioOutput::create();
        AudioOutput::setShared(sound ? sound : std::shared_ptr<AudioOutput>(HeadlessAudioOutput::create()));
        // The desktop's media controls where a session bus offers them; none is no failure.
        if (!MPRISPlayer::shared().start()) NSLog("media controls: not offered to the desktop");
        app.launch(launch);
        if (!options->shotsDir.empty() && program.script.empty()) {
            // The picture once nothing loads, draws or moves.
            backend.runUntilIdle();
            const std::string path = options->shotsDir + "/screen.png";
            status = backend.screenshot(path) ? 0 : 1;
            if (status == 0) NSLog("screenshot written to %@", path);
        } else {
            status = play(backend);
        }
    }
    instance.stop();
    MPRISPlayer::shared().stop();
    app.terminate();
    AudioOutput::setShared(nullptr);
    LocalNotificationScheduler::shared().setDeliveryHandler(nullptr);
    opener.unregisterSchemeHandler("lumeno");
    opener.unregisterSchemeHandler(callbackScheme);
    app.setDelegate(nullptr);
    if (!delegate.startupFailureFile().empty() && status == 0) status = 1;
    return status;
}
