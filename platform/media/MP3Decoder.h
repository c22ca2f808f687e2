#pragma once
// MP3 decoding with libmpg123 in gapless mode: the encoder's delay and padding are trimmed, so
// the length in frames is exact. Output is interleaved 32-bit float. Not thread-safe: the owner
// serialises calls.

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/net/NSError.h"

struct Mpg123Deleter { void operator()(void* handle) const; };

class MP3Decoder {
 public:
  // None, with `error` set, when the file cannot be read or holds no MP3 audio.
  static std::unique_ptr<MP3Decoder> openFile(const std::string& path, NSError* error);
  static std::unique_ptr<MP3Decoder> openData(std::vector<uint8_t> data, NSError* error);
  ~MP3Decoder();

  int sampleRate() const { return rate_; }
  int channels() const { return channels_; }
  // Exact length in frames (samples per channel).
  long long lengthFrames() const { return length_; }
  double duration() const { return rate_ > 0 ? static_cast<double>(length_) / rate_ : 0.0; }

  // Reads up to `frames` frames into `out` (frames * channels floats). Returns the frames read:
  // fewer than asked only at the end; -1 on a decode error (lastError() says which), which
  // includes reaching the end of the audio when its frames stop short of the data's end.
  long long read(float* out, size_t frames);
  // Sample-accurate seek; false when the position cannot be reached.
  bool seek(long long frame);
  long long position() const { return position_; }
  const std::string& lastError() const { return lastError_; }
  // The bytes of a memory source (never changed after opening); empty for a file.
  const std::vector<uint8_t>& sourceData() const;

 private:
  MP3Decoder() = default;
  bool setUp(NSError* error);
  static ssize_t readMemory(void* self, void* buffer, size_t size);
  static off_t seekMemory(void* self, off_t offset, int whence);

  std::unique_ptr<void, Mpg123Deleter> handle_;
  std::vector<uint8_t> data_;  // the whole source, read into memory
  size_t dataEnd_ = 0;         // what the decoder is given of it
  size_t dataPos_ = 0;
  bool fromFile_ = false;
  int rate_ = 0;
  int channels_ = 0;
  long long length_ = 0;
  long long position_ = 0;
  std::string lastError_;
  std::string breaks_;  // where the frames stop short of the end; empty when they run whole
};
