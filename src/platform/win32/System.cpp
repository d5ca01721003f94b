// The system's answers on Windows.

#include "platform/System.h"

#include <windows.h>

#include <locale.h>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstring>

namespace bravok {

std::uint64_t MemoryLimit() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) return UINT64_MAX;
    // The machine's memory, or the process's address space where that is less.
    return std::min<std::uint64_t>(status.ullTotalPhys, status.ullTotalVirtual);
}

// Windows gives large pages only to memory asked for with them, by a process
// allowed to lock memory; an array the C++ heap already holds cannot have them.
void PreferLargePages(void*, std::size_t) {}

int ScanNumbersInCLocale(const char* text, std::span<double, 9> out) {
    // The C runtime has no locale of the thread's own. The process stays in the
    // "C" locale unless something sets another (the toolkit does not), and
    // then sscanf reads every form the C library knows, infinities, NaNs and
    // hexadecimal numbers too. Under a locale whose decimal point is not a full
    // stop, the runtime's scanner with a "C" locale object reads the decimal
    // forms exactly; it reads the others as 0.
    static const _locale_t classic = _create_locale(LC_ALL, "C");
    const char* point = std::localeconv()->decimal_point;
    const bool fullStop = point != nullptr && std::strcmp(point, ".") == 0;
    const int stored =
        fullStop || classic == nullptr
            ? std::sscanf(text, "%lf %lf %lf %lf %lf %lf %lf %lf %lf", &out[0], &out[1], &out[2],
                          &out[3], &out[4], &out[5], &out[6], &out[7], &out[8])
            : _sscanf_l(text, "%lf %lf %lf %lf %lf %lf %lf %lf %lf", classic, &out[0], &out[1],
                        &out[2], &out[3], &out[4], &out[5], &out[6], &out[7], &out[8]);
    return std::max(stored, 0);
}

}  // namespace bravok
