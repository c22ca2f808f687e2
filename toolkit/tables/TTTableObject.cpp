#include "toolkit/tables/TTTableObject.h"

#include "platform/foundation/Format.h"

bool TTTableObject::isNull() const
{
    return std::visit(
        [](const auto& v) {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, std::monostate>) return true;
            else if constexpr (std::is_same_v<V, std::string>) return false;
            else return v == nullptr;
        },
        value_);
}

std::string TTTableObject::description() const
{
    if (const std::string* s = string()) return *s;
    if (TTStyledText* text = styledText()) return text->description();
    if (TTTableItem* it = item()) return stringWithFormat("<%@: %p>", it->archiveClassName(), static_cast<const void*>(it));
    if (UIView* v = view()) return stringWithFormat("<view: %p>", static_cast<const void*>(v));
    return "(null)";
}
