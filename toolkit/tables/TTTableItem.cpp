#include "toolkit/tables/TTTableItem.h"

namespace tt {

void encodeStringIfSet(NSKeyedArchiver& coder, const std::string& value, const std::string& key)
{
    if (!value.empty()) coder.encodeString(value, key);
}

std::string decodeStringOrEmpty(NSKeyedUnarchiver& coder, const std::string& key)
{
    return coder.decodeString(key).value_or(std::string());
}

}  // namespace tt

void TTTableLinkedItem::encodeWithCoder(NSKeyedArchiver& coder) const
{
    TTTableItem::encodeWithCoder(coder);
    tt::encodeStringIfSet(coder, URL_, "URL");
}

void TTTableLinkedItem::decodeWithCoder(NSKeyedUnarchiver& coder)
{
    TTTableItem::decodeWithCoder(coder);
    setURL(tt::decodeStringOrEmpty(coder, "URL"));
}
