#pragma once
// One reciter's installed chapters in a table that is always in editing mode: deleting a row
// removes that chapter's audio on a worker thread behind a progress HUD, inside a background
// task of the deleting kind, then compacts the user database and tells the other screens.

#include <memory>
#include <optional>

#include "Classes/Audio/MBProgressHUD.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/UITableView.h"
#include "platform/ui/hosting/UIViewController.h"

struct sqlite3;

class ManageSurahAudioController : public UIViewController,
                                   public UITableViewDataSource,
                                   public UITableViewDelegate,
                                   public MBProgressHUDDelegate {
public:
    explicit ManageSurahAudioController(int reciter);
    ~ManageSurahAudioController() override;

    std::shared_ptr<UITableView> myTableView;
    std::shared_ptr<UIButton> btnBack;
    std::shared_ptr<UILabel> lblTopLabel;

    int selectedReciter() const { return selectedReciter_; }
    void setSelectedReciter(int reciter) { selectedReciter_ = reciter; }
    MBProgressHUD* progressHUD() const { return progressHUD_.get(); }
    // The chapter whose deletion runs, if one does.
    std::optional<int> deletingSurah() const { return deletingSurah_; }
    CGSize contentSizeForViewInPopover() const { return CGSizeMake(320, 347); }

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation orientation) override;
    void setEditing(bool editing, bool animated) override;
    void toggleEdit();
    void btnBackPressed();

    int numberOfSectionsInTableView(UITableView*) override { return 1; }
    int numberOfRowsInSection(UITableView* tableView, int section) override;
    std::string titleForHeaderInSection(UITableView* tableView, int section) override;
    UITableViewCellPtr cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    std::optional<NSIndexPath> willSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    void commitEditingStyle(UITableView* tableView, UITableViewCellEditingStyle style, const NSIndexPath& indexPath) override;

    // Main thread: the worker of a chapter's deletion has ended.
    void doneDeletingChapter(int surah);
    void hudWasHidden(MBProgressHUD* hud) override;

private:
    // The worker: the chapter's clips and continuous audio go, then the database is compacted.
    static void deleteSurahInBG(sqlite3* db, int reciter, int surah);
    std::vector<int> installedChapters() const;

    int selectedReciter_ = 0;
    std::shared_ptr<MBProgressHUD> progressHUD_;
    std::optional<int> deletingSurah_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
