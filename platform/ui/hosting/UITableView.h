#pragma once
// A scrolling list of rows in sections (plain or grouped). Heights are asked for
// every row at reload and kept as prefix sums; a delegate that estimates heights is asked
// a row's exact height only when the row comes into view. Only the visible rows have cells,
// and cells that scroll away go to a reuse pool keyed by their identifier.

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/ui/hosting/NSIndexPath.h"
#include "platform/ui/hosting/UIScrollView.h"
#include "platform/ui/hosting/UITableViewCell.h"
#include "platform/ui/hosting/UITableViewRowData.h"

class UITableView;

// A view in a row that can hold a tapped link (a styled-text label). While one does, the table
// selects no row; it performs the link when the touch ends and drops it when a drag begins.
class UITableViewLinkHolder {
public:
    virtual ~UITableViewLinkHolder() = default;
    virtual void performHighlightedLink() = 0;
    virtual void clearHighlightedLink() = 0;
};

// The section index title that stands for the search field above the table.
inline constexpr const char* UITableViewIndexSearch = "{search}";

class UITableViewDataSource {
public:
    virtual ~UITableViewDataSource() = default;
    virtual int numberOfSectionsInTableView(UITableView* tableView) { return 1; }
    virtual int numberOfRowsInSection(UITableView* tableView, int section) = 0;
    virtual UITableViewCellPtr cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) = 0;
    // Empty: no title.
    virtual std::string titleForHeaderInSection(UITableView* tableView, int section) { return {}; }
    virtual std::string titleForFooterInSection(UITableView* tableView, int section) { return {}; }
    virtual bool canEditRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) { return true; }
    virtual void commitEditingStyle(UITableView* tableView, UITableViewCellEditingStyle style, const NSIndexPath& indexPath) {}
    // Titles of the section index at the right edge; empty: no index.
    virtual std::vector<std::string> sectionIndexTitlesForTableView(UITableView* tableView) { return {}; }
    virtual int sectionForSectionIndexTitle(UITableView* tableView, const std::string& title, int index) { return index; }
};

// Heights: a negative answer means "the table's default".
class UITableViewDelegate : public UIScrollViewDelegate {
public:
    virtual double heightForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) { return -1; }
    // A cheap guess of a row's height, asked at reload in place of the exact height; the
    // exact one is asked once the row comes into view (the content above the visible rows
    // keeps its place on screen). Negative: no estimate, the exact height is asked at reload.
    virtual double estimatedHeightForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) { return -1; }
    virtual double heightForHeaderInSection(UITableView* tableView, int section) { return -1; }
    virtual double heightForFooterInSection(UITableView* tableView, int section) { return -1; }
    virtual std::shared_ptr<UIView> viewForHeaderInSection(UITableView* tableView, int section) { return nullptr; }
    virtual std::shared_ptr<UIView> viewForFooterInSection(UITableView* tableView, int section) { return nullptr; }
    virtual void willDisplayCell(UITableView* tableView, UITableViewCell* cell, const NSIndexPath& indexPath) {}
    // nullopt refuses the selection; another path selects that row instead.
    virtual std::optional<NSIndexPath> willSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
        return indexPath;
    }
    virtual void didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {}
    virtual std::optional<NSIndexPath> willDeselectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
        return indexPath;
    }
    virtual void didDeselectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {}
    virtual void accessoryButtonTappedForRowWithIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {}
    virtual UITableViewCellEditingStyle editingStyleForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
        return UITableViewCellEditingStyleDelete;
    }
    virtual std::string titleForDeleteConfirmationButtonForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
        return "Delete";
    }
    virtual bool shouldIndentWhileEditingRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) { return true; }
    virtual void willBeginEditingRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {}
    virtual void didEndEditingRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {}
};

class UITableView : public UIScrollView {
public:
    explicit UITableView(CGRect frame = CGRectZero, UITableViewStyle style = UITableViewStylePlain);
    ~UITableView() override;

    UITableViewStyle style() const { return style_; }
    // Both unretained.
    UITableViewDataSource* dataSource() const { return dataSource_; }
    void setDataSource(UITableViewDataSource* dataSource);
    UITableViewDelegate* delegate() const { return tableDelegate_; }
    void setDelegate(UITableViewDelegate* delegate);

