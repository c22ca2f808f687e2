#pragma once
// A silent audio output: frames count as played as the run loop's clock moves, so tests drive
// playback with the virtual clock. It can keep what was "played" (first channel) and when each
// stream began and ended, for tests and the gap benchmark.

#include <memory>
#include <mutex>
#include <vector>

#include "platform/media/AudioOutput.h"

class HeadlessAudioOutput : public AudioOutput, public std::enable_shared_from_this<HeadlessAudioOutput> {
 public:
  static std::shared_ptr<HeadlessAudioOutput> create();

  std::shared_ptr<AudioStream> openStream(int sampleRate, int channels, AudioStream::Source source) override;

  // When each stream first sounded and when its last frame was heard (clock seconds, -1 until then).
  struct StreamTimes {
    double firstSound = -1;
    double end = -1;
  };
  std::vector<StreamTimes> streamTimes() const;

  // Keeps the first channel of every frame pulled from now on.
  void setCapturing(bool on);
  std::vector<float> captured() const;

 private:
  friend class HeadlessAudioStream;
  HeadlessAudioOutput() = default;
  void append(const float* frames, size_t count, int channels);
  void noteSound(size_t index, double at);
  void noteEnd(size_t index, double at);

  mutable std::mutex mutex_;
  bool capturing_ = false;
  std::vector<float> captured_;
  std::vector<StreamTimes> times_;
};
