#include "platform/ui/hosting/UITableView.h"

#include <algorithm>

#include "platform/foundation/Log.h"
#include "platform/foundation/NSTimer.h"
#include "platform/text/StringDrawing.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UITouch.h"
#include "platform/ui/hosting/UITableViewSectionViews.h"

namespace {
constexpr double kHighlightDelay = 0.08;
constexpr double kFadeDuration = 0.3;
constexpr double kGroupedGap = 10;

// Scoped switch that applies frames at once even inside an open animation.
struct NoAnimations {
    bool was;
    NoAnimations() : was(UIView::areAnimationsEnabled()) { UIView::setAnimationsEnabled(false); }
    ~NoAnimations() { UIView::setAnimationsEnabled(was); }
};
}  // namespace

UITableView::UITableView(CGRect frame, UITableViewStyle style) : UIScrollView(frame), style_(style) {
    setAlwaysBounceVertical(true);
    setBackgroundColor(style == UITableViewStyleGrouped ? UIColor::groupTableViewBackgroundColor() : UIColor::whiteColor());
    separatorColor_ = UIColor::colorWithWhite(0.88, 1);
    if (style == UITableViewStyleGrouped) {
        sectionHeaderHeight_ = 10;
        sectionFooterHeight_ = 10;
    }
}

UITableView::~UITableView() {
    if (highlightTimer_) highlightTimer_->invalidate();
    for (auto& [p, c] : visible_) c->setTableView(nullptr);
}

void UITableView::setDataSource(UITableViewDataSource* dataSource) {
    dataSource_ = dataSource;
    loaded_ = false;
    setNeedsLayout();
}

void UITableView::setDelegate(UITableViewDelegate* delegate) {
    tableDelegate_ = delegate;
    UIScrollView::setDelegate(delegate);
    loaded_ = false;
    setNeedsLayout();
}

void UITableView::setSeparatorStyle(UITableViewCellSeparatorStyle style) {
    separatorStyle_ = style;
    for (auto& [p, c] : visible_) c->setSeparator(separatorStyle_, separatorColor_);
}

void UITableView::setSeparatorColor(UIColorPtr color) {
    separatorColor_ = std::move(color);
    for (auto& [p, c] : visible_) c->setSeparator(separatorStyle_, separatorColor_);
}

void UITableView::setTableHeaderView(std::shared_ptr<UIView> view) {
    if (tableHeaderView_) tableHeaderView_->removeFromSuperview();
    tableHeaderView_ = std::move(view);
    if (tableHeaderView_) insertSubview(tableHeaderView_, 0);
    if (loaded_) rebuildRowData();
    setNeedsLayout();
}

void UITableView::setTableFooterView(std::shared_ptr<UIView> view) {
    if (tableFooterView_) tableFooterView_->removeFromSuperview();
    tableFooterView_ = std::move(view);
    if (tableFooterView_) insertSubview(tableFooterView_, 0);
    if (loaded_) rebuildRowData();
    setNeedsLayout();
}

double UITableView::headerHeightFor(int section, bool hasView, const std::string& title) const {
    if (tableDelegate_) {
        double h = tableDelegate_->heightForHeaderInSection(const_cast<UITableView*>(this), section);
        if (h >= 0) return h;
    }
    if (hasView || !title.empty()) return style_ == UITableViewStyleGrouped ? 36 : sectionHeaderHeight_;
    return style_ == UITableViewStyleGrouped ? sectionHeaderHeight_ : 0;
}

double UITableView::footerHeightFor(int section, bool hasView, const std::string& title) const {
    if (tableDelegate_) {
        double h = tableDelegate_->heightForFooterInSection(const_cast<UITableView*>(this), section);
        if (h >= 0) return h;
    }
    if (hasView || !title.empty()) return style_ == UITableViewStyleGrouped ? 30 : sectionFooterHeight_;
    return style_ == UITableViewStyleGrouped ? sectionFooterHeight_ : 0;
}

void UITableView::rebuildRowData() {
    rows_.clear();
    rows_.setTableHeaderHeight(tableHeaderView_ ? tableHeaderView_->frame().size.height : 0);
    rows_.setSectionGap(0);
    int sections = dataSource_ ? std::max(0, dataSource_->numberOfSectionsInTableView(this)) : 0;
    std::vector<double> heights;
    std::vector<bool> estimated;
    for (int s = 0; s < sections; ++s) {
        int n = std::max(0, dataSource_->numberOfRowsInSection(this, s));
        heights.assign(static_cast<size_t>(n), rowHeight_);
        estimated.assign(static_cast<size_t>(n), false);
        if (tableDelegate_) {
            for (int r = 0; r < n; ++r) {
                double h = tableDelegate_->estimatedHeightForRowAtIndexPath(this, {s, r});
                if (h >= 0) {
                    estimated[static_cast<size_t>(r)] = true;
                } else {
                    h = tableDelegate_->heightForRowAtIndexPath(this, {s, r});
                }
                if (h >= 0) heights[static_cast<size_t>(r)] = h;
            }
        }
        // A header view is only asked for when neither a height nor a title settles it.
        std::string ht = dataSource_->titleForHeaderInSection(this, s);
        std::string ft = dataSource_->titleForFooterInSection(this, s);
        double hh = -1, fh = -1;
        if (tableDelegate_) {
            hh = tableDelegate_->heightForHeaderInSection(this, s);
            fh = tableDelegate_->heightForFooterInSection(this, s);
        }
        if (hh < 0) hh = headerHeightFor(s, ht.empty() && tableDelegate_ && tableDelegate_->viewForHeaderInSection(this, s), ht);
        if (fh < 0) fh = footerHeightFor(s, ft.empty() && tableDelegate_ && tableDelegate_->viewForFooterInSection(this, s), ft);
        rows_.addSection(hh, heights, fh, estimated);
    }
    indexTitles_ = dataSource_ ? dataSource_->sectionIndexTitlesForTableView(this) : std::vector<std::string>{};
    buildIndexView();
    updateContentSize();
    loaded_ = true;
}

