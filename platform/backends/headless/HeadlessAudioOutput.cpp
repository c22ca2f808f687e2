#include "platform/backends/headless/HeadlessAudioOutput.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/RunLoop.h"

namespace {
constexpr double kTick = 0.010;       // seconds between pulls
constexpr double kLookahead = 0.030;  // audio pulled ahead of the play position
}  // namespace

class HeadlessAudioStream : public AudioStream, public std::enable_shared_from_this<HeadlessAudioStream> {
 public:
  HeadlessAudioStream(std::shared_ptr<HeadlessAudioOutput> output, size_t index, int rate, int channels, Source source)
      : output_(std::move(output)), index_(index), rate_(rate), channels_(channels), source_(std::move(source)) {}

  ~HeadlessAudioStream() override {
    std::lock_guard lock(mutex_);
    cancelTimerLocked();
  }

  void start() override {
    std::lock_guard lock(mutex_);
    if (running_) return;
    running_ = true;
    resumedAt_ = RunLoop::main().now();
    pullAheadLocked(resumedAt_);
    scheduleLocked(resumedAt_);
  }

  void pause() override {
    std::lock_guard lock(mutex_);
    if (!running_) return;
    playedAtResume_ = playedLocked(RunLoop::main().now());
    running_ = false;
    cancelTimerLocked();
  }

  void flush(const std::function<void()>& reposition) override {
    std::lock_guard lock(mutex_);
    if (reposition) reposition();
    double now = RunLoop::main().now();
    pulled_ = 0;
    playedAtResume_ = 0;
    resumedAt_ = now;
    ended_ = false;
    drained_ = false;
    if (running_) {
      cancelTimerLocked();
      pullAheadLocked(now);
      scheduleLocked(now);
    }
  }

  long long framesPlayed() const override {
    std::lock_guard lock(mutex_);
    return playedLocked(RunLoop::main().now());
  }

  void setDrainedHandler(std::function<void()> handler) override {
    std::lock_guard lock(mutex_);
    drainedHandler_ = std::move(handler);
  }

 private:
  long long playedLocked(double now) const {
    if (!running_) return playedAtResume_;
    long long elapsed = static_cast<long long>(std::floor((now - resumedAt_) * rate_ + 1e-6));
    return std::min(playedAtResume_ + std::max(0LL, elapsed), pulled_);
  }

  void pullAheadLocked(double now) {
    long long target = playedLocked(now) + static_cast<long long>(kLookahead * rate_);
    while (!ended_ && pulled_ < target) {
      size_t want = static_cast<size_t>(std::min<long long>(target - pulled_, 4096));
      buffer_.resize(want * channels_);
      size_t got = source_(buffer_.data(), want);
      if (got > 0) {
        if (pulled_ == 0 && playedAtResume_ == 0) output_->noteSound(index_, now);
        output_->append(buffer_.data(), got, channels_);
      }
      pulled_ += static_cast<long long>(got);
      if (got < want) ended_ = true;
    }
  }

  void scheduleLocked(double now) {
    cancelTimerLocked();
    std::weak_ptr<HeadlessAudioStream> weak = weak_from_this();
    if (ended_) {
      double endAt = resumedAt_ + static_cast<double>(pulled_ - playedAtResume_) / rate_;
      timer_ = RunLoop::main().addTimer(std::max(0.0, endAt - now), [weak, endAt] {
        if (auto self = weak.lock()) self->drain(endAt);
      });
    } else {
      timer_ = RunLoop::main().addTimer(kTick, [weak] {
        if (auto self = weak.lock()) self->tick();
      });
    }
  }

  void cancelTimerLocked() {
    if (timer_) RunLoop::main().cancelTimer(timer_);
    timer_ = 0;
  }

  void tick() {
    std::lock_guard lock(mutex_);
    timer_ = 0;
    if (!running_) return;
    double now = RunLoop::main().now();
    pullAheadLocked(now);
    scheduleLocked(now);
  }

  void drain(double endAt) {
    std::function<void()> handler;
    {
      std::lock_guard lock(mutex_);
      timer_ = 0;
      if (!running_ || !ended_ || drained_) return;
      drained_ = true;
      playedAtResume_ = pulled_;
      running_ = false;
      output_->noteEnd(index_, endAt);
      handler = drainedHandler_;
    }
    if (handler) handler();  // outside the lock: the player takes its own lock first
  }

  std::shared_ptr<HeadlessAudioOutput> output_;
  size_t index_;
  int rate_;
  int channels_;
  Source source_;
  mutable std::mutex mutex_;
  bool running_ = false;
  bool ended_ = false;
  bool drained_ = false;
  double resumedAt_ = 0;
  long long playedAtResume_ = 0;
  long long pulled_ = 0;
  RunLoop::TimerId timer_ = 0;
  std::function<void()> drainedHandler_;
  std::vector<float> buffer_;
};

std::shared_ptr<HeadlessAudioOutput> HeadlessAudioOutput::create() {
  return std::shared_ptr<HeadlessAudioOutput>(new HeadlessAudioOutput());
}

std::shared_ptr<AudioStream> HeadlessAudioOutput::openStream(int sampleRate, int channels, AudioStream::Source source) {
  if (sampleRate <= 0 || channels <= 0 || !source) return nullptr;
  size_t index;
  {
    std::lock_guard lock(mutex_);
    index = times_.size();
    times_.push_back({});
  }
  return std::make_shared<HeadlessAudioStream>(shared_from_this(), index, sampleRate, channels, std::move(source));
}

std::vector<HeadlessAudioOutput::StreamTimes> HeadlessAudioOutput::streamTimes() const {
  std::lock_guard lock(mutex_);
  return times_;
}

void HeadlessAudioOutput::setCapturing(bool on) {
  std::lock_guard lock(mutex_);
  capturing_ = on;
}

std::vector<float> HeadlessAudioOutput::captured() const {
  std::lock_guard lock(mutex_);
  return captured_;
}

void HeadlessAudioOutput::append(const float* frames, size_t count, int channels) {
  std::lock_guard lock(mutex_);
  if (!capturing_) return;
  for (size_t i = 0; i < count; ++i) captured_.push_back(frames[i * channels]);
}

void HeadlessAudioOutput::noteSound(size_t index, double at) {
  std::lock_guard lock(mutex_);
  if (index < times_.size() && times_[index].firstSound < 0) times_[index].firstSound = at;
}

void HeadlessAudioOutput::noteEnd(size_t index, double at) {
  std::lock_guard lock(mutex_);
  if (index < times_.size()) times_[index].end = at;
}
