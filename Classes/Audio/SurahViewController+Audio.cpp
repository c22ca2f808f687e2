// Recitation playback of the reading screen: play, stop or download; per-verse clips and
// continuous parts; fades; the audio session.

#include <cfloat>

#include "Classes/Audio/VerseClipFiles.h"
#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/Language.h"
#include "Classes/Reading/SurahViewController.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSDateFormatter.h"
#include "platform/foundation/NSTimer.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/UIImage.h"
#include "platform/ui/hosting/UIAlertView.h"

namespace {

constexpr double kContinuousCheck = 0.1;
// How long the main thread waits for the next-clip worker before writing its own clip.
constexpr double kWorkerWait = 2.0;
constexpr const char* kVerseEndTag = "verseEnd";

std::string nowText() { return NSDateFormatter("yyyy-MM-dd HH:mm:ss").stringFromDate(NSDate::date()); }

}  // namespace

void SurahViewController::setUpAudio() {
    clipFiles_ = VerseClipFiles::create();
    fadeQueues_ = std::make_unique<FadeQueues>();
}

void SurahViewController::tearDownAudio() {
    audioAlive_.reset();
    if (continuousTimer_) continuousTimer_->invalidate();
    if (CurrentAudioPlayer_) {
        CurrentAudioPlayer_->setDelegate(nullptr);
        CurrentAudioPlayer_->stop();
    }
    if (AVAudioSession::sharedInstance().delegate() == this) AVAudioSession::sharedInstance().setDelegate(nullptr);
    fadeQueues_.reset();  // cancels running fades and waits for them
    if (clipFiles_ && !clipFiles_->waitForWorker(kWorkerWait)) NSLog("the next-clip worker outlived the reading screen");
}

void SurahViewController::resetClipState() {
    clipFiles_->reset();
    lastPlayedVerse_ = -2;
    lastVersePart_ = -1;
    lastPlayedVerseFile_.clear();
}

void SurahViewController::stopIfPlaying() {
    // Always a stop: going through the play button could start a download instead.
    if (IsInPlayMode_) stopPlaying();
}

void SurahViewController::playStopOrDownload() {
    if (playButtonPressed_) return;
    playButtonPressed_ = true;
    struct Release {
        bool& flag;
        ~Release() { flag = false; }
    } release{playButtonPressed_};

    if (isShowingSurahInfo_) surahNameButtonPressed();
    NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
    sqlite3* user = userDb();
    currentReciter_ =
        ChapterInfo::getResolvedReciterCode(user, static_cast<int>(defaults.integerForKey("CurrentReciterv22")), iCurrentSurah_);
    useSmallFade_ = false;
    hasFadedSoundIn_ = false;
    dateLastActivity_ = NSDate::date();

    AVAudioSession& session = AVAudioSession::sharedInstance();
    session.setDelegate(this);
    NSError error;
    if (!session.setCategory(AVAudioSessionCategoryPlayback, &error)) {
        auto alert = std::make_shared<UIAlertView>(Language::get("Error", "Error"), error.localizedDescription, nullptr,
                                                   Language::get("OK", "OK"), std::vector<std::string>{});
        alert->show();
        return;
    }

    isUsingContinuousPlayback_ = ChapterInfo::doesReciterSupportContRecitation(currentReciter_) &&
                                 ChapterInfo::isSurahAudioContinuous(user, iCurrentSurah_, currentReciter_);
    if (!isUsingContinuousPlayback_ && !ChapterInfo::isSurahAudioInstalled(user, iCurrentSurah_, currentReciter_)) {
        if (isShowingBubbles_) hideAudioControls(true);
        if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance()) app->downloadSurahAudioAlert(iCurrentSurah_);
        return;
    }
    if (IsInPlayMode_) {
        stopPlaying();
        return;
    }
    if (LumenoSDKAppDelegate::IsIPhoneOS4()) {
        NSError activation;
        if (!session.setActive(true, &activation))
            NSLog("Could NOT activate Audio Session: %@", activation.localizedDescription);
    }
    ayahRepeatCount_ = 0;
    playedVerseRange_ = 0;
    startedPlayingFromVerse_ = selectedVerse_;
    setCorrectSurahRepeatButton();
    canResetTime_ = true;
    playNextVerseForSelectedVerse(selectedVerse_);
    if (CurrentAudioPlayer_) showAudioControls(true);
}