double UITableView::exactRowHeight(const NSIndexPath& path) {
    double h = tableDelegate_ ? tableDelegate_->heightForRowAtIndexPath(this, path) : -1;
    return h >= 0 ? h : rowHeight_;
}

bool UITableView::resolveEstimatedRowsInView() {
    bool changed = false;
    // What stays in place on screen: the first row already shown that is still in view, or,
    // with none, the top edge.
    std::optional<NSIndexPath> anchor;
    {
        CGRect vis = visibleRect();
        for (const auto& [p, cell] : visible_) {
            auto span = rows_.rowSpan(p);
            if (span && span->first + span->second > CGRectGetMinY(vis) && span->first < CGRectGetMaxY(vis)) {
                anchor = p;
                break;
            }
        }
    }
    // One row at a time: a new height moves the rows below it in or out of view. A row is
    // resolved once, so this ends.
    for (;;) {
        CGRect vis = visibleRect();
        std::optional<NSIndexPath> next;
        for (const NSIndexPath& p : rows_.rowsIn(CGRectGetMinY(vis), CGRectGetMaxY(vis)))
            if (rows_.isEstimated(p)) {
                next = p;
                break;
            }
        if (!next) break;
        const double top = rows_.rowSpan(*next)->first;
        const double delta = rows_.setExactRowHeight(*next, exactRowHeight(*next));
        if (delta == 0) continue;
        changed = true;
        if (anchor ? *next < *anchor : top < contentOffset().y) shiftContentOffsetBy(delta);
    }
    if (!changed) return false;
    updateContentSize();
    // Content that came out shorter than its estimate must not leave the view past its end.
    const CGPoint o = contentOffset(), lo = minimumContentOffset(), hi = maximumContentOffset();
    if (o.y > hi.y && hi.y >= lo.y && !isDragging() && !isDecelerating() && !animatingOffset()) {
        setContentOffset(CGPointMake(o.x, hi.y));
        resolveEstimatedRowsInView();
    }
    return true;
}

void UITableView::updateContentSize() {
    double h = rows_.sectionsBottom() + (tableFooterView_ ? tableFooterView_->frame().size.height : 0);
    setContentSize(CGSizeMake(bounds().size.width, h));
}

void UITableView::reloadData() {
    showDeleteConfirmation(std::nullopt);
    clearHighlight();
    for (auto it = visible_.begin(); it != visible_.end();) {
        auto cell = it->second;
        it = visible_.erase(it);
        cell->removeFromSuperview();
        enqueue(cell);
    }
    for (auto& [k, v] : headers_) v->removeFromSuperview();
    headers_.clear();
    selected_.clear();
    rebuildRowData();
    layoutVisibleCells();
}

int UITableView::numberOfSections() const {
    if (!loaded_) const_cast<UITableView*>(this)->rebuildRowData();
    return rows_.numberOfSections();
}

int UITableView::numberOfRowsInSection(int section) const {
    if (!loaded_) const_cast<UITableView*>(this)->rebuildRowData();
    return rows_.numberOfRows(section);
}

void UITableView::enqueue(const UITableViewCellPtr& cell) {
    cell->setTableView(nullptr);
    if (cell->reuseIdentifier().empty()) return;
    pool_[cell->reuseIdentifier()].push_back(cell);
}

size_t UITableView::reusePoolSize() const {
    size_t n = 0;
    for (const auto& [id, cells] : pool_) n += cells.size();
    return n;
}

UITableViewCellPtr UITableView::dequeueReusableCellWithIdentifier(const std::string& identifier) {
    auto it = pool_.find(identifier);
    if (it == pool_.end() || it->second.empty()) return nullptr;
    UITableViewCellPtr cell = it->second.back();
    it->second.pop_back();
    cell->prepareForReuse();
    return cell;
}

void UITableView::recycle(const NSIndexPath& path) {
    auto it = visible_.find(path);
    if (it == visible_.end()) return;
    UITableViewCellPtr cell = it->second;
    visible_.erase(it);
    cell->removeFromSuperview();
    enqueue(cell);
}

void UITableView::configureCell(UITableViewCell& cell, const NSIndexPath& path) {
    cell.setTableView(this);
    UITableViewCellEditingStyle es = UITableViewCellEditingStyleDelete;
    bool indent = true;
    if (tableDelegate_) {
        es = tableDelegate_->editingStyleForRowAtIndexPath(this, path);
        indent = tableDelegate_->shouldIndentWhileEditingRowAtIndexPath(this, path);
    }
    if (dataSource_ && !dataSource_->canEditRowAtIndexPath(this, path)) es = UITableViewCellEditingStyleNone;
    cell.setEditingStyleFromTable(es, indent);
    cell.setSeparator(separatorStyle_, separatorColor_);
    if (style_ == UITableViewStyleGrouped)
        cell.setGroupedPosition(true, path.row == 0, path.row == rows_.numberOfRows(path.section) - 1);
    cell.setSelected(selected_.count(path) > 0, false);
    cell.setHighlighted(highlighted_ && *highlighted_ == path, false);
    cell.setEditing(editing_, false);
    cell.setShowingDeleteConfirmation(deleteConfirmation_ && *deleteConfirmation_ == path);
}

