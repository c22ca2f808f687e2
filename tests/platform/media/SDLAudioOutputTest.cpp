#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "platform/backends/sdl/SDLAudioOutput.h"
#include "platform/foundation/RunLoop.h"
#include "platform/media/AVAudioPlayer.h"

namespace {

// Through SDL's file-writing driver (to /dev/null), which takes audio at the real rate: the
// device path, its played-time estimate and its end-of-clip report, in real time.
TEST(SDLAudioOutputTest, DevicePlaysAClipToItsEndInRealTime) {
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
  auto output = SDLAudioOutput::create();
  if (!output) GTEST_SKIP() << "SDL has no audio driver here";
  AudioOutput::setShared(output);

  const char* root = std::getenv("LUMENO_SOURCE_DIR");
  NSError error;
  auto player = AVAudioPlayer::initWithContentsOfURL(
      std::string(root ? root : ".") + "/tests/platform/media/fixtures/tone_1s_44k_mono.mp3", &error);
  ASSERT_TRUE(player) << error.description();
  struct : AVAudioPlayerDelegate {
    int finished = 0;
    void audioPlayerDidFinishPlaying(AVAudioPlayer&, bool ok) override { finished += ok ? 1 : 100; }
  } events;
  player->setDelegate(&events);

  auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(player->play());
  ASSERT_TRUE(RunLoop::main().runUntil([&] { return player->currentTime() >= 0.4; }, 5));
  double mid = player->currentTime();
  EXPECT_LT(mid, 0.9);
  ASSERT_TRUE(RunLoop::main().runUntil([&] { return events.finished > 0; }, 5));
  double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(events.finished, 1);
  EXPECT_GE(elapsed, 0.9);  // not faster than the audio itself
  EXPECT_LT(elapsed, 2.0);
  EXPECT_FALSE(player->isPlaying());
  player.reset();
  AudioOutput::setShared(nullptr);
}

}  // namespace
