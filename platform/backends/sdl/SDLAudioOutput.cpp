#include "platform/backends/sdl/SDLAudioOutput.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>

#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"

namespace {
// About 10 ms per device buffer: small enough that the next clip follows closely.
Uint16 bufferFramesFor(int rate) {
  Uint16 frames = 128;
  while (frames < 4096 && frames * 100 < rate) frames = static_cast<Uint16>(frames * 2);
  return frames;
}

class SDLAudioStream : public AudioStream {
 public:
  SDLAudioStream(int rate, int channels, Source source)
      : rate_(rate), channels_(channels), source_(std::move(source)) {}

  bool open() {
    SDL_AudioSpec want{}, have{};
    want.freq = rate_;
    want.format = AUDIO_F32SYS;
    want.channels = static_cast<Uint8>(channels_);
    want.samples = bufferFramesFor(rate_);
    want.callback = &SDLAudioStream::callback;
    want.userdata = this;
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device_ == 0) {
      NSLog("SDL audio: cannot open the device: %s", SDL_GetError());
      return false;
    }
    bufferFrames_ = have.samples;
    return true;
  }

  ~SDLAudioStream() override {
    if (device_) SDL_CloseAudioDevice(device_);  // waits for a running callback
  }

  void start() override {
    SDL_LockAudioDevice(device_);
    running_ = true;
    lastCallback_ = Clock::now();
    SDL_UnlockAudioDevice(device_);
    SDL_PauseAudioDevice(device_, 0);
  }

  void pause() override {
    SDL_PauseAudioDevice(device_, 1);
    SDL_LockAudioDevice(device_);
    if (running_) frozen_ = estimateLocked();
    running_ = false;
    SDL_UnlockAudioDevice(device_);
  }

  void flush(const std::function<void()>& reposition) override {
    SDL_LockAudioDevice(device_);
    if (reposition) reposition();
    delivered_ = 0;
    frozen_ = 0;
    ended_ = false;
    drainPosted_ = false;
    lastCallback_ = Clock::now();
    SDL_UnlockAudioDevice(device_);
  }

  long long framesPlayed() const override {
    SDL_LockAudioDevice(device_);
    long long v = running_ ? estimateLocked() : frozen_;
    SDL_UnlockAudioDevice(device_);
    return v;
  }

  void setDrainedHandler(std::function<void()> handler) override {
    SDL_LockAudioDevice(device_);
    handler_ = std::move(handler);
    SDL_UnlockAudioDevice(device_);
  }

 private:
  using Clock = std::chrono::steady_clock;

  // Frames heard: what the device took, less the buffer it still holds, plus the time since
  // it took the last one; never backwards, and all of them once the end was heard.
  long long estimateLocked() const {
    if (drainPosted_) return delivered_;  // the end was handed over: count it all
    double since = std::chrono::duration<double>(Clock::now() - lastCallback_).count();
    long long heard = delivered_ - bufferFrames_ + static_cast<long long>(since * rate_);
    heard = std::min(heard, delivered_);
    heard = std::max(heard, frozen_);
    return std::max(0LL, heard);
  }

  static void callback(void* userdata, Uint8* stream, int len) {
    auto* self = static_cast<SDLAudioStream*>(userdata);
    size_t frames = static_cast<size_t>(len) / (sizeof(float) * self->channels_);
    auto* out = reinterpret_cast<float*>(stream);
    size_t got = 0;
    if (!self->ended_) {
      got = self->source_(out, frames);
      if (got < frames) {
        self->ended_ = true;
        // The last frames are in this buffer: report the end once they have played, so that
        // the next clip can start right behind them.
        self->drainPosted_ = true;
        if (self->handler_) {
          double remaining = static_cast<double>(got) / self->rate_;
          RunLoop::main().post([handler = self->handler_, remaining] {
            RunLoop::main().addTimer(remaining, handler);
          });
        }
      }
    }
    std::memset(out + got * self->channels_, 0, (frames - got) * self->channels_ * sizeof(float));
    self->frozen_ = self->estimateLocked();
    self->delivered_ += static_cast<long long>(got);
    self->lastCallback_ = Clock::now();
  }

  int rate_;
  int channels_;
  Source source_;
  SDL_AudioDeviceID device_ = 0;
  long long bufferFrames_ = 0;
  // Guarded by the device lock (the callback runs under it).
  bool running_ = false;
  bool ended_ = false;
  bool drainPosted_ = false;
  long long delivered_ = 0;
  long long frozen_ = 0;
  Clock::time_point lastCallback_ = Clock::now();
  std::function<void()> handler_;
};
}  // namespace

std::shared_ptr<SDLAudioOutput> SDLAudioOutput::create() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    NSLog("SDL audio: %s", SDL_GetError());
    return nullptr;
  }
  return std::shared_ptr<SDLAudioOutput>(new SDLAudioOutput());
}

SDLAudioOutput::~SDLAudioOutput() { SDL_QuitSubSystem(SDL_INIT_AUDIO); }

std::shared_ptr<AudioStream> SDLAudioOutput::openStream(int sampleRate, int channels, AudioStream::Source source) {
  if (sampleRate <= 0 || channels <= 0 || channels > 8 || !source) return nullptr;
  auto stream = std::make_shared<SDLAudioStream>(sampleRate, channels, std::move(source));
  if (!stream->open()) return nullptr;
  return stream;
}
