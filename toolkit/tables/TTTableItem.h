#pragma once
// The value objects that describe table rows. Items know nothing of tables or cells; they
// hold texts, URLs, images, controls or views, and archive their archivable fields by key.
//
// Factories are templates on the class to make, so that a subclass's item is never made
// by its base's factory by mistake: TTTableTextItem::itemWithText<TTTableButton>("OK", url).

#include <memory>
#include <string>
#include <type_traits>

#include "platform/foundation/NSKeyedArchiver.h"

class TTTableItem : public NSCoding {
public:
    TTTableItem() = default;
    ~TTTableItem() override = default;
    TTTableItem(const TTTableItem&) = delete;
    TTTableItem& operator=(const TTTableItem&) = delete;

    // Compared by identity when a data source looks an item up by it.
    const std::shared_ptr<void>& userInfo() const { return userInfo_; }
    void setUserInfo(std::shared_ptr<void> userInfo) { userInfo_ = std::move(userInfo); }

    std::string archiveClassName() const override { return "TTTableItem"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override {}
    // Reads this class's keys into a freshly made item; absent keys leave the init value.
    virtual void decodeWithCoder(NSKeyedUnarchiver& coder) {}

    // Makes every item class known to the unarchiver (idempotent).
    static void registerArchiveClasses();

private:
    std::shared_ptr<void> userInfo_;
};

using TTTableItemPtr = std::shared_ptr<TTTableItem>;

class TTTableLinkedItem : public TTTableItem {
public:
    // Empty: none.
    const std::string& URL() const { return URL_; }
    void setURL(std::string url) { URL_ = std::move(url); }
    const std::string& accessoryURL() const { return accessoryURL_; }
    void setAccessoryURL(std::string url) { accessoryURL_ = std::move(url); }

    std::string archiveClassName() const override { return "TTTableLinkedItem"; }
    // The accessory URL is not archived.
    void encodeWithCoder(NSKeyedArchiver& coder) const override;
    void decodeWithCoder(NSKeyedUnarchiver& coder) override;

private:
    std::string URL_;
    std::string accessoryURL_;
};

namespace tt {
// Writes a string field only when it is set, as nil fields are left out of archives.
void encodeStringIfSet(NSKeyedArchiver& coder, const std::string& value, const std::string& key);
std::string decodeStringOrEmpty(NSKeyedUnarchiver& coder, const std::string& key);

template <class Item, class Base>
std::shared_ptr<Item> makeItem()
{
    static_assert(std::is_base_of_v<Base, Item>, "the factory makes items of its own class or a subclass");
    return std::make_shared<Item>();
}
}  // namespace tt
