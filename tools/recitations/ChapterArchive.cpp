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

std::vector<uint8_t> written(const std::vector<Member>& members, bool gzip)
{
    std::vector<uint8_t> out;
    Writer writer([&out](const uint8_t* data, size_t size) {
        out.insert(out.end(), data, data + size);
        return true;
    }, gzip);
    for (const Member& m : members)
        if (!writer.begin(m.name, m.data.size()) || !writer.append(m.data.data(), m.data.size()))
            return {};
    return writer.finish() ? out : std::vector<uint8_t>();
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

StoredGzip::StoredGzip(Sink sink) : sink_(std::move(sink)), crc_(static_cast<uint32_t>(crc32(0, nullptr, 0)))
{
    static const uint8_t header[kGzipHeader] = {0x1f, 0x8b, 8, 0, 0, 0, 0, 0, 0, 3};
    pending_.reserve(kStoredBlockMax);
    failed_ = !sink_(header, sizeof header);
}

bool StoredGzip::flushBlock(bool last)
{
    const size_t n = pending_.size();
    const uint8_t head[kStoredBlockHeader] = {uint8_t(last ? 1 : 0), uint8_t(n), uint8_t(n >> 8), uint8_t(~n),
                                              uint8_t(~n >> 8)};
    failed_ = failed_ || !sink_(head, sizeof head) || !sink_(pending_.data(), n);
    pending_.clear();
    return !failed_;
}

bool StoredGzip::write(const uint8_t* data, size_t size)
{
    crc_ = static_cast<uint32_t>(crc32(crc_, data, static_cast<uInt>(size)));
    size_ += static_cast<uint32_t>(size);
    while (size > 0 && !failed_) {
        // a full block is sent only once more data shows it is not the last
        if (pending_.size() == kStoredBlockMax && !flushBlock(false))
            break;
        const size_t n = std::min(size, kStoredBlockMax - pending_.size());
        pending_.insert(pending_.end(), data, data + n);
        data += n;
        size -= n;
    }
    return !failed_;
}

bool StoredGzip::finish()
{
    uint8_t trailer[kGzipTrailer];
    for (int i = 0; i < 4; ++i) {
        trailer[i] = static_cast<uint8_t>(crc_ >> (8 * i));
        trailer[4 + i] = static_cast<uint8_t>(size_ >> (8 * i));
    }
    return flushBlock(true) && sink_(trailer, sizeof trailer);
}

Writer::Writer(Sink sink, bool gzip) : sink_(std::move(sink))
{
    if (gzip)
        gzip_ = std::make_unique<StoredGzip>(sink_);
}

bool Writer::tarBytes(const uint8_t* data, size_t size)
{
    tarSize_ += size;
    return gzip_ ? gzip_->write(data, size) : sink_(data, size);
}

bool Writer::zeros(size_t count)
{
    static const uint8_t zero[kBlock] = {};
    for (size_t n; count > 0; count -= n) {
        n = std::min(count, kBlock);
        if (!tarBytes(zero, n))
            return false;
    }
    return true;
}

bool Writer::begin(const std::string& name, size_t size)
{
    uint8_t h[kBlock] = {};
    std::memcpy(h, name.data(), std::min<size_t>(name.size(), 99));
    octal(h + 100, 8, 0644);
    octal(h + 108, 8, 0);
    octal(h + 116, 8, 0);
    octal(h + 124, 12, size);
    octal(h + 136, 12, 0);
    h[156] = '0';
    std::memcpy(h + 257, "ustar", 6);
    std::memcpy(h + 263, "00", 2);
    setHeaderChecksum(h);
    return zeros(padded(tarSize_) - tarSize_) && tarBytes(h, kBlock);
}

bool Writer::append(const uint8_t* data, size_t size) { return tarBytes(data, size); }

bool Writer::finish()
{
    return zeros(padded(tarSize_) - tarSize_ + 2 * kBlock) &&
           zeros((tarSize_ + kRecord - 1) / kRecord * kRecord - tarSize_) && (!gzip_ || gzip_->finish());
}

std::vector<uint8_t> tar(const std::vector<Member>& members) { return written(members, false); }

std::vector<uint8_t> gzipStored(const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> out;
    StoredGzip gz([&out](const uint8_t* bytes, size_t size) {
        out.insert(out.end(), bytes, bytes + size);
        return true;
    });
    return gz.write(data.data(), data.size()) && gz.finish() ? out : std::vector<uint8_t>();
}

std::vector<uint8_t> archive(const std::vector<Member>& members) { return written(members, true); }

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
    }
    inflateEnd(&zs);
    return rc == Z_STREAM_END;
}

}  // namespace ChapterArchive
