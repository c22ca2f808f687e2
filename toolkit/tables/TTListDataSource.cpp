#include "toolkit/tables/TTListDataSource.h"

#include "platform/foundation/StringUtils.h"

TTTableObject TTListDataSource::objectForRowAtIndexPath(UITableView*, const NSIndexPath& indexPath)
{
    if (indexPath.row < 0 || indexPath.row >= static_cast<int>(items_.size())) return {};
    return items_[indexPath.row];
}

std::optional<NSIndexPath> TTListDataSource::indexPathForObject(UITableView*, const TTTableObject& object)
{
    for (size_t row = 0; row < items_.size(); ++row)
        if (items_[row] == object) return NSIndexPath::indexPathForRow(static_cast<int>(row), 0);
    return std::nullopt;
}

std::optional<NSIndexPath> TTListDataSource::indexPathOfItemWithUserInfo(const void* userInfo) const
{
    for (size_t row = 0; row < items_.size(); ++row) {
        TTTableItem* item = items_[row].item();
        if (item && item->userInfo() && item->userInfo().get() == userInfo)
            return NSIndexPath::indexPathForRow(static_cast<int>(row), 0);
    }
    return std::nullopt;
}

TTSearchListDataSource::TTSearchListDataSource(std::vector<TTTableObject> allItems) : allItems_(std::move(allItems))
{
    applySearch();
}

void TTSearchListDataSource::setAllItems(std::vector<TTTableObject> allItems)
{
    allItems_ = std::move(allItems);
    applySearch();
}

void TTSearchListDataSource::search(const std::string& text)
{
    searchText_ = text;
    didStartLoad();
    applySearch();
    didFinishLoad();
}

void TTSearchListDataSource::applySearch()
{
    const std::string needle = str::lowercase(searchText_);
    std::vector<TTTableObject> matches;
    for (const TTTableObject& object : allItems_)
        if (needle.empty() || str::lowercase(labelForObject(nullptr, object)).find(needle) != std::string::npos)
            matches.push_back(object);
    setItems(std::move(matches));
}
