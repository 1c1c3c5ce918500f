#include "engine/build/MemoryRetention.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace vl {

void KeepMemoryBetweenBuilds() {
#if defined(__GLIBC__)
    constexpr int kMiB = 1024 * 1024;
    // Blocks up to the largest threshold the allocator allows come from its
    // heaps, not from mappings of their own that are unmapped when freed.
    mallopt(M_MMAP_THRESHOLD, 32 * kMiB);
    // Free memory at the top of a heap stays until there is this much, and
    // a heap grows by this much more than it needs.
    mallopt(M_TRIM_THRESHOLD, 256 * kMiB);
    mallopt(M_TOP_PAD, 64 * kMiB);
#endif
}

} // namespace vl
