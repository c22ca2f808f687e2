// Transport of the audio bar: pause, hold to seek, tap to skip; remote-control events and
// audio interruptions.

#include <algorithm>
#include <cmath>

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/NSString+More.h"
#include "Classes/Reading/SurahViewController.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "platform/services/MPRISPlayer.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIEvent.h"

namespace {

constexpr double kSeekStep = 0.08;
constexpr double kSeekRepeat = 0.02;
constexpr double kHoldDelay = 0.5;
constexpr const char* kSeekForward = "seekForward";
constexpr const char* kSeekBackward = "seekBackward";

}  // namespace

bool SurahViewController::isPaused() const { return btnBottomAudioPause && btnBottomAudioPause->isSelected(); }

void SurahViewController::setPauseButtonsSelected(bool selected) {
    pausedByInterruption_ = false;
    for (UIButton* b : {btnBottomAudioPause.get(), btnLandscapeAudioPause.get()})
        if (b) b->setSelected(selected);
}

void SurahViewController::btnAudioPausePressed() {
    didSeekFForRR_ = fingerDownOnRR_ = fingerDownOnFF_ = false;
    const bool paused = (btnBottomAudioPause && btnBottomAudioPause->isSelected()) ||
                        (btnLandscapeAudioPause && btnLandscapeAudioPause->isSelected());
    setPauseButtonsSelected(!paused);
    if (!CurrentAudioPlayer_) return;
    if (paused) (void)CurrentAudioPlayer_->play();
    else CurrentAudioPlayer_->pause();
    showNowPlaying();
}

void SurahViewController::showNowPlaying() {
    using Status = MPRISPlayer::Status;
    const Status status = !IsInPlayMode_ ? Status::Stopped : isPaused() ? Status::Paused : Status::Playing;
    MPRISPlayer::shared().setNowPlaying(status, iCurrentSurah_, iCurrentPlayingVerse_, "");
}

void SurahViewController::btnAudioFingerDown(UIButton* button) {
    if (CurrentAudioPlayer_) currentPlayingTime_ = static_cast<float>(CurrentAudioPlayer_->currentTime());
    didSeekFForRR_ = fingerDownOnRR_ = fingerDownOnFF_ = false;
    RunLoop& loop = RunLoop::main();
    if (button == btnBottomAudioFF.get() || button == btnLandscapeAudioFF.get()) {
        fingerDownOnFF_ = true;
        loop.performAfterDelay(this, kHoldDelay, [this] { seekForward(); }, kSeekForward);
    } else if (button == btnBottomAudioRR.get() || button == btnLandscapeAudioRR.get()) {
        fingerDownOnRR_ = true;
        loop.performAfterDelay(this, kHoldDelay, [this] { seekBackward(); }, kSeekBackward);
    }
}

void SurahViewController::seekForward() {
    RunLoop::main().cancelPreviousPerformRequests(this, kSeekForward);
    if (!fingerDownOnFF_ || !CurrentAudioPlayer_) return;
    showAudioFFRRHUD(0);
    didSeekFForRR_ = true;
    AVAudioPlayer& player = *CurrentAudioPlayer_;
    if (player.isPlaying()) player.pause();
    const double limit = isUsingContinuousPlayback_ ? nextVerseBeginTime_ : player.duration();
    const double position = std::max(0.0, std::min(player.currentTime() + kSeekStep, limit));
    player.setCurrentTime(position);
    if (lblFFRR) lblFFRR->setText("+" + NSString::getTimeElapsedFrom(static_cast<float>(position - currentPlayingTime_)));
    RunLoop::main().performAfterDelay(this, kSeekRepeat, [this] { seekForward(); }, kSeekForward);
}

void SurahViewController::seekBackward() {
    RunLoop::main().cancelPreviousPerformRequests(this, kSeekBackward);
    if (!fingerDownOnRR_ || !CurrentAudioPlayer_) return;
    showAudioFFRRHUD(1);
    didSeekFForRR_ = true;
    AVAudioPlayer& player = *CurrentAudioPlayer_;
    if (player.isPlaying()) player.pause();
    const double floor = isUsingContinuousPlayback_ ? currentVerseBeginTime_ : 0.0;
    const double position = std::max(player.currentTime() - kSeekStep, floor);
    player.setCurrentTime(position);
    if (lblFFRR) lblFFRR->setText("-" + NSString::getTimeElapsedFrom(static_cast<float>(currentPlayingTime_ - position)));
    RunLoop::main().performAfterDelay(this, kSeekRepeat, [this] { seekBackward(); }, kSeekBackward);
}

void SurahViewController::btnAudioFingerUp() {
    fingerDownOnFF_ = fingerDownOnRR_ = false;
    hideAudioFFRRHUD();
    if (CurrentAudioPlayer_ && !CurrentAudioPlayer_->isPlaying()) fadeIn(0.6);
    RunLoop::main().cancelPreviousPerformRequests(this, kSeekForward);
    RunLoop::main().cancelPreviousPerformRequests(this, kSeekBackward);
}

void SurahViewController::skipAtChapterEnd() {
    switch (surahRepeatBubbleCounter_) {
        case 2:
            canResetTime_ = true;
            playNextVerseForSelectedVerse(-1);
            if (IsInPlayMode_) selectAndMarkVerse(iCurrentPlayingVerse_, true, false);
            break;
        case 1:
            globalShouldStartPlaying_ = true;
            stopPlaying();
            showNextSurah();
            break;
        default:
            stopPlaying();
            break;
    }
}