void SurahViewController::playNextVerseForSelectedVerse(int verse) {
    // The verse that played keeps no mark when another one (or the top) plays next.
    if (IsInPlayMode_) highlightForPlayingVerse(iCurrentPlayingVerse_, true);
    iCurrentPlayingVerse_ = verse;
    if (verse < 0) {
        lastPlayedVerse_ = -1;
        canResetTime_ = true;
        selectedVerse_ = iCurrentPlayingVerse_ = hasInvocationRow() ? 0 : 1;
    }
    const int v = iCurrentPlayingVerse_;
    bool newPlayer = isUsingContinuousPlayback_ ? playButtonPressed_ : true;
    sqlite3* user = userDb();
    sqlite3* content = contentDb();

    if (v == lastPlayedVerse_ && !lastPlayedVerseFile_.empty()) {
        // The same clip again: its file is still there.
    } else if (isUsingContinuousPlayback_) {
        const int part = ChapterInfo::getContMP3Part(content, iCurrentSurah_, v, currentReciter_);
        const bool hasNext = v + 1 <= ChapterInfo::getVersesFromNumber(iCurrentSurah_);
        const int nextPart = hasNext ? ChapterInfo::getContMP3Part(content, iCurrentSurah_, v + 1, currentReciter_) : part;
        const bool partChanged = part != lastVersePart_;
        if (partChanged) {
            lastversePlaybackData_ = ChapterInfo::getContMP3Recitation(user, iCurrentSurah_, part, currentReciter_);
            newPlayer = true;
        }
        currentVerseBeginTime_ =
            static_cast<float>(ChapterInfo::getContMP3BeginsTime(content, iCurrentSurah_, v, currentReciter_));
        if (!hasNext || nextPart != part) {
            nextVerseBeginTime_ = -1;
        } else {
            nextVerseBeginTime_ =
                static_cast<float>(ChapterInfo::getContMP3BeginsTime(content, iCurrentSurah_, v + 1, currentReciter_));
            if (nextVerseBeginTime_ == 0) nextVerseBeginTime_ = -1;
        }
        lastVersePart_ = part;
    } else {
        if (clipFiles_->gatheringFile()) {
            NSLog("DEBUG - [%@]  WAITING FOR CONVERSION", nowText());
            if (!clipFiles_->waitForWorker(kWorkerWait)) NSLog("DEBUG - [%@]  the next clip is late", nowText());
        }
        lastPlayedVerse_ = v;
        lastPlayedVerseFile_ = VerseClipFiles::fullPath(getPathToVerseAudioForVerse(v, false));
        clipFiles_->startWorkerForVerse(user, iCurrentSurah_, iCurrentPlayingVerse_ + 1, currentReciter_);
    }

    if (continuousTimer_) continuousTimer_->invalidate();
    continuousTimer_.reset();
    RunLoop::main().cancelPreviousPerformRequests(this, kVerseEndTag);
    if (newPlayer && CurrentAudioPlayer_) {
        CurrentAudioPlayer_->stop();
        CurrentAudioPlayer_->setDelegate(nullptr);
        CurrentAudioPlayer_.reset();
    }
    NSError error;
    bool failed = false;
    if (isUsingContinuousPlayback_) {
        if (newPlayer) {
            CurrentAudioPlayer_ = AVAudioPlayer::initWithData(lastversePlaybackData_, &error);
            failed = !CurrentAudioPlayer_;
        }
        continuousTimer_ = NSTimer::scheduledTimer(kContinuousCheck, true, [this](NSTimer&) { checkContinuousPlayback(); });
    } else {
        CurrentAudioPlayer_ = AVAudioPlayer::initWithContentsOfURL(lastPlayedVerseFile_, &error);
        failed = !CurrentAudioPlayer_;
    }
    if (!CurrentAudioPlayer_) {
        if (failed) NSLog("ERROR - [%@] [AUDIO PLAYER] Could Not Initiate: %@", nowText(), error.localizedDescription);
        NSLog("DEBUG - [%@]   NO AUDIO PLAYER!!!", nowText());
        stopPlaying();
        // The stored clip is damaged or missing: say so and offer the chapter again.
        if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance(); failed && app)
            app->offerDownloadOfUnplayableAudio(iCurrentSurah_, LumenoSDKAppDelegate::AudioFault::unplayable);
        return;
    }
    AVAudioPlayer& player = *CurrentAudioPlayer_;
    player.setDelegate(this);
    IsInPlayMode_ = true;
    highlightForPlayingVerse(v, false);
    const bool restart = newPlayer || canResetTime_;
    if (isUsingContinuousPlayback_ && restart) player.setCurrentTime(currentVerseBeginTime_);
    if (!isUsingContinuousPlayback_ && newPlayer) {
        (void)player.prepareToPlay();
        (void)player.play();
    }
    if (isUsingContinuousPlayback_ && restart) {
        if (hasFadedSoundIn_ || v == 0) {
            player.setVolume(1);
            (void)player.prepareToPlay();
            (void)player.play();
        } else {
            fadeIn(useSmallFade_ ? 0.3 : 0.6);
            useSmallFade_ = false;
        }
        hasFadedSoundIn_ = true;
    }
    if (isUsingContinuousPlayback_ && nextVerseBeginTime_ <= -1) nextVerseBeginTime_ = FLT_MAX;
    canResetTime_ = false;
    showNowPlaying();
    if (btnPlay) {
        btnPlay->setAlpha(1);
        btnPlay->setImage(UIImage::imageNamed("sound-on.png"), UIControlStateNormal);
        btnPlay->setImage(UIImage::imageNamed("sound-t.png"), UIControlStateHighlighted);
    }
}