UITableViewCellPtr UITableView::makeCell(const NSIndexPath& path) {
    UITableViewCellPtr cell = dataSource_ ? dataSource_->cellForRowAtIndexPath(this, path) : nullptr;
    if (!cell) {
        NSLog("UITableView: the data source gave no cell for row %i in section %i", path.row, path.section);
        cell = std::make_shared<UITableViewCell>(UITableViewCellStyleDefault, "");
    }
    return cell;
}

CGRect UITableView::visibleRect() const {
    CGRect b = bounds();
    CGRect p = presentationBounds();
    if (p.size.width > 0 && p.size.height > 0 && p != b) b = CGRectUnion(b, p);
    return b;
}

void UITableView::contentOffsetDidChange() {
    if (loaded_) layoutVisibleCells();
}

void UITableView::setFrame(CGRect frame) {
    double oldWidth = bounds().size.width;
    UIScrollView::setFrame(frame);
    if (loaded_ && frame.size.width != oldWidth) {
        // Row heights may depend on the width.
        rebuildRowData();
        for (auto& [p, c] : visible_) c->setNeedsLayout();
    }
    if (loaded_) layoutVisibleCells();
}

void UITableView::layoutSubviews() {
    if (!loaded_) rebuildRowData();
    layoutVisibleCells();
    UIScrollView::layoutSubviews();
}

void UITableView::layoutVisibleCells() {
    if (inLayout_) return;
    inLayout_ = true;
    NoAnimations noAnim;
    resolveEstimatedRowsInView();
    CGRect vis = visibleRect();
    double width = bounds().size.width;
    std::vector<NSIndexPath> needed = rows_.rowsIn(CGRectGetMinY(vis), CGRectGetMaxY(vis));
    std::set<NSIndexPath> neededSet(needed.begin(), needed.end());
    for (auto it = visible_.begin(); it != visible_.end();) {
        if (!neededSet.count(it->first)) {
            auto cell = it->second;
            it = visible_.erase(it);
            cell->removeFromSuperview();
            enqueue(cell);
        } else {
            ++it;
        }
    }
    for (const NSIndexPath& p : needed) {
        auto span = rows_.rowSpan(p);
        CGRect f = CGRectMake(0, span->first, width, span->second);
        auto it = visible_.find(p);
        if (it == visible_.end()) {
            UITableViewCellPtr cell = makeCell(p);
            configureCell(*cell, p);
            cell->setFrame(f);
            if (tableDelegate_) tableDelegate_->willDisplayCell(this, cell.get(), p);
            insertSubview(cell, tableHeaderView_ ? 1 : 0);
            visible_[p] = cell;
            if (fadeIn_.erase(p)) {
                cell->setAlpha(0);
                UIView::setAnimationsEnabled(noAnim.was);
                UIView::beginAnimations("UITableViewRowFade");
                UIView::setAnimationDuration(kFadeDuration);
                cell->setAlpha(1);
                UIView::commitAnimations();
                UIView::setAnimationsEnabled(false);
            }
        } else if (it->second->frame() != f) {
            it->second->setFrame(f);
        }
    }
    fadeIn_.clear();
    if (tableHeaderView_) {
        CGRect hf = tableHeaderView_->frame();
        tableHeaderView_->setFrame(CGRectMake(0, 0, width, hf.size.height));
    }
    if (tableFooterView_) {
        CGRect ff = tableFooterView_->frame();
        tableFooterView_->setFrame(CGRectMake(0, rows_.sectionsBottom(), width, ff.size.height));
    }
    layoutHeaders(vis);
    layoutIndexView();
    inLayout_ = false;
}

CGRect UITableView::rectForHeaderInSection(int section) const {
    if (section < 0 || section >= rows_.numberOfSections()) return CGRectZero;
    const auto& s = rows_.section(section);
    return CGRectMake(0, s.top, bounds().size.width, s.headerHeight);
}

CGRect UITableView::rectForFooterInSection(int section) const {
    if (section < 0 || section >= rows_.numberOfSections()) return CGRectZero;
    const auto& s = rows_.section(section);
    return CGRectMake(0, s.rowsTop() + s.rowTops.back(), bounds().size.width, s.footerHeight);
}

CGRect UITableView::rectForSection(int section) const {
    if (section < 0 || section >= rows_.numberOfSections()) return CGRectZero;
    const auto& s = rows_.section(section);
    return CGRectMake(0, s.top, bounds().size.width, s.height());
}

