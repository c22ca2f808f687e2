#include "platform/media/MP3Decoder.h"

#include <mpg123.h>

#include <cstring>
#include <mutex>
#include <optional>

#include "platform/foundation/Log.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/media/MP3FrameWalk.h"

namespace {
// What the platform's audio layer answers for unreadable files and for data it cannot play.
constexpr int kFileNotFound = -43;
constexpr int kUnsupportedData = 1954115647;

mpg123_handle* h(const std::unique_ptr<void, Mpg123Deleter>& p) { return static_cast<mpg123_handle*>(p.get()); }

void setError(NSError* error, int code, const std::string& text) {
  if (error) *error = NSError(NSOSStatusErrorDomain, code, text);
}
}  // namespace

void Mpg123Deleter::operator()(void* handle) const {
  auto* mh = static_cast<mpg123_handle*>(handle);
  mpg123_close(mh);
  mpg123_delete(mh);
}

MP3Decoder::~MP3Decoder() = default;

ssize_t MP3Decoder::readMemory(void* selfPtr, void* buffer, size_t size) {
  auto* self = static_cast<MP3Decoder*>(selfPtr);
  size_t left = self->dataEnd_ - self->dataPos_;
  size_t n = size < left ? size : left;
  if (n) std::memcpy(buffer, self->data_.data() + self->dataPos_, n);
  self->dataPos_ += n;
  return static_cast<ssize_t>(n);
}

off_t MP3Decoder::seekMemory(void* selfPtr, off_t offset, int whence) {
  auto* self = static_cast<MP3Decoder*>(selfPtr);
  off_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<off_t>(self->dataPos_)
                                                           : static_cast<off_t>(self->dataEnd_);
  off_t target = base + offset;
  if (target < 0 || target > static_cast<off_t>(self->dataEnd_)) return -1;
  self->dataPos_ = static_cast<size_t>(target);
  return target;
}

static mpg123_handle* newHandle() {
  static std::once_flag once;
  std::call_once(once, [] { mpg123_init(); });
  int err = MPG123_OK;
  mpg123_handle* mh = mpg123_new(nullptr, &err);
  if (!mh) return nullptr;
  mpg123_param(mh, MPG123_FLAGS, MPG123_GAPLESS | MPG123_QUIET | MPG123_FORCE_FLOAT, 0.0);
  mpg123_param(mh, MPG123_RESYNC_LIMIT, 4096, 0.0);
  return mh;
}

std::unique_ptr<MP3Decoder> MP3Decoder::openFile(const std::string& path, NSError* error) {
  std::optional<std::vector<uint8_t>> bytes = NSFileManager::defaultManager().contentsAtPath(path);
  if (!bytes) {
    setError(error, kFileNotFound, "cannot open " + path);
    return nullptr;
  }
  std::unique_ptr<MP3Decoder> d = openData(std::move(*bytes), error);
  if (d) d->fromFile_ = true;
  return d;
}

std::unique_ptr<MP3Decoder> MP3Decoder::openData(std::vector<uint8_t> data, NSError* error) {
  if (data.empty()) {
    setError(error, kUnsupportedData, "no audio data");
    return nullptr;
  }
  std::unique_ptr<MP3Decoder> d(new MP3Decoder());
  d->data_ = std::move(data);
  d->dataEnd_ = d->data_.size();
  // Audio that starts as whole frames and then stops being audio is played up to the break
  // and ends in an error, rather than letting the decoder make sound of what follows.
  const MP3FrameWalk walk = MP3FrameWalk::of(d->data_);
  if (walk.frames > 0 && !walk.whole()) {
    d->dataEnd_ = walk.stoppedAt;
    d->breaks_ = walk.fault();
  }
  mpg123_handle* mh = newHandle();
  if (!mh) {
    setError(error, kUnsupportedData, "the MP3 decoder could not be created");
    return nullptr;
  }
  d->handle_.reset(mh);
  if (mpg123_replace_reader_handle(mh, &MP3Decoder::readMemory, &MP3Decoder::seekMemory, nullptr) != MPG123_OK ||
      mpg123_open_handle(mh, d.get()) != MPG123_OK) {
    setError(error, kUnsupportedData, mpg123_strerror(mh));
    return nullptr;
  }
  if (!d->setUp(error)) return nullptr;
  return d;
}

const std::vector<uint8_t>& MP3Decoder::sourceData() const {
  static const std::vector<uint8_t> none;
  return fromFile_ ? none : data_;
}

bool MP3Decoder::setUp(NSError* error) {
  mpg123_handle* mh = h(handle_);
  long rate = 0;
  int channels = 0, encoding = 0;
  if (mpg123_getformat(mh, &rate, &channels, &encoding) != MPG123_OK || rate <= 0 || channels <= 0) {
    setError(error, kUnsupportedData, "not MP3 audio");
    return false;
  }
  mpg123_format_none(mh);
  if (mpg123_format(mh, rate, channels, MPG123_ENC_FLOAT_32) != MPG123_OK) {
    setError(error, kUnsupportedData, "unsupported MP3 format");
    return false;
  }
  rate_ = static_cast<int>(rate);
  channels_ = channels;
  if (mpg123_scan(mh) != MPG123_OK) {
    setError(error, kUnsupportedData, mpg123_strerror(mh));
    return false;
  }
  off_t length = mpg123_length(mh);
  if (length <= 0) {
    setError(error, kUnsupportedData, "MP3 data without audio frames");
    return false;
  }
  length_ = length;
  if (mpg123_seek(mh, 0, SEEK_SET) < 0) {
    setError(error, kUnsupportedData, mpg123_strerror(mh));
    return false;
  }
  position_ = 0;
  return true;
}

long long MP3Decoder::read(float* out, size_t frames) {
  mpg123_handle* mh = h(handle_);
  size_t wanted = frames * channels_ * sizeof(float);
  size_t got = 0;
  auto* bytes = reinterpret_cast<unsigned char*>(out);
  while (got < wanted) {
    size_t done = 0;
    int rc = mpg123_read(mh, bytes + got, wanted - got, &done);
    got += done;
    if (rc == MPG123_DONE) {
      if (!breaks_.empty()) {
        lastError_ = "the data " + breaks_;
        return -1;
      }
      break;
    }
    if (rc == MPG123_NEW_FORMAT) {
      long rate = 0;
      int ch = 0, enc = 0;
      mpg123_getformat(mh, &rate, &ch, &enc);
      if (rate != rate_ || ch != channels_) {
        lastError_ = "the stream changes format";
        return -1;
      }
      continue;
    }
    if (rc != MPG123_OK) {
      lastError_ = mpg123_strerror(mh);
      return -1;
    }
    if (done == 0) break;
  }
  long long frameCount = static_cast<long long>(got / (channels_ * sizeof(float)));
  position_ += frameCount;
  return frameCount;
}

bool MP3Decoder::seek(long long frame) {
  if (frame < 0) frame = 0;
  if (frame > length_) frame = length_;
  off_t at = mpg123_seek(h(handle_), static_cast<off_t>(frame), SEEK_SET);
  if (at < 0) {
    lastError_ = mpg123_strerror(h(handle_));
    return false;
  }
  position_ = at;
  return true;
}
