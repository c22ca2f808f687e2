// The silence between one clip's end and the next clip's start when the next player is made
// and started from the finished callback, as the recitation does verse after verse. Measured
// on the silent output under the real-time run loop clock: each stream notes the clock time
// its first frame sounded and the time its last frame was heard.

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <numeric>
#include <vector>

#include "platform/backends/headless/HeadlessAudioOutput.h"
#include "platform/foundation/RunLoop.h"
#include "platform/media/AVAudioPlayer.h"

namespace {
constexpr int kClips = 12;

struct Chain : AVAudioPlayerDelegate {
  std::vector<uint8_t> clip;
  std::shared_ptr<AVAudioPlayer> current;
  int started = 0;
  int finished = 0;

  bool startNext() {
    NSError error;
    current = AVAudioPlayer::initWithData(clip, &error);
    if (!current) {
      std::fprintf(stderr, "cannot make a player: %s\n", error.description().c_str());
      return false;
    }
    current->setDelegate(this);
    ++started;
    return current->play();
  }
  void audioPlayerDidFinishPlaying(AVAudioPlayer&, bool) override {
    ++finished;
    if (started < kClips) startNext();
  }
};
}  // namespace

int main() {
  std::ifstream in(LUMENO_FIXTURE_DIR "/tone_1s_44k_mono.mp3", std::ios::binary);
  std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  if (bytes.empty()) {
    std::fprintf(stderr, "fixture clip missing\n");
    return 1;
  }
  auto output = HeadlessAudioOutput::create();
  AudioOutput::setShared(output);

  Chain chain;
  chain.clip = bytes;
  if (!chain.startNext()) return 1;
  RunLoop& loop = RunLoop::main();
  double deadline = loop.now() + kClips * 1.0 + 10.0;
  while (chain.finished < kClips && loop.now() < deadline) loop.runOnce(0.05);
  if (chain.finished < kClips) {
    std::fprintf(stderr, "only %d of %d clips finished\n", chain.finished, kClips);
    return 1;
  }

  auto times = output->streamTimes();
  std::vector<double> gaps;
  for (size_t i = 0; i + 1 < times.size(); ++i) gaps.push_back((times[i + 1].firstSound - times[i].end) * 1000.0);
  double worst = *std::max_element(gaps.begin(), gaps.end());
  double mean = std::accumulate(gaps.begin(), gaps.end(), 0.0) / gaps.size();
  std::printf("sink: silent output, real-time clock; %zu transitions between 1.0 s clips played from memory\n",
              gaps.size());
  std::printf("figure audio_gap_ms %.3f ms\n", worst);
  std::printf("figure audio_gap_mean_ms %.3f ms\n", mean);
  return worst <= 20.0 ? 0 : 2;
}
