// Chapter archives in the download format: a POSIX ustar archive of flat members, padded to
// 10240 bytes, inside one gzip stream. The stream uses stored deflate blocks: MP3 data does not
// compress, and stored blocks make the archive's size a function of its members' sizes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ChapterArchive {

struct Member {
    std::string name;  // at most 99 bytes
    std::vector<uint8_t> data;
};

constexpr size_t kBlock = 512;
constexpr size_t kRecord = 10240;

// Receives an archive's bytes in order; false stops the writing.
using Sink = std::function<bool(const uint8_t* data, size_t size)>;

// A gzip stream of stored blocks, written as its data arrives.
class StoredGzip {
public:
    explicit StoredGzip(Sink sink);
    [[nodiscard]] bool write(const uint8_t* data, size_t size);
    [[nodiscard]] bool finish();

private:
    bool flushBlock(bool last);

    Sink sink_;
    bool failed_ = false;
    uint32_t crc_ = 0;
    uint32_t size_ = 0;
    std::vector<uint8_t> pending_;  // data of the block being filled
};

// Writes an archive as its members arrive, the same bytes archive() makes, so a server can send
// it while it is being made.
class Writer {
public:
    // gzip: the stored gzip stream; else the plain tar.
    Writer(Sink sink, bool gzip);
    // Starts a member of `size` bytes; its data follows through append().
    [[nodiscard]] bool begin(const std::string& name, size_t size);
    [[nodiscard]] bool append(const uint8_t* data, size_t size);
    // The end blocks, the padding to a record and, for gzip, the stream's trailer.
    [[nodiscard]] bool finish();

private:
    bool tarBytes(const uint8_t* data, size_t size);
    bool zeros(size_t count);

    Sink sink_;
    std::unique_ptr<StoredGzip> gzip_;
    size_t tarSize_ = 0;
};

// The ustar archive of the members, in order.
std::vector<uint8_t> tar(const std::vector<Member>& members);
// Writes the header checksum of a 512-byte header block.
void setHeaderChecksum(uint8_t* header);
// A gzip stream of stored blocks holding `data`.
std::vector<uint8_t> gzipStored(const std::vector<uint8_t>& data);
// gzip(tar(members)).
std::vector<uint8_t> archive(const std::vector<Member>& members);
// The length archive() gives for members of these sizes.
long long encodedSize(const std::vector<long long>& memberSizes);

// Inflates a gzip stream; false when it is not one or is damaged.
[[nodiscard]] bool gunzip(const std::vector<uint8_t>& gz, std::vector<uint8_t>& out);

}  // namespace ChapterArchive
