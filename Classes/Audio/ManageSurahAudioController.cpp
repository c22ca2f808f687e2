#include "Classes/Audio/ManageSurahAudioController.h"

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/Language.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/hosting/UINavigationController.h"

namespace {

std::string tr(const std::string& key) { return Language::get(key, key); }

LumenoSDKAppDelegate* app() { return LumenoSDKAppDelegate::GetInstance(); }

UIImagePtr stretched(const char* name, int leftCap) {
    UIImagePtr image = UIImage::imageNamed(name);
    return image ? image->stretchableImageWithLeftCapWidth(leftCap, 0) : nullptr;
}

}  // namespace

ManageSurahAudioController::ManageSurahAudioController(int reciter) : UIViewController("") {
    selectedReciter_ = reciter;
    setTitle(ChapterInfo::getReciterFullNameFromNumber(reciter));
    NSLog("Manage %i Reciter", reciter);
}

ManageSurahAudioController::~ManageSurahAudioController() {
    *alive_ = false;
    if (myTableView) {
        myTableView->setDataSource(nullptr);
        myTableView->setDelegate(nullptr);
    }
    if (progressHUD_) {
        progressHUD_->setDelegate(nullptr);
        progressHUD_->removeFromSuperview();
    }
}

void ManageSurahAudioController::loadView() {
    constexpr unsigned kFlexibleSize = UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight;
    CGRect frame = UIScreen::mainScreen().applicationFrame();
    frame.origin = CGPointMake(0, 0);
    auto root = std::make_shared<UIView>(frame);
    root->setAutoresizingMask(kFlexibleSize);
    root->setBackgroundColor(UIColor::colorWithRed(0.96, 0.93, 0.86, 1));
    auto paper = std::make_shared<UIImageView>(frame);
    paper->setAutoresizingMask(kFlexibleSize);
    paper->setImage(stretched("bk-bmg-bg.png.png", 159));
    root->addSubview(paper);
    myTableView = std::make_shared<UITableView>(frame, UITableViewStyleGrouped);
    myTableView->setAutoresizingMask(kFlexibleSize);
    myTableView->setBackgroundColor(UIColor::clearColor());
    myTableView->setOpaque(false);
    root->addSubview(myTableView);
    btnBack = std::make_shared<UIButton>(CGRectMake(0, 0, 60, 30));
    btnBack->setFont(UIFont::fontWithName("Helvetica-Bold", 12));
    btnBack->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
    btnBack->setTitleEdgeInsets(UIEdgeInsets{0, 8, 0, 0});
    btnBack->setBackgroundImage(stretched("button-arrow-left.png", 19), UIControlStateNormal);
    btnBack->setBackgroundImage(stretched("button-arrow-left-t.png", 19), UIControlStateHighlighted);
    btnBack->addTarget(this, [this](UIControl*, UIEvent*) { btnBackPressed(); }, UIControlEventTouchUpInside);
    setView(root);
}

void ManageSurahAudioController::viewDidLoad() {
    for (unsigned state : {unsigned(UIControlStateNormal), unsigned(UIControlStateHighlighted)})
        btnBack->setTitle(tr("More"), state);
    navigationItem()->setLeftBarButtonItem(std::make_shared<UIBarButtonItem>(btnBack));
    myTableView->setDataSource(this);
    myTableView->setDelegate(this);

    const double w = myTableView->frame().size.width;
    auto header = std::make_shared<UIView>(CGRectMake(0, 0, w, 55));
    lblTopLabel = std::make_shared<UILabel>(CGRectMake(10, 0, w - 30, 55));
    lblTopLabel->setBackgroundColor(UIColor::clearColor());
    lblTopLabel->setTextAlignment(UITextAlignmentCenter);
    lblTopLabel->setLineBreakMode(UILineBreakModeWordWrap);
    lblTopLabel->setNumberOfLines(2);
    lblTopLabel->setFont(UIFont::systemFontOfSize(13));
    lblTopLabel->setText(tr("Note: Deleting audio files can take several minutes"));
    lblTopLabel->setTextColor(UIColor::colorWithRed(0.298, 0.337, 0.424, 1));
    lblTopLabel->setShadowColor(UIColor::colorWithWhite(1, 0.3));
    lblTopLabel->setShadowOffset(CGSizeMake(0, 1));
    header->addSubview(lblTopLabel);
    myTableView->setTableHeaderView(header);
    setEditing(true, false);
}

void ManageSurahAudioController::viewWillAppear(bool) {
    if (auto selected = myTableView->indexPathForSelectedRow()) myTableView->deselectRowAtIndexPath(*selected, false);
    myTableView->reloadData();
}

bool ManageSurahAudioController::shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation orientation) {
    return orientation != UIInterfaceOrientationPortraitUpsideDown;
}

void ManageSurahAudioController::setEditing(bool editing, bool animated) {
    UIViewController::setEditing(editing, animated);
    if (!myTableView) return;
    myTableView->setEditing(editing, animated);
    myTableView->reloadData();
}