void SurahViewController::checkContinuousPlayback() {
    // A held skip button keeps playback inside the verse until it is let go.
    if (!CurrentAudioPlayer_ || !IsInPlayMode_ || fingerDownOnFF_ || fingerDownOnRR_) return;
    const double position = CurrentAudioPlayer_->currentTime();
    if (nextVerseBeginTime_ > 0 && position >= nextVerseBeginTime_) {
        finishedPlayingVerseMoveToNext();
        return;
    }
    // Between two checks: look again exactly when the next verse begins, so the highlight
    // follows the recitation closely rather than up to one check period late.
    const double left = nextVerseBeginTime_ - position;
    if (nextVerseBeginTime_ > 0 && nextVerseBeginTime_ < FLT_MAX && left < kContinuousCheck &&
        CurrentAudioPlayer_->isPlaying()) {
        RunLoop::main().cancelPreviousPerformRequests(this, kVerseEndTag);
        RunLoop::main().performAfterDelay(this, left + 0.001, [this] { checkContinuousPlayback(); }, kVerseEndTag);
    }
}

std::string SurahViewController::getPathToVerseAudioForVerse(int verse, bool) {
    return clipFiles_->getPathToVerseAudioForVerse(userDb(), iCurrentSurah_, verse, currentReciter_);
}

void SurahViewController::stopPlaying(bool hideControls, bool animated) {
    if (hideControls) hideAudioControls(animated);
    useSmallFade_ = hasFadedSoundIn_ = IsInPlayMode_ = canResetTime_ = isUsingContinuousPlayback_ = false;
    didSeekFForRR_ = fingerDownOnRR_ = fingerDownOnFF_ = false;
    setPauseButtonsSelected(false);
    if (continuousTimer_) continuousTimer_->invalidate();
    continuousTimer_.reset();
    RunLoop::main().cancelPreviousPerformRequests(this, kVerseEndTag);
    bool fading = false;
    if (CurrentAudioPlayer_) {
        if (CurrentAudioPlayer_->currentTime() < CurrentAudioPlayer_->duration()) fading = fadeOut(0.5);
        else CurrentAudioPlayer_->stop();
        CurrentAudioPlayer_->setDelegate(nullptr);
        CurrentAudioPlayer_.reset();  // a running fade keeps it to the end of the ramp
    }
    iLastSetAudioCell_ = verseToRow(iCurrentPlayingVerse_);
    highlightForPlayingVerse(iCurrentPlayingVerse_, true);
    updateReciterLabel();
    if (btnPlay) btnPlay->setAlpha(0.8);
    resetClipState();
    showNowPlaying();
    if (!fading) deactivateAudioSession();
}

void SurahViewController::audioPlayerDidFinishPlaying(AVAudioPlayer& player, bool) {
    if (&player != CurrentAudioPlayer_.get()) return;
    finishedPlayingVerseMoveToNext();
}

void SurahViewController::audioPlayerDecodeErrorDidOccur(AVAudioPlayer& player, const NSError& error) {
    NSLog("ERROR - [%@] [Audio Player] Decode Problem: %@", nowText(), error.localizedDescription);
    if (&player != CurrentAudioPlayer_.get()) return;
    // The stored clip broke off: stop there and offer the chapter again.
    stopPlaying();
    if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance())
        app->offerDownloadOfUnplayableAudio(iCurrentSurah_, LumenoSDKAppDelegate::AudioFault::stopsMidway);
}

void SurahViewController::fadeIn(double seconds) {
    if (!CurrentAudioPlayer_) return;
    CurrentAudioPlayer_->setVolume(0);
    lastFadeInTime_ = NSDate::date();
    fadeQueues_->add(MXAudioPlayerFadeOperation::initFadeWithAudioPlayer(CurrentAudioPlayer_, 1.0f, seconds));
}

bool SurahViewController::fadeOut(double seconds) {
    if (!CurrentAudioPlayer_) return false;
    // Unset means long ago: per-verse playback never fades in.
    if (lastFadeInTime_ && -lastFadeInTime_->timeIntervalSinceNow() < 2) {
        CurrentAudioPlayer_->stop();
        return false;
    }
    auto fade = MXAudioPlayerFadeOperation::initFadeWithAudioPlayer(CurrentAudioPlayer_, 0.0f, seconds);
    fade->setDelegate(this, audioAlive_);
    fadeQueues_->add(fade);
    return true;
}

void SurahViewController::fadeOperationFinished(const std::shared_ptr<AVAudioPlayer>& player) {
    fadeQueues_->prune();
    // A fade-out that ends after playback started again must not cut the new player's sound.
    if (IsInPlayMode_ || (CurrentAudioPlayer_ && CurrentAudioPlayer_ != player)) return;
    deactivateAudioSession();
}

void SurahViewController::deactivateAudioSession() {
    AVAudioSession& session = AVAudioSession::sharedInstance();
    NSError error;
    if (LumenoSDKAppDelegate::IsIPhoneOS4()) {
        if (!session.setActive(false, AVAudioSessionSetActiveFlags_NotifyOthersOnDeactivation, &error))
            NSLog("[1] Could NOT deactivate Audio Session: %@", error.localizedDescription);
    } else if (!session.setActive(false, &error)) {
        NSLog("Could NOT deactivate Audio Session: %@", error.localizedDescription);
    }
}
