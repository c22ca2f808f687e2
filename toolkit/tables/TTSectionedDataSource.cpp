#include "toolkit/tables/TTSectionedDataSource.h"

std::shared_ptr<TTSectionedDataSource> TTSectionedDataSource::dataSourceWithObjects(const std::vector<TTTableObject>& objects)
{
    auto source = std::make_shared<TTSectionedDataSource>();
    source->sections_.emplace();
    for (const TTTableObject& object : objects) {
        if (const std::string* title = object.string()) {
            source->sections_->push_back(*title);
            source->sectionItems_.emplace_back();
        } else if (!source->sectionItems_.empty()) {
            source->sectionItems_.back().push_back(object);
        }
    }
    return source;
}

std::shared_ptr<TTSectionedDataSource> TTSectionedDataSource::dataSourceWithArrays(
    const std::vector<std::variant<std::string, Items>>& titlesAndArrays)
{
    auto source = std::make_shared<TTSectionedDataSource>();
    source->sections_.emplace();
    for (const auto& entry : titlesAndArrays) {
        if (const std::string* title = std::get_if<std::string>(&entry)) source->sections_->push_back(*title);
        else source->sectionItems_.push_back(std::get<Items>(entry));
    }
    // Titles and arrays pair by position; a title without its array gets an empty one.
    if (source->sectionItems_.size() < source->sections_->size()) source->sectionItems_.resize(source->sections_->size());
    return source;
}

int TTSectionedDataSource::numberOfSectionsInTableView(UITableView*)
{
    return sections_ ? static_cast<int>(sections_->size()) : 1;
}

int TTSectionedDataSource::numberOfRowsInSection(UITableView*, int section)
{
    if (!sections_) return static_cast<int>(flatItems_.size());
    if (section < 0 || section >= static_cast<int>(sectionItems_.size())) return 0;
    return static_cast<int>(sectionItems_[section].size());
}

std::string TTSectionedDataSource::titleForHeaderInSection(UITableView*, int section)
{
    if (!hasTitles() || section < 0 || section >= static_cast<int>(sections_->size())) return {};
    return (*sections_)[section];
}

TTTableObject TTSectionedDataSource::objectForRowAtIndexPath(UITableView*, const NSIndexPath& indexPath)
{
    const Items* rows = &flatItems_;
    if (sections_) {
        if (indexPath.section < 0 || indexPath.section >= static_cast<int>(sectionItems_.size())) return {};
        rows = &sectionItems_[indexPath.section];
    }
    if (indexPath.row < 0 || indexPath.row >= static_cast<int>(rows->size())) return {};
    return (*rows)[indexPath.row];
}

namespace {

template <class Match>
std::optional<NSIndexPath> findRow(const std::vector<TTSectionedDataSource::Items>& sections,
                                   const TTSectionedDataSource::Items& flat, bool bySection, Match match)
{
    if (bySection) {
        for (size_t s = 0; s < sections.size(); ++s)
            for (size_t r = 0; r < sections[s].size(); ++r)
                if (match(sections[s][r])) return NSIndexPath::indexPathForRow(static_cast<int>(r), static_cast<int>(s));
        return std::nullopt;
    }
    for (size_t r = 0; r < flat.size(); ++r)
        if (match(flat[r])) return NSIndexPath::indexPathForRow(static_cast<int>(r), 0);
    return std::nullopt;
}

}  // namespace

std::optional<NSIndexPath> TTSectionedDataSource::indexPathForObject(UITableView*, const TTTableObject& object)
{
    return findRow(sectionItems_, flatItems_, sections_.has_value(),
                   [&](const TTTableObject& candidate) { return candidate == object; });
}

std::optional<NSIndexPath> TTSectionedDataSource::indexPathOfItemWithUserInfo(const void* userInfo) const
{
    return findRow(sectionItems_, flatItems_, hasTitles(), [&](const TTTableObject& candidate) {
        TTTableItem* item = candidate.item();
        return item && item->userInfo() && item->userInfo().get() == userInfo;
    });
}

std::optional<std::vector<std::string>> TTSectionedDataSource::lettersForSectionsWithSearch(bool search,
                                                                                            bool withCount) const
{
    if (!sections_) return std::nullopt;
    std::vector<std::string> titles;
    if (search) titles.push_back(UITableViewIndexSearch);
    for (const std::string& title : *sections_)
        if (!title.empty()) titles.push_back(title.substr(0, 1));
    if (withCount) titles.push_back("#");
    return titles;
}

bool TTSectionedDataSource::removeItemAtIndexPath(const NSIndexPath& indexPath, bool andSectionIfEmpty)
{
    if (hasTitles()) {
        if (indexPath.section < 0 || indexPath.section >= static_cast<int>(sectionItems_.size())) return false;
        Items& rows = sectionItems_[indexPath.section];
        if (indexPath.row < 0 || indexPath.row >= static_cast<int>(rows.size())) return false;
        rows.erase(rows.begin() + indexPath.row);
        if (rows.empty() && andSectionIfEmpty) {
            sectionItems_.erase(sectionItems_.begin() + indexPath.section);
            sections_->erase(sections_->begin() + indexPath.section);
            return true;
        }
        return false;
    }
    if (indexPath.section == 0 && indexPath.row >= 0 && indexPath.row < static_cast<int>(flatItems_.size()))
        flatItems_.erase(flatItems_.begin() + indexPath.row);
    return false;
}
