// Compression and Base64.

#include "Classes/Core/NSData+Bzip2.h"
#include "Classes/Core/NSData+MBBase64.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes sample(size_t size) {
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>((i * 31 + i / 7) % 256);
    return bytes;
}

TEST(Compression, RoundTripsInBothFormatsAcrossBufferGrowth) {
    for (size_t size : {1u, 100u, 16384u, 200000u}) {
        Bytes data = sample(size);
        std::optional<Bytes> gz = NSData::gzipDeflate(data);
        ASSERT_TRUE(gz);
        EXPECT_EQ((*gz)[0], 0x1f);
        EXPECT_EQ(NSData::gzipInflate(*gz), data) << size;
        std::optional<Bytes> z = NSData::zlibDeflate(data);
        ASSERT_TRUE(z);
        EXPECT_EQ(NSData::zlibInflate(*z), data) << size;
        EXPECT_EQ(NSData::gzipInflate(*z), data) << size;  // the header is detected
    }
    Bytes zeros(1 << 20, 0);  // inflates to far more than one and a half times its input
    EXPECT_EQ(NSData::gzipInflate(*NSData::gzipDeflate(zeros)), zeros);
    EXPECT_EQ(NSData::gzipDeflate({}), Bytes{});
    EXPECT_EQ(NSData::gzipInflate({}), Bytes{});
}

TEST(Compression, DamagedInputGivesNoResult) {
    Bytes gz = *NSData::gzipDeflate(sample(5000));
    EXPECT_FALSE(NSData::gzipInflate(Bytes(gz.begin(), gz.begin() + gz.size() / 2)));
    EXPECT_FALSE(NSData::gzipInflate(Bytes{0x1f}));
    Bytes corrupt = gz;
    corrupt[gz.size() / 2] ^= 0xFF;
    corrupt[gz.size() / 2 + 1] ^= 0xFF;
    EXPECT_FALSE(NSData::gzipInflate(corrupt));
    EXPECT_FALSE(NSData::zlibInflate(gz));  // gzip is not zlib
}

TEST(Base64, EncodesAndDecodesWithPaddingAndSkippedSpaces) {
    struct Case {
        Bytes bytes;
        const char* text;
    } cases[] = {{{}, ""},
                 {{'M'}, "TQ=="},
                 {{'M', 'a'}, "TWE="},
                 {{'M', 'a', 'n'}, "TWFu"},
                 {{0xFB, 0xFF, 0x00, 0x10}, "+/8AEA=="}};
    for (const Case& c : cases) {
        EXPECT_EQ(NSData::base64Encoding(c.bytes), c.text);
        EXPECT_EQ(NSData::dataWithBase64EncodedString(c.text), c.bytes) << c.text;
    }
    EXPECT_EQ(NSData::dataWithBase64EncodedString(" T W\nF\tu =\r\n"), (Bytes{'M', 'a', 'n'}));
    for (const char* bad : {"TWFuT", "TW*u", "TWF\xC3\xA9"})
        EXPECT_FALSE(NSData::dataWithBase64EncodedString(bad)) << bad;
}

}  // namespace