void SurahViewController::btnAudioFFPressed() {
    if (didSeekFForRR_) {
        didSeekFForRR_ = fingerDownOnRR_ = fingerDownOnFF_ = false;
        setPauseButtonsSelected(false);
        return;
    }
    if (!IsInPlayMode_) return;
    setPauseButtonsSelected(false);
    const int v = iCurrentPlayingVerse_;
    if (v >= ChapterInfo::getVersesFromNumber(iCurrentSurah_)) {
        skipAtChapterEnd();
        return;
    }
    selectAndMarkVerse(v + 1, true, false);
    canResetTime_ = true;
    playNextVerseForSelectedVerse(v + 1);
    iCurrentPlayingVerse_ = v + 1;
}

void SurahViewController::btnAudioRRPressed() {
    if (didSeekFForRR_) {
        didSeekFForRR_ = fingerDownOnRR_ = fingerDownOnFF_ = false;
        setPauseButtonsSelected(false);
        return;
    }
    if (!IsInPlayMode_ || !CurrentAudioPlayer_) return;
    setPauseButtonsSelected(false);
    const int v = iCurrentPlayingVerse_;
    AVAudioPlayer& player = *CurrentAudioPlayer_;
    const double threshold = isUsingContinuousPlayback_ ? std::trunc(currentVerseBeginTime_ + 1.0) : 1.0;
    if (player.currentTime() - kSeekStep >= threshold) {
        if (isUsingContinuousPlayback_) {
            player.setCurrentTime(currentVerseBeginTime_);
            fadeIn(0.6);
        } else {
            player.setCurrentTime(0);
        }
        selectAndMarkVerse(v, true, true);
        return;
    }
    int previous = std::max(v - 1, 0);
    if (previous == 0 && !hasInvocationRow()) previous = 1;
    selectAndMarkVerse(previous, true, false);
    canResetTime_ = true;
    playNextVerseForSelectedVerse(previous);
    iCurrentPlayingVerse_ = previous;
}

void SurahViewController::remoteControlReceivedWithEvent(UIEvent* event) {
    if (!event || event->type() != UIEventTypeRemoteControl) return;
    const bool playing = IsInPlayMode_;
    switch (event->subtype()) {
        case UIEventSubtypeRemoteControlPlay:
            if (!playing) playStopOrDownload();
            else if (isPaused()) btnAudioPausePressed();
            break;
        case UIEventSubtypeRemoteControlPause:
            // Pause means pause: a second one must not resume.
            if (playing && !isPaused()) btnAudioPausePressed();
            break;
        case UIEventSubtypeRemoteControlStop:
            if (playing) playStopOrDownload();
            break;
        case UIEventSubtypeRemoteControlTogglePlayPause:
            if (playing) btnAudioPausePressed();
            else playStopOrDownload();
            break;
        case UIEventSubtypeRemoteControlNextTrack:
            if (playing) btnAudioFFPressed();
            break;
        case UIEventSubtypeRemoteControlPreviousTrack:
            if (playing) btnAudioRRPressed();
            break;
        case UIEventSubtypeRemoteControlBeginSeekingBackward:
            if (!playing) break;
            btnAudioFingerDown(btnBottomAudioRR.get());
            seekBackward();
            break;
        case UIEventSubtypeRemoteControlBeginSeekingForward:
            if (!playing) break;
            btnAudioFingerDown(btnBottomAudioFF.get());
            seekForward();
            break;
        case UIEventSubtypeRemoteControlEndSeekingBackward:
        case UIEventSubtypeRemoteControlEndSeekingForward:
            if (playing) btnAudioFingerUp();
            break;
        default:
            break;
    }
}

void SurahViewController::registerRemoteEvents() {
    if (!LumenoSDKAppDelegate::IsIPhoneOS4() || !IsInPlayMode_) return;
    UIApplication::sharedApplication().beginReceivingRemoteControlEvents();
    becomeFirstResponder();
}

void SurahViewController::unregisterRemoteEvents() {
    // The window's media keys stay with the screen while it shows.
    if (!LumenoSDKAppDelegate::IsIPhoneOS4() || viewIsVisible_) return;
    UIApplication::sharedApplication().endReceivingRemoteControlEvents();
    resignFirstResponder();
}

void SurahViewController::audioPlayerBeginInterruption(AVAudioPlayer&) {
    if (isPaused()) return;
    btnAudioPausePressed();
    pausedByInterruption_ = true;
}

// Only the interruption's own pause is undone: a chapter the reader paused stays paused.
void SurahViewController::audioPlayerEndInterruption(AVAudioPlayer&) {
    if (pausedByInterruption_ && isPaused()) btnAudioPausePressed();
    pausedByInterruption_ = false;
}

void SurahViewController::beginInterruption() { NSLog("INTERRUPTED"); }

void SurahViewController::endInterruption() { NSLog("ENDED INTERRUPTION"); }

void SurahViewController::listenForMediaKeys(bool on) {
    UIApplication& app = UIApplication::sharedApplication();
    if (on) {
        app.beginReceivingRemoteControlEvents();
        becomeFirstResponder();
    } else {
        app.endReceivingRemoteControlEvents();
        resignFirstResponder();
    }
}
