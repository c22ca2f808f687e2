#pragma once
// The Tajweed rules page: six stacked sections, one per rule, each with the rule's name, a
// gloss, an explanation in HTML, an example verse drawn by this page's own glyph engine with
// every Tajweed colouring on, and a button that plays a recording of the example. Pushed from
// the More menu or presented from the reading screen's legend bar at a rule. Built from the
// interface "Tajweed".

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Classes/GlyphEngine/ArabicFont.h"
#include "Classes/GlyphEngine/VerseCanvas.h"
#include "Classes/Reference/BorderedView.h"
#include "Classes/Reference/UILabelLined.h"
#include "Classes/Audio/MXAudioPlayerFadeOperation.h"
#include "platform/media/AVAudioPlayer.h"
#include "platform/services/UIWebView.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/UIAlertView.h"
#include "platform/ui/hosting/UIScrollView.h"
#include "platform/ui/hosting/UIViewController.h"

class TajweedInfoViewController : public UIViewController,
                                  public VerseCanvasDelegate,
                                  public AVAudioPlayerDelegate,
                                  public MXAudioPlayerFadeOperationDelegate {
public:
    TajweedInfoViewController(const std::string& nibName, int scrollTo, bool fromSettings);
    ~TajweedInfoViewController() override;

    static void registerInterface();

    // One rule, in the page's order from top to bottom.
    struct Rule {
        int number;            // the rule number keying examples and the playing state
        int scrollTarget;      // -1: no target reaches the section
        const char* name;
        const char* gloss;     // English interface
        const char* htmlKey;
        const char* recording; // bundle resource, type "mp3"
        int surah, verse;
        double heightEnglish, heightArabic;
    };
    static constexpr int kRuleCount = 6;
    static const std::array<Rule, kRuleCount>& rules();
    // Top of the section a scroll target reaches in the current interface language; -1: none.
    static double topForScrollTarget(int target);

    // ---- Outlets, wired by the "Tajweed" builder ----
    std::shared_ptr<UIView> viewTopBar;
    std::shared_ptr<UILabel> lblTopTitle;
    std::shared_ptr<UIButton> btnBack;
    std::shared_ptr<UIImageView> imgTopBar, imgBG;
    std::shared_ptr<UIScrollView> viewScroll;
    // Per section, in the order of rules().
    std::array<std::shared_ptr<BorderedView>, kRuleCount> bordered;
    std::array<std::shared_ptr<UIView>, kRuleCount> viewInfo;
    std::array<std::shared_ptr<UILabel>, kRuleCount> lblTop, lblTrans;
    std::array<std::shared_ptr<UIWebView>, kRuleCount> web;
    std::array<std::shared_ptr<UILabelLined>, kRuleCount> lblExample;
    std::array<std::shared_ptr<UIButton>, kRuleCount> btnListen;
    std::array<std::shared_ptr<VerseCanvas>, kRuleCount> img;

    int scrollToView() const { return scrollToView_; }
    bool fromSettings() const { return fromSettings_; }
    int lastPlayingType() const { return lastPlayingType_; }
    ArabicFont* fontLoader() const { return fontLoader_.get(); }
    const std::map<int, std::vector<uint8_t>>& verseData() const { return dictVerseData_; }

    void viewDidLoad() override;
    void viewWillDisappear(bool animated) override;
    bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation o) override {
        return o == UIInterfaceOrientationPortrait;
    }
    void btnBackPressed();
    void rethemeUI();
    void drawArabicVerseInCanvas(CGContext* context, VerseCanvas* canvas) override;

    // ---- Examples ----
    // A listen button: stops the example playing (with a fade when it is this button's) and
    // starts this button's unless it was the one playing.
    void listenPressed(UIButton* sender);
    void playAudio(int ruleNumber);
    void stopAudio(bool fadeOut);
    void fadeIn(double seconds);
    bool fadeOut(double seconds);
    AVAudioPlayer* currentAudioPlayer() const { return CurrentAudioPlayer_.get(); }
    // The fades still running (tests wait for them on the clock).
    const FadeQueues& fades() const { return *fadeQueues_; }
    void audioPlayerDidFinishPlaying(AVAudioPlayer& player, bool successfully) override;
    // A fade-out ended: only the player it faded is let go.
    void fadeOperationFinished(const std::shared_ptr<AVAudioPlayer>& player) override;

private:
    // Index in rules() of a rule number; -1 for none.
    static int indexOfRule(int ruleNumber);
    // The idle look on every button, then the rule's own button idle too.
    void resetListenButtons();

    std::shared_ptr<AVAudioPlayer> CurrentAudioPlayer_;
    // A player fading out after its button was pressed again, held until its fade ends.
    std::shared_ptr<AVAudioPlayer> fadingPlayer_;
    std::unique_ptr<FadeQueues> fadeQueues_ = std::make_unique<FadeQueues>();
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);  // expires with the screen
    std::shared_ptr<UIAlertView> alert_;
    int scrollToView_;
    bool fromSettings_;
    int heightToUse_ = 0;
    int lastPlayingType_ = -1;
    std::unique_ptr<ArabicFont> fontLoader_;
    std::map<int, std::vector<uint8_t>> dictVerseData_;
};
