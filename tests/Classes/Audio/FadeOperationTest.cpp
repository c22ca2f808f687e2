// Volume ramps on their own queue, following the run loop's clock; completion on the main thread.

#include <gtest/gtest.h>

#include "Classes/Audio/MXAudioPlayerFadeOperation.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "platform/media/AVAudioSession.h"
#include "tests/Classes/Audio/PlaybackFixture.h"

namespace {

struct Finished : MXAudioPlayerFadeOperationDelegate {
    std::vector<std::shared_ptr<AVAudioPlayer>> players;
    bool onMainThread = true;
    void fadeOperationFinished(const std::shared_ptr<AVAudioPlayer>& player) override {
        onMainThread = onMainThread && RunLoop::main().isMainThread();
        players.push_back(player);
    }
};

class FadeOperationTest : public ::testing::Test {
protected:
    void SetUp() override {
        RunLoop::main().useVirtualClock();
        RunLoop::main().resetForTesting();
        AudioOutput::setShared(output);
        NSError error;
        player = AVAudioPlayer::initWithData(PlaybackTest::fixtureMP3("tone_1500ms_22k_stereo.mp3"), &error);
        ASSERT_TRUE(player);
    }
    void TearDown() override {
        queues.reset();
        AudioOutput::setShared(nullptr);
        AVAudioSession::sharedInstance().resetForTesting();
        RunLoop::main().resetForTesting();
    }
    // Moves the clock in 10 ms steps, giving the fade thread time to follow each step.
    void run(double ms) {
        for (double t = 0; t < ms; t += 10) {
            settle();
            RunLoop::main().advance(10);
        }
        settle();
    }
    void settle() {
        RunLoop::main().runUntil(
            [this] { return RunLoop::main().pendingPostCount() == 0 && (!queues || queues->waitingOnClock()); }, 2.0);
    }
    bool waitForQueues() {
        return RunLoop::main().runUntil([this] { return queues->running() == 0; }, 5.0);
    }

    std::shared_ptr<HeadlessAudioOutput> output = HeadlessAudioOutput::create();
    std::shared_ptr<AVAudioPlayer> player;
    std::unique_ptr<FadeQueues> queues = std::make_unique<FadeQueues>();
    Finished finished;
    std::shared_ptr<int> alive = std::make_shared<int>(0);
};

TEST_F(FadeOperationTest, RampsFollowTheClockAndEndAsAsked) {
    struct Case {
        const char* name;
        bool playingBefore;
        float from, to;
        double duration;
        bool playingAfter;
    } cases[] = {
        {"fade-out pauses", true, 1.0f, 0.0f, 0.5, false},
        {"fade-in starts a stopped player", false, 0.0f, 1.0f, 0.6, true},
        {"no duration: at once", true, 1.0f, 0.0f, 0.0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        player->stop();
        player->setCurrentTime(0);
        player->setVolume(c.from);
        if (c.playingBefore) { ASSERT_TRUE(player->play()); }
        finished.players.clear();
        auto fade = MXAudioPlayerFadeOperation::initFadeWithAudioPlayer(player, c.to, c.duration);
        fade->setDelegate(&finished, alive);
        EXPECT_EQ(fade->playBeforeFade(), c.to != 0);
        EXPECT_EQ(fade->pauseAfterFade(), c.to == 0);
        queues->add(fade);
        settle();
        if (c.duration > 0) {
            run(c.duration * 500);
            ASSERT_EQ(queues->running(), 1u);
            EXPECT_TRUE(player->isPlaying());
            // Halfway (within a step of 1/15 s) the volume is between the ends.
            EXPECT_NEAR(player->volume(), (c.from + c.to) / 2, 0.3);
            run(c.duration * 500 + 100);
        }
        ASSERT_TRUE(waitForQueues());
        RunLoop::main().runUntil([this] { return !finished.players.empty(); }, 2.0);
        EXPECT_EQ(player->volume(), c.to);
        EXPECT_EQ(player->isPlaying(), c.playingAfter);
        ASSERT_EQ(finished.players.size(), 1u);
        EXPECT_EQ(finished.players[0], player);
        EXPECT_TRUE(finished.onMainThread);
    }
}

TEST_F(FadeOperationTest, WithoutAPlayerThereIsNoOperation) {
    LogCapture log;
    EXPECT_EQ(MXAudioPlayerFadeOperation::init(), nullptr);
    EXPECT_TRUE(log.contains("use initFadeWithAudioPlayer:"));
    auto fade = MXAudioPlayerFadeOperation::initFadeWithAudioPlayer(nullptr, 1.0f, 0.0);
    fade->setDelegate(&finished, alive);
    queues->add(fade);
    ASSERT_TRUE(waitForQueues());
    RunLoop::main().runUntilIdle();
    EXPECT_TRUE(log.contains("AudioPlayerFadeOperation began with invalid AVAudioPlayer"));
    EXPECT_TRUE(finished.players.empty());
}

TEST_F(FadeOperationTest, AGoneDelegateAndACancelledFadeHearNothing) {
    ASSERT_TRUE(player->play());
    auto fade = MXAudioPlayerFadeOperation::initFadeWithAudioPlayer(player, 0.0f, 0.2);
    fade->setDelegate(&finished, alive);
    queues->add(fade);
    alive.reset();  // the delegate goes away while the fade runs
    run(400);
    ASSERT_TRUE(waitForQueues());
    RunLoop::main().runUntilIdle();
    EXPECT_TRUE(finished.players.empty());
    EXPECT_FALSE(player->isPlaying());

    // Destroying the queues cancels a running ramp at its next step, without waiting for the clock.
    auto alive2 = std::make_shared<int>(0);
    ASSERT_TRUE(player->play());
    auto longFade = MXAudioPlayerFadeOperation::initFadeWithAudioPlayer(player, 0.0f, 30.0);
    longFade->setDelegate(&finished, alive2);
    queues->add(longFade);
    run(50);
    queues.reset();
    RunLoop::main().runUntilIdle();
    EXPECT_TRUE(finished.players.empty());
    EXPECT_TRUE(player->isPlaying());
}

}  // namespace
