#include "Classes/Reference/SitePages.h"

#include "Classes/App/SiteLinks.h"
#include "platform/ui/hosting/UINavigationController.h"
#include "toolkit/controllers/TTWebController.h"

bool presentSitePage(UIViewController& presenter, const char* key, const std::string& path) {
    const std::string address = siteAddress(key, path);
    if (address.empty()) return false;
    auto web = std::make_shared<TTWebController>();
    auto nav = std::make_shared<UINavigationController>(web);
    web->openRequest(NSURLRequest(address));
    presenter.presentModalViewController(nav, true);
    return true;
}
