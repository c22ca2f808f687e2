#include "toolkit/tables/TTTableView.h"

#include "toolkit/styledtext/TTStyledNode.h"

void TTTableView::setHighlightedLabel(TTStyledTextLabel* label)
{
    if (label == highlightedLabel_.get()) return;
    std::shared_ptr<TTStyledTextLabel> old = std::move(highlightedLabel_);
    highlightedLabel_ = label ? std::static_pointer_cast<TTStyledTextLabel>(label->shared_from_this()) : nullptr;
    if (old) old->setHighlightedNode(nullptr);
}

void TTTableView::touchesEnded(const UITouchSet& touches, UIEvent* event)
{
    UITableView::touchesEnded(touches, event);
    if (highlightedLabel_ && highlightedLabel_->highlightedNode()) {
        // Keep the label while its link runs: the action may reload this table.
        std::shared_ptr<TTStyledTextLabel> label = highlightedLabel_;
        label->highlightedNode()->performDefaultAction();
        // The link is done: rows can be selected again.
        setHighlightedLabel(nullptr);
    }
}

void TTTableView::selectRowAtIndexPath(const std::optional<NSIndexPath>& indexPath, bool animated,
                                       UITableViewScrollPosition position)
{
    if (highlightedLabel_) return;
    UITableView::selectRowAtIndexPath(indexPath, animated, position);
}

void TTTableView::userSelectRowAtIndexPath(const NSIndexPath& indexPath)
{
    if (highlightedLabel_) return;
    UITableView::userSelectRowAtIndexPath(indexPath);
}
