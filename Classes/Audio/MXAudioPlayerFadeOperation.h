#pragma once
// Ramps an audio player's volume to a target in 1/15 s steps on an operation queue of its
// own, optionally starting the player first and pausing or stopping it after. The ramp's
// sleeps follow the run loop's clock (virtual in tests). The delegate hears of the end on
// the main thread, with the player that was faded.

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/foundation/NSOperationQueue.h"

class AVAudioPlayer;

class MXAudioPlayerFadeOperationDelegate {
public:
    virtual ~MXAudioPlayerFadeOperationDelegate() = default;
    virtual void fadeOperationFinished(const std::shared_ptr<AVAudioPlayer>& player) {}
};

class MXAudioPlayerFadeOperation {
public:
    static std::shared_ptr<MXAudioPlayerFadeOperation> initFadeWithAudioPlayer(std::shared_ptr<AVAudioPlayer> player,
                                                                               float volume, double duration,
                                                                               double delay);
    static std::shared_ptr<MXAudioPlayerFadeOperation> initFadeWithAudioPlayer(std::shared_ptr<AVAudioPlayer> player,
                                                                               float volume, double duration) {
        return initFadeWithAudioPlayer(std::move(player), volume, duration, 0);
    }
    static std::shared_ptr<MXAudioPlayerFadeOperation> initFadeWithAudioPlayer(std::shared_ptr<AVAudioPlayer> player,
                                                                               float volume) {
        return initFadeWithAudioPlayer(std::move(player), volume, 1.0);
    }
    static std::shared_ptr<MXAudioPlayerFadeOperation> initFadeWithAudioPlayer(std::shared_ptr<AVAudioPlayer> player) {
        return initFadeWithAudioPlayer(std::move(player), 0.0f);
    }
    // Without a player there is nothing to fade: logs and gives none.
    static std::shared_ptr<MXAudioPlayerFadeOperation> init();

    std::shared_ptr<AVAudioPlayer> audioPlayer() const;
    void setAudioPlayer(std::shared_ptr<AVAudioPlayer> player);
    double fadeDuration() const { return fadeDuration_.load(); }
    void setFadeDuration(double seconds) { fadeDuration_ = seconds; }
    float finishVolume() const { return finishVolume_; }
    void setFinishVolume(float volume) { finishVolume_ = volume; }
    bool playBeforeFade() const { return playBeforeFade_; }
    void setPlayBeforeFade(bool on) { playBeforeFade_ = on; }
    bool pauseAfterFade() const { return pauseAfterFade_; }
    void setPauseAfterFade(bool on) { pauseAfterFade_ = on; }
    bool stopAfterFade() const { return stopAfterFade_; }
    void setStopAfterFade(bool on) { stopAfterFade_ = on; }
    double delay() const { return delay_; }
    void setDelay(double seconds) { delay_ = seconds; }
    // Unretained; `alive` expires when the delegate goes away, and then it is not called.
    void setDelegate(MXAudioPlayerFadeOperationDelegate* delegate, std::weak_ptr<void> alive);

    // The body, on the queue's thread. A cancelled operation ends at its next step, silently.
    void main(const std::atomic<bool>& cancelled);
    // Waiting for the clock between steps, or ended: nothing moves until the clock does.
    bool isWaitingOnClock() const { return *waitingOnClock_ || ended_; }

private:
    MXAudioPlayerFadeOperation() = default;

    mutable std::mutex playerLock_;  // guards player_ only
    std::shared_ptr<AVAudioPlayer> player_;
    std::atomic<double> fadeDuration_{1.0};
    float finishVolume_ = 0;
    bool playBeforeFade_ = false;
    bool pauseAfterFade_ = true;
    bool stopAfterFade_ = false;
    double delay_ = 0;
    MXAudioPlayerFadeOperationDelegate* delegate_ = nullptr;  // unretained
    std::weak_ptr<void> delegateAlive_;
    std::shared_ptr<std::atomic<bool>> waitingOnClock_ = std::make_shared<std::atomic<bool>>(false);
    std::atomic<bool> ended_{false};
};

// The fade queues of one user: each fade gets a serial queue of its own, kept here until its
// operation has ended. Destroying the set cancels the running fades and waits for them.
class FadeQueues {
public:
    void add(const std::shared_ptr<MXAudioPlayerFadeOperation>& operation);
    // Frees the queues whose operation has ended (main thread).
    void prune();
    size_t running() const;
    // Every fade waits for the clock to move (tests advance it only then).
    bool waitingOnClock() const;

private:
    struct Entry {
        std::unique_ptr<NSOperationQueue> queue;
        std::shared_ptr<MXAudioPlayerFadeOperation> operation;
    };
    std::vector<Entry> queues_;
};
