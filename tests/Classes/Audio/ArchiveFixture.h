#pragma once
// Builds ustar archives block by block, with every header field under the test's control,
// and gzip files of them.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <zlib.h>

namespace archive {

using Bytes = std::vector<uint8_t>;

struct Member {
    Member(std::string name, Bytes data = {}, char typeflag = '0', std::string sizeField = {}, int checksumError = 0,
           bool fullName = false)
        : name(std::move(name)), data(std::move(data)), typeflag(typeflag), sizeField(std::move(sizeField)),
          checksumError(checksumError), fullName(fullName) {}

    std::string name;
    Bytes data;
    char typeflag;
    // Overrides the size field's text (octal digits) when not empty.
    std::string sizeField;
    // Added to the computed checksum (0 keeps the header valid).
    int checksumError;
    // Writes the name field as 100 bytes with no NUL.
    bool fullName;
};

inline Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

// Deterministic data of a given length.
inline Bytes pattern(size_t length, int seed) {
    Bytes data(length);
    for (size_t i = 0; i < length; ++i) data[i] = static_cast<uint8_t>((i * 31 + seed * 7 + (i >> 9)) & 0xff);
    return data;
}

// The test tone's MP3 frames (tests/platform/media/fixtures).
inline const Bytes& toneMP3() {
    static const Bytes tone = [] {
        const char* root = std::getenv("LUMENO_SOURCE_DIR");
        Bytes data;
        FILE* f = std::fopen((std::string(root ? root : ".") + "/tests/platform/media/fixtures/tone_1s_44k_mono.mp3").c_str(), "rb");
        if (!f) return data;
        uint8_t buffer[65536];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) data.insert(data.end(), buffer, buffer + n);
        std::fclose(f);
        return data;
    }();
    return tone;
}

// A playable MP3 clip: an ID3v2 tag holding `body`, then the test tone.
inline Bytes mp3ClipTagged(Bytes body) {
    Bytes clip = {'I', 'D', '3', 3, 0, 0};
    for (int shift : {21, 14, 7, 0}) clip.push_back(static_cast<uint8_t>((body.size() >> shift) & 0x7f));
    // No byte of the tag looks like the start of a frame.
    for (uint8_t& b : body) b &= 0x7f;
    clip.insert(clip.end(), body.begin(), body.end());
    clip.insert(clip.end(), toneMP3().begin(), toneMP3().end());
    return clip;
}

// A playable MP3 clip made distinct by an ID3v2 tag holding `tagLength` bytes of pattern data.
inline Bytes mp3Clip(size_t tagLength, int seed) { return mp3ClipTagged(pattern(tagLength, seed)); }

inline void octal(uint8_t* field, size_t width, unsigned long long value) {
    std::snprintf(reinterpret_cast<char*>(field), width, "%0*llo", static_cast<int>(width - 1), value);
}

inline Bytes header(const Member& m) {
    Bytes block(512, 0);
    if (m.fullName) {
        for (size_t i = 0; i < 100; ++i) block[i] = 'a';
    } else {
        std::memcpy(block.data(), m.name.data(), std::min<size_t>(m.name.size(), 99));
    }
    octal(&block[100], 8, m.typeflag == '5' ? 0755 : 0644);
    octal(&block[108], 8, 1000);
    octal(&block[116], 8, 1000);
    if (m.sizeField.empty())
        octal(&block[124], 12, m.typeflag == '5' ? 0 : m.data.size());
    else
        std::memcpy(&block[124], m.sizeField.data(), std::min<size_t>(m.sizeField.size(), 12));
    octal(&block[136], 12, 1700000000);
    block[156] = static_cast<uint8_t>(m.typeflag);
    std::memcpy(&block[257], "ustar\0" "00", 8);
    std::memset(&block[148], ' ', 8);
    long long sum = 0;
    for (uint8_t b : block) sum += static_cast<signed char>(b);
    octal(&block[148], 7, static_cast<unsigned long long>(sum + m.checksumError));
    return block;
}

// Members, then two zero blocks, padded to a multiple of 10240 bytes unless `pad` is false.
inline Bytes tar(const std::vector<Member>& members, int endBlocks = 2, bool pad = true) {
    Bytes out;
    for (const Member& m : members) {
        Bytes h = header(m);
        out.insert(out.end(), h.begin(), h.end());
        if (m.typeflag == '5') continue;
        out.insert(out.end(), m.data.begin(), m.data.end());
        out.resize((out.size() + 511) / 512 * 512, 0);
    }
    out.resize(out.size() + 512 * static_cast<size_t>(endBlocks), 0);
    if (pad && endBlocks == 2) out.resize((out.size() + 10239) / 10240 * 10240, 0);
    return out;
}

inline Bytes gzip(const Bytes& data, int level = Z_DEFAULT_COMPRESSION) {
    z_stream s{};
    deflateInit2(&s, level, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    Bytes out(deflateBound(&s, data.size()) + 64);
    s.next_in = const_cast<Bytef*>(data.data());
    s.avail_in = static_cast<uInt>(data.size());
    s.next_out = out.data();
    s.avail_out = static_cast<uInt>(out.size());
    deflate(&s, Z_FINISH);
    out.resize(s.total_out);
    deflateEnd(&s);
    return out;
}

inline void write(const std::string& path, const Bytes& data) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(data.data(), 1, data.size(), f);
    std::fclose(f);
}

inline bool read(const std::string& path, Bytes* data) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    data->clear();
    uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) data->insert(data->end(), buffer, buffer + n);
    std::fclose(f);
    return true;
}

}  // namespace archive
