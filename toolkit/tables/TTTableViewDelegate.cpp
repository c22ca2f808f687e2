#include "toolkit/tables/TTTableViewDelegate.h"

#include "toolkit/foundation/NSString+TTCategory.h"
#include "toolkit/network/TTURLRequestQueue.h"
#include "toolkit/tables/TTTableHeaderView.h"
#include "toolkit/tables/TTTableStyle.h"
#include "toolkit/tables/TTTableSubtitleItemCell.h"
#include "toolkit/tables/TTTableTextItem.h"
#include "toolkit/tables/TTTableView.h"
#include "toolkit/tables/TTTableViewDataSource.h"

namespace {
constexpr int kLoadMoreCachePolicy = 7;  // memory, disk and network
constexpr double kTitledHeaderHeight = 35;
constexpr double kUntitledHeaderHeight = 1;
}  // namespace

TTTableViewDataSource* TTTableViewDelegate::dataSourceOf(UITableView* tableView)
{
    return tableView ? dynamic_cast<TTTableViewDataSource*>(tableView->dataSource()) : nullptr;
}

std::shared_ptr<UIView> TTTableViewDelegate::headerViewForTitle(UITableView* tableView, int section)
{
    UITableViewDataSource* source = tableView ? tableView->dataSource() : nullptr;
    if (!source) return nullptr;
    const std::string title = source->titleForHeaderInSection(tableView, section);
    if (title.empty()) return nullptr;
    return std::make_shared<TTTableHeaderView>(title);
}

std::shared_ptr<UIView> TTTableViewDelegate::viewForHeaderInSection(UITableView* tableView, int section)
{
    if (!tableView || tableView->style() != UITableViewStylePlain) return nullptr;
    if (!tt::tableStyleSheet().tableHeaderTintColor()) return nullptr;
    return headerViewForTitle(tableView, section);
}

void TTTableViewDelegate::didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath)
{
    TTTableViewDataSource* source = dataSourceOf(tableView);
    if (!source) return;
    const TTTableObject object = source->objectForRowAtIndexPath(tableView, indexPath);
    if (auto* item = object.itemAs<TTTableLinkedItem>()) {
        if (!item->URL().empty() && controller_ && controller_->shouldOpenURL(item->URL())) tt::openURL(item->URL());
        if (dynamic_cast<TTTableButton*>(item)) {
            tableView->deselectRowAtIndexPath(indexPath, true);
        } else if (auto* more = dynamic_cast<TTTableMoreButton*>(item)) {
            more->setIsLoading(true);
            if (auto* cell = dynamic_cast<TTTableMoreButtonCell*>(tableView->cellForRowAtIndexPath(indexPath)))
                cell->setAnimating(true);
            tableView->deselectRowAtIndexPath(indexPath, true);
            if (controller_ && controller_->model()) controller_->model()->load(kLoadMoreCachePolicy, true);
        }
    }
    if (controller_) controller_->didSelectObject(object, indexPath);
}

void TTTableViewDelegate::accessoryButtonTappedForRowWithIndexPath(UITableView* tableView, const NSIndexPath& indexPath)
{
    TTTableViewDataSource* source = dataSourceOf(tableView);
    if (!source) return;
    auto* item = source->objectForRowAtIndexPath(tableView, indexPath).itemAs<TTTableLinkedItem>();
    if (item && !item->accessoryURL().empty() && controller_ && controller_->shouldOpenURL(item->accessoryURL()))
        tt::openURL(item->accessoryURL());
}

bool TTTableViewDelegate::scrollViewShouldScrollToTop(UIScrollView*)
{
    TTURLRequestQueue::mainQueue().setSuspended(true);
    return true;
}

void TTTableViewDelegate::scrollViewDidScrollToTop(UIScrollView*)
{
    TTURLRequestQueue::mainQueue().setSuspended(false);
}

void TTTableViewDelegate::scrollViewWillBeginDragging(UIScrollView* scrollView)
{
    TTURLRequestQueue::mainQueue().setSuspended(true);
    if (controller_) controller_->didBeginDragging();
    if (auto* table = dynamic_cast<TTTableView*>(scrollView)) {
        if (TTStyledTextLabel* label = table->highlightedLabel()) label->setHighlightedNode(nullptr);
        table->setHighlightedLabel(nullptr);
    }
}

void TTTableViewDelegate::scrollViewDidEndDragging(UIScrollView*, bool decelerate)
{
    if (!decelerate) TTURLRequestQueue::mainQueue().setSuspended(false);
    if (controller_) controller_->didEndDragging();
}

void TTTableViewDelegate::scrollViewDidEndDecelerating(UIScrollView*)
{
    TTURLRequestQueue::mainQueue().setSuspended(false);
}

double TTTableViewVarHeightDelegate::heightForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath)
{
    TTTableViewDataSource* source = dataSourceOf(tableView);
    if (!source) return -1;
    const TTTableObject object = source->objectForRowAtIndexPath(tableView, indexPath);
    return source->cellClassForObject(tableView, object).rowHeightForObject(tableView, object);
}

double TTTableViewGroupedVarHeightDelegate::heightForHeaderInSection(UITableView* tableView, int section)
{
    UITableViewDataSource* source = tableView ? tableView->dataSource() : nullptr;
    const bool titled = source && !source->titleForHeaderInSection(tableView, section).empty();
    return titled ? kTitledHeaderHeight : kUntitledHeaderHeight;
}
