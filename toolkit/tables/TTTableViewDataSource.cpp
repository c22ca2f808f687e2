#include "toolkit/tables/TTTableViewDataSource.h"

#include "platform/foundation/Format.h"
#include "toolkit/foundation/TTGlobal.h"
#include "toolkit/tables/TTTableCellClasses.h"
#include "toolkit/tables/TTTableEmbeddedItems.h"
#include "toolkit/tables/TTTableTextItem.h"

UITableViewCellPtr TTTableViewDataSource::cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath)
{
    TTTableObject object = objectForRowAtIndexPath(tableView, indexPath);
    const TTTableCellClass& cellClass = cellClassForObject(tableView, object);
    const std::string identifier = cellClass.name;
    UITableViewCellPtr cell = tableView ? tableView->dequeueReusableCellWithIdentifier(identifier) : nullptr;
    if (!cell) cell = cellClass.create(UITableViewCellStyleDefault, identifier);
    if (auto* ttCell = dynamic_cast<TTTableViewCell*>(cell.get())) ttCell->setObject(object);
    cellWillAppearAtIndexPath(tableView, cell.get(), indexPath);
    return cell;
}

const TTTableCellClass& TTTableViewDataSource::cellClassForObject(UITableView*, const TTTableObject& object)
{
    return tt::defaultCellClassForObject(object);
}

std::string TTTableViewDataSource::labelForObject(UITableView*, const TTTableObject& object)
{
    if (auto* text = object.itemAs<TTTableTextItem>()) return text->text();
    return stringWithFormat("%@", object.description());
}

int TTTableViewDataSource::sectionForSectionIndexTitle(UITableView* tableView, const std::string& title, int index)
{
    if (!tableView) return index;
    if (UIView* header = tableView->tableHeaderView(); header && index == 0) {
        tableView->scrollRectToVisible(header->bounds(), false);
        return -1;
    }
    const int count = tableView->numberOfSections();
    if (!title.empty()) {
        const char letter = title[0];
        UITableViewDataSource* source = tableView->dataSource();
        for (int section = 0; source && section < count; ++section) {
            const std::string sectionTitle = source->titleForHeaderInSection(tableView, section);
            if (!sectionTitle.empty() && sectionTitle[0] == letter) return section;
        }
    }
    return index < count ? index : count - 1;
}

std::string TTTableViewDataSource::titleForLoading(bool refreshing)
{
    return TTToolkitLocalizedString(refreshing ? "Updating..." : "Loading...");
}

std::string TTTableViewDataSource::titleForError(const NSError* error)
{
    return error ? TTTextForURLError(*error) : TTToolkitLocalizedString("Error");
}

std::string TTTableViewDataSource::subtitleForError(const NSError*)
{
    return TTToolkitLocalizedString("Sorry, there was an error.");
}

TTModel* TTTableViewDataSource::model()
{
    return model_ ? model_.get() : this;
}

std::vector<std::string> TTTableViewDataSource::lettersForSectionsWithSearch(bool search, bool summary)
{
    std::vector<std::string> titles;
    if (search) titles.push_back(UITableViewIndexSearch);
    for (int c = 65; c <= 90; ++c) titles.push_back(stringWithFormat("%c", c));
    if (summary) titles.push_back("#");
    return titles;
}
