#pragma once
// The stop-signs page: the seven pause marks of the Arabic text, one row each with the mark,
// its title and a line explaining it. Read-only; rows cannot be selected. Built from the
// interface "StopSigns".

#include <memory>
#include <string>

#include "Classes/Reference/ReferenceListPage.h"

class StopSignsViewController : public ReferenceListPage {
public:
    explicit StopSignsViewController(const std::string& nibName = "StopSigns");

    static void registerInterface();

    struct Sign {
        const char* image;
        const char* title;
        const char* explanation;
    };
    static constexpr int kSignCount = 7;
    static const Sign& sign(int row);

    std::shared_ptr<UITableView> tblGroups;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void btnCancelPressed();

    int numberOfRowsInSection(UITableView* tableView, int section) override { return kSignCount; }
    double heightForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override { return 53; }
    UITableViewCellPtr cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    std::optional<NSIndexPath> willSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override {
        return std::nullopt;
    }
    void didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;

};
