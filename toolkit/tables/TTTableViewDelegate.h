#pragma once
// Table delegates: a selected row opens its item's URL through the navigator and is reported
// to the controller; variants answer row heights from the cell classes and header views and
// heights for sections. Toolkit URL requests are held back while the table is dragged.

#include "platform/ui/hosting/UITableView.h"
#include "toolkit/controllers/TTModel.h"
#include "toolkit/tables/TTTableObject.h"

// What a table delegate asks of the controller that owns it.
class TTTableViewDelegateController {
public:
    virtual ~TTTableViewDelegateController() = default;
    virtual bool shouldOpenURL(const std::string& url) { return true; }
    virtual void didSelectObject(const TTTableObject& object, const NSIndexPath& indexPath) {}
    virtual void didBeginDragging() {}
    virtual void didEndDragging() {}
    virtual TTModel* model() = 0;
};

class TTTableViewDataSource;

class TTTableViewDelegate : public UITableViewDelegate {
public:
    // The controller is not retained; it owns the delegate.
    explicit TTTableViewDelegate(TTTableViewDelegateController* controller) : controller_(controller) {}

    TTTableViewDelegateController* controller() const { return controller_; }

    std::shared_ptr<UIView> viewForHeaderInSection(UITableView* tableView, int section) override;
    void didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    void accessoryButtonTappedForRowWithIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;

    bool scrollViewShouldScrollToTop(UIScrollView* scrollView) override;
    void scrollViewDidScrollToTop(UIScrollView* scrollView) override;
    void scrollViewWillBeginDragging(UIScrollView* scrollView) override;
    void scrollViewDidEndDragging(UIScrollView* scrollView, bool decelerate) override;
    void scrollViewDidEndDecelerating(UIScrollView* scrollView) override;

protected:
    static TTTableViewDataSource* dataSourceOf(UITableView* tableView);
    // A header for any non-empty title; without the style and tint conditions.
    static std::shared_ptr<UIView> headerViewForTitle(UITableView* tableView, int section);

private:
    TTTableViewDelegateController* controller_;  // unretained
};

class TTTableViewVarHeightDelegate : public TTTableViewDelegate {
public:
    using TTTableViewDelegate::TTTableViewDelegate;
    double heightForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
};

class TTTableViewPlainDelegate : public TTTableViewDelegate {
public:
    using TTTableViewDelegate::TTTableViewDelegate;
    std::shared_ptr<UIView> viewForHeaderInSection(UITableView* tableView, int section) override
    {
        return headerViewForTitle(tableView, section);
    }
};

class TTTableViewPlainVarHeightDelegate : public TTTableViewVarHeightDelegate {
public:
    using TTTableViewVarHeightDelegate::TTTableViewVarHeightDelegate;
    std::shared_ptr<UIView> viewForHeaderInSection(UITableView* tableView, int section) override
    {
        return headerViewForTitle(tableView, section);
    }
};

class TTTableViewGroupedVarHeightDelegate : public TTTableViewVarHeightDelegate {
public:
    using TTTableViewVarHeightDelegate::TTTableViewVarHeightDelegate;
    // 35 for a titled section, 1 for an untitled one.
    double heightForHeaderInSection(UITableView* tableView, int section) override;
};
