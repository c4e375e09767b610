#include "host/RowMemory.h"

#include <sys/mman.h>

#include <cstdint>

void AdviseHugePages(void* p, std::size_t nBytes) {
    constexpr std::uintptr_t kHuge = std::uintptr_t{1} << 21;
    const auto begin = reinterpret_cast<std::uintptr_t>(p);
    const std::uintptr_t first = (begin + kHuge - 1) & ~(kHuge - 1);
    const std::uintptr_t last = (begin + nBytes) & ~(kHuge - 1);
    if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}
