#pragma once
// Where decoded audio goes. The program installs the sound device (SDL backend); tests and the
// headless program install a silent sink whose frames are "played" as the run loop's clock
// moves. Each player opens one stream of its own rate and channel count.

#include <cstddef>
#include <functional>
#include <memory>

class AudioStream {
 public:
  // Fills `out` with up to `frames` interleaved float frames and returns how many it wrote;
  // fewer than asked means the source has ended. Runs on the output's own thread (or the
  // main thread for the silent sink); it must not block for long.
  using Source = std::function<size_t(float* out, size_t frames)>;

  virtual ~AudioStream() = default;
  virtual void start() = 0;  // begins or resumes playing
  virtual void pause() = 0;  // holds; the played count stays
  // Drops audio pulled but not yet heard and restarts the played count at 0. `reposition`
  // runs while the source is not being pulled (the player seeks its decoder there).
  virtual void flush(const std::function<void()>& reposition) = 0;
  // Frames heard since the stream opened or was last flushed.
  virtual long long framesPlayed() const = 0;
  // Called once on the main run loop when the source has ended and its last frame was heard.
  virtual void setDrainedHandler(std::function<void()> handler) = 0;
};

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  // A paused stream; none when the device cannot play this format.
  virtual std::shared_ptr<AudioStream> openStream(int sampleRate, int channels, AudioStream::Source source) = 0;

  // The output every player uses; none until the program or a test installs one.
  static void setShared(std::shared_ptr<AudioOutput> output);
  static std::shared_ptr<AudioOutput> shared();
};
