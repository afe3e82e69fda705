#include "data/HugePages.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace kurvon {

void PrepareLargeBlock([[maybe_unused]] void* data, [[maybe_unused]] std::size_t size) {
#if defined(__linux__)
    constexpr std::size_t kHugePage = std::size_t(1) << 21;
    if (size < kHugePage)
        return; // small blocks live in the ordinary heap: leave it alone
    // madvise wants a page-aligned start: round inwards.
    constexpr std::uintptr_t kPage = 4096;
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kPage - 1) & ~(kPage - 1);
    const auto end = reinterpret_cast<std::uintptr_t>(data) + size;
    if (end <= begin)
        return;
#if defined(MADV_HUGEPAGE)
    ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#endif
#if defined(MADV_POPULATE_WRITE)
    // Kernels before 5.14 refuse it; the pages then fault in as they are written.
    ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#endif
#endif
}

} // namespace kurvon
