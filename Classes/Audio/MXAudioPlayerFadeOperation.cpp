#include "Classes/Audio/MXAudioPlayerFadeOperation.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "platform/media/AVAudioPlayer.h"

namespace {

constexpr double kStep = 1.0 / 15.0;

// Waits `seconds` of the main run loop's clock on a worker thread. On the virtual clock the
// wait ends when the loop runs a timer due then (or drops it); false when cancelled.
bool sleepOnLoopClock(double seconds, const std::atomic<bool>& cancelled) {
    RunLoop& loop = RunLoop::main();
    if (seconds <= 0) return !cancelled;
    if (!loop.isVirtualClock()) {
        const double end = loop.now() + seconds;
        while (!cancelled) {
            const double left = end - loop.now();
            if (left <= 0) return true;
            std::this_thread::sleep_for(std::chrono::duration<double>(std::min(left, 0.01)));
        }
        return false;
    }
    auto due = std::make_shared<std::atomic<bool>>(false);
    const RunLoop::TimerId timer = loop.addTimer(seconds, [due] { *due = true; });
    while (!cancelled && !*due && loop.isTimerPending(timer))
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (cancelled) loop.cancelTimer(timer);
    return !cancelled;
}

}  // namespace

std::shared_ptr<MXAudioPlayerFadeOperation> MXAudioPlayerFadeOperation::initFadeWithAudioPlayer(
    std::shared_ptr<AVAudioPlayer> player, float volume, double duration, double delay) {
    std::shared_ptr<MXAudioPlayerFadeOperation> op(new MXAudioPlayerFadeOperation());
    if (player) (void)player->prepareToPlay();
    op->player_ = std::move(player);
    op->fadeDuration_ = duration;
    op->finishVolume_ = volume;
    op->playBeforeFade_ = volume != 0;
    op->pauseAfterFade_ = volume == 0;
    op->stopAfterFade_ = false;
    op->delay_ = delay;
    return op;
}

std::shared_ptr<MXAudioPlayerFadeOperation> MXAudioPlayerFadeOperation::init() {
    NSLog("Failed to init class (%@) with AVAudioPlayer instance, use initFadeWithAudioPlayer:",
          std::string("MXAudioPlayerFadeOperation"));
    return nullptr;
}

std::shared_ptr<AVAudioPlayer> MXAudioPlayerFadeOperation::audioPlayer() const {
    std::lock_guard<std::mutex> guard(playerLock_);
    return player_;
}

void MXAudioPlayerFadeOperation::setAudioPlayer(std::shared_ptr<AVAudioPlayer> player) {
    std::lock_guard<std::mutex> guard(playerLock_);
    player_ = std::move(player);
}

void MXAudioPlayerFadeOperation::setDelegate(MXAudioPlayerFadeOperationDelegate* delegate, std::weak_ptr<void> alive) {
    delegate_ = delegate;
    delegateAlive_ = std::move(alive);
}

void MXAudioPlayerFadeOperation::main(const std::atomic<bool>& cancelled) {
    if (!sleepOnLoopClock(delay_, cancelled)) return;
    std::shared_ptr<AVAudioPlayer> player = audioPlayer();
    if (!player) {
        NSLog("AudioPlayerFadeOperation began with invalid AVAudioPlayer");
        return;
    }
    if (!player->isPlaying() && playBeforeFade_) (void)player->play();
    RunLoop& loop = RunLoop::main();
    if (fadeDuration() != 0) {
        const double t0 = loop.now();
        const float startVolume = player->volume();
        for (double now = t0; now < t0 + fadeDuration(); now = loop.now()) {
            const double f = (now - t0) / fadeDuration();
            player->setVolume(static_cast<float>(finishVolume_ * f + startVolume * (1 - f)));
            if (!sleepOnLoopClock(kStep, cancelled)) return;
        }
    }
    player->setVolume(finishVolume_);
    if (player->isPlaying() && pauseAfterFade_) player->pause();
    if (player->isPlaying() && stopAfterFade_) player->stop();
    if (!delegate_) return;
    // Finished on the main thread, where the delegate's state lives.
    loop.post([delegate = delegate_, alive = delegateAlive_, player] {
        if (alive.lock()) delegate->fadeOperationFinished(player);
    });
}

void FadeQueues::add(const std::shared_ptr<MXAudioPlayerFadeOperation>& operation) {
    prune();
    auto queue = std::make_unique<NSOperationQueue>("fade");
    queue->addOperation([operation](const std::atomic<bool>& cancelled) { operation->main(cancelled); });
    queues_.push_back(std::move(queue));
}

void FadeQueues::prune() {
    queues_.erase(std::remove_if(queues_.begin(), queues_.end(),
                                 [](const std::unique_ptr<NSOperationQueue>& q) { return q->operationCount() == 0; }),
                  queues_.end());
}

size_t FadeQueues::running() const {
    return std::count_if(queues_.begin(), queues_.end(),
                         [](const std::unique_ptr<NSOperationQueue>& q) { return q->operationCount() > 0; });
}
