// The system's answers on Windows.

#include "platform/System.h"

#include <windows.h>

#include <locale.h>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace bravok {

std::uint64_t MemoryLimit() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) return UINT64_MAX;
    // The machine's memory, or the process's address space where that is less.
    return std::min<std::uint64_t>(status.ullTotalPhys, status.ullTotalVirtual);
}

namespace {

// mingw-w64's scanner reads a number through long double and rounds it again to
// double, one bit off now and then; its strtod rounds once. So the scanner says
// where each number ends, by the C library's rules, and strtod reads its text.
int ScanRoundedOnce(const char* text, std::span<double, 9> out) {
    int stored = 0;
    for (double& value : out) {
        double scanned = 0;
        int start = 0, end = 0;
        if (std::sscanf(text, " %n%lf%n", &start, &scanned, &end) != 1) break;
        value = std::strtod(std::string(text + start, text + end).c_str(), nullptr);
        text += end;
        ++stored;
    }
    return stored;
}

}  // namespace

int ScanNumbersInCLocale(const char* text, std::span<double, 9> out) {
    // The C runtime has no locale of the thread's own. The process stays in the
    // "C" locale unless something sets another (the toolkit does not), and
    // then the C library reads every form it knows, infinities, NaNs and
    // hexadecimal numbers too. Under a locale whose decimal point is not a full
    // stop, the runtime's scanner with a "C" locale object reads the decimal
    // forms exactly; it reads the others as 0.
    static const _locale_t classic = _create_locale(LC_ALL, "C");
    const char* point = std::localeconv()->decimal_point;
    const bool fullStop = point != nullptr && std::strcmp(point, ".") == 0;
    if (fullStop || classic == nullptr) return ScanRoundedOnce(text, out);
    const int stored =
        _sscanf_l(text, "%lf %lf %lf %lf %lf %lf %lf %lf %lf", classic, &out[0], &out[1], &out[2],
                  &out[3], &out[4], &out[5], &out[6], &out[7], &out[8]);
    return std::max(stored, 0);
}

}  // namespace bravok
