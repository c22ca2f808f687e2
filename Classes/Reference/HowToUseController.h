#pragma once
// "How to Use Lumeno": fourteen "How do I..." topics; each answers in an alert or opens a help
// article of the maker's site (by default our own pages in the bundle) in the in-app web page
// screen. Offered by the More menu ("HowToUse"), shown modally in a navigation controller and
// closed by its done button. Its texts follow the interface language.

#include <memory>
#include <string>

#include "platform/ui/hosting/UIAlertView.h"
#include "platform/ui/hosting/UITableView.h"
#include "platform/ui/hosting/UIViewController.h"

class HowToUseController : public UIViewController,
                           public UITableViewDataSource,
                           public UITableViewDelegate,
                           public UIAlertViewDelegate {
public:
    HowToUseController();
    ~HowToUseController() override;

    // Registers the More menu's "HowToUse": this screen as the root of a navigation controller.
    static void registerInterface();

    struct Topic {
        const char* title;
        const char* alertTitle;  // null: the topic opens an article
        const char* text;        // the alert's message, or the article's path on the maker's site
    };
    static constexpr int kTopicCount = 14;
    static const Topic& topic(int row);

    std::shared_ptr<UITableView> table;
    // The alert shown last (kept while it shows).
    const std::shared_ptr<UIAlertView>& alert() const { return alert_; }

    void loadView() override;
    void viewDidLoad() override;
    void closeModal();
    bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation o) override {
        return o != UIInterfaceOrientationPortraitUpsideDown;
    }

    int numberOfRowsInSection(UITableView* tableView, int section) override { return kTopicCount; }
    std::string titleForHeaderInSection(UITableView* tableView, int section) override;
    double heightForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override { return 45; }
    bool canEditRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override { return false; }
    UITableViewCellPtr cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    void didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;

private:
    std::shared_ptr<UIAlertView> alert_;
};
