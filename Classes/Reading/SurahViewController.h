#pragma once
// The reading screen: one chapter as a table of verse rows (Arabic and translation) under a
// header with the chapter name, reciter and translation buttons and the chapter-information
// panel. Made once from the interface "SurahView" and reused for every chapter.
//
// Lock order: the reading-screen lock (readingScreenLock) is taken before the data-store
// lock and never while holding it; it is held only while the per-verse records are rebuilt.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "Classes/App/ShellScreens.h"
#include "Classes/Audio/MXAudioPlayerFadeOperation.h"
#include "Classes/Core/Bookmark.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/GlyphEngine/ArabicFont.h"
#include "Classes/GlyphEngine/ArabicVerseMeta.h"
#include "Classes/Reading/TranslationMeta.h"
#include "platform/foundation/NSDate.h"
#include "platform/media/AVAudioPlayer.h"
#include "platform/media/AVAudioSession.h"
#include "platform/ui/UIActivityIndicatorView.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIProgressView.h"
#include "platform/ui/hosting/UIActionSheet.h"
#include "platform/ui/hosting/UITableView.h"
#include "platform/ui/hosting/UIPopoverController.h"
#include "platform/ui/hosting/UIViewController.h"

class NSTimer;
class SurahViewCell;
class SurahVerseView;
class SurahOptionsHUD;
class FastScrollView;
class FastScrollViewDelegate;
class VerseClipFiles;
class PlayNextAyasController;
class AyaRepeatController;

