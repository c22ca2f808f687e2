#include "Classes/App/AppToolkit.h"

#include "Classes/Core/Language.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIWindow.h"
#include "toolkit/controllers/TTWebController.h"
#include "toolkit/foundation/TTGlobal.h"
#include "toolkit/navigator/TTClassBuilder.h"
#include "toolkit/navigator/TTNavigator.h"

namespace {

// The navigator hands what another program opens to the platform before it asks its map, so
// only addresses of our own schemes and web addresses get here; the web ones are shown.
std::shared_ptr<TTWebController> webPageFor(const NSURL& url, const TTQuery&) {
    const std::string scheme = url.scheme();
    if (scheme != "http" && scheme != "https") return nullptr;
    return TTWebController::createWithNavigatorURL(url.absoluteString(), {});
}

// The navigator's screens go over the key window's: whenever it opens something, its window is
// the key window and its root that window's root controller.
class KeyWindowRoot : public TTNavigatorDelegate {
public:
    bool shouldOpenURL(TTNavigator& navigator, const NSURL&) override {
        UIWindow* window = UIApplication::sharedApplication().keyWindow();
        if (!window || !window->rootViewController()) return true;
        if (navigator.window() != window)
            navigator.setWindow(std::static_pointer_cast<UIWindow>(window->shared_from_this()));
        navigator.setRootViewController(window->rootViewController());
        return true;
    }
};

}  // namespace

namespace AppToolkit {

void start() {
    TTSetLocalizedStringLookup(&Language::get);
    TTNavigator::startOnFirstUse([](TTNavigator& navigator) {
        static KeyWindowRoot keyWindowRoot;
        navigator.setDelegate(&keyWindowRoot);
        TTClassBuilder<UIViewController>("UIViewController");
        TTClassBuilder<TTWebController, UIViewController>("TTWebController")
            .initializer("initWithNavigatorURL:query:", &webPageFor);
        navigator.URLMap().fromToModalViewController("*", "TTWebController");
    });
}

}  // namespace AppToolkit
