#include "platform/System.h"

#include <locale.h>
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
