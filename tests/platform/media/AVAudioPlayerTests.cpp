#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

#include "platform/backends/headless/HeadlessAudioOutput.h"
#include "platform/foundation/RunLoop.h"
#include "platform/media/AVAudioPlayer.h"
#include "platform/media/AVAudioSession.h"
#include "platform/media/MP3Decoder.h"

namespace {

std::string fixture(const std::string& name) {
  const char* root = std::getenv("LUMENO_SOURCE_DIR");
  return std::string(root ? root : ".") + "/tests/platform/media/fixtures/" + name;
}

std::vector<uint8_t> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Largest absolute sample in [from, to) seconds of a capture at `rate`.
float peak(const std::vector<float>& s, int rate, double from, double to) {
  float m = 0;
  size_t a = static_cast<size_t>(from * rate), b = std::min(s.size(), static_cast<size_t>(to * rate));
  for (size_t i = a; i < b; ++i) m = std::max(m, std::fabs(s[i]));
  return m;
}

struct PlayerEvents : AVAudioPlayerDelegate {
  int finished = 0;
  bool successfully = false;
  double finishedAt = -1;
  int decodeErrors = 0;
  int interruptions = 0, interruptionEnds = 0;
  void audioPlayerDidFinishPlaying(AVAudioPlayer&, bool ok) override {
    ++finished;
    successfully = ok;
    finishedAt = RunLoop::main().now();
  }
  void audioPlayerDecodeErrorDidOccur(AVAudioPlayer&, const NSError&) override { ++decodeErrors; }
  void audioPlayerBeginInterruption(AVAudioPlayer&) override { ++interruptions; }
  void audioPlayerEndInterruption(AVAudioPlayer&) override { ++interruptionEnds; }
};

class AVAudioPlayerTest : public ::testing::Test {
 protected:
  std::shared_ptr<HeadlessAudioOutput> output = HeadlessAudioOutput::create();
  void SetUp() override {
    RunLoop::main().useVirtualClock();
    RunLoop::main().resetForTesting();
    AudioOutput::setShared(output);
  }
  void TearDown() override {
    AudioOutput::setShared(nullptr);
    AVAudioSession::sharedInstance().resetForTesting();
    RunLoop::main().resetForTesting();
  }
  std::shared_ptr<AVAudioPlayer> load(const std::string& name) {
    NSError error;
    auto p = AVAudioPlayer::initWithContentsOfURL(fixture(name), &error);
    EXPECT_TRUE(p) << error.description();
    return p;
  }
};

TEST_F(AVAudioPlayerTest, DurationIsExactFromFileAndFromMemory) {
  struct Case {
    const char* file;
    double seconds;
    int channels;
  } cases[] = {{"tone_1s_44k_mono.mp3", 1.0, 1}, {"tone_1500ms_22k_stereo.mp3", 1.5, 2}};
  for (const auto& tc : cases) {
    SCOPED_TRACE(tc.file);
    NSError error;
    auto fromFile = AVAudioPlayer::initWithContentsOfURL(std::string("file://") + fixture(tc.file), &error);
    auto fromData = AVAudioPlayer::initWithData(readFile(fixture(tc.file)), &error);
    ASSERT_TRUE(fromFile && fromData);
    EXPECT_DOUBLE_EQ(fromFile->duration(), tc.seconds);
    EXPECT_DOUBLE_EQ(fromData->duration(), tc.seconds);
    EXPECT_EQ(fromData->numberOfChannels(), tc.channels);
    EXPECT_FALSE(fromData->data().empty());
  }
}

TEST_F(AVAudioPlayerTest, UnplayableInputGivesAnErrorAndNoPlayer) {
  NSError error;
  EXPECT_FALSE(AVAudioPlayer::initWithContentsOfURL(fixture("missing.mp3"), &error));
  EXPECT_EQ(error.domain, NSOSStatusErrorDomain);
  EXPECT_EQ(error.code, -43);

  std::vector<std::vector<uint8_t>> bad = {{}, std::vector<uint8_t>(5000, 0), {'<', 'h', 't', 'm', 'l', '>'}};
  for (auto& bytes : bad) {
    error = NSError();
    EXPECT_FALSE(AVAudioPlayer::initWithData(bytes, &error));
    EXPECT_EQ(error.domain, NSOSStatusErrorDomain);
  }
}

TEST_F(AVAudioPlayerTest, TimeFollowsTheClockAndFinishesOnTime) {
  auto p = load("tone_1s_44k_mono.mp3");
  PlayerEvents events;
  p->setDelegate(&events);
  const double t0 = RunLoop::main().now();
  ASSERT_TRUE(p->play());
  RunLoop::main().advance(250);
  EXPECT_NEAR(p->currentTime(), 0.25, 1.0 / 44100);
  p->pause();
  RunLoop::main().advance(500);
  EXPECT_NEAR(p->currentTime(), 0.25, 1.0 / 44100);
  EXPECT_FALSE(p->isPlaying());
  ASSERT_TRUE(p->play());
  RunLoop::main().advance(749);
  EXPECT_EQ(events.finished, 0);
  EXPECT_NEAR(p->currentTime(), 0.999, 2.0 / 44100);
  RunLoop::main().advance(2);
  EXPECT_EQ(events.finished, 1);
  EXPECT_TRUE(events.successfully);
  EXPECT_NEAR(events.finishedAt, t0 + 1.5, 1e-6);  // one second of audio plus the pause
  EXPECT_FALSE(p->isPlaying());
  EXPECT_EQ(p->currentTime(), 0.0);
  RunLoop::main().advance(1000);
  EXPECT_EQ(events.finished, 1);
}

TEST_F(AVAudioPlayerTest, SeekingMovesTimeAndAudio) {
  auto p = load("tone_1500ms_22k_stereo.mp3");
  PlayerEvents events;
  p->setDelegate(&events);
  output->setCapturing(true);
  ASSERT_TRUE(p->play());
  RunLoop::main().advance(100);
  p->setCurrentTime(1.2);
  EXPECT_NEAR(p->currentTime(), 1.2, 1.0 / 22050);
  RunLoop::main().advance(100);
  EXPECT_NEAR(p->currentTime(), 1.3, 1.0 / 22050);
  RunLoop::main().advance(250);
  EXPECT_EQ(events.finished, 1);

  // What was heard after the seek is the clip from 1.2 s on.
  NSError error;
  auto reference = MP3Decoder::openFile(fixture("tone_1500ms_22k_stereo.mp3"), &error);
  ASSERT_TRUE(reference);
  std::vector<float> all(static_cast<size_t>(reference->lengthFrames()) * 2);
  ASSERT_EQ(reference->read(all.data(), reference->lengthFrames()), reference->lengthFrames());
  auto heard = output->captured();
  size_t seekFrame = static_cast<size_t>(1.2 * 22050);
  size_t tail = static_cast<size_t>(reference->lengthFrames()) - seekFrame;
  ASSERT_GE(heard.size(), tail);
  for (size_t i = 0; i < tail; i += 97)
    ASSERT_FLOAT_EQ(heard[heard.size() - tail + i], all[(seekFrame + i) * 2]) << i;

  // Out-of-range positions are clamped.
  p->setCurrentTime(-3);
  EXPECT_EQ(p->currentTime(), 0.0);
  p->setCurrentTime(99);
  EXPECT_DOUBLE_EQ(p->currentTime(), 1.5);
}

TEST_F(AVAudioPlayerTest, VolumeRampFromAnotherThreadScalesWhatIsHeard) {
  auto p = load("tone_1s_44k_mono.mp3");
  output->setCapturing(true);
  ASSERT_TRUE(p->play());
  const float steps[] = {1.0f, 0.75f, 0.5f, 0.25f, 0.0f};
  for (float v : steps) {
    std::thread fade([&] { p->setVolume(v); });
    fade.join();
    RunLoop::main().advance(150);
  }
  auto heard = output->captured();
  float full = peak(heard, 44100, 0.05, 0.15);
  ASSERT_GT(full, 0.3f);
  for (int i = 1; i < 5; ++i) {
    // Skip the first 40 ms of each step: audio pulled ahead still has the old volume.
    float level = peak(heard, 44100, i * 0.15 + 0.04, i * 0.15 + 0.15);
    EXPECT_NEAR(level / full, steps[i], 0.03) << "step " << i;
  }
  p->setVolume(7.0f);
  EXPECT_EQ(p->volume(), 1.0f);
}

TEST_F(AVAudioPlayerTest, StopKeepsPositionAndReleasedPlayerStaysSilent) {
  auto p = load("tone_1s_44k_mono.mp3");
  PlayerEvents events;
  p->setDelegate(&events);
  ASSERT_TRUE(p->play());
  RunLoop::main().advance(300);
  p->stop();
  RunLoop::main().advance(300);
  EXPECT_NEAR(p->currentTime(), 0.3, 1.0 / 44100);
  ASSERT_TRUE(p->play());
  RunLoop::main().advance(100);
  EXPECT_NEAR(p->currentTime(), 0.4, 1.0 / 44100);
  p.reset();  // released while playing
  RunLoop::main().advance(2000);
  EXPECT_EQ(events.finished, 0);
}

TEST_F(AVAudioPlayerTest, InterruptionPausesPlayersAndTellsDelegates) {
  auto p = load("tone_1s_44k_mono.mp3");
  auto idle = load("tone_1500ms_22k_stereo.mp3");
  PlayerEvents events, idleEvents;
  p->setDelegate(&events);
  idle->setDelegate(&idleEvents);
  auto& session = AVAudioSession::sharedInstance();
  NSError error;
  ASSERT_TRUE(session.setCategory(AVAudioSessionCategoryPlayback, &error));
  EXPECT_FALSE(session.setCategory("NoSuchCategory", &error));
  EXPECT_EQ(session.category(), AVAudioSessionCategoryPlayback);
  ASSERT_TRUE(p->play());
  RunLoop::main().advance(200);
  session.beginInterruption();
  EXPECT_FALSE(p->isPlaying());
  EXPECT_EQ(events.interruptions, 1);
  EXPECT_EQ(idleEvents.interruptions, 0);
  RunLoop::main().advance(500);
  EXPECT_NEAR(p->currentTime(), 0.2, 1.0 / 44100);
  session.endInterruption();
  EXPECT_EQ(events.interruptionEnds, 1);
  EXPECT_FALSE(p->isPlaying());  // the delegate decides whether to resume
}

TEST_F(AVAudioPlayerTest, AClipThatBreaksMidwayReportsADecodeErrorNotAFinish) {
  const std::vector<uint8_t> tone = readFile(fixture("tone_1s_44k_mono.mp3"));
  ASSERT_FALSE(tone.empty());
  const std::string path = ::testing::TempDir() + "breaks-midway.mp3";
  // Behind random bytes the decoder either fails on a false frame or skips to the end as if
  // the clip were over; both are the same damage.
  for (unsigned seed = 30; seed < 40; ++seed) {
    for (size_t garbage : {3000, 20000}) {
      SCOPED_TRACE(::testing::Message() << "seed " << seed << ", " << garbage << " bytes");
      std::vector<uint8_t> clip(tone.begin(), tone.begin() + 4096);
      std::mt19937 random(seed);
      for (size_t i = 0; i < garbage; ++i) clip.push_back(static_cast<uint8_t>(random()));
      {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(clip.data()), static_cast<std::streamsize>(clip.size()));
      }
      NSError error;
      for (auto player : {AVAudioPlayer::initWithData(clip, &error), AVAudioPlayer::initWithContentsOfURL(path, &error)}) {
        ASSERT_TRUE(player) << error.description();
        PlayerEvents events;
        player->setDelegate(&events);
        ASSERT_TRUE(player->play());
        RunLoop::main().advance(1000);
        EXPECT_EQ(events.decodeErrors, 1);
        EXPECT_EQ(events.finished, 0);
        EXPECT_FALSE(player->isPlaying());
        player->setDelegate(nullptr);
      }
    }
  }
  std::remove(path.c_str());
}

TEST_F(AVAudioPlayerTest, WholeClipsWithClosingTagsFinishNormally) {
  std::vector<uint8_t> clip = readFile(fixture("tone_1500ms_22k_stereo.mp3"));
  const std::vector<uint8_t> id3v1 = [] {
    std::vector<uint8_t> tag = {'T', 'A', 'G'};
    tag.resize(128, ' ');
    return tag;
  }();
  clip.insert(clip.end(), id3v1.begin(), id3v1.end());
  NSError error;
  auto player = AVAudioPlayer::initWithData(clip, &error);
  ASSERT_TRUE(player) << error.description();
  PlayerEvents events;
  player->setDelegate(&events);
  ASSERT_TRUE(player->play());
  RunLoop::main().advance(1600);
  EXPECT_EQ(events.finished, 1);
  EXPECT_EQ(events.decodeErrors, 0);
}

TEST_F(AVAudioPlayerTest, WithoutAnOutputPlayFails) {
  AudioOutput::setShared(nullptr);
  auto p = load("tone_1s_44k_mono.mp3");
  EXPECT_FALSE(p->prepareToPlay());
  EXPECT_FALSE(p->play());
  EXPECT_FALSE(p->isPlaying());
}

}  // namespace
