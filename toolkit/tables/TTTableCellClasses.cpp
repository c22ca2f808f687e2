#include "toolkit/tables/TTTableCellClasses.h"

#include "platform/ui/UIControl.h"
#include "platform/ui/hosting/UITextView.h"
#include "toolkit/controls/TTTextEditor.h"
#include "toolkit/tables/TTStyledTextTableCells.h"
#include "toolkit/tables/TTTableActivityItemCell.h"
#include "toolkit/tables/TTTableCaptionItemCells.h"
#include "toolkit/tables/TTTableControlCell.h"
#include "toolkit/tables/TTTableEmbeddedItems.h"
#include "toolkit/tables/TTTableMessageItemCell.h"
#include "toolkit/tables/TTTableSubtitleItemCell.h"
#include "toolkit/tables/TTTableTextItem.h"
#include "toolkit/tables/TTTableTextItemCell.h"

namespace {

const TTTableCellClass& cellClassForItem(const TTTableItem& item)
{
    using C = TTTableCellClass;
    // Order matters: a more button is a sub-text item, and both are caption items.
    if (dynamic_cast<const TTTableMoreButton*>(&item)) return C::of<TTTableMoreButtonCell>();
    if (dynamic_cast<const TTTableSubtextItem*>(&item)) return C::of<TTTableSubtextItemCell>();
    if (dynamic_cast<const TTTableRightCaptionItem*>(&item)) return C::of<TTTableRightCaptionItemCell>();
    if (dynamic_cast<const TTTableCaptionItem*>(&item)) return C::of<TTTableCaptionItemCell>();
    if (dynamic_cast<const TTTableSubtitleItem*>(&item)) return C::of<TTTableSubtitleItemCell>();
    if (dynamic_cast<const TTTableMessageItem*>(&item)) return C::of<TTTableMessageItemCell>();
    if (dynamic_cast<const TTTableImageItem*>(&item)) return C::of<TTTableImageItemCell>();
    if (dynamic_cast<const TTTableStyledTextItem*>(&item)) return C::of<TTStyledTextTableItemCell>();
    if (dynamic_cast<const TTTableActivityItem*>(&item)) return C::of<TTTableActivityItemCell>();
    if (dynamic_cast<const TTTableControlItem*>(&item)) return C::of<TTTableControlCell>();
    if (dynamic_cast<const TTTableViewItem*>(&item)) return C::of<TTTableFlushViewCell>();
    return C::of<TTTableTextItemCell>();
}

}  // namespace

const TTTableCellClass& tt::defaultCellClassForObject(const TTTableObject& object)
{
    using C = TTTableCellClass;
    if (const TTTableItem* item = object.item()) return cellClassForItem(*item);
    if (object.styledText()) return C::of<TTStyledTextTableCell>();
    if (UIView* view = object.view()) {
        if (dynamic_cast<UIControl*>(view) || dynamic_cast<UITextView*>(view) || dynamic_cast<TTTextEditor*>(view))
            return C::of<TTTableControlCell>();
        return C::of<TTTableFlushViewCell>();
    }
    return C::of<TTTableViewCell>();
}
