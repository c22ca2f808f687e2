#include "Classes/Core/NSData+Bzip2.h"

#include <zlib.h>

namespace NSData {
namespace {

constexpr size_t kDeflateChunk = 16384;

std::optional<Bytes> deflateWith(const Bytes& data, bool gzip) {
    if (data.empty()) return data;
    z_stream stream{};
    stream.next_in = const_cast<Bytef*>(data.data());
    stream.avail_in = static_cast<uInt>(data.size());
    int rc = gzip ? deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY)
                  : deflateInit(&stream, Z_DEFAULT_COMPRESSION);
    if (rc != Z_OK) return std::nullopt;
    Bytes out(kDeflateChunk);
    do {
        if (stream.total_out >= out.size()) out.resize(out.size() + kDeflateChunk);
        stream.next_out = out.data() + stream.total_out;
        stream.avail_out = static_cast<uInt>(out.size() - stream.total_out);
        rc = deflate(&stream, Z_FINISH);
    } while (rc == Z_OK || (rc == Z_BUF_ERROR && stream.avail_out == 0));
    bool ok = rc == Z_STREAM_END;
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (!ok) return std::nullopt;
    return out;
}

std::optional<Bytes> inflateWith(const Bytes& data, int windowBits) {
    if (data.empty()) return data;
    size_t half = data.size() / 2;
    size_t step = half > 0 ? half : 1;
    Bytes out(data.size() + half);
    z_stream stream{};
    stream.next_in = const_cast<Bytef*>(data.data());
    stream.avail_in = static_cast<uInt>(data.size());
    if (inflateInit2(&stream, windowBits) != Z_OK) return std::nullopt;
    bool done = false;
    while (!done) {
        if (stream.total_out >= out.size()) out.resize(out.size() + step);
        stream.next_out = out.data() + stream.total_out;
        stream.avail_out = static_cast<uInt>(out.size() - stream.total_out);
        int rc = inflate(&stream, Z_SYNC_FLUSH);
        if (rc == Z_STREAM_END) {
            done = true;
        } else if (rc != Z_OK) {
            break;  // data error, or truncated input (no progress possible)
        }
    }
    out.resize(stream.total_out);
    if (inflateEnd(&stream) != Z_OK || !done) return std::nullopt;
    return out;
}

}  // namespace

std::optional<Bytes> gzipDeflate(const Bytes& data) { return deflateWith(data, true); }
std::optional<Bytes> zlibDeflate(const Bytes& data) { return deflateWith(data, false); }
std::optional<Bytes> gzipInflate(const Bytes& data) { return inflateWith(data, 15 + 32); }
std::optional<Bytes> zlibInflate(const Bytes& data) { return inflateWith(data, 15); }

}  // namespace NSData