void UITableView::layoutHeaders(CGRect vis) {
    std::vector<int> sections = rows_.sectionsIn(CGRectGetMinY(vis), CGRectGetMaxY(vis));
    std::set<std::pair<int, bool>> wanted;
    double top = contentOffset().y + contentInset().top;
    for (int s : sections) {
        const auto& sec = rows_.section(s);
        for (bool footer : {false, true}) {
            double h = footer ? sec.footerHeight : sec.headerHeight;
            if (h <= 0) continue;
            CGRect r = footer ? rectForFooterInSection(s) : rectForHeaderInSection(s);
            if (style_ == UITableViewStylePlain && !footer) {
                // Headers of a plain table stay at the top while their section scrolls under them.
                double bottom = sec.top + sec.height() - h;
                r.origin.y = std::max(r.origin.y, std::min(top, bottom));
            }
            if (!CGRectIntersectsRect(r, vis)) continue;
            auto key = std::make_pair(s, footer);
            wanted.insert(key);
            auto it = headers_.find(key);
            if (it == headers_.end()) {
                std::shared_ptr<UIView> v;
                if (tableDelegate_)
                    v = footer ? tableDelegate_->viewForFooterInSection(this, s) : tableDelegate_->viewForHeaderInSection(this, s);
                if (!v && dataSource_) {
                    std::string title = footer ? dataSource_->titleForFooterInSection(this, s) : dataSource_->titleForHeaderInSection(this, s);
                    if (!title.empty()) v = UITableViewSectionViews::makeTitleView(title, style_, footer);
                }
                if (!v) continue;
                addSubview(v);
                it = headers_.emplace(key, v).first;
            } else if (it->second->superview() != this) {
                addSubview(it->second);
            }
            it->second->setFrame(r);
            // Floating headers stay above the cells.
            if (style_ == UITableViewStylePlain && !footer) bringSubviewToFront(it->second.get());
        }
    }
    for (auto it = headers_.begin(); it != headers_.end();) {
        if (!wanted.count(it->first)) {
            it->second->removeFromSuperview();
            it = headers_.erase(it);
        } else {
            ++it;
        }
    }
    if (verticalScrollIndicator()) {
        bringSubviewToFront(verticalScrollIndicator());
        bringSubviewToFront(horizontalScrollIndicator());
    }
}

UIView* UITableView::headerViewForSection(int section) const {
    auto it = headers_.find({section, false});
    return it == headers_.end() ? nullptr : it->second.get();
}

UITableViewCell* UITableView::cellForRowAtIndexPath(const NSIndexPath& indexPath) {
    if (!loaded_ || needsLayout()) layoutIfNeeded();
    auto it = visible_.find(indexPath);
    if (it == visible_.end()) return nullptr;
    // Rows that only the union with an animating offset keeps alive count as visible too.
    return it->second.get();
}

std::vector<UITableViewCell*> UITableView::visibleCells() {
    if (!loaded_ || needsLayout()) layoutIfNeeded();
    std::vector<UITableViewCell*> out;
    CGRect b = bounds();
    for (auto& [p, c] : visible_)
        if (CGRectIntersectsRect(c->frame(), b)) out.push_back(c.get());
    return out;
}

std::vector<NSIndexPath> UITableView::indexPathsForVisibleRows() {
    if (!loaded_ || needsLayout()) layoutIfNeeded();
    std::vector<NSIndexPath> out;
    CGRect b = bounds();
    for (auto& [p, c] : visible_)
        if (CGRectIntersectsRect(c->frame(), b)) out.push_back(p);
    return out;
}

std::optional<NSIndexPath> UITableView::indexPathForCell(const UITableViewCell* cell) const {
    for (const auto& [p, c] : visible_)
        if (c.get() == cell) return p;
    return std::nullopt;
}

std::optional<NSIndexPath> UITableView::indexPathForRowAtPoint(CGPoint point) const {
    if (!loaded_) const_cast<UITableView*>(this)->rebuildRowData();
    if (point.x < 0 || point.x >= bounds().size.width) return std::nullopt;
    return rows_.rowAt(point.y);
}

std::vector<NSIndexPath> UITableView::indexPathsForRowsInRect(CGRect rect) const {
    if (!loaded_) const_cast<UITableView*>(this)->rebuildRowData();
    return rows_.rowsIn(CGRectGetMinY(rect), CGRectGetMaxY(rect));
}

CGRect UITableView::rectForRowAtIndexPath(const NSIndexPath& indexPath) const {
    if (!loaded_) const_cast<UITableView*>(this)->rebuildRowData();
    auto span = rows_.rowSpan(indexPath);
    if (!span) return CGRectZero;
    return CGRectMake(0, span->first, bounds().size.width, span->second);
}

void UITableView::scrollToRowAtIndexPath(const NSIndexPath& indexPath, UITableViewScrollPosition position, bool animated) {
    if (!loaded_) rebuildRowData();
    if (rows_.isEstimated(indexPath) && rows_.setExactRowHeight(indexPath, exactRowHeight(indexPath)) != 0)
        updateContentSize();
    auto span = rows_.rowSpan(indexPath);
    if (!span) {
        NSLog("UITableView: cannot scroll to row %i in section %i: no such row", indexPath.row, indexPath.section);
        return;
    }
    CGRect b = bounds();
    UIEdgeInsets in = contentInset();
    double visibleH = b.size.height - in.top - in.bottom;
    double rowTop = span->first, rowH = span->second;
    // A plain table's floating header covers the top of its section.
    double headerCover = style_ == UITableViewStylePlain ? rows_.section(indexPath.section).headerHeight : 0;
    double y = b.origin.y;
    switch (position) {
    case UITableViewScrollPositionTop: y = rowTop - in.top - headerCover; break;
    case UITableViewScrollPositionMiddle: y = rowTop + rowH / 2 - in.top - visibleH / 2; break;
    case UITableViewScrollPositionBottom: y = rowTop + rowH - in.top - visibleH; break;
    case UITableViewScrollPositionNone:
        if (rowTop - headerCover < b.origin.y + in.top) y = rowTop - in.top - headerCover;
        else if (rowTop + rowH > b.origin.y + in.top + visibleH) y = rowTop + rowH - in.top - visibleH;
        break;
    }
    CGPoint lo = minimumContentOffset(), hi = maximumContentOffset();
    y = std::max(lo.y, std::min(hi.y, y));
    setContentOffset(CGPointMake(b.origin.x, y), animated);
}

