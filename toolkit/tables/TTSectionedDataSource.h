#pragma once
// A data source of titled sections, or of one untitled section when it has no titles.

#include <variant>

#include "toolkit/tables/TTTableViewDataSource.h"

class TTSectionedDataSource : public TTTableViewDataSource {
public:
    using Items = std::vector<TTTableObject>;

    TTSectionedDataSource() = default;
    // One row list per titled section.
    TTSectionedDataSource(std::vector<Items> sectionItems, std::vector<std::string> sections)
        : sectionItems_(std::move(sectionItems)), sections_(std::move(sections))
    {
    }

    // Each string starts a section; other objects join the current one; objects before the
    // first string are dropped.
    static std::shared_ptr<TTSectionedDataSource> dataSourceWithObjects(const std::vector<TTTableObject>& objects);
    // Titles and row lists, paired by position.
    static std::shared_ptr<TTSectionedDataSource> dataSourceWithArrays(
        const std::vector<std::variant<std::string, Items>>& titlesAndArrays);

    // Without titles, the flat rows.
    Items& flatItems() { return flatItems_; }
    std::vector<Items>& sectionItems() { return sectionItems_; }
    const std::optional<std::vector<std::string>>& sections() const { return sections_; }
    void setSections(std::optional<std::vector<std::string>> sections) { sections_ = std::move(sections); }
    void setItems(std::vector<Items> sectionItems) { sectionItems_ = std::move(sectionItems); }
    void setFlatItems(Items items) { flatItems_ = std::move(items); }

    int numberOfSectionsInTableView(UITableView* tableView) override;
    int numberOfRowsInSection(UITableView* tableView, int section) override;
    std::string titleForHeaderInSection(UITableView* tableView, int section) override;
    TTTableObject objectForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    std::optional<NSIndexPath> indexPathForObject(UITableView* tableView, const TTTableObject& object) override;

    // Index titles from the sections' first characters; nullopt without titles.
    std::optional<std::vector<std::string>> lettersForSectionsWithSearch(bool search, bool withCount) const;
    std::optional<NSIndexPath> indexPathOfItemWithUserInfo(const void* userInfo) const;

    void removeItemAtIndexPath(const NSIndexPath& indexPath) { (void)removeItemAtIndexPath(indexPath, false); }
    // True when the section, left empty, was removed with its title.
    [[nodiscard]] bool removeItemAtIndexPath(const NSIndexPath& indexPath, bool andSectionIfEmpty);

private:
    bool hasTitles() const { return sections_ && !sections_->empty(); }
    std::vector<Items> sectionItems_;
    Items flatItems_;
    std::optional<std::vector<std::string>> sections_;
};