class SurahViewController : public UIViewController,
                            public ReadingScreen,
                            public UITableViewDataSource,
                            public UITableViewDelegate,
                            public LumenoSDKAppDownloadDelegate,
                            public AVAudioPlayerDelegate,
                            public AVAudioSessionDelegate,
                            public MXAudioPlayerFadeOperationDelegate,
                            public UIPopoverControllerDelegate,
                            public UIActionSheetDelegate {
public:
    SurahViewController();
    ~SurahViewController() override;

    // Registers the interface "SurahView" (done by the constructor as well).
    static void registerInterface();
    static std::mutex& readingScreenLock();

    // ---- Outlets, wired by the "SurahView" builder ----
    std::shared_ptr<UIButton> btnBackToIndex, btnSurahNameOptionsBar, btnReciter, btnTranslation, btnPlay,
        btnTopOptionBar, btnTopLeftOrnTop, btnTopRightOrnTop, btnLeftOrnament, btnRightOrnament;
    std::shared_ptr<UILabel> lblSurahName, lblLoading, lblSurahInfoNotice;
    std::shared_ptr<UIImageView> imgSurahName, imgBG, imgHeaderCover, imgOrnamentsUnderLay;
    std::shared_ptr<UIView> viewSurahDisplay, viewSurahInfoHUD;
    // The header bar; under it the strip of reciter, play and translation that landscape
    // slides out of sight behind the bar; the chapter buttons only landscape shows.
    std::shared_ptr<UIView> viewEverything, viewTopOptionsBar, viewSurahDispAndOrnaments, viewTopLSButtons;
    // The header bar's back button, chapter name, ornaments and landscape chapter buttons.
    std::shared_ptr<UIView> viewTopButtonsAndTitles;
    std::shared_ptr<UIButton> btnLSNextSurah, btnLSPrevSurah;
    std::shared_ptr<UIImageView> imgSplash;
    std::shared_ptr<UITableView> tblVerses, tblSurahInfo;
    std::shared_ptr<UIActivityIndicatorView> progressIndicator;

    // ---- Chapter set-up and per-verse data ----
    void setupBasicSurah(int surah, int verse, bool play);
    void setupSurah(int surah, int verse, bool play);
    void asyncSurahReload();
    void refreshVerseHeights();
    void translationDidChange();
    void arabicFontChanged();
    void reciterDidChange() { updateReciterLabel(); }
    void tafsirDidChange() {}
    void saveCurrentSurahAndVerse() override;
    void restoreLastSavedVerse();
    int getTranslatorID() const { return iCurrentTranslation_; }
    std::string getTranslationForSurah(int surah, int index) const;
    void cleanupLeavingSurahView() { verseMetaData_.clear(); }
    bool isTranslationInstalled(int) const { return true; }
    bool isSurahAvailable(int) const { return true; }

    // ---- Rows, offsets, highlighting, chapter navigation ----
    int numberOfVerseRows() const;
    int rowToVerse(int row) const;
    int verseToRow(int verse) const;
    // Whether a row of the verse table is a translation row.
    bool isTranslationRow(int row) const;
    // The height the verse table gives a row (measured once, then cached).
    double heightForVerseRow(int row);
    // The row's height when known or cheap; for a translation not yet measured, a guess from
    // its length.
    double estimatedHeightForVerseRow(int row);
    int getTopOffsetForRow(int row, bool landscape = false);
    double getHeightForVerse(int verse, bool landscape = false);
    void highlightVerse(int verse, bool jump, bool animated, bool force, bool ignorePassingToTrans);
    void highlightVerse(int verse, bool jump, bool animated, bool force) { highlightVerse(verse, jump, animated, force, false); }
    void highlightVerse(int verse, bool jump, bool animated) { highlightVerse(verse, jump, animated, false); }
    void highlightVerse(int verse, bool jump);
    void highlightForPlayingVerse(int verse, bool stopPlaying, bool ignorePassingToTrans);
    void highlightForPlayingVerse(int verse, bool stopPlaying) { highlightForPlayingVerse(verse, stopPlaying, false); }
    int getNextAvailableSurah() const;
    int getPrevAvailableSurah() const;
    void showNextSurahNow();
    void showPreviousSurahNow();
    void showNextSurah() { showNextSurahNow(); }
    void showPreviousSurah() { showPreviousSurahNow(); }
    void hideVersesBeforeLoading(bool hideTable, bool usePrevOffset);
    void showVersesAfterLoading(bool);
    void reloadVisibleRows();
    void refreshSurahView() override;
    // The row view shown for a row, or null when the row is not on screen.
    SurahVerseView* rowViewAt(int row);

    // ---- Bookmarks, notes, search marks, idle control ----
    void reloadBookmarksMap();
    bool isVerseBookmarked(int verse) const;
    bool verseHasNote(int verse) const;
    bool isReflectingSearch(int verse) const;
    bool isVerseLastAudioBookmark(int surah, int verse) const;
    void addOrRemoveBookmarkForVerse(int verse) { addOrRemoveBookmarkForVerse(verse, 0); }
    void addOrRemoveBookmarkForVerse(int verse, int group);
    void bookmarkDidChange() {
        reloadBookmarksMap();
        updateBadge();
    }
    void updateBookmarkForVerse(int verse, int surah) override;
    void checkIdleTimeout();
    const std::map<int, std::shared_ptr<Bookmark>>& bookmarkedVerseMap() const { return dictBookmarkedVerseMap_; }

    // ---- Entry points of the verse options panel, the note editor and the audio ----
    // A subclass or the panel's owner replaces them; here they keep the screen's state only.
    virtual void showDialControlForVerseCell(SurahViewCell* cell, SurahVerseView* row, UITableView* table, int verse,
                                             int surah);
    virtual void showNotesViewForVerse(int verse);
    virtual void hideDialControl();
    virtual void selectVerseOnTopOfScreen();
    virtual void tajweedBarDisplayToggled(bool animated);
    // Keeps the row at the top of the table after a re-layout.
    void bringSelectedVerseToTop(const std::optional<NSIndexPath>& indexPath, bool animated, bool landscape);

    // ---- Recitation playback (Classes/Audio, SurahViewController+Audio*.cpp) ----
    void playStopOrDownload();
    void playNextVerseForSelectedVerse(int verse);
    void stopIfPlaying();
    void stopPlaying() { stopPlaying(true, true); }
    void stopPlaying(bool hideControls, bool animated);
    void checkContinuousPlayback();
    std::string getPathToVerseAudioForVerse(int verse, bool inBg);
    void fadeIn(double seconds);
    // True when a fade-out was started (the player then pauses at its end).
    bool fadeOut(double seconds);
    void audioPlayerDidFinishPlaying(AVAudioPlayer& player, bool successfully) override;
    void audioPlayerDecodeErrorDidOccur(AVAudioPlayer& player, const NSError& error) override;
    void audioPlayerBeginInterruption(AVAudioPlayer& player) override;
    void audioPlayerEndInterruption(AVAudioPlayer& player) override;
    void beginInterruption() override;
    void endInterruption() override;
    void fadeOperationFinished(const std::shared_ptr<AVAudioPlayer>& player) override;
    // End of a verse: repeats, groups and the chapter rule.
    void finishedPlayingVerseMoveToNext();
    void setCorrectSurahRepeatButton();
    void setCorrectAyahRepeatButton();
    void playVerseDidChange();
    void surahRepeatDidChange();
    void ayahRepeatDidChange();
    // Verses after the first of a group by its index; 0 for an index outside 0 to 13.
    static int verseGroupSize(int index);
    // Audio bar, bubbles, seek overlay and play-option sheets.
    void showAudioControls(bool animated);
    void hideAudioControls(bool animated);
    void showBottomAudioBar(bool animated, bool alterBubbles);
    void hideBottomAudioBar(bool animated, bool alterBubbles);
    void showLSAudioBar(bool animated, bool alterBubbles);
    void hideLSAudioBar(bool animated, bool alterBubbles);
    void showAudioFFRRHUD(int kind);
    void hideAudioFFRRHUD();
    void btnPlayNextPressed();
    void btnAyahRepeatPressed();
    void dismissNextAyahOptionSheet();
    void dismissAyahRepeatOptionSheet();
    // A tap outside the tablet's popover closed a play-option sheet.
    void playOptionsPopoverDismissed();
    // Transport: pause, hold to seek, tap to skip, remote control.
    void btnAudioPausePressed();
    void btnAudioFingerDown(UIButton* button);
    void btnAudioFingerUp();
    void btnAudioFFPressed();
    void btnAudioRRPressed();
    void seekForward();
    void seekBackward();
    void remoteControlReceivedWithEvent(UIEvent* event) override;
    void registerRemoteEvents() override;
    void unregisterRemoteEvents() override;
    bool canBecomeFirstResponder() const override { return true; }
    // The window's media keys reach the screen while it shows.
    void listenForMediaKeys(bool on);
    // Tells the desktop's media controls what plays now.
    void showNowPlaying();

    // ---- Download progress panel (Classes/Audio, SurahViewController+AudioDownload.cpp) ----
    std::shared_ptr<UIView> viewDownloadAudioProgress, viewDownloadAudioProgressContainer;
    std::shared_ptr<UIProgressView> downloadAudioProgressBar;
    std::shared_ptr<UILabel> lblAudioDownloadDetails;
    std::shared_ptr<UIButton> btnAudioDownloadCancel;
    // Rebuilds the panel from the running download (stopping playback), or hides it.
    void checkDownloadStatus();
    void cancelAudioDownload();
    void didBeginDownloading() override;
    void didUpdateFileSize(int bytes) override;
    void didUpdateDownloadProgress(float progress) override;
    void willPerformAudioSetup() override;
    void downloadRequiresRefreshOfStatus() override;
    void didEndDownloading() override;

    std::shared_ptr<UIView> viewBottomAudioBar, viewLandscapeAudioBar, viewTopRepeatBubbles, viewFFRRHud,
        viewAirPlayControl, viewLandscapeAirPlayControl;
    std::shared_ptr<UIImageView> imgBottomAudioBG, imgFFRRType;
    std::shared_ptr<UIButton> btnBottomAudioRR, btnBottomAudioPause, btnBottomAudioFF, btnLandscapeAudioRR,
        btnLandscapeAudioPause, btnLandscapeAudioFF, btnSurahRepeatBubble, btnAyahRepeatBubble;
    std::shared_ptr<UILabel> lblAyahRepeatCount, lblFFRR;

    const std::shared_ptr<AVAudioPlayer>& CurrentAudioPlayer() const { return CurrentAudioPlayer_; }
    bool isUsingContinuousPlayback() const { return isUsingContinuousPlayback_; }
    bool isPaused() const;
    bool isShowingBubbles() const { return isShowingBubbles_; }
    bool isShowingPlayOptions() const { return isShowingPlayOptions_; }
    bool isShowingFFRRHUD() const { return isShowingFFRRHUD_; }
    float currentVerseBeginTime() const { return currentVerseBeginTime_; }
    float nextVerseBeginTime() const { return nextVerseBeginTime_; }
    int ayahRepeatCount() const { return ayahRepeatCount_; }
    int playedVerseRange() const { return playedVerseRange_; }
    int startedPlayingFromVerse() const { return startedPlayingFromVerse_; }
    int lastVersePart() const { return lastVersePart_; }
    const VerseClipFiles& clipFiles() const { return *clipFiles_; }
    const std::shared_ptr<PlayNextAyasController>& optionsview() const { return optionsview_; }
    const std::shared_ptr<AyaRepeatController>& ayahOptionsView() const { return ayahOptionsView_; }
    size_t runningFades() const { return fadeQueues_->running(); }
    bool fadesWaitingOnClock() const { return fadeQueues_->waitingOnClock(); }

    // ---- Life cycle, rotation, header ----
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidUnload() override;
    bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation orientation) override;
    void willAnimateRotationToInterfaceOrientation(UIInterfaceOrientation orientation, double duration) override;
    void didRotateFromInterfaceOrientation(UIInterfaceOrientation fromOrientation) override;
    void resetisRotating() { isRotating_ = false; }
    void btnIndexPressed();
    void btnReciterPressed();
    void btnTranslatorPressed();
    void surahNameButtonPressed();
    // The chapter name: in landscape a sheet of the reciter, translation and chapter
    // information; in portrait the information panel.
    void surahNameOptionsPressed();
    void actionSheetClickedButtonAtIndex(UIActionSheet* sheet, int buttonIndex) override;
    UIActionSheet* landscapeOptionsSheet() const { return landscapeOptionsSheet_.get(); }
    void updateSurahNameButton();
    void updateReciterLabel();
    void updateTranslationLabel();
    void refreshTheme();
    void willBeginDownloadingAudio();
    void didFinishDownloadingAudio();
    // The chapter-information panel's rows (5, or 7 with another name).
    int surahInfoRowCount() const;

    // ---- Table data source and delegate (both tables) ----
    int numberOfSectionsInTableView(UITableView*) override { return 1; }
    int numberOfRowsInSection(UITableView* tableView, int section) override;
    UITableViewCellPtr cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    double heightForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    double estimatedHeightForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    std::optional<NSIndexPath> willSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    void didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    void scrollViewDidScroll(UIScrollView* scrollView) override;
    void scrollViewDidEndDragging(UIScrollView* scrollView, bool willDecelerate) override;
    void scrollViewDidEndDecelerating(UIScrollView* scrollView) override;
    bool scrollViewShouldScrollToTop(UIScrollView* scrollView) override;
    void scrollViewDidScrollToTop(UIScrollView* scrollView) override;

    // ---- Verse options panel, Tajweed bar, rotation gate (panel helper's block) ----
    // The panel, made on first use; it keeps its own views and dialogs.
    SurahOptionsHUD& optionsHUD();
    void setICurrentVerse(int verse) { iCurrentVerse_ = verse; }
    void setDateLastActivity(const NSDate& date) { dateLastActivity_ = date; }
    const std::optional<NSDate>& dateLastActivity() const { return dateLastActivity_; }
    // Stops playback, closes the panel and brings the tab bar back before another tab shows.
    void cleanupStateClosingView();
    // Whether the device may turn now (never while a chapter loads or the panel is open).
    bool canTurnLandscape(int orientation) const;
    // Lays the header and display out for an orientation (no animation of its own).
    void layoutHeader(bool landscape);
    // Brings the layout in line with the status bar's orientation, as an initial set-up.
    void followStatusBarOrientation();
    bool animatingSplash() const { return animatingSplash_; }

    // ---- Tablet: pickers open in the screen's one popover ----
    UIPopoverController* popoverView() const { return popoverView_.get(); }
    // Reuses the popover for the new content (clearing its pass-through views) or makes it.
    UIPopoverController& createPopoverViewWithController(std::shared_ptr<UIViewController> controller);
    bool popoverControllerShouldDismissPopover(UIPopoverController*) override { return true; }
    void popoverControllerDidDismissPopover(UIPopoverController* popover) override;
    void showSplashFade();
    void splashDidStop();
    std::shared_ptr<UIView> viewTajweedBar;
    std::shared_ptr<UIButton> btnTajweedQalqala, btnTajweedIqlab, btnTajweedIdgham, btnTajweedIkhfa, btnTajweedGhunna;
    std::shared_ptr<UIImageView> imgNoteCover;
    void setupTajweedBar();
    void showTajweedBar(bool animated);
    void hideTajweedBar(bool animated);
    void tajweedButtonPressed(UIButton* button);
    // Fast scrolling: the strip beside the verses and its "Goto Verse" preview.
    std::shared_ptr<FastScrollView> viewFastScroll;
    std::shared_ptr<UIView> viewFastScrollBezel;
    std::shared_ptr<UILabel> lblGotoVerse, lblFastScrollVerse;
    std::shared_ptr<UIImageView> imgFastScrollCol, imgFastScrollArrows;
    void setupFastScroll();  // makes the strip once, the screen taking its events
    void fastScrollTapped();
    void updateFastScrollPreview(CGPoint point);
    void showFastScrollPreview(CGPoint point);
    void hideFastScrollPreview();
    void cancelFastScrollPreview();
    bool isShowingFastScrollView() const { return isShowingFastScrollView_; }
    int iVerseToJumpTo() const { return iVerseToJumpTo_; }
    bool isShowingFastScrollView_ = false;
    int iVerseToJumpTo_ = 1;
    std::shared_ptr<FastScrollViewDelegate> fastScrollBridge_;
    // Landscape and portrait layouts (animated, initial set-up); NO when nothing was done.
    bool prepareForLandscapeWithAnimation(bool animated, bool settingupInitialView);
    bool prepareForPortraitWithAnimation(bool animated, bool settingupInitialView);
    void setupForLandscape();
    void setupForPortrait();
    bool isRotating() const { return isRotating_; }
    std::shared_ptr<SurahOptionsHUD> optionsHUD_;

    // ---- Properties ----
    int iCurrentSurah() const { return iCurrentSurah_; }
    void setICurrentSurah(int surah) { iCurrentSurah_ = surah; }
    int iCurrentVerse() const { return iCurrentVerse_; }
    int selectedVerse() const { return selectedVerse_; }
    int iCurrentPlayingVerse() const { return iCurrentPlayingVerse_; }
    int iCurrentTranslation() const { return iCurrentTranslation_; }
    const std::shared_ptr<ArabicFont>& fontLoader() const { return fontLoader_; }
    bool settingUpSurah() const { return settingUpSurah_; }
    bool isSwitchingSurah() const { return isSwitchingSurah_; }
    bool RequiresReload() const { return RequiresReload_; }
    void setRequiresReload(bool on) { RequiresReload_ = on; }
    bool IsInPlayMode() const { return IsInPlayMode_; }
    void setIsInPlayMode(bool on) { IsInPlayMode_ = on; }
    bool IsInLandscape() const { return IsInLandscape_; }
    void setIsInLandscape(bool on) { IsInLandscape_ = on; }
    bool showingDialControl() const { return showingDialControl_; }
    void setShowingDialControl(bool on) { showingDialControl_ = on; }
    bool isShowingSurahInfo() const { return isShowingSurahInfo_; }
    bool viewIsVisible() const { return viewIsVisible_; }
    bool globalShouldStartPlaying() const { return globalShouldStartPlaying_; }
    int currentReciter() const { return currentReciter_; }
    const std::vector<std::string>& translationArr() const { return translationArr_; }
    const std::map<int, std::shared_ptr<ArabicVerseMeta>>& verseMetaData() const { return verseMetaData_; }
    const std::map<int, std::shared_ptr<TranslationMeta>>& transHeightMeta() const { return transHeightMeta_; }
    void setUsePrevOffset(bool on) { usePrevOffset_ = on; }
    CGPoint currTblOffset() const { return currTblOffset_; }

