#pragma once
// What a table row shows: a table item, a bare styled text or a bare view. A sectioned data
// source's object lists also carry the section titles as strings.

#include <memory>
#include <string>
#include <type_traits>
#include <variant>

#include "platform/ui/UIView.h"
#include "toolkit/styledtext/TTStyledText.h"
#include "toolkit/tables/TTTableItem.h"

class TTTableObject {
public:
    TTTableObject() = default;
    TTTableObject(std::string title) : value_(std::move(title)) {}
    TTTableObject(const char* title) : value_(std::string(title)) {}
    template <class T, std::enable_if_t<std::is_base_of_v<TTTableItem, T>, int> = 0>
    TTTableObject(std::shared_ptr<T> item) : value_(TTTableItemPtr(std::move(item)))
    {
    }
    TTTableObject(TTStyledTextPtr text) : value_(std::move(text)) {}
    template <class T, std::enable_if_t<std::is_base_of_v<UIView, T>, int> = 0>
    TTTableObject(std::shared_ptr<T> view) : value_(std::shared_ptr<UIView>(std::move(view)))
    {
    }

    bool isNull() const;
    explicit operator bool() const { return !isNull(); }

    const std::string* string() const { return std::get_if<std::string>(&value_); }
    TTTableItem* item() const { return get<TTTableItemPtr>().get(); }
    const TTTableItemPtr& itemPtr() const { return get<TTTableItemPtr>(); }
    TTStyledText* styledText() const { return get<TTStyledTextPtr>().get(); }
    const TTStyledTextPtr& styledTextPtr() const { return get<TTStyledTextPtr>(); }
    UIView* view() const { return get<std::shared_ptr<UIView>>().get(); }
    const std::shared_ptr<UIView>& viewPtr() const { return get<std::shared_ptr<UIView>>(); }

    template <class Item>
    Item* itemAs() const { return dynamic_cast<Item*>(item()); }

    // Strings compare by value, everything else by identity.
    friend bool operator==(const TTTableObject& a, const TTTableObject& b) { return a.value_ == b.value_; }
    friend bool operator!=(const TTTableObject& a, const TTTableObject& b) { return !(a == b); }

    // A one-line text for logs and labels.
    std::string description() const;

private:
    template <class P>
    const P& get() const
    {
        static const P none;
        const P* p = std::get_if<P>(&value_);
        return p ? *p : none;
    }
    std::variant<std::monostate, std::string, TTTableItemPtr, TTStyledTextPtr, std::shared_ptr<UIView>> value_;
};
