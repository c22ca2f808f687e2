// Chapter archives in the download format: a POSIX ustar archive of flat members, padded to
// 10240 bytes, inside one gzip stream. The stream uses stored deflate blocks: MP3 data does not
// compress, and stored blocks make the archive's size a function of its members' sizes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ChapterArchive {

struct Member {
    std::string name;  // at most 99 bytes
    std::vector<uint8_t> data;
};

constexpr size_t kBlock = 512;
constexpr size_t kRecord = 10240;

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
