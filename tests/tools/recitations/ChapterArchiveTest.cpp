// The archive writer: ustar layout as the installer reads it, a gzip stream zlib accepts, and
// the size formula the content database's size table relies on.
#include "tools/recitations/ChapterArchive.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::vector<uint8_t> bytes(size_t n, uint8_t seed)
{
    std::vector<uint8_t> out(n);
    for (size_t i = 0; i < n; ++i)
        out[i] = static_cast<uint8_t>(seed + i * 7);
    return out;
}

long long octalField(const uint8_t* field, size_t width)
{
    return std::strtoll(std::string(reinterpret_cast<const char*>(field), width).c_str(), nullptr, 8);
}

int signedSum(const uint8_t* header)
{
    int sum = 0;
    for (size_t i = 0; i < ChapterArchive::kBlock; ++i)
        sum += (i >= 148 && i < 156) ? ' ' : static_cast<int8_t>(header[i]);
    return sum;
}

}  // namespace

TEST(ChapterArchive, TarHeadersDataPaddingAndEndBlocksAsTheExtractorReadsThem)
{
    const std::vector<ChapterArchive::Member> members = {{"112000.mp3", bytes(512, 1)}, {"112001.mp3", bytes(513, 9)}};
    const auto tar = ChapterArchive::tar(members);
    ASSERT_EQ(tar.size() % ChapterArchive::kRecord, 0u);

    size_t pos = 0;
    for (const auto& m : members) {
        const uint8_t* h = tar.data() + pos;
        EXPECT_STREQ(reinterpret_cast<const char*>(h), m.name.c_str());
        EXPECT_EQ(h[156], '0');
        EXPECT_EQ(octalField(h + 124, 12), static_cast<long long>(m.data.size()));
        EXPECT_EQ(octalField(h + 148, 8), signedSum(h));
        EXPECT_EQ(0, std::memcmp(h + 512, m.data.data(), m.data.size()));
        pos += 512 + (m.data.size() + 511) / 512 * 512;
    }
    EXPECT_EQ(pos, 512u + 512 + 512 + 1024);  // one data block, then two
    for (size_t i = pos; i < tar.size(); ++i)
        ASSERT_EQ(tar[i], 0) << "at " << i;
}

TEST(ChapterArchive, GzipStreamInflatesToTheTarAcrossStoredBlockBoundaries)
{
    for (size_t size : {size_t(0), size_t(65535), size_t(65536), size_t(200000)}) {
        const auto data = bytes(size, 3);
        std::vector<uint8_t> back;
        ASSERT_TRUE(ChapterArchive::gunzip(ChapterArchive::gzipStored(data), back)) << size;
        EXPECT_EQ(back, data) << size;
    }
    auto gz = ChapterArchive::gzipStored(bytes(1000, 5));
    gz.resize(gz.size() - 4);
    std::vector<uint8_t> back;
    EXPECT_FALSE(ChapterArchive::gunzip(gz, back)) << "a cut stream is not a whole archive";
}

TEST(ChapterArchive, EncodedSizeEqualsTheArchiveWrittenForEverySizeMix)
{
    const std::vector<std::vector<long long>> cases = {
        {}, {0}, {1}, {511, 512, 513}, {9000}, {70000, 3}, {20000, 20000, 20000, 20000, 1},
    };
    for (const auto& sizes : cases) {
        std::vector<ChapterArchive::Member> members;
        for (size_t i = 0; i < sizes.size(); ++i)
            members.push_back({"m" + std::to_string(i), bytes(static_cast<size_t>(sizes[i]), uint8_t(i))});
        EXPECT_EQ(ChapterArchive::encodedSize(sizes), static_cast<long long>(ChapterArchive::archive(members).size()))
            << sizes.size() << " members";
    }
}
