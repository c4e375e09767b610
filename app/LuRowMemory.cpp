#include "app/LuRowMemory.h"

#include <sys/mman.h>

#include <cstdint>

void ReserveLuRows(std::vector<CLULabRech>& rows, std::size_t nRows) {
    if (nRows <= rows.capacity()) return;
    rows.reserve(nRows);
    // Only whole huge pages inside the block; a refusal changes nothing but speed.
    constexpr std::uintptr_t kHuge = std::uintptr_t{1} << 21;
    const auto begin = reinterpret_cast<std::uintptr_t>(rows.data());
    const std::uintptr_t first = (begin + kHuge - 1) & ~(kHuge - 1);
    const std::uintptr_t last = (begin + rows.capacity() * sizeof(CLULabRech)) & ~(kHuge - 1);
    if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}