void ManageSurahAudioController::toggleEdit() { setEditing(!isEditing(), true); }

void ManageSurahAudioController::btnBackPressed() {
    if (UINavigationController* nav = navigationController()) nav->popViewControllerAnimated(true);
}

// ---- Table ----

std::vector<int> ManageSurahAudioController::installedChapters() const {
    LumenoSDKAppDelegate* a = app();
    return a ? ChapterInfo::getInstalledAudios(a->dbConnection(), selectedReciter_) : std::vector<int>{};
}

int ManageSurahAudioController::numberOfRowsInSection(UITableView*, int) {
    return static_cast<int>(installedChapters().size());
}

std::string ManageSurahAudioController::titleForHeaderInSection(UITableView*, int) { return tr("Installed Chapters"); }

UITableViewCellPtr ManageSurahAudioController::cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    static const std::string identifier = "InstalledChapter";
    UITableViewCellPtr cell = tableView->dequeueReusableCellWithIdentifier(identifier);
    if (!cell) cell = std::make_shared<UITableViewCell>(UITableViewCellStyleDefault, identifier);
    const std::vector<int> chapters = installedChapters();
    std::string text;
    if (indexPath.row >= 0 && indexPath.row < static_cast<int>(chapters.size())) {
        const int surah = chapters[static_cast<size_t>(indexPath.row)];
        text = LumenoSDKAppDelegate::IsLanguageArabic()
                   ? stringWithFormat("%@ %@", ChapterInfo::getArabicNumbersFrom(std::to_string(surah)),
                                      ChapterInfo::getNameFromNumber(surah))
                   : stringWithFormat("%i %@", surah, ChapterInfo::getNameFromNumber(surah));
    }
    cell->textLabel()->setText(text);
    return cell;
}

std::optional<NSIndexPath> ManageSurahAudioController::willSelectRowAtIndexPath(UITableView*, const NSIndexPath& indexPath) {
    if (!isEditing()) return std::nullopt;
    return indexPath;
}

void ManageSurahAudioController::commitEditingStyle(UITableView*, UITableViewCellEditingStyle style,
                                                    const NSIndexPath& indexPath) {
    if (style != UITableViewCellEditingStyleDelete || deletingSurah_) return;  // one deletion at a time
    const std::vector<int> chapters = installedChapters();
    if (indexPath.row < 0 || indexPath.row >= static_cast<int>(chapters.size())) return;
    LumenoSDKAppDelegate* a = app();
    if (!a) return;
    // The chapter is fixed now, so the worker deletes what the user chose whatever happens meanwhile.
    const int surah = chapters[static_cast<size_t>(indexPath.row)];
    deletingSurah_ = surah;
    a->beginBackgroundTask(2);

    if (progressHUD_) progressHUD_->removeFromSuperview();
    progressHUD_ = MBProgressHUD::initWithView(view());
    view()->addSubview(progressHUD_);
    progressHUD_->setDelegate(this);
    progressHUD_->setLabelText(tr("Please wait..."));
    progressHUD_->setDetailsLabelText(tr("Removing data... please wait"));
    progressHUD_->show(true);

    sqlite3* db = a->dbConnection();
    const int reciter = selectedReciter_;
    detachNewThread([db, reciter, surah, alive = alive_, this] {
        deleteSurahInBG(db, reciter, surah);
        RunLoop::main().post([alive, this, surah] {
            if (*alive) doneDeletingChapter(surah);
        });
    }, "audio-delete");
}

void ManageSurahAudioController::deleteSurahInBG(sqlite3* db, int reciter, int surah) {
    bool ok = ChapterInfo::deleteAudio(db, surah, reciter, true);
    ok = ChapterInfo::deleteContAudio(db, surah, reciter) && ok;
    // Codes 1 and 7 name the same reciter.
    if (reciter == 1 || reciter == 7) ok = ChapterInfo::deleteContAudio(db, surah, reciter == 1 ? 7 : 1) && ok;
    if (!ok) NSLog("[deleteSurahInBG] Chapter %i of reciter %i was not fully removed", surah, reciter);
    if (!ChapterInfo::vacuumDB(db)) NSLog("[deleteSurahInBG] The database was not compacted");
}

void ManageSurahAudioController::doneDeletingChapter(int) {
    deletingSurah_.reset();
    // Rows follow the store again, whichever row the chapter had.
    myTableView->reloadData();
    NSNotificationCenter::defaultCenter().postNotificationName("ReciterDidChange");
    if (LumenoSDKAppDelegate* a = app()) a->endBackgroundTask(2);
    if (progressHUD_) progressHUD_->hide(true);
    if (installedChapters().empty())
        if (UINavigationController* nav = navigationController()) nav->popViewControllerAnimated(true);
}

void ManageSurahAudioController::hudWasHidden(MBProgressHUD* hud) {
    if (hud != progressHUD_.get()) return;
    progressHUD_->removeFromSuperview();
    progressHUD_.reset();
}
