#pragma once
// Walks the frame headers of MP3 data, without decoding the audio, to tell whether whole frames
// run from the start (after any ID3v2 tags) to the end (before an APE tag and an ID3v1 tag).
// Every frame must keep the first one's MPEG version, layer, sample rate and channel count, as
// the decoder plays one format per clip.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

struct MP3FrameWalk {
  size_t frames = 0;     // whole frames walked
  size_t stoppedAt = 0;  // offset of the first byte that is not part of a whole frame
  size_t audioEnd = 0;   // offset where the closing tags begin (the size when there are none)
  size_t size = 0;

  static MP3FrameWalk of(std::span<const uint8_t> data);

  bool whole() const { return frames > 0 && stoppedAt == audioEnd; }
  // Where the frames stop short, for a log line; empty when the walk is whole.
  std::string fault() const;
};
