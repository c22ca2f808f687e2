#pragma once
// Fixtures shared by the hosting tests: a table data source over plain numbers and
// a recorder of delegate calls.

#include <string>
#include <vector>

#include "platform/foundation/Format.h"
#include "platform/ui/hosting/UITableView.h"

// Sections of rows; each row's value is shown as its cell's text.
class NumberSource : public UITableViewDataSource, public UITableViewDelegate {
public:
    std::vector<std::vector<int>> sections;
    std::vector<std::string> calls;  // delegate calls, in order
    int cellsMade = 0;
    bool variableHeights = false;
    std::optional<NSIndexPath> refuse;  // willSelect answers nullopt for it

    int numberOfSectionsInTableView(UITableView*) override { return static_cast<int>(sections.size()); }
    int numberOfRowsInSection(UITableView*, int s) override { return static_cast<int>(sections[static_cast<size_t>(s)].size()); }
    UITableViewCellPtr cellForRowAtIndexPath(UITableView* tv, const NSIndexPath& p) override {
        auto cell = tv->dequeueReusableCellWithIdentifier("Number");
        if (!cell) {
            cell = std::make_shared<UITableViewCell>(UITableViewCellStyleDefault, "Number");
            ++cellsMade;
        }
        cell->textLabel()->setText(std::to_string(sections[static_cast<size_t>(p.section)][static_cast<size_t>(p.row)]));
        return cell;
    }
    double heightForRowAtIndexPath(UITableView*, const NSIndexPath& p) override {
        if (!variableHeights) return -1;
        return 40 + (sections[static_cast<size_t>(p.section)][static_cast<size_t>(p.row)] % 5) * 10;
    }
    std::optional<NSIndexPath> willSelectRowAtIndexPath(UITableView*, const NSIndexPath& p) override {
        calls.push_back(stringWithFormat("willSelect %i", p.row));
        if (refuse && *refuse == p) return std::nullopt;
        return p;
    }
    void didSelectRowAtIndexPath(UITableView*, const NSIndexPath& p) override { calls.push_back(stringWithFormat("didSelect %i", p.row)); }
    std::optional<NSIndexPath> willDeselectRowAtIndexPath(UITableView*, const NSIndexPath& p) override {
        calls.push_back(stringWithFormat("willDeselect %i", p.row));
        return p;
    }
    void didDeselectRowAtIndexPath(UITableView*, const NSIndexPath& p) override { calls.push_back(stringWithFormat("didDeselect %i", p.row)); }
    void commitEditingStyle(UITableView* tv, UITableViewCellEditingStyle style, const NSIndexPath& p) override {
        calls.push_back(stringWithFormat("commit %i %i", static_cast<int>(style), p.row));
        if (style == UITableViewCellEditingStyleDelete) {
            auto& rows = sections[static_cast<size_t>(p.section)];
            rows.erase(rows.begin() + p.row);
            tv->deleteRowsAtIndexPaths({p}, UITableViewRowAnimationFade);
        }
    }
    void scrollViewWillBeginDragging(UIScrollView*) override { note("willBeginDragging"); }
    void scrollViewDidEndDragging(UIScrollView*, bool decelerate) override {
        note(decelerate ? "didEndDragging(decelerate)" : "didEndDragging");
    }
    void scrollViewWillBeginDecelerating(UIScrollView*) override { note("willBeginDecelerating"); }
    void scrollViewDidEndDecelerating(UIScrollView*) override { note("didEndDecelerating"); }
    void scrollViewDidEndScrollingAnimation(UIScrollView*) override { note("didEndScrollingAnimation"); }
    void scrollViewDidScroll(UIScrollView*) override {
        if (calls.empty() || calls.back() != "didScroll") calls.push_back("didScroll");
    }
    void note(const std::string& s) { calls.push_back(s); }

    static std::vector<int> range(int n) {
        std::vector<int> v;
        for (int i = 0; i < n; ++i) v.push_back(i);
        return v;
    }
};
