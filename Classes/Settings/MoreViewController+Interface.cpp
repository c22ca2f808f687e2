// The interface "More": paper, the menu's own top bar and the table under it.
#include "Classes/Settings/MoreViewController.h"

#include "Classes/App/ShellScreens.h"
#include "Classes/Bookmarks/TabScreenLayout.h"
#include "Classes/Reference/ReferenceScreens.h"
#include "Classes/Settings/AboutViewController.h"
#include "Classes/Settings/SettingsViewController.h"

namespace {

std::shared_ptr<UIView> buildMoreView(MoreViewController& c) {
    TabScreenLayout layout = TabScreenLayout::make(70);
    c.imgBG = layout.background;
    c.viewTopBar = layout.topBar;
    c.imgTopBarBG = layout.topBarImage;
    c.lblTopLabel = layout.title;
    const double top = TabScreenLayout::kTopBarHeight;
    c.tblGroups = std::make_shared<UITableView>(CGRectMake(0, top, layout.width, layout.height - top),
                                                UITableViewStylePlain);
    c.tblGroups->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    c.tblGroups->setBackgroundColor(UIColor::clearColor());
    c.tblGroups->setOpaque(false);
    layout.root->addSubview(c.tblGroups);
    layout.root->addSubview(c.viewTopBar);
    return layout.root;
}

}  // namespace

void MoreViewController::registerInterface() {
    if (!UIViewController::hasInterface("More"))
        UIViewController::registerInterface("More", [](UIViewController& owner) -> std::shared_ptr<UIView> {
            auto* menu = dynamic_cast<MoreViewController*>(&owner);
            return menu ? buildMoreView(*menu) : nullptr;
        });
    ShellScreenFactory::setMaker("More", [] { return std::make_shared<MoreViewController>(); });
    SettingsViewController::registerInterface();
    AboutViewController::registerInterface();
    registerReferenceScreens();
}
