#pragma once
// The chapter index, root of the first tab: the 114 chapters (chapter mode) or the 240
// hizb quarters in 30 juz sections (juz mode), each row with its chapter's audio state and
// a sound button; a juz touch bar beside the list and a download strip above it. It makes
// the reading screen once, keeps it, and pushes it for every chapter it opens; its first
// appearance reopens the last place read, without animation.
//
// Built from the interface "IndexView" (IndexViewController+Interface.cpp). Main thread only.

#include <memory>
#include <string>
#include <vector>

#include "Classes/App/ShellScreens.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Index/IndexRowMeta.h"
#include "Classes/Index/IndexViewCell.h"
#include "Classes/Index/UIScrollableBar.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIProgressView.h"
#include "platform/ui/hosting/UITableView.h"
#include "platform/ui/hosting/UIViewController.h"

class SurahViewController;

class IndexViewController : public UIViewController,
                            public IndexScreen,
                            public IndexViewCellDelegate,
                            public UITableViewDataSource,
                            public UITableViewDelegate,
                            public UIScrollableBarDelegate,
                            public LumenoSDKAppDownloadDelegate {
public:
    IndexViewController();
    ~IndexViewController() override;

    // Registers the interface "IndexView" and makes the shell build tab 0's root from it.
    static void registerInterface();
    static std::shared_ptr<IndexViewController> make();

    // ---- Outlets, wired by the "IndexView" builder ----
    std::shared_ptr<UIView> viewTopBar;
    std::shared_ptr<UILabel> lblTopBarLabel;
    std::shared_ptr<UIButton> btnSections, btnTopCurrentSurah;
    std::shared_ptr<UIImageView> imgIndexHeader, imgIndexBG;
    std::shared_ptr<UITableView> surahListTable;
    std::shared_ptr<UIView> viewTablePartition;
    std::shared_ptr<UILabel> lblPartitionTitle;
    std::shared_ptr<UIImageView> imgPartitionBG;
    std::shared_ptr<UIScrollableBar> viewJuzzScroller;
    std::shared_ptr<UIView> viewCenterContainer, viewIndexDownloadContainer;
    std::shared_ptr<UILabel> lblIndexDownload;
    std::shared_ptr<UIProgressView> progressIndexDownload;
    std::shared_ptr<UIButton> btnIndexDownload;

    // ---- Opening and closing the reading screen ----
    // verse -1: no particular verse.
    void showSurahView(int surah, int verse, bool play, bool animated);
    void showSurahView(int surah, int verse, bool play) override { showSurahView(surah, verse, play, true); }
    void showSurahView(LumenoSDKAppDelegate* sender, int surah, int verse, bool play, bool animated) override {
        showSurahView(surah, verse, play, animated);
    }
    void hideSurahView() override;
    void btnTopCurrentSurahPressed() override;
    void btnSectionsPressed();
    void tableTypeChanged();
    void refreshTheme() override;
    void setTopCurrentSurahButton(int surah);
    void reloadIndexView() override;
    void reloadSurahCell(int row);
    void cancelDownload();
    void selectSectionForSurah(int surah, int verse);
    bool rowDidMakeSelection(int row, int section, bool showSurahView);

    // ---- Audio status cache ----
    void refreshInstalledAudioCache();
    bool isSurahAudioInstalled(int surah) const override;
    bool isSurahAudioInstalledForOthers(int surah) const override;

    // ---- Notifications (they only set flags; the work runs at the next appearance) ----
    void requiresRefreshOfSoundStatus();
    void translationDidChange();
    void reciterChanged();
    void arabicLanguageChanged();

    // ---- Download strip ----
    void checkDownloadStatus();
    void didBeginDownloading() override;
    void didUpdateFileSize(int bytes) override;
    void didUpdateDownloadProgress(float progress) override;
    void willPerformAudioSetup() override;
    void didSetupDownloadedAudio() override;
    void downloadRequiresRefreshOfStatus() override;
    void didEndDownloading() override;
    bool isShowingDownloadStrip() const { return showingDownloadStrip_; }

    // ---- Life cycle and rotation ----
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidUnload() override;
    bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation orientation) override;
    void willAnimateRotationToInterfaceOrientation(UIInterfaceOrientation orientation, double duration) override;

    // ---- Table ----
    int numberOfSectionsInTableView(UITableView* tableView) override;
    int numberOfRowsInSection(UITableView* tableView, int section) override;
    UITableViewCellPtr cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    double heightForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override { return 45.0; }
    double heightForHeaderInSection(UITableView* tableView, int section) override;
    std::shared_ptr<UIView> viewForHeaderInSection(UITableView* tableView, int section) override;
    void didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;

    // ---- Juz bar ----
    void scrollableBarSelectedIndex(int index) override;
    void scrollableBarFingerDown() override {}
    void scrollableBarFingerUp() override;

    // ---- Properties ----
    bool IsShowingSurahView() const override { return IsShowingSurahView_; }
    void setIsShowingSurahView(bool on) { IsShowingSurahView_ = on; }
    int iCurrentlyShowingSurah() const { return iCurrentlyShowingSurah_; }
    int currentlySelectedRow() const { return currentlySelectedRow_; }
    int currentlySelectedSection() const { return currentlySelectedSection_; }
    bool isShowingSectionedView() const { return isShowingSectionedView_; }
    void setIsShowingSectionedView(bool on) { isShowingSectionedView_ = on; }
    int highlightVerse() const { return highlightVerse_; }
    bool playSurah() const { return playSurah_; }
    // The reading screen, made at the first opening and kept.
    const std::shared_ptr<SurahViewController>& thisSurahController() const { return ThisSurahController_; }
    ReadingScreen* ThisSurahController() override;
    const std::vector<IndexRowMetaPtr>& sectionedMeta() const { return arrSectionedMeta_; }
    const std::vector<int>& audioInstalledStatus() const { return arrAudioInstalledStatus_; }

private:
    static LumenoSDKAppDelegate* app();
    static int storedSurah();
    static std::string juzCaption(const std::string& juz);
    static std::string juzNumber(int juz);
    const char* offsetKey() const;
    void storeListOffset();
    bool chapterAudioInstalled(int surah) const;
    void buildSectionedMeta();
    void buildSectionViews();
    void updateVisibleSoundStatus();
    void layoutDownloadStrip(bool shown);
    void setDownloadText(int bytes);

    int iCurrentlyShowingSurah_ = 1;
    int currentlySelectedRow_ = -1;
    int currentlySelectedSection_ = -1;
    int highlightVerse_ = -1;
    bool playSurah_ = false;
    bool needsToRetheme_ = false;
    bool IsShowingSurahView_ = false;
    std::shared_ptr<SurahViewController> ThisSurahController_;
    bool firstLoad_ = false;
    bool isShowingSectionedView_ = false;
    std::vector<IndexRowMetaPtr> arrSectionedMeta_;
    std::vector<std::shared_ptr<UIView>> arrSectionViews_;
    std::vector<int> arrAudioInstalledStatus_;
    bool needsToRefreshAudioStatus_ = false;
    bool requiresReloadOfTable_ = false;
    bool requiresSoundStatusRefresh_ = false;
    bool viewIsVisible_ = false;
    bool showingDownloadStrip_ = false;
};
