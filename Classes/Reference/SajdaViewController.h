#pragma once
// The prostration verses page: fifteen verses under chapter headers, each row the verse's
// Arabic text, the four obligatory ones in green with a footer saying so; a tapped verse opens
// the reading screen there. Rows and headers are the search list's, in their supplication look.
// The supplication verse page is the same page with another list. Built from the interface
// "SupplicationDetailController".

#include <memory>
#include <string>
#include <vector>

#include "Classes/Core/SearchResult.h"
#include "Classes/Reference/ReferenceListPage.h"
#include "Classes/Search/SearchCellView.h"

class SajdaViewController : public ReferenceListPage, public SearchResultListOwner {
public:
    explicit SajdaViewController(const std::string& nibName = "SupplicationDetailController");
    ~SajdaViewController() override;

    static void registerInterface();
    // The fifteen verses ("7:206" ...) and their obligatory flags, by position.
    static const std::vector<std::string>& sajdaVerses();
    static const std::vector<int>& sajdaObligatory();

    // ---- Outlets, wired by the "SupplicationDetailController" builder ----
    std::shared_ptr<UITableView> tblTable;
    std::shared_ptr<UIView> viewBottomFooter;
    std::shared_ptr<UILabel> lblBottomLegend;

    const std::string& strHeader() const { return strHeader_; }
    void setStrHeader(std::string header) { strHeader_ = std::move(header); }
    int isection() const { return isection_; }
    void setIsection(int section) { isection_ = section; }
    const SearchResult::List& sectionedResults() const { return arrSectionedResults; }
    // The header view of a section; null beyond the list.
    SearchCellView* sectionHeader(int section) const {
        return section >= 0 && section < static_cast<int>(arrSectionViews.size()) ? arrSectionViews[section].get() : nullptr;
    }

    // Rows and chapter sections from "chapter:verse" references, neighbours of one chapter
    // sharing a section; with arrCompuls filled, flagged rows are obligatory.
    void createSectionForArray(const std::vector<std::string>& references);

    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

    int numberOfSectionsInTableView(UITableView* tableView) override;
    int numberOfRowsInSection(UITableView* tableView, int section) override;
    std::shared_ptr<UIView> viewForHeaderInSection(UITableView* tableView, int section) override;
    double heightForHeaderInSection(UITableView* tableView, int section) override;
    double heightForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    UITableViewCellPtr cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    void didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    void sectionWithRow(const std::shared_ptr<SearchResult>& section, bool willCollapse) override;

protected:
    // Everything loading does after the title: the list, its footer and legend.
    virtual void loadList();

    std::vector<int> arrCompuls;
    std::vector<std::shared_ptr<SearchCellView>> arrSectionViews;
    SearchResult::List arrSectionedResults;

private:
    std::shared_ptr<SearchResult> resultAt(const NSIndexPath& path) const;

    std::string strHeader_;
    int isection_ = 0;
};
