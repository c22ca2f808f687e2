#include "platform/media/MP3FrameWalk.h"

#include <cstring>
#include <optional>

namespace {

constexpr size_t kID3v2HeaderSize = 10;
constexpr size_t kID3v1Size = 128;
constexpr size_t kAPEFooterSize = 32;

// Kilobits per second by [MPEG-1][layer - 1][index]; index 0 (free format) is not walkable.
constexpr uint16_t kBitrates[2][3][15] = {
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}},
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}},
};
constexpr uint32_t kMPEG1Rates[3] = {44100, 48000, 32000};

uint32_t bigEndian32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

uint32_t littleEndian32(const uint8_t* p) {
  return uint32_t{p[3]} << 24 | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
}

// The size of the ID3v2 tag at `p`, or 0 when there is none.
size_t id3v2Size(const uint8_t* p, size_t left) {
  if (left < kID3v2HeaderSize || std::memcmp(p, "ID3", 3) != 0 || p[3] == 0xff || p[4] == 0xff) return 0;
  size_t body = 0;
  for (int i = 6; i < 10; ++i) {
    if (p[i] & 0x80) return 0;
    body = body << 7 | p[i];
  }
  const bool footer = p[5] & 0x10;
  const size_t total = kID3v2HeaderSize + body + (footer ? kID3v2HeaderSize : 0);
  return total <= left ? total : 0;
}

// The size of the APE tag whose footer ends at `end`, or 0 when there is none.
size_t apeSize(const uint8_t* data, size_t end) {
  if (end < kAPEFooterSize) return 0;
  const uint8_t* footer = data + end - kAPEFooterSize;
  if (std::memcmp(footer, "APETAGEX", 8) != 0) return 0;
  const size_t withFooter = littleEndian32(footer + 12);
  const bool hasHeader = littleEndian32(footer + 20) & 0x80000000u;
  const size_t total = withFooter + (hasHeader ? kAPEFooterSize : 0);
  return withFooter >= kAPEFooterSize && total <= end ? total : 0;
}

// What a frame header fixes for the whole clip, and the frame's length.
struct Frame {
  uint32_t format;  // version, layer, sample rate index, mono or not
  size_t length;
};

std::optional<Frame> frameAt(const uint8_t* p) {
  const uint32_t h = bigEndian32(p);
  if ((h >> 21) != 0x7ff) return std::nullopt;
  const uint32_t version = (h >> 19) & 3;  // 0 MPEG-2.5, 1 reserved, 2 MPEG-2, 3 MPEG-1
  const uint32_t layerBits = (h >> 17) & 3;
  const uint32_t bitrateIndex = (h >> 12) & 15;
  const uint32_t rateIndex = (h >> 10) & 3;
  if (version == 1 || layerBits == 0 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
    return std::nullopt;
  const int layer = 4 - static_cast<int>(layerBits);
  const bool mpeg1 = version == 3;
  const uint32_t bitrate = kBitrates[mpeg1][layer - 1][bitrateIndex] * 1000u;
  const uint32_t rate = kMPEG1Rates[rateIndex] >> (mpeg1 ? 0 : version == 2 ? 1 : 2);
  const uint32_t padding = (h >> 9) & 1;
  size_t length;
  if (layer == 1) length = (12 * bitrate / rate + padding) * 4;
  else if (layer == 3 && !mpeg1) length = 72 * bitrate / rate + padding;
  else length = 144 * bitrate / rate + padding;
  const bool mono = ((h >> 6) & 3) == 3;
  return Frame{(h >> 17 & 0xf) << 3 | rateIndex << 1 | mono, length};
}

}  // namespace

MP3FrameWalk MP3FrameWalk::of(std::span<const uint8_t> bytes) {
  const uint8_t* data = bytes.data();
  MP3FrameWalk walk;
  walk.size = bytes.size();

  size_t end = bytes.size();
  if (end >= kID3v1Size && std::memcmp(data + end - kID3v1Size, "TAG", 3) == 0) end -= kID3v1Size;
  end -= apeSize(data, end);
  walk.audioEnd = end;

  size_t at = 0;
  while (size_t tag = id3v2Size(data + at, end - at)) at += tag;

  std::optional<uint32_t> format;
  while (end - at >= 4) {
    const std::optional<Frame> frame = frameAt(data + at);
    if (!frame || (format && frame->format != *format) || frame->length > end - at) break;
    format = frame->format;
    at += frame->length;
    ++walk.frames;
  }
  walk.stoppedAt = at;
  return walk;
}

std::string MP3FrameWalk::fault() const {
  if (whole()) return {};
  if (frames == 0) return "holds no MP3 frame";
  return "has MP3 frames up to byte " + std::to_string(stoppedAt) + " of " + std::to_string(size);
}
