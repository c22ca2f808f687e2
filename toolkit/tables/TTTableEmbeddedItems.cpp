#include "toolkit/tables/TTTableEmbeddedItems.h"

#include "platform/foundation/Log.h"
#include "toolkit/styledtext/TTStyledNode.h"

void TTTableStyledTextItem::encodeWithCoder(NSKeyedArchiver& coder) const
{
    TTTableLinkedItem::encodeWithCoder(coder);
    if (text_ && text_->rootNode()) coder.encodeString(text_->rootNode()->outerHTML(), "text");
}

void TTTableStyledTextItem::decodeWithCoder(NSKeyedUnarchiver& coder)
{
    TTTableLinkedItem::decodeWithCoder(coder);
    auto markup = coder.decodeString("text");
    setText(markup ? TTStyledText::textFromXHTML(*markup) : nullptr);
}

void TTTableCaptionedViewItem::encodeWithCoder(NSKeyedArchiver& coder) const
{
    TTTableItem::encodeWithCoder(coder);
    tt::encodeStringIfSet(coder, caption_, "caption");
    if (!view_) return;
    if (auto* archivable = dynamic_cast<const NSCoding*>(view_.get()))
        coder.encodeObject(archivable, viewKey());
    else
        NSLog("%@: its view is not archivable and is left out", archiveClassName());
}

void TTTableCaptionedViewItem::decodeWithCoder(NSKeyedUnarchiver& coder)
{
    TTTableItem::decodeWithCoder(coder);
    setCaption(tt::decodeStringOrEmpty(coder, "caption"));
    setEmbeddedView(coder.decodeObjectOfClass<UIView>(viewKey()));
}
