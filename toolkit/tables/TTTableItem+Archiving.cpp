#include "toolkit/tables/TTTableEmbeddedItems.h"
#include "toolkit/tables/TTTableItem.h"
#include "toolkit/tables/TTTableTextItem.h"

namespace {

template <class Item>
void registerItem()
{
    NSKeyedUnarchiver::registerClass(Item().archiveClassName(), [](NSKeyedUnarchiver& coder) -> std::shared_ptr<NSCoding> {
        auto item = std::make_shared<Item>();
        item->decodeWithCoder(coder);
        return item;
    });
}

}  // namespace

void TTTableItem::registerArchiveClasses()
{
    static const bool registered = [] {
        registerItem<TTTableItem>();
        registerItem<TTTableLinkedItem>();
        registerItem<TTTableTextItem>();
        registerItem<TTTableLongTextItem>();
        registerItem<TTTableGrayTextItem>();
        registerItem<TTTableSummaryItem>();
        registerItem<TTTableLink>();
        registerItem<TTTableButton>();
        registerItem<TTTableCaptionItem>();
        registerItem<TTTableRightCaptionItem>();
        registerItem<TTTableSubtextItem>();
        registerItem<TTTableMoreButton>();
        registerItem<TTTableSubtitleItem>();
        registerItem<TTTableMessageItem>();
        registerItem<TTTableImageItem>();
        registerItem<TTTableRightImageItem>();
        registerItem<TTTableActivityItem>();
        registerItem<TTTableStyledTextItem>();
        registerItem<TTTableControlItem>();
        registerItem<TTTableViewItem>();
        return true;
    }();
    (void)registered;
}
