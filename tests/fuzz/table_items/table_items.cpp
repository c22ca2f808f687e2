// Saved table rows read back: any bytes decode to an item or to nothing, and an item that
// decodes archives again and reads back as the same archive.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "toolkit/tables/TTTableItem.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TTTableItem::registerArchiveClasses();
    auto object = NSKeyedUnarchiver::unarchiveObjectWithData(Value::Bytes(data, data + size));
    auto item = std::dynamic_pointer_cast<TTTableItem>(object);
    if (!item) return 0;
    const Value::Bytes once = NSKeyedArchiver::archivedDataWithRootObject(*item);
    auto again = NSKeyedUnarchiver::unarchiveObjectWithData(once);
    if (!again || NSKeyedArchiver::archivedDataWithRootObject(*again) != once) std::abort();
    return 0;
}
