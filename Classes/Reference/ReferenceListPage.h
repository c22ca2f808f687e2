#pragma once
// What the reference list pages (stop signs, prostration verses, supplications) share: paper
// with the top bar, a back button at its left, and one table under it; the back button pops
// the page.

#include <memory>
#include <string>

#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/UITableView.h"
#include "platform/ui/hosting/UIViewController.h"

class ReferenceListPage : public UIViewController, public UITableViewDataSource, public UITableViewDelegate {
public:
    explicit ReferenceListPage(const std::string& nibName);
    ~ReferenceListPage() override;

    // ---- Outlets, wired by the page's builder ----
    std::shared_ptr<UIView> viewTopBar;
    std::shared_ptr<UILabel> lblTopLabel;
    std::shared_ptr<UIImageView> imgBG, imgTopBarBG;
    std::shared_ptr<UIButton> btnBack;

    void btnBackPressed();
    void rethemeUI();
    bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation o) override {
        return o != UIInterfaceOrientationPortraitUpsideDown;
    }

protected:
    // Titles the back button for both states.
    void setBackTitle(const std::string& title);
    // Connects the page's table to this page and colours its separators (none: clear); the
    // page lets go of it when it goes.
    void attachTable(const std::shared_ptr<UITableView>& table, UIColorPtr separatorColor);

    // Builds paper, top bar, back button and a table filling the rest.
    struct Frame {
        std::shared_ptr<UIView> root;
        std::shared_ptr<UITableView> table;
        double width = 0, height = 0;
    };
    static Frame buildFrame(ReferenceListPage& page);

private:
    std::weak_ptr<UITableView> attached_;
};

// A visible text through the interface-language tables (key and fallback alike).
std::string referenceText(const std::string& text);

// A table that resizes with its screen, filling the application frame when no frame is given.
std::shared_ptr<UITableView> screenTable(CGRect frame = CGRectZero, UITableViewStyle style = UITableViewStylePlain);
