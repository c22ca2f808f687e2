#include "toolkit/tables/TTTableLinkedItemCell.h"

#include "toolkit/foundation/TTNavigatorHooks.h"
#include "toolkit/tables/TTTableItem.h"
#include "toolkit/tables/TTTableStyle.h"

namespace {
constexpr int kNavigationModeCreate = 1;
}

TTTableLinkedItem* TTTableLinkedItemCell::linkedItem() const
{
    return item_.itemAs<TTTableLinkedItem>();
}

void TTTableLinkedItemCell::setObject(const TTTableObject& object)
{
    if (object == item_) return;
    item_ = object;
    TTTableLinkedItem* item = linkedItem();
    if (item && !item->URL().empty()) {
        if (!item->accessoryURL().empty()) {
            setAccessoryType(UITableViewCellAccessoryDetailDisclosureButton);
        } else {
            const auto& mode = TTNavigatorHooks::shared().navigationModeForURL;
            const bool creates = mode && mode(item->URL()) == kNavigationModeCreate;
            setAccessoryType(creates ? UITableViewCellAccessoryDisclosureIndicator : UITableViewCellAccessoryNone);
        }
        setSelectionStyle(static_cast<UITableViewCellSelectionStyle>(tt::tableStyleSheet().tableSelectionStyle()));
    } else {
        setAccessoryType(UITableViewCellAccessoryNone);
        setSelectionStyle(UITableViewCellSelectionStyleNone);
    }
}