void UITableView::scrollToNearestSelectedRowAtScrollPosition(UITableViewScrollPosition position, bool animated) {
    if (auto p = indexPathForSelectedRow()) scrollToRowAtIndexPath(*p, position, animated);
}

std::optional<NSIndexPath> UITableView::indexPathForSelectedRow() const {
    if (selected_.empty()) return std::nullopt;
    return *selected_.begin();
}

std::vector<NSIndexPath> UITableView::indexPathsForSelectedRows() const {
    return {selected_.begin(), selected_.end()};
}

void UITableView::setSelectedInternal(const NSIndexPath& path, bool selected, bool animated) {
    if (selected) selected_.insert(path);
    else selected_.erase(path);
    auto it = visible_.find(path);
    if (it != visible_.end()) it->second->setSelected(selected, animated);
}

void UITableView::selectRowAtIndexPath(const std::optional<NSIndexPath>& indexPath, bool animated, UITableViewScrollPosition position) {
    if (linkView_) return;
    if (!loaded_) rebuildRowData();
    bool multi = editing_ && allowsMultipleSelectionDuringEditing_;
    if (!multi) {
        for (const NSIndexPath& p : std::vector<NSIndexPath>(selected_.begin(), selected_.end()))
            if (!indexPath || p != *indexPath) setSelectedInternal(p, false, animated);
    }
    if (!indexPath) return;
    if (!rows_.contains(*indexPath)) {
        NSLog("UITableView: cannot select row %i in section %i: no such row", indexPath->row, indexPath->section);
        return;
    }
    setSelectedInternal(*indexPath, true, animated);
    if (position != UITableViewScrollPositionNone) scrollToRowAtIndexPath(*indexPath, position, animated);
}

void UITableView::deselectRowAtIndexPath(const NSIndexPath& indexPath, bool animated) {
    if (highlighted_ && *highlighted_ == indexPath) clearHighlight();
    setSelectedInternal(indexPath, false, animated);
}

void UITableView::clearHighlight() {
    if (highlightTimer_) highlightTimer_->invalidate();
    highlightTimer_.reset();
    pendingHighlight_.reset();
    if (highlighted_) {
        auto it = visible_.find(*highlighted_);
        if (it != visible_.end()) it->second->setHighlighted(false, false);
        highlighted_.reset();
    }
}

void UITableView::touchDidBegin(CGPoint location, UITouch*, UIEvent*) {
    clearHighlight();
    touchBeganRow_ = rows_.rowAt(location.y);
    if (deleteConfirmation_ || linkView_) return;
    bool selectable = editing_ ? allowsSelectionDuringEditing_ : allowsSelection_;
    if (!selectable) return;
    auto path = rows_.rowAt(location.y);
    if (!path) return;
    pendingHighlight_ = path;
    std::weak_ptr<UIView> weak = weak_from_this();
    highlightTimer_ = NSTimer::scheduledTimer(kHighlightDelay, false, [weak](NSTimer&) {
        auto self = std::static_pointer_cast<UITableView>(weak.lock());
        if (!self || !self->pendingHighlight_) return;
        self->highlighted_ = self->pendingHighlight_;
        self->pendingHighlight_.reset();
        auto it = self->visible_.find(*self->highlighted_);
        if (it != self->visible_.end()) it->second->setHighlighted(true, false);
    });
}

void UITableView::dragDidBegin() {
    clearHighlight();
    setHighlightedLinkView(nullptr);
    if (deleteConfirmation_) showDeleteConfirmation(std::nullopt);
}

void UITableView::tapEnded(CGPoint location, UITouch*, UIEvent*) {
    if (deleteConfirmation_) {
        clearHighlight();
        showDeleteConfirmation(std::nullopt);
        return;
    }
    auto path = rows_.rowAt(location.y);
    const std::optional<NSIndexPath> began = std::exchange(touchBeganRow_, std::nullopt);
    // A row moved under a resting finger (the table scrolled or reloaded while it was
    // held, as a long press's panel does) is not the row the user touched.
    if (!path || path != began || location.x < 0 || location.x >= bounds().size.width) {
        clearHighlight();
        return;
    }
    auto it = visible_.find(*path);
    UITableViewCell* cell = it == visible_.end() ? nullptr : it->second.get();
    if (editing_ && cell && cell->editingControl() && !cell->editingControl()->isHidden()) {
        CGPoint inCell = cell->convertPointFromView(location, this);
        CGRect ctl = cell->editingControl()->frame();
        if (inCell.x < CGRectGetMaxX(ctl) + 8) {
            clearHighlight();
            if (cell->editingStyle() == UITableViewCellEditingStyleDelete) showDeleteConfirmation(*path);
            else if (cell->editingStyle() == UITableViewCellEditingStyleInsert && dataSource_)
                dataSource_->commitEditingStyle(this, UITableViewCellEditingStyleInsert, *path);
            return;
        }
    }
    if (cell && cell->accessoryType() == UITableViewCellAccessoryDetailDisclosureButton && !editing_) {
        CGPoint inCell = cell->convertPointFromView(location, this);
        if (inCell.x > cell->bounds().size.width - 44) {
            clearHighlight();
            if (tableDelegate_) tableDelegate_->accessoryButtonTappedForRowWithIndexPath(this, *path);
            return;
        }
    }
    bool selectable = editing_ ? allowsSelectionDuringEditing_ : allowsSelection_;
    if (!selectable) {
        clearHighlight();
        return;
    }
    userSelectRowAtIndexPath(*path);
}

