#include "platform/foundation/LargePageHeap.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "tests/support/MemoryMappings.h"

TEST(LargePageHeap, TheHeapGrownAheadAsksForLargePagesAndStillAllocates) {
    if (!largePagesOnRequest()) GTEST_SKIP() << "this system offers no large pages";

    useLargePageHeap();
    useLargePageHeap();  // once per process: a second call changes nothing
    // A block of a few megabytes now comes from the heap itself.
    constexpr size_t kBlock = 3 << 20;
    auto* block = static_cast<unsigned char*>(std::malloc(kBlock));
    ASSERT_NE(block, nullptr);
    std::memset(block, 0x5a, kBlock);
    // The advice starts at the first 2 MiB boundary of the reserve: the block's last page is
    // past it.
    const MemoryMapping tail = mappingOf(block + kBlock - 1);
    if (tail.name != "[heap]") {
        std::free(block);
        GTEST_SKIP() << "another allocator serves this process";
    }
    EXPECT_NE(tail.flags.find(" hg"), std::string::npos) << tail.flags;
    EXPECT_EQ(block[kBlock - 1], 0x5a);
    std::free(block);
}