    double rowHeight() const { return rowHeight_; }
    void setRowHeight(double h) { rowHeight_ = h; }
    double sectionHeaderHeight() const { return sectionHeaderHeight_; }
    void setSectionHeaderHeight(double h) { sectionHeaderHeight_ = h; }
    double sectionFooterHeight() const { return sectionFooterHeight_; }
    void setSectionFooterHeight(double h) { sectionFooterHeight_ = h; }
    UITableViewCellSeparatorStyle separatorStyle() const { return separatorStyle_; }
    void setSeparatorStyle(UITableViewCellSeparatorStyle style);
    const UIColorPtr& separatorColor() const { return separatorColor_; }
    void setSeparatorColor(UIColorPtr color);
    UIView* tableHeaderView() const { return tableHeaderView_.get(); }
    void setTableHeaderView(std::shared_ptr<UIView> view);
    UIView* tableFooterView() const { return tableFooterView_.get(); }
    void setTableFooterView(std::shared_ptr<UIView> view);
    bool allowsSelection() const { return allowsSelection_; }
    void setAllowsSelection(bool on) { allowsSelection_ = on; }
    bool allowsSelectionDuringEditing() const { return allowsSelectionDuringEditing_; }
    void setAllowsSelectionDuringEditing(bool on) { allowsSelectionDuringEditing_ = on; }
    bool allowsMultipleSelectionDuringEditing() const { return allowsMultipleSelectionDuringEditing_; }
    void setAllowsMultipleSelectionDuringEditing(bool on) { allowsMultipleSelectionDuringEditing_ = on; }

    // --- Data ---
    void reloadData();
    int numberOfSections() const;
    int numberOfRowsInSection(int section) const;
    void beginUpdates();
    void endUpdates();
    void insertRowsAtIndexPaths(const std::vector<NSIndexPath>& paths, UITableViewRowAnimation animation);
    void deleteRowsAtIndexPaths(const std::vector<NSIndexPath>& paths, UITableViewRowAnimation animation);
    void reloadRowsAtIndexPaths(const std::vector<NSIndexPath>& paths, UITableViewRowAnimation animation);
    void insertSections(const std::vector<int>& sections, UITableViewRowAnimation animation);
    void deleteSections(const std::vector<int>& sections, UITableViewRowAnimation animation);
    void reloadSections(const std::vector<int>& sections, UITableViewRowAnimation animation);

    // --- Cells ---
    // A cell from the reuse pool (prepared for reuse), or null.
    UITableViewCellPtr dequeueReusableCellWithIdentifier(const std::string& identifier);
    // The cell shown for the row; null when the row is not on screen.
    UITableViewCell* cellForRowAtIndexPath(const NSIndexPath& indexPath);
    std::vector<UITableViewCell*> visibleCells();
    std::vector<NSIndexPath> indexPathsForVisibleRows();
    std::optional<NSIndexPath> indexPathForCell(const UITableViewCell* cell) const;
    // A point in the table's own (content) coordinates.
    std::optional<NSIndexPath> indexPathForRowAtPoint(CGPoint point) const;
    std::vector<NSIndexPath> indexPathsForRowsInRect(CGRect rect) const;
    CGRect rectForRowAtIndexPath(const NSIndexPath& indexPath) const;
    CGRect rectForSection(int section) const;
    CGRect rectForHeaderInSection(int section) const;
    CGRect rectForFooterInSection(int section) const;
    // The header view shown for a section now (null off screen); made from the
    // delegate's view or the data source's title.
    UIView* headerViewForSection(int section) const;
    // Pool sizes, for tests: cells alive = visible + pooled.
    size_t reusePoolSize() const;

    // --- Scrolling and selection ---
    void scrollToRowAtIndexPath(const NSIndexPath& indexPath, UITableViewScrollPosition position, bool animated);
    void scrollToNearestSelectedRowAtScrollPosition(UITableViewScrollPosition position, bool animated);
    std::optional<NSIndexPath> indexPathForSelectedRow() const;
    std::vector<NSIndexPath> indexPathsForSelectedRows() const;
    // Programmatic selection: no delegate calls, as on the platform.
    virtual void selectRowAtIndexPath(const std::optional<NSIndexPath>& indexPath, bool animated, UITableViewScrollPosition position);
    void deselectRowAtIndexPath(const NSIndexPath& indexPath, bool animated);

    // --- Editing ---
    bool isEditing() const { return editing_; }
    void setEditing(bool editing) { setEditing(editing, false); }
    void setEditing(bool editing, bool animated);

