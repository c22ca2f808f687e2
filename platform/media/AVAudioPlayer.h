#pragma once
// An audio player for one MP3 clip, from a file or from bytes in memory. Time is what the
// output has played (not what was decoded). play, pause, stop and the volume may be used from
// any thread (a fade runs on its own); delegate calls arrive on the main run loop.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/net/NSError.h"

class AVAudioPlayer;
class AudioStream;
class MP3Decoder;

// Every operation optional. The player does not retain its delegate.
class AVAudioPlayerDelegate {
 public:
  virtual ~AVAudioPlayerDelegate() = default;
  virtual void audioPlayerDidFinishPlaying(AVAudioPlayer& player, bool successfully) {}
  virtual void audioPlayerDecodeErrorDidOccur(AVAudioPlayer& player, const NSError& error) {}
  virtual void audioPlayerBeginInterruption(AVAudioPlayer& player) {}
  virtual void audioPlayerEndInterruption(AVAudioPlayer& player) {}
};

class AVAudioPlayer : public std::enable_shared_from_this<AVAudioPlayer> {
 public:
  // From a file path or a "file://" URL; none, with `error` set, when it holds no playable MP3.
  static std::shared_ptr<AVAudioPlayer> initWithContentsOfURL(const std::string& url, NSError* error);
  static std::shared_ptr<AVAudioPlayer> initWithData(std::vector<uint8_t> data, NSError* error);
  ~AVAudioPlayer();

  // Opens the output stream ahead of play(); false when there is no output.
  bool prepareToPlay();
  bool play();
  void pause();
  // Stops playing and undoes prepareToPlay; the position stays.
  void stop();
  bool isPlaying() const;

  // Exact length in seconds.
  double duration() const;
  // Seconds heard so far; setting it seeks (clamped to 0 ... duration).
  double currentTime() const;
  void setCurrentTime(double seconds);

  float volume() const { return volume_.load(); }
  void setVolume(float volume);  // 0 ... 1, any thread

  int numberOfChannels() const;
  const std::string& url() const { return url_; }
  // The bytes it was made from; empty for a file.
  const std::vector<uint8_t>& data() const;

  AVAudioPlayerDelegate* delegate() const { return delegate_; }
  void setDelegate(AVAudioPlayerDelegate* delegate) { delegate_ = delegate; }

  // Interruptions, sent by the audio session on the main thread.
  void interruptionBegan();
  void interruptionEnded();

 private:
  AVAudioPlayer() = default;
  bool openStreamLocked();
  void closeStreamLocked();
  long long playedFramesLocked() const;
  size_t pull(float* out, size_t frames);  // the stream's source
  void streamDrained(uint64_t generation);

  // Lock order: mutex_, then the stream's own lock, then decoderMutex_.
  mutable std::recursive_mutex mutex_;
  std::mutex decoderMutex_;
  std::unique_ptr<MP3Decoder> decoder_;
  std::shared_ptr<AudioStream> stream_;
  uint64_t generation_ = 0;          // changes whenever the stream is replaced or flushed
  long long baseFrame_ = 0;          // position of the stream's first frame
  bool playing_ = false;
  bool interrupted_ = false;
  std::atomic<bool> decodeFailed_{false};
  std::string decodeError_;
  std::atomic<float> volume_{1.0f};
  AVAudioPlayerDelegate* delegate_ = nullptr;  // unretained
  std::string url_;
  std::vector<float> scratch_;
};
