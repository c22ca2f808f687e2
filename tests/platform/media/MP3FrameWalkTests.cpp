// The frame walk over real LAME frames: tags at either end are stepped over, and every way the
// frames can stop short of the end is found, at the byte where it happens.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>

#include "platform/media/MP3FrameWalk.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes fixtureClip(const std::string& name) {
  const char* root = std::getenv("LUMENO_SOURCE_DIR");
  std::ifstream in(std::string(root ? root : ".") + "/tests/platform/media/fixtures/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

Bytes join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

Bytes text(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes randomBytes(size_t length, unsigned seed) {
  std::mt19937 random(seed);
  Bytes out(length);
  for (uint8_t& b : out) b = static_cast<uint8_t>(random());
  return out;
}

// An ID3v2 tag of `version` holding `body` bytes of 'x'; version 4 may carry a footer.
Bytes id3v2(uint8_t version, size_t body, bool footer = false) {
  Bytes tag = {'I', 'D', '3', version, 0, static_cast<uint8_t>(footer ? 0x10 : 0)};
  for (int shift : {21, 14, 7, 0}) tag.push_back(static_cast<uint8_t>((body >> shift) & 0x7f));
  tag.resize(tag.size() + body, 'x');
  if (footer) tag.insert(tag.end(), {'3', 'D', 'I', version, 0, 0x10, tag[6], tag[7], tag[8], tag[9]});
  return tag;
}

Bytes id3v1() {
  Bytes tag = text("TAG");
  tag.resize(128, ' ');
  return tag;
}

// An APEv2 tag with `items` bytes of items, with or without its header.
Bytes ape(size_t items, bool header) {
  const auto block = [&](bool isHeader) {
    Bytes b = text("APETAGEX");
    const uint32_t fields[] = {2000, static_cast<uint32_t>(items + 32), 1,
                               (header ? 0x80000000u : 0u) | (isHeader ? 0x20000000u : 0u)};
    for (uint32_t v : fields)
      for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    b.resize(32, 0);
    return b;
  };
  Bytes tag = header ? block(true) : Bytes{};
  tag.resize(tag.size() + items, 'i');
  return join({tag, block(false)});
}

}  // namespace

TEST(MP3FrameWalkTest, WholeClipsWithTheirTagsRunToTheEnd) {
  const Bytes mono = fixtureClip("tone_1s_44k_mono.mp3"), stereo = fixtureClip("tone_1500ms_22k_stereo.mp3");
  ASSERT_FALSE(mono.empty());
  ASSERT_FALSE(stereo.empty());
  struct Case {
    const char* what;
    Bytes clip;
    size_t frames;
  } cases[] = {
      {"MPEG-1 mono", mono, 41},
      {"MPEG-2 stereo", stereo, 61},
      {"ID3v2.3 tag first", join({id3v2(3, 700), mono}), 41},
      {"two ID3v2 tags, one with a footer", join({id3v2(4, 20, true), id3v2(3, 5), mono}), 41},
      {"ID3v1 tag last", join({mono, id3v1()}), 41},
      {"APE tag with header, then ID3v1", join({id3v2(3, 9), mono, ape(300, true), id3v1()}), 41},
      {"APE tag without header", join({mono, ape(40, false)}), 41},
  };
  for (const Case& c : cases) {
    const MP3FrameWalk walk = MP3FrameWalk::of(c.clip);
    EXPECT_TRUE(walk.whole()) << c.what << ": " << walk.fault();
    EXPECT_EQ(walk.frames, c.frames) << c.what;
    EXPECT_EQ(walk.fault(), "") << c.what;
  }
}

TEST(MP3FrameWalkTest, FramesThatStopShortOfTheEndAreFoundWhereTheyStop) {
  const Bytes mono = fixtureClip("tone_1s_44k_mono.mp3"), stereo = fixtureClip("tone_1500ms_22k_stereo.mp3");
  const Bytes head(mono.begin(), mono.begin() + 4096);
  const Bytes cut(mono.begin(), mono.end() - 100);
  struct Case {
    const char* what;
    Bytes clip;
    size_t stopsBefore;  // the walk ends at or before this byte
    size_t stopsAfter;   // ... and at or after this one
  } cases[] = {
      // The frame cut at 4096 takes its length of what follows; the next header is not one.
      {"4 KB of frames, then random bytes", join({head, randomBytes(20000, 1)}), 4096 + 210, 3700},
      {"the same behind an ID3v2 tag, with an ID3v1 tag last",
       join({id3v2(3, 500), head, randomBytes(9000, 2), id3v1()}), 510 + 4096 + 210, 510 + 3700},
      {"a last frame cut short", cut, cut.size() - 1, cut.size() - 420},
      {"one stray byte after the frames", join({mono, Bytes{0}}), mono.size(), mono.size()},
      {"zeros after the frames", join({mono, Bytes(4096, 0)}), mono.size(), mono.size()},
      {"another format joined on", join({mono, stereo}), mono.size(), mono.size()},
      {"an APE tag in the middle", join({head, ape(10, true), head}), 4096 + 210, 3700},
  };
  for (const Case& c : cases) {
    const MP3FrameWalk walk = MP3FrameWalk::of(c.clip);
    EXPECT_FALSE(walk.whole()) << c.what;
    EXPECT_LE(walk.stoppedAt, c.stopsBefore) << c.what;
    EXPECT_GE(walk.stoppedAt, c.stopsAfter) << c.what;
    EXPECT_EQ(walk.fault(), "has MP3 frames up to byte " + std::to_string(walk.stoppedAt) + " of " +
                                std::to_string(c.clip.size()))
        << c.what;
  }
}

TEST(MP3FrameWalkTest, DataWithoutAWholeFirstFrameHoldsNoFrame) {
  const Bytes mono = fixtureClip("tone_1s_44k_mono.mp3");
  Bytes freeFormat = mono;
  freeFormat[2] &= 0x0f;  // bitrate index 0
  Bytes notSyncsafe = id3v2(3, 10);
  notSyncsafe[9] = 0x8a;
  const Bytes cases[] = {
      {},
      Bytes(65536, 0),
      randomBytes(5000, 3),
      text("<html>Not Found</html>"),
      id3v2(3, 100),
      join({id3v2(3, 100), id3v1()}),
      join({randomBytes(300, 4), mono}),
      join({notSyncsafe, mono}),
      freeFormat,
      Bytes(mono.begin(), mono.begin() + 100),
  };
  for (const Bytes& clip : cases) {
    const MP3FrameWalk walk = MP3FrameWalk::of(clip);
    EXPECT_FALSE(walk.whole()) << clip.size();
    EXPECT_EQ(walk.frames, 0u) << clip.size();
    EXPECT_EQ(walk.fault(), "holds no MP3 frame") << clip.size();
  }
}