    // --- Section index ---
    UIView* indexView() const { return indexView_.get(); }

    void layoutSubviews() override;
    void setFrame(CGRect frame) override;
    // A tap on a row as a finger makes it (selection with the delegate calls).
    virtual void userSelectRowAtIndexPath(const NSIndexPath& indexPath);

    // --- Links in rows ---
    UIView* highlightedLinkView() const { return linkView_.get(); }
    // `view` (a UITableViewLinkHolder, or null) holds a link now; the one that held it before
    // loses its highlight. The table keeps the view until the link is done.
    void setHighlightedLinkView(UIView* view);
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;

protected:
    void contentOffsetDidChange() override;
    void tapEnded(CGPoint location, UITouch* touch, UIEvent* event) override;
    void touchDidBegin(CGPoint location, UITouch* touch, UIEvent* event) override;
    void dragDidBegin() override;
    void horizontalSwipe(CGPoint start, double dx) override;

private:
    struct Update {
        enum Kind { InsertRows, DeleteRows, ReloadRows, InsertSections, DeleteSections, ReloadSections } kind;
        std::vector<NSIndexPath> rows;
        std::vector<int> sections;
        UITableViewRowAnimation animation;
    };
    void rebuildRowData();
    double exactRowHeight(const NSIndexPath& path);
    // Replaces the estimated heights of the rows in view by exact ones; true when one changed.
    bool resolveEstimatedRowsInView();
    double headerHeightFor(int section, bool hasView, const std::string& title) const;
    double footerHeightFor(int section, bool hasView, const std::string& title) const;
    void layoutVisibleCells();
    void layoutHeaders(CGRect visible);
    void recycle(const NSIndexPath& path);
    void enqueue(const UITableViewCellPtr& cell);
    UITableViewCellPtr makeCell(const NSIndexPath& path);
    void configureCell(UITableViewCell& cell, const NSIndexPath& path);
    void applyUpdates(std::vector<Update> updates);
    void showDeleteConfirmation(const std::optional<NSIndexPath>& path);
    void commitDelete(const NSIndexPath& path);
    void setSelectedInternal(const NSIndexPath& path, bool selected, bool animated);
    void clearHighlight();
    void buildIndexView();
    void layoutIndexView();
    void updateContentSize();
    CGRect visibleRect() const;

    UITableViewStyle style_;
    UITableViewDataSource* dataSource_ = nullptr;      // unretained
    UITableViewDelegate* tableDelegate_ = nullptr;     // unretained
    double rowHeight_ = 44;
    double sectionHeaderHeight_ = 22;
    double sectionFooterHeight_ = 22;
    UITableViewCellSeparatorStyle separatorStyle_ = UITableViewCellSeparatorStyleSingleLine;
    UIColorPtr separatorColor_;
    std::shared_ptr<UIView> tableHeaderView_;
    std::shared_ptr<UIView> tableFooterView_;
    bool allowsSelection_ = true;
    bool allowsSelectionDuringEditing_ = false;
    bool allowsMultipleSelectionDuringEditing_ = false;
    bool editing_ = false;
    bool loaded_ = false;

    UITableViewRowData rows_;
    std::map<NSIndexPath, UITableViewCellPtr> visible_;
    std::map<std::string, std::vector<UITableViewCellPtr>> pool_;
    struct HeaderEntry {
        std::shared_ptr<UIView> view;
        bool footer;
    };
    std::map<std::pair<int, bool>, std::shared_ptr<UIView>> headers_;  // (section, footer)
    std::set<NSIndexPath> selected_;
    std::optional<NSIndexPath> highlighted_;
    std::optional<NSIndexPath> pendingHighlight_;
    // The row under the finger when the touch began; a tap selects only that row.
    std::optional<NSIndexPath> touchBeganRow_;
    std::optional<NSIndexPath> deleteConfirmation_;
    std::shared_ptr<class NSTimer> highlightTimer_;
    int updateDepth_ = 0;
    std::vector<Update> pendingUpdates_;
    std::set<NSIndexPath> fadeIn_;
    std::vector<UITableViewCellPtr> fadingOut_;  // deleted rows' cells until their fade ends
    std::shared_ptr<UIView> indexView_;
    std::vector<std::string> indexTitles_;
    bool inLayout_ = false;
    std::shared_ptr<UIView> linkView_;  // a UITableViewLinkHolder
};

using UITableViewPtr = std::shared_ptr<UITableView>;
