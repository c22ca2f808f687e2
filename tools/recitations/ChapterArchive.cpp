#include "tools/recitations/ChapterArchive.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace ChapterArchive {

namespace {

constexpr size_t kStoredBlockMax = 65535;
constexpr size_t kGzipHeader = 10, kGzipTrailer = 8, kStoredBlockHeader = 5;

size_t padded(size_t n) { return (n + kBlock - 1) / kBlock * kBlock; }

void octal(uint8_t* field, size_t width, unsigned long long value)
{
    // width - 1 digits and a NUL
    std::snprintf(reinterpret_cast<char*>(field), width, "%0*llo", static_cast<int>(width - 1), value);
}

void putLE32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace

void setHeaderChecksum(uint8_t* header)
{
    std::memset(header + 148, ' ', 8);
    int sum = 0;
    for (size_t i = 0; i < kBlock; ++i)
        sum += static_cast<int8_t>(header[i]);
    std::snprintf(reinterpret_cast<char*>(header + 148), 8, "%06o", static_cast<unsigned>(sum) & 0777777);
    header[155] = ' ';
}

std::vector<uint8_t> tar(const std::vector<Member>& members)
{
    std::vector<uint8_t> out;
    for (const Member& m : members) {
        uint8_t h[kBlock] = {};
        std::memcpy(h, m.name.data(), std::min<size_t>(m.name.size(), 99));
        octal(h + 100, 8, 0644);
        octal(h + 108, 8, 0);
        octal(h + 116, 8, 0);
        octal(h + 124, 12, m.data.size());
        octal(h + 136, 12, 0);
        h[156] = '0';
        std::memcpy(h + 257, "ustar", 6);
        std::memcpy(h + 263, "00", 2);
        setHeaderChecksum(h);
        out.insert(out.end(), h, h + kBlock);
        out.insert(out.end(), m.data.begin(), m.data.end());
        out.resize(out.size() + padded(m.data.size()) - m.data.size(), 0);
    }
    out.resize(out.size() + 2 * kBlock, 0);
    out.resize((out.size() + kRecord - 1) / kRecord * kRecord, 0);
    return out;
}

std::vector<uint8_t> gzipStored(const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> out = {0x1f, 0x8b, 8, 0, 0, 0, 0, 0, 0, 3};
    size_t pos = 0;
    do {
        const size_t n = std::min(kStoredBlockMax, data.size() - pos);
        const bool last = pos + n == data.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<uint8_t>(n));
        out.push_back(static_cast<uint8_t>(n >> 8));
        out.push_back(static_cast<uint8_t>(~n));
        out.push_back(static_cast<uint8_t>(~n >> 8));
        out.insert(out.end(), data.begin() + pos, data.begin() + pos + n);
        pos += n;
    } while (pos < data.size());
    putLE32(out, static_cast<uint32_t>(crc32(crc32(0, nullptr, 0), data.data(), static_cast<uInt>(data.size()))));
    putLE32(out, static_cast<uint32_t>(data.size()));
    return out;
}

std::vector<uint8_t> archive(const std::vector<Member>& members) { return gzipStored(tar(members)); }

long long encodedSize(const std::vector<long long>& memberSizes)
{
    long long tarBytes = 2 * kBlock;
    for (long long s : memberSizes)
        tarBytes += kBlock + static_cast<long long>(padded(static_cast<size_t>(s)));
    tarBytes = (tarBytes + kRecord - 1) / kRecord * kRecord;
    const long long blocks = std::max<long long>(1, (tarBytes + kStoredBlockMax - 1) / kStoredBlockMax);
    return kGzipHeader + blocks * kStoredBlockHeader + tarBytes + kGzipTrailer;
}

bool gunzip(const std::vector<uint8_t>& gz, std::vector<uint8_t>& out)
{
    z_stream zs{};
    if (inflateInit2(&zs, 16 + MAX_WBITS) != Z_OK)
        return false;
    out.clear();
    zs.next_in = const_cast<Bytef*>(gz.data());
    zs.avail_in = static_cast<uInt>(gz.size());
    uint8_t buffer[16384];
    int rc = Z_OK;
    while (rc == Z_OK) {
        zs.next_out = buffer;
        zs.avail_out = sizeof buffer;
        rc = inflate(&zs, Z_NO_FLUSH);
        out.insert(out.end(), buffer, buffer + (sizeof buffer - zs.avail_out));
        if (rc == Z_BUF_ERROR && zs.avail_in == 0)
            break;
    }
    inflateEnd(&zs);
    return rc == Z_STREAM_END;
}

}  // namespace ChapterArchive