void UITableView::userSelectRowAtIndexPath(const NSIndexPath& indexPath) {
    if (linkView_ || !rows_.contains(indexPath)) return;
    bool multi = editing_ && allowsMultipleSelectionDuringEditing_;
    if (multi && selected_.count(indexPath)) {
        clearHighlight();
        std::optional<NSIndexPath> d = tableDelegate_ ? tableDelegate_->willDeselectRowAtIndexPath(this, indexPath) : indexPath;
        if (!d) return;
        setSelectedInternal(*d, false, false);
        if (tableDelegate_) tableDelegate_->didDeselectRowAtIndexPath(this, *d);
        return;
    }
    // Show the touch while the delegate decides.
    if (!highlighted_ || *highlighted_ != indexPath) {
        clearHighlight();
        highlighted_ = indexPath;
        auto it = visible_.find(indexPath);
        if (it != visible_.end()) it->second->setHighlighted(true, false);
    }
    std::optional<NSIndexPath> target = tableDelegate_ ? tableDelegate_->willSelectRowAtIndexPath(this, indexPath) : indexPath;
    if (!target || !rows_.contains(*target)) {
        clearHighlight();
        return;
    }
    if (!multi) {
        for (const NSIndexPath& p : std::vector<NSIndexPath>(selected_.begin(), selected_.end())) {
            if (p == *target) continue;
            std::optional<NSIndexPath> d = tableDelegate_ ? tableDelegate_->willDeselectRowAtIndexPath(this, p) : p;
            if (!d) continue;
            setSelectedInternal(*d, false, false);
            if (tableDelegate_) tableDelegate_->didDeselectRowAtIndexPath(this, *d);
        }
    }
    clearHighlight();
    setSelectedInternal(*target, true, false);
    if (tableDelegate_) tableDelegate_->didSelectRowAtIndexPath(this, *target);
}

void UITableView::horizontalSwipe(CGPoint start, double) {
    if (editing_ || !dataSource_) return;
    auto path = rows_.rowAt(start.y);
    if (!path) return;
    clearHighlight();
    if (!dataSource_->canEditRowAtIndexPath(this, *path)) return;
    if (tableDelegate_ && tableDelegate_->editingStyleForRowAtIndexPath(this, *path) != UITableViewCellEditingStyleDelete) return;
    if (tableDelegate_) tableDelegate_->willBeginEditingRowAtIndexPath(this, *path);
    showDeleteConfirmation(*path);
}

void UITableView::showDeleteConfirmation(const std::optional<NSIndexPath>& path) {
    if (deleteConfirmation_ == path) return;
    if (deleteConfirmation_) {
        NSIndexPath old = *deleteConfirmation_;
        deleteConfirmation_.reset();
        auto it = visible_.find(old);
        if (it != visible_.end()) it->second->setShowingDeleteConfirmation(false);
        if (!editing_ && tableDelegate_) tableDelegate_->didEndEditingRowAtIndexPath(this, old);
    }
    if (!path) return;
    deleteConfirmation_ = path;
    auto it = visible_.find(*path);
    if (it == visible_.end()) return;
    UITableViewCell* cell = it->second.get();
    std::string title = tableDelegate_ ? tableDelegate_->titleForDeleteConfirmationButtonForRowAtIndexPath(this, *path) : "Delete";
    cell->setShowingDeleteConfirmation(true);
    if (UIButton* b = cell->deleteConfirmationButton()) {
        b->setTitle(title, UIControlStateNormal);
        b->removeTarget(this, UIControlEventTouchUpInside);
        std::weak_ptr<UIView> weakCell = cell->weak_from_this();
        b->addTarget(this, [this, weakCell](UIControl*, UIEvent*) {
            auto c = std::static_pointer_cast<UITableViewCell>(weakCell.lock());
            if (!c) return;
            if (auto p = indexPathForCell(c.get())) commitDelete(*p);
        }, UIControlEventTouchUpInside);
    }
}

void UITableView::commitDelete(const NSIndexPath& path) {
    bool swiped = !editing_;
    if (deleteConfirmation_) {
        auto it = visible_.find(*deleteConfirmation_);
        if (it != visible_.end()) it->second->setShowingDeleteConfirmation(false);
        deleteConfirmation_.reset();
    }
    if (dataSource_) dataSource_->commitEditingStyle(this, UITableViewCellEditingStyleDelete, path);
    if (swiped && tableDelegate_) tableDelegate_->didEndEditingRowAtIndexPath(this, path);
}

void UITableView::setEditing(bool editing, bool animated) {
    if (editing == editing_) return;
    showDeleteConfirmation(std::nullopt);
    clearHighlight();
    editing_ = editing;
    if (allowsMultipleSelectionDuringEditing_) {
        for (const NSIndexPath& p : std::vector<NSIndexPath>(selected_.begin(), selected_.end())) setSelectedInternal(p, false, false);
    }
    for (auto& [p, c] : visible_) {
        configureCell(*c, p);
        c->setEditing(editing, animated);
    }
}

// --- Batch updates ---

void UITableView::beginUpdates() { ++updateDepth_; }

void UITableView::endUpdates() {
    if (updateDepth_ == 0) return;
    if (--updateDepth_ > 0) return;
    std::vector<Update> updates;
    updates.swap(pendingUpdates_);
    applyUpdates(std::move(updates));
}

