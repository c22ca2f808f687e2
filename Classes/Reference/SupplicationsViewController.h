#pragma once
// The supplication themes: ten rows with the number of verses in each; a chosen theme pushes
// its verse page. Built from the interface "SupplicationsViewController".

#include <memory>
#include <string>

#include "Classes/Reference/ReferenceListPage.h"

class SupplicationsViewController : public ReferenceListPage {
public:
    explicit SupplicationsViewController(const std::string& nibName = "SupplicationsViewController");

    static void registerInterface();

    std::shared_ptr<UITableView> tblTable;

    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

    int numberOfRowsInSection(UITableView* tableView, int section) override;
    UITableViewCellPtr cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    void didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;

};
