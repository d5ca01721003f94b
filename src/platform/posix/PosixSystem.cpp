#include "platform/System.h"

#include <locale.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace bravok {

std::uint64_t MemoryLimit() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    std::uint64_t limit = pages > 0 && pageSize > 0 ? static_cast<std::uint64_t>(pages) *
                                                          static_cast<std::uint64_t>(pageSize)
                                                    : UINT64_MAX;
    rlimit addressSpace{};
    if (getrlimit(RLIMIT_AS, &addressSpace) == 0 && addressSpace.rlim_cur != RLIM_INFINITY)
        limit = std::min<std::uint64_t>(limit, addressSpace.rlim_cur);
    return limit;
}

void PreferLargePages(void* begin, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
    // An array smaller than one large page (2 MB on x86-64) gains nothing, and
    // marking part of the heap would only split it into more mappings.
    constexpr std::size_t kLargePage = std::size_t{2} << 20;
    if (bytes < kLargePage) return;
    // madvise takes whole pages: the pages wholly inside the array.
    const auto pageSize = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto first =
        (reinterpret_cast<std::uintptr_t>(begin) + pageSize - 1) / pageSize * pageSize;
    const auto end = (reinterpret_cast<std::uintptr_t>(begin) + bytes) / pageSize * pageSize;
    if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#else
    (void)begin;
    (void)bytes;
#endif
}

int ScanNumbersInCLocale(const char* text, std::span<double, 9> out) {
    // uselocale changes the calling thread's locale only, so other threads
    // reading at the same time, and the toolkit, keep theirs.
    static const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const locale_t previous = uselocale(classic);
    const int stored = std::sscanf(text, "%lf %lf %lf %lf %lf %lf %lf %lf %lf", &out[0], &out[1],
                                   &out[2], &out[3], &out[4], &out[5], &out[6], &out[7], &out[8]);
    uselocale(previous);
    return std::max(stored, 0);
}

}  // namespace bravok