void UITableView::insertRowsAtIndexPaths(const std::vector<NSIndexPath>& paths, UITableViewRowAnimation a) {
    beginUpdates();
    pendingUpdates_.push_back({Update::InsertRows, paths, {}, a});
    endUpdates();
}

void UITableView::deleteRowsAtIndexPaths(const std::vector<NSIndexPath>& paths, UITableViewRowAnimation a) {
    beginUpdates();
    pendingUpdates_.push_back({Update::DeleteRows, paths, {}, a});
    endUpdates();
}

void UITableView::reloadRowsAtIndexPaths(const std::vector<NSIndexPath>& paths, UITableViewRowAnimation a) {
    beginUpdates();
    pendingUpdates_.push_back({Update::ReloadRows, paths, {}, a});
    endUpdates();
}

void UITableView::insertSections(const std::vector<int>& sections, UITableViewRowAnimation a) {
    beginUpdates();
    pendingUpdates_.push_back({Update::InsertSections, {}, sections, a});
    endUpdates();
}

void UITableView::deleteSections(const std::vector<int>& sections, UITableViewRowAnimation a) {
    beginUpdates();
    pendingUpdates_.push_back({Update::DeleteSections, {}, sections, a});
    endUpdates();
}

void UITableView::reloadSections(const std::vector<int>& sections, UITableViewRowAnimation a) {
    beginUpdates();
    pendingUpdates_.push_back({Update::ReloadSections, {}, sections, a});
    endUpdates();
}

void UITableView::applyUpdates(std::vector<Update> updates) {
    if (updates.empty()) return;
    if (!loaded_) {
        reloadData();
        return;
    }
    const int oldSections = rows_.numberOfSections();
    std::vector<int> oldCounts;
    for (int s = 0; s < oldSections; ++s) oldCounts.push_back(rows_.numberOfRows(s));

    std::set<int> delSec, insSec, relSec;
    std::map<int, std::set<int>> delRows, insRows;  // delete: old section; insert: new section
    std::set<NSIndexPath> reloadOld;
    bool fade = false;
    for (const Update& u : updates) {
        if (u.animation != UITableViewRowAnimationNone) fade = true;
        switch (u.kind) {
        case Update::InsertRows: for (auto& p : u.rows) insRows[p.section].insert(p.row); break;
        case Update::DeleteRows: for (auto& p : u.rows) delRows[p.section].insert(p.row); break;
        case Update::ReloadRows: for (auto& p : u.rows) reloadOld.insert(p); break;
        case Update::InsertSections: insSec.insert(u.sections.begin(), u.sections.end()); break;
        case Update::DeleteSections: delSec.insert(u.sections.begin(), u.sections.end()); break;
        case Update::ReloadSections: relSec.insert(u.sections.begin(), u.sections.end()); break;
        }
    }
    auto fail = [&](const char* why) {
        NSLog("UITableView: invalid update (%s); reloading the whole table", why);
        CGPoint keep = contentOffset();
        reloadData();
        CGPoint hi = maximumContentOffset();
        setContentOffset(CGPointMake(keep.x, std::min(keep.y, hi.y)));
    };
    // Old section -> new section (-1 when deleted).
    std::vector<int> secMap(static_cast<size_t>(oldSections), -1);
    {
        for (int s : delSec)
            if (s < 0 || s >= oldSections) return fail("deleted section out of range");
        for (int s : relSec)
            if (s < 0 || s >= oldSections) return fail("reloaded section out of range");
        int k = 0;
        for (int s = 0; s < oldSections; ++s)
            if (!delSec.count(s)) secMap[static_cast<size_t>(s)] = k++;
        for (int ins : insSec)
            for (int& m : secMap)
                if (m >= ins) ++m;
    }
    for (auto& [s, rs] : delRows) {
        if (s < 0 || s >= oldSections) return fail("deleted row's section out of range");
        for (int r : rs)
            if (r < 0 || r >= oldCounts[static_cast<size_t>(s)]) return fail("deleted row out of range");
    }
    for (const NSIndexPath& p : reloadOld)
        if (p.section < 0 || p.section >= oldSections || p.row < 0 || p.row >= oldCounts[static_cast<size_t>(p.section)])
            return fail("reloaded row out of range");

    // What the data source must now report.
    int newSections = dataSource_ ? dataSource_->numberOfSectionsInTableView(this) : 0;
    if (newSections != oldSections - static_cast<int>(delSec.size()) + static_cast<int>(insSec.size()))
        return fail("section count does not match the changes");
    std::vector<int> expected(static_cast<size_t>(newSections), -1);
    for (int s = 0; s < oldSections; ++s) {
        int m = secMap[static_cast<size_t>(s)];
        if (m < 0) continue;
        if (m >= newSections) return fail("section count does not match the changes");
        if (relSec.count(s)) continue;  // a reloaded section may have any count
        int n = oldCounts[static_cast<size_t>(s)] - static_cast<int>(delRows[s].size());
        expected[static_cast<size_t>(m)] = n;
    }
    for (auto& [s, rs] : insRows) {
        if (s < 0 || s >= newSections) return fail("inserted row's section out of range");
        if (insSec.count(s)) continue;
        if (expected[static_cast<size_t>(s)] >= 0) expected[static_cast<size_t>(s)] += static_cast<int>(rs.size());
    }
    for (int s = 0; s < newSections; ++s) {
        int actual = dataSource_->numberOfRowsInSection(this, s);
        if (expected[static_cast<size_t>(s)] >= 0 && actual != expected[static_cast<size_t>(s)])
            return fail("row count does not match the changes");
        for (int r : insRows[s])
            if (r < 0 || r >= actual) return fail("inserted row out of range");
    }

    // Map an old row to its new place, or nullopt when it goes.
    auto mapRow = [&](const NSIndexPath& p) -> std::optional<NSIndexPath> {
        if (p.section < 0 || p.section >= oldSections) return std::nullopt;
        int ns = secMap[static_cast<size_t>(p.section)];
        if (ns < 0 || relSec.count(p.section)) return std::nullopt;
        const auto& dels = delRows[p.section];
        if (dels.count(p.row) || reloadOld.count(p)) return std::nullopt;
        int r = p.row - static_cast<int>(std::distance(dels.begin(), dels.lower_bound(p.row)));
        for (int ins : insRows[ns])
            if (r >= ins) ++r;
        return NSIndexPath{ns, r};
    };

    showDeleteConfirmation(std::nullopt);
    clearHighlight();
    std::map<NSIndexPath, UITableViewCellPtr> moved;
    std::vector<UITableViewCellPtr> leaving;
    for (auto& [p, cell] : visible_) {
        if (auto np = mapRow(p)) moved[*np] = cell;
        else leaving.push_back(cell);
    }
    std::set<NSIndexPath> newSelected;
    for (const NSIndexPath& p : selected_)
        if (auto np = mapRow(p)) newSelected.insert(*np);
    visible_.swap(moved);
    selected_.swap(newSelected);
    for (auto& [k, v] : headers_) v->removeFromSuperview();
    headers_.clear();

    // Rows that appear fade in.
    if (fade && UIView::areAnimationsEnabled()) {
        for (auto& [s, rs] : insRows)
            for (int r : rs) fadeIn_.insert({s, r});
        for (const NSIndexPath& p : reloadOld)
            if (auto ns = secMap[static_cast<size_t>(p.section)]; ns >= 0) {
                int r = p.row - static_cast<int>(std::distance(delRows[p.section].begin(), delRows[p.section].lower_bound(p.row)));
                for (int ins : insRows[ns])
                    if (r >= ins) ++r;
                fadeIn_.insert({ns, r});
            }
    }
    for (const UITableViewCellPtr& cell : leaving) {
        if (fade && UIView::areAnimationsEnabled()) {
            std::weak_ptr<UIView> weakSelf = weak_from_this();
            std::weak_ptr<UIView> weakCell = cell;
            fadingOut_.push_back(cell);
            UIView::beginAnimations("UITableViewRowFadeOut");
            UIView::setAnimationDuration(kFadeDuration);
            UIView::setAnimationDidStopSelector([weakSelf, weakCell](const std::string&, bool, void*) {
                auto self = std::static_pointer_cast<UITableView>(weakSelf.lock());
                auto c = std::static_pointer_cast<UITableViewCell>(weakCell.lock());
                if (!self || !c) return;
                c->removeFromSuperview();
                c->setAlpha(1);
                std::erase(self->fadingOut_, c);
                self->enqueue(c);
            });
            cell->setAlpha(0);
            UIView::commitAnimations();
        } else {
            cell->removeFromSuperview();
            enqueue(cell);
        }
    }
    rebuildRowData();
    for (auto& [p, c] : visible_) configureCell(*c, p);
    layoutVisibleCells();
}

