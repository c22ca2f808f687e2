#include "platform/foundation/LargePageHeap.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <mutex>

namespace {

constexpr uintptr_t kLargePage = uintptr_t{2} << 20;
constexpr int kReserve = 64 << 20;

}  // namespace

void useLargePageHeap() {
    static std::once_flag once;
    std::call_once(once, [] {
#ifdef M_TOP_PAD
        // Blocks up to 4 MiB come from the heap (not from mappings of their own), the heap grows
        // by the reserve at once, and freed memory is kept.
        mallopt(M_MMAP_THRESHOLD, 4 << 20);
        mallopt(M_TRIM_THRESHOLD, 512 << 20);
        mallopt(M_TOP_PAD, kReserve);
        void* probe = std::malloc(1 << 20);
        if (!probe) return;
        const uintptr_t start = (reinterpret_cast<uintptr_t>(probe) + kLargePage - 1) & ~(kLargePage - 1);
        std::free(probe);
        // Only the heap's own range: under an allocator of another kind the probe is elsewhere.
        const uintptr_t end = reinterpret_cast<uintptr_t>(sbrk(0)) & ~(kLargePage - 1);
        if (end > start && end - start <= uintptr_t{2} * kReserve)
            madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
#endif
    });
}
