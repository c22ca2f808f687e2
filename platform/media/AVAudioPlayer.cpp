#include "platform/media/AVAudioPlayer.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/Log.h"
#include "platform/media/AVAudioSession.h"
#include "platform/media/AudioOutput.h"
#include "platform/media/MP3Decoder.h"

std::shared_ptr<AVAudioPlayer> AVAudioPlayer::initWithContentsOfURL(const std::string& url, NSError* error) {
  std::string path = url.rfind("file://", 0) == 0 ? url.substr(7) : url;
  auto decoder = MP3Decoder::openFile(path, error);
  if (!decoder) return nullptr;
  std::shared_ptr<AVAudioPlayer> p(new AVAudioPlayer());
  p->decoder_ = std::move(decoder);
  p->url_ = url;
  return p;
}

std::shared_ptr<AVAudioPlayer> AVAudioPlayer::initWithData(std::vector<uint8_t> data, NSError* error) {
  auto decoder = MP3Decoder::openData(std::move(data), error);
  if (!decoder) return nullptr;
  std::shared_ptr<AVAudioPlayer> p(new AVAudioPlayer());
  p->decoder_ = std::move(decoder);
  return p;
}

AVAudioPlayer::~AVAudioPlayer() {
  std::lock_guard lock(mutex_);
  closeStreamLocked();
}

const std::vector<uint8_t>& AVAudioPlayer::data() const { return decoder_->sourceData(); }

double AVAudioPlayer::duration() const { return decoder_->duration(); }
int AVAudioPlayer::numberOfChannels() const { return decoder_->channels(); }

size_t AVAudioPlayer::pull(float* out, size_t frames) {
  std::lock_guard lock(decoderMutex_);
  if (decodeFailed_) return 0;
  long long n = decoder_->read(out, frames);
  if (n < 0) {
    decodeError_ = decoder_->lastError();
    decodeFailed_ = true;
    return 0;
  }
  float gain = volume_.load(std::memory_order_relaxed);
  if (gain != 1.0f) {
    size_t samples = static_cast<size_t>(n) * decoder_->channels();
    for (size_t i = 0; i < samples; ++i) out[i] *= gain;
  }
  return static_cast<size_t>(n);
}

bool AVAudioPlayer::openStreamLocked() {
  if (stream_) return true;
  auto output = AudioOutput::shared();
  if (!output) {
    NSLog("AVAudioPlayer: no audio output installed");
    return false;
  }
  std::weak_ptr<AVAudioPlayer> weak = weak_from_this();
  stream_ = output->openStream(decoder_->sampleRate(), decoder_->channels(),
                               [this](float* out, size_t frames) { return pull(out, frames); });
  if (!stream_) {
    NSLog("AVAudioPlayer: the output cannot play %i Hz with %i channels", decoder_->sampleRate(), decoder_->channels());
    return false;
  }
  uint64_t generation = ++generation_;
  stream_->setDrainedHandler([weak, generation] {
    if (auto self = weak.lock()) self->streamDrained(generation);
  });
  return true;
}

void AVAudioPlayer::closeStreamLocked() {
  if (!stream_) return;
  stream_->pause();
  stream_.reset();  // the output no longer pulls from this player
  ++generation_;
}

long long AVAudioPlayer::playedFramesLocked() const {
  long long frames = baseFrame_ + (stream_ ? stream_->framesPlayed() : 0);
  return std::min(frames, decoder_->lengthFrames());
}

bool AVAudioPlayer::prepareToPlay() {
  std::lock_guard lock(mutex_);
  return openStreamLocked();
}

bool AVAudioPlayer::play() {
  {
    std::lock_guard lock(mutex_);
    if (playing_) return true;
    if (!openStreamLocked()) return false;
    interrupted_ = false;
    playing_ = true;
    stream_->start();
  }
  AVAudioSession::sharedInstance().registerPlayer(shared_from_this());
  return true;
}

void AVAudioPlayer::pause() {
  std::lock_guard lock(mutex_);
  if (stream_) stream_->pause();
  playing_ = false;
}

void AVAudioPlayer::stop() {
  std::lock_guard lock(mutex_);
  long long at = playedFramesLocked();
  closeStreamLocked();
  {
    std::lock_guard dlock(decoderMutex_);
    decoder_->seek(at);
  }
  baseFrame_ = at;
  playing_ = false;
}

bool AVAudioPlayer::isPlaying() const {
  std::lock_guard lock(mutex_);
  return playing_;
}

double AVAudioPlayer::currentTime() const {
  std::lock_guard lock(mutex_);
  return static_cast<double>(playedFramesLocked()) / decoder_->sampleRate();
}

void AVAudioPlayer::setCurrentTime(double seconds) {
  std::lock_guard lock(mutex_);
  if (!std::isfinite(seconds) || seconds < 0) seconds = 0;
  long long frame = std::min(static_cast<long long>(std::llround(seconds * decoder_->sampleRate())),
                             decoder_->lengthFrames());
  auto reposition = [&] {
    std::lock_guard dlock(decoderMutex_);
    decodeFailed_ = false;
    if (!decoder_->seek(frame)) NSLog("AVAudioPlayer: seek failed: %@", decoder_->lastError());
  };
  if (stream_) stream_->flush(reposition);
  else reposition();
  baseFrame_ = frame;
}

void AVAudioPlayer::setVolume(float volume) {
  if (!std::isfinite(volume)) return;
  volume_.store(std::clamp(volume, 0.0f, 1.0f));
}

void AVAudioPlayer::streamDrained(uint64_t generation) {
  auto self = shared_from_this();
  bool failed;
  NSError error;
  {
    std::lock_guard lock(mutex_);
    if (generation != generation_ || !stream_) return;
    // A seek after the source ended makes the report stale.
    if (!decodeFailed_ && playedFramesLocked() < decoder_->lengthFrames()) return;
    failed = decodeFailed_;
    if (failed) error = NSError(NSOSStatusErrorDomain, 1685348671, "decode error: " + decodeError_);
    closeStreamLocked();
    {
      std::lock_guard dlock(decoderMutex_);
      decodeFailed_ = false;
      decoder_->seek(0);
    }
    baseFrame_ = 0;
    playing_ = false;
  }
  if (!delegate_) return;
  if (failed) delegate_->audioPlayerDecodeErrorDidOccur(*this, error);
  else delegate_->audioPlayerDidFinishPlaying(*this, true);
}

void AVAudioPlayer::interruptionBegan() {
  bool wasPlaying;
  {
    std::lock_guard lock(mutex_);
    wasPlaying = playing_;
    if (playing_) {
      if (stream_) stream_->pause();
      playing_ = false;
      interrupted_ = true;
    }
  }
  if (wasPlaying && delegate_) delegate_->audioPlayerBeginInterruption(*this);
}

void AVAudioPlayer::interruptionEnded() {
  bool was;
  {
    std::lock_guard lock(mutex_);
    was = interrupted_;
    interrupted_ = false;
  }
  if (was && delegate_) delegate_->audioPlayerEndInterruption(*this);
}
