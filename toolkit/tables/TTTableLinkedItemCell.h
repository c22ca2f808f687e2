#pragma once
// The base of the cells of items with URLs: the accessory and the selection look follow the
// item's URLs.

#include "toolkit/tables/TTTableViewCell.h"

class TTTableLinkedItem;

class TTTableLinkedItemCell : public TTTableViewCell {
public:
    static constexpr const char* kClassName = "TTTableLinkedItemCell";
    using TTTableViewCell::TTTableViewCell;

    TTTableObject object() const override { return item_; }
    // Nothing when the item is the one already shown.
    void setObject(const TTTableObject& object) override;

protected:
    TTTableLinkedItem* linkedItem() const;
    template <class Item>
    Item* itemAs() const { return item_.itemAs<Item>(); }

private:
    TTTableObject item_;
};
