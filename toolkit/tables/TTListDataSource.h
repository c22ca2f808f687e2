#pragma once
// A data source of one section: a flat list of row objects.

#include "toolkit/tables/TTTableViewDataSource.h"

class TTListDataSource : public TTTableViewDataSource {
public:
    TTListDataSource() = default;
    explicit TTListDataSource(std::vector<TTTableObject> items) : items_(std::move(items)) {}
    static std::shared_ptr<TTListDataSource> dataSourceWithItems(std::vector<TTTableObject> items)
    {
        return std::make_shared<TTListDataSource>(std::move(items));
    }

    std::vector<TTTableObject>& items() { return items_; }
    void setItems(std::vector<TTTableObject> items) { items_ = std::move(items); }

    int numberOfRowsInSection(UITableView* tableView, int section) override { return static_cast<int>(items_.size()); }
    TTTableObject objectForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    std::optional<NSIndexPath> indexPathForObject(UITableView* tableView, const TTTableObject& object) override;
    // The first item whose userInfo is that very object.
    std::optional<NSIndexPath> indexPathOfItemWithUserInfo(const void* userInfo) const;

private:
    std::vector<TTTableObject> items_;
};

// A list data source that narrows its rows to those whose label contains the search text
// (letter case ignored); an empty search shows every row again. Each search announces itself
// to the model's delegates as a finished load.
class TTSearchListDataSource : public TTListDataSource {
public:
    explicit TTSearchListDataSource(std::vector<TTTableObject> allItems);

    const std::vector<TTTableObject>& allItems() const { return allItems_; }
    void setAllItems(std::vector<TTTableObject> allItems);
    const std::string& searchText() const { return searchText_; }

    void search(const std::string& text) override;

private:
    void applySearch();
    std::vector<TTTableObject> allItems_;
    std::string searchText_;
};
