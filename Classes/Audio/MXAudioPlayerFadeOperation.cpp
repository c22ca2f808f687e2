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
// `waiting` is set while the thread waits for the clock.
bool sleepOnLoopClock(double seconds, const std::atomic<bool>& cancelled, const std::shared_ptr<std::atomic<bool>>& waiting) {
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
    // Cleared by the loop itself as the timer runs, so the loop's thread knows at once that
    // this thread has work to do again.
    *waiting = true;
    const RunLoop::TimerId timer = loop.addTimer(seconds, [due, waiting] {
        *waiting = false;
        *due = true;
    });
    while (!cancelled && !*due && loop.isTimerPending(timer))
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    *waiting = false;
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
    struct Ended {
        std::atomic<bool>& flag;
        ~Ended() { flag = true; }
    } ended{ended_};
    if (!sleepOnLoopClock(delay_, cancelled, waitingOnClock_)) return;
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
            if (!sleepOnLoopClock(kStep, cancelled, waitingOnClock_)) return;
        }
    }
    player->setVolume(finishVolume_);
    if (player->isPlaying() && pauseAfterFade_) player->pause();
    if (player->isPlaying() && stopAfterFade_) player->stop();
    if (!delegate_) return;
    // Finished on the main thread, where the delegate's state lives; posted before the
    // operation counts as ended.
    loop.post([delegate = delegate_, alive = delegateAlive_, player] {
        if (alive.lock()) delegate->fadeOperationFinished(player);
    });
}

void FadeQueues::add(const std::shared_ptr<MXAudioPlayerFadeOperation>& operation) {
    prune();
    auto queue = std::make_unique<NSOperationQueue>("fade");
    queue->addOperation([operation](const std::atomic<bool>& cancelled) { operation->main(cancelled); });
    queues_.push_back(Entry{std::move(queue), operation});
}

void FadeQueues::prune() {
    queues_.erase(std::remove_if(queues_.begin(), queues_.end(), [](const Entry& e) { return e.queue->operationCount() == 0; }),
                  queues_.end());
}

size_t FadeQueues::running() const {
    return std::count_if(queues_.begin(), queues_.end(), [](const Entry& e) { return e.queue->operationCount() > 0; });
}

bool FadeQueues::waitingOnClock() const {
    return std::all_of(queues_.begin(), queues_.end(), [](const Entry& e) { return e.operation->isWaitingOnClock(); });
}
