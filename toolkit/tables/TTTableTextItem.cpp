#include "toolkit/tables/TTTableTextItem.h"

using tt::decodeStringOrEmpty;
using tt::encodeStringIfSet;

void TTTableTextItem::encodeWithCoder(NSKeyedArchiver& coder) const
{
    TTTableLinkedItem::encodeWithCoder(coder);
    encodeStringIfSet(coder, text_, "text");
}

void TTTableTextItem::decodeWithCoder(NSKeyedUnarchiver& coder)
{
    TTTableLinkedItem::decodeWithCoder(coder);
    setText(decodeStringOrEmpty(coder, "text"));
}

void TTTableCaptionItem::encodeWithCoder(NSKeyedArchiver& coder) const
{
    TTTableTextItem::encodeWithCoder(coder);
    encodeStringIfSet(coder, caption_, "caption");
}

void TTTableCaptionItem::decodeWithCoder(NSKeyedUnarchiver& coder)
{
    TTTableTextItem::decodeWithCoder(coder);
    setCaption(decodeStringOrEmpty(coder, "caption"));
}

void TTTableSubtitleItem::encodeWithCoder(NSKeyedArchiver& coder) const
{
    TTTableTextItem::encodeWithCoder(coder);
    if (subtitle_) coder.encodeString(*subtitle_, "subtitle");
    encodeStringIfSet(coder, imageURL_, "imageURL");
}

void TTTableSubtitleItem::decodeWithCoder(NSKeyedUnarchiver& coder)
{
    TTTableTextItem::decodeWithCoder(coder);
    setSubtitle(coder.decodeString("subtitle"));
    setImageURL(decodeStringOrEmpty(coder, "imageURL"));
}

void TTTableMessageItem::encodeWithCoder(NSKeyedArchiver& coder) const
{
    TTTableTextItem::encodeWithCoder(coder);
    encodeStringIfSet(coder, title_, "title");
    encodeStringIfSet(coder, caption_, "caption");
    if (timestamp_) coder.encodeValue(Value(*timestamp_), "timestamp");
    encodeStringIfSet(coder, imageURL_, "imageURL");
}

void TTTableMessageItem::decodeWithCoder(NSKeyedUnarchiver& coder)
{
    TTTableTextItem::decodeWithCoder(coder);
    setTitle(decodeStringOrEmpty(coder, "title"));
    setCaption(decodeStringOrEmpty(coder, "caption"));
    setTimestamp(coder.decodeValue("timestamp").date());
    setImageURL(decodeStringOrEmpty(coder, "imageURL"));
}

void TTTableImageItem::encodeWithCoder(NSKeyedArchiver& coder) const
{
    TTTableTextItem::encodeWithCoder(coder);
    encodeStringIfSet(coder, imageURL_, "imageURL");
}

void TTTableImageItem::decodeWithCoder(NSKeyedUnarchiver& coder)
{
    TTTableTextItem::decodeWithCoder(coder);
    setImageURL(decodeStringOrEmpty(coder, "imageURL"));
}