// --- Section index ---

void UITableView::buildIndexView() {
    if (indexTitles_.empty()) {
        if (indexView_) indexView_->removeFromSuperview();
        indexView_.reset();
        return;
    }
    auto strip = std::make_shared<UITableViewSectionViews::IndexStrip>(indexTitles_);
    std::weak_ptr<UIView> weak = weak_from_this();
    strip->onSelect = [weak](int index, const std::string& title) {
        auto self = std::static_pointer_cast<UITableView>(weak.lock());
        if (!self || !self->dataSource_) return;
        int s = self->dataSource_->sectionForSectionIndexTitle(self.get(), title, index);
        if (s < 0 || s >= self->rows_.numberOfSections()) return;
        CGPoint hi = self->maximumContentOffset();
        self->setContentOffset(CGPointMake(0, std::min(hi.y, self->rows_.section(s).top - self->contentInset().top)));
    };
    if (indexView_) indexView_->removeFromSuperview();
    indexView_ = strip;
    addSubview(indexView_);
}

void UITableView::layoutIndexView() {
    if (!indexView_) return;
    CGRect b = bounds();
    indexView_->setFrame(CGRectMake(b.origin.x + b.size.width - 30, b.origin.y, 30, b.size.height));
    bringSubviewToFront(indexView_.get());
}

void UITableView::setHighlightedLinkView(UIView* view) {
    if (view == linkView_.get()) return;
    // The old holder clears its highlight first; it tells the table so, which lets it go.
    if (std::shared_ptr<UIView> old = linkView_)
        if (auto* holder = dynamic_cast<UITableViewLinkHolder*>(old.get())) holder->clearHighlightedLink();
    linkView_ = dynamic_cast<UITableViewLinkHolder*>(view) ? view->shared_from_this() : nullptr;
}

void UITableView::touchesEnded(const UITouchSet& touches, UIEvent* event) {
    UIScrollView::touchesEnded(touches, event);
    if (!linkView_) return;
    // Kept while its link runs: the action may reload this table.
    std::shared_ptr<UIView> view = linkView_;
    dynamic_cast<UITableViewLinkHolder&>(*view).performHighlightedLink();
    setHighlightedLinkView(nullptr);
}
