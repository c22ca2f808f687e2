// The examples: one recording plays at a time; pressing its button again stops it, pressing
// another's cuts it off and starts that one.
#include "Classes/Reference/TajweedInfoViewController.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/StringUtils.h"
#include "platform/graphics/UIImage.h"
#include "platform/media/AVAudioSession.h"
#include "platform/ui/hosting/UIAlertView.h"

namespace {

UIColorPtr rgb(int r, int g, int b) { return UIColor::colorWithRed(r / 255.0, g / 255.0, b / 255.0, 1); }

}  // namespace

int TajweedInfoViewController::indexOfRule(int ruleNumber) {
    for (int i = 0; i < kRuleCount; ++i)
        if (rules()[i].number == ruleNumber) return i;
    return -1;
}

void TajweedInfoViewController::listenPressed(UIButton* sender) {
    int index = -1;
    for (int i = 0; i < kRuleCount; ++i)
        if (btnListen[i].get() == sender) index = i;
    if (index < 0) return;
    const int rule = rules()[index].number;
    const bool wasPlaying = lastPlayingType_ == rule;
    stopAudio(wasPlaying);
    if (wasPlaying) {
        lastPlayingType_ = -1;
        return;
    }
    playAudio(rule);
    sender->setBackgroundImage(UIImage::imageNamed("taj-example-on.png"), UIControlStateNormal);
    sender->setTitleColor(rgb(83, 132, 64), UIControlStateNormal);
}

void TajweedInfoViewController::playAudio(int ruleNumber) {
    lastPlayingType_ = ruleNumber;
    const int index = indexOfRule(ruleNumber);
    if (index < 0) return;
    const std::string path = str::appendPathComponent(Paths::bundle(), std::string(rules()[index].recording) + ".mp3");
    NSError error;
    if (!AVAudioSession::sharedInstance().setCategory(AVAudioSessionCategoryPlayback, &error)) {
        alert_ = std::make_shared<UIAlertView>("Error", error.localizedDescription, nullptr, "OK",
                                               std::vector<std::string>{});
        alert_->show();
        return;
    }
    NSError activation;
    if (!AVAudioSession::sharedInstance().setActive(true, &activation))
        NSLog("Could NOT activate Audio Session: %@", activation.localizedDescription);
    CurrentAudioPlayer_ = AVAudioPlayer::initWithContentsOfURL(path, nullptr);
    if (!CurrentAudioPlayer_) return;
    CurrentAudioPlayer_->setDelegate(this);
    fadeIn(0.3);
    CurrentAudioPlayer_->prepareToPlay();
    CurrentAudioPlayer_->play();
}

void TajweedInfoViewController::fadeIn(double seconds) {
    if (!CurrentAudioPlayer_) return;
    CurrentAudioPlayer_->setVolume(0);
    fadeQueues_->add(MXAudioPlayerFadeOperation::initFadeWithAudioPlayer(CurrentAudioPlayer_, 1.0f, seconds));
}

bool TajweedInfoViewController::fadeOut(double seconds) {
    auto fade = MXAudioPlayerFadeOperation::initFadeWithAudioPlayer(CurrentAudioPlayer_, 0.0f, seconds);
    fade->setStopAfterFade(true);
    fade->setDelegate(this, alive_);
    fadeQueues_->add(fade);
    return true;
}

void TajweedInfoViewController::fadeOperationFinished(const std::shared_ptr<AVAudioPlayer>& player) {
    fadeQueues_->prune();
    // A fade that ends after another example started ends only the player it faded.
    if (!player || player != fadingPlayer_) return;
    AVAudioSession& session = AVAudioSession::sharedInstance();
    NSError error;
    if (!session.setActive(false, AVAudioSessionSetActiveFlags_NotifyOthersOnDeactivation, &error))
        NSLog("[1] Could NOT deactivate Audio Session: %@", error.localizedDescription);
    fadingPlayer_->stop();
    fadingPlayer_->setDelegate(nullptr);
    fadingPlayer_.reset();
}

void TajweedInfoViewController::stopAudio(bool fade) {
    // A player still fading from before is cut off at once.
    if (fadingPlayer_) {
        fadingPlayer_->stop();
        fadingPlayer_->setDelegate(nullptr);
        fadingPlayer_.reset();
    }
    if (CurrentAudioPlayer_) {
        if (fade) {
            fadeOut(0.3);
            fadingPlayer_ = std::move(CurrentAudioPlayer_);
        } else {
            CurrentAudioPlayer_->stop();
            CurrentAudioPlayer_->setDelegate(nullptr);
        }
        CurrentAudioPlayer_.reset();
    }
    resetListenButtons();
}

void TajweedInfoViewController::resetListenButtons() {
    for (const auto& button : btnListen)
        if (button) button->setTitleColor(rgb(126, 107, 69), UIControlStateNormal);
    const int index = indexOfRule(lastPlayingType_);
    if (index >= 0 && btnListen[index])
        btnListen[index]->setBackgroundImage(UIImage::imageNamed("taj-example.png"), UIControlStateNormal);
}

void TajweedInfoViewController::audioPlayerDidFinishPlaying(AVAudioPlayer& player, bool) {
    if (&player != CurrentAudioPlayer_.get()) return;
    stopAudio(false);
    lastPlayingType_ = -1;
}