private:
    bool hasTranslation() const { return iCurrentTranslation_ != 0; }
    bool hasInvocationRow() const { return iCurrentSurah_ != 1 && iCurrentSurah_ != 9; }
    // Verse index a (verse a + 1) of a row; -1 for the invocation row.
    int verseIndexOfRow(int row) const;
    static bool statusBarIsLandscape();
    static int wrapSurah(int surah);
    // A chapter change from the arrows or the end of a recitation: reset, fade, reload.
    void switchToSurah(int surah, bool play);
    void invalidateRowHeights();
    // The cached heights of the current width and orientation, emptied when those changed.
    std::vector<double>& currentRowHeights();
    void updateBadge();
    void resetHeader();
    void markRowSelected(int row, bool selected, bool deselectInTable);
    void setRowPlaying(int row, bool on);
    void observeNotifications();
    void presentFirstRunScreen();
    UITableViewCellPtr surahInfoCell(UITableView* tableView, int row);
    sqlite3* userDb() const;
    sqlite3* contentDb() const;

    int iCurrentSurah_ = 1;
    int iCurrentVerse_ = -1;
    int selectedVerse_ = -1;
    int iCurrentPlayingVerse_ = -1;
    int iCurrentTranslation_ = 0;
    std::vector<std::string> translationArr_;
    std::map<int, std::shared_ptr<ArabicVerseMeta>> verseMetaData_;
    std::map<int, std::shared_ptr<TranslationMeta>> transHeightMeta_;
    std::shared_ptr<ArabicFont> fontLoader_;
    bool canRecreateFontLoader_ = false;
    bool settingUpSurah_ = false;
    bool isSwitchingSurah_ = false;
    bool RequiresReload_ = false;
    bool viewUnloaded_ = true;
    bool resetVersePosition_ = false;
    bool usePrevOffset_ = false;
    CGPoint currTblOffset_{};
    bool highlightWithAnim_ = false;
    bool globalShouldStartPlaying_ = false;
    bool didRecentlyChangeTrans_ = false;
    bool viewIsVisible_ = false;
    int iLastAudioSurah_ = 0, iLastAudioVerse_ = 0, iLastSetAudioCell_ = -1;
    bool firstTimePLay_ = true;
    bool IsInPlayMode_ = false;
    bool IsInLandscape_ = false;
    bool headerInLandscape_ = false;  // the layout layoutHeader last applied
    bool showingDialControl_ = false;
    bool isShowingSurahInfo_ = false;
    bool isRotating_ = false;
    bool animatingSplash_ = false;
    UIPopoverControllerPtr popoverView_;
    std::shared_ptr<UIActionSheet> landscapeOptionsSheet_;
    // The button a picker's popover points at: the chapter name in landscape.
    UIButton* pickerAnchor(UIButton* portraitButton) const;
    bool ignoreProcessingScrollEvents_ = false;
    bool deceleratingTable_ = false;
    bool previouslyDragging_ = false;
    int currentReciter_ = 0;
    std::optional<NSIndexPath> topIndexPathBeforeRotation_;
    std::optional<NSIndexPath> mouseLocation_;
    std::map<int, std::shared_ptr<Bookmark>> dictBookmarkedVerseMap_;
    std::optional<NSDate> dateLastActivity_;
    std::shared_ptr<NSTimer> idleTimer_;
    std::shared_ptr<UIImageView> imgDownArrowReciter_, imgDownArrowTranslation_;

    // Recitation playback state (Classes/Audio).
    void setUpAudio();
    void tearDownAudio();
    void resetClipState();
    void loadAudioBarViews();
    void setPauseButtonsSelected(bool selected);
    void deactivateAudioSession();
    void selectAndMarkVerse(int verse, bool animated, bool force);
    void playOptionsSheetClosed();
    // The repeat bubbles: their frames in the orientation's bar, their place in that bar (`dy`
    // above it, transparent, to slide in), and the header controls that give way to them.
    void layoutBubbles(bool landscape);
    void placeBubbles(bool landscape, double dy);
    void headerGivesWayToBubbles(bool bubbles, bool landscape);
    bool bubblesOnScreen() const;
    void loadRepeatCounters();
    void restartVerse(int verse);
    void skipAtChapterEnd();
    UIInterfaceOrientation interfaceOrientationNow() const;
    std::shared_ptr<AVAudioPlayer> CurrentAudioPlayer_;
    std::shared_ptr<VerseClipFiles> clipFiles_;
    std::unique_ptr<FadeQueues> fadeQueues_;
    std::shared_ptr<int> audioAlive_ = std::make_shared<int>(0);  // expires with the screen
    std::shared_ptr<NSTimer> continuousTimer_;
    std::vector<uint8_t> lastversePlaybackData_;
    std::string lastPlayedVerseFile_;
    std::optional<NSDate> lastFadeInTime_;
    bool playButtonPressed_ = false;
    bool isUsingContinuousPlayback_ = false;
    bool canResetTime_ = false;
    bool hasFadedSoundIn_ = false;
    bool useSmallFade_ = false;
    int lastPlayedVerse_ = -2;
    int lastVersePart_ = -1;
    float currentVerseBeginTime_ = 0;
    float nextVerseBeginTime_ = 0;
    int startedPlayingFromVerse_ = 0;
    int ayahRepeatBubbleCounter_ = 0, playVerseRangeCounter_ = 0, surahRepeatBubbleCounter_ = 0;
    int ayahRepeatCount_ = 0, playedVerseRange_ = 0;
    bool isShowingBubbles_ = false, isShowingPlayOptions_ = false;
    bool fingerDownOnFF_ = false, fingerDownOnRR_ = false, didSeekFForRR_ = false, isShowingFFRRHUD_ = false;
    // The pause shown now was made by an interruption (any other change of the pause state clears it).
    bool pausedByInterruption_ = false;
    float currentPlayingTime_ = 0;
    std::shared_ptr<PlayNextAyasController> optionsview_;
    std::shared_ptr<AyaRepeatController> ayahOptionsView_;

    // Row heights of the verse table at rowHeightsWidth_ and orientation; -1 not measured.
    std::vector<double> rowHeights_;
    double rowHeightsWidth_ = -1;
    bool rowHeightsLandscape_ = false;
};
