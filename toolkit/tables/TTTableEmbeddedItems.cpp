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

void TTTableCaptionedViewItem::encodeView(NSKeyedArchiver& coder, const std::shared_ptr<UIView>& view,
                                          const std::string& key) const
{
    if (!view) return;
    if (auto* archivable = dynamic_cast<const NSCoding*>(view.get()))
        coder.encodeObject(archivable, key);
    else
        NSLog("%@: its view is not archivable and is left out", archiveClassName());
}

std::shared_ptr<UIView> TTTableCaptionedViewItem::decodeView(NSKeyedUnarchiver& coder, const std::string& key)
{
    return coder.decodeObjectOfClass<UIView>(key);
}

void TTTableCaptionedViewItem::encodeCaption(NSKeyedArchiver& coder) const
{
    tt::encodeStringIfSet(coder, caption_, "caption");
}

void TTTableCaptionedViewItem::decodeCaption(NSKeyedUnarchiver& coder)
{
    setCaption(tt::decodeStringOrEmpty(coder, "caption"));
}

void TTTableControlItem::encodeWithCoder(NSKeyedArchiver& coder) const
{
    TTTableItem::encodeWithCoder(coder);
    encodeCaption(coder);
    encodeView(coder, control_, "control");
}

void TTTableControlItem::decodeWithCoder(NSKeyedUnarchiver& coder)
{
    TTTableItem::decodeWithCoder(coder);
    decodeCaption(coder);
    setControl(decodeView(coder, "control"));
}

void TTTableViewItem::encodeWithCoder(NSKeyedArchiver& coder) const
{
    TTTableItem::encodeWithCoder(coder);
    encodeCaption(coder);
    encodeView(coder, view_, "view");
}

void TTTableViewItem::decodeWithCoder(NSKeyedUnarchiver& coder)
{
    TTTableItem::decodeWithCoder(coder);
    decodeCaption(coder);
    setView(decodeView(coder, "view"));
}
