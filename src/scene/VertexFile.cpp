#include "scene/VertexFile.h"

#include <locale.h>
#include <climits>
#include <clocale>
#include <cstdio>
#include <new>

#include "platform/TextFileReader.h"

namespace bravok {

namespace {

// The toolkit sets the process locale from the environment at start-up, and under
// a locale whose decimal separator is a comma "%lf" would read "1.5" as 1. Vertex
// files are written with a full stop whatever the user's language.
locale_t ClassicLocale() {
    static const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return classic;
}

class ScopedThreadLocale {
  public:
    explicit ScopedThreadLocale(locale_t locale)
        : m_previous(locale ? uselocale(locale) : static_cast<locale_t>(nullptr)) {}
    ~ScopedThreadLocale() {
        if (m_previous) uselocale(m_previous);
    }
    ScopedThreadLocale(const ScopedThreadLocale&) = delete;
    ScopedThreadLocale& operator=(const ScopedThreadLocale&) = delete;

  private:
    locale_t m_previous;
};

}  // namespace

int ScanVertexLine(const char* line, double* out) {
    ScopedThreadLocale classic(ClassicLocale());
    const int stored = std::sscanf(line, "%lf %lf %lf %lf %lf %lf %lf %lf %lf", &out[0], &out[1],
                                   &out[2], &out[3], &out[4], &out[5], &out[6], &out[7], &out[8]);
    return stored < 0 ? 0 : stored;
}

void ReadVertexFile(const char* path, int& triangleCount, std::unique_ptr<double[]>& vertices,
                    std::unique_ptr<double[]>& normals) {
    TextFileReader file(path);
    char line[kVertexLineBufferSize];

    long long lines = 0;
    while (file.ReadString(line, sizeof line)) ++lines;

    // A count whose arrays could not even be sized is as hopeless as a failed
    // allocation, and is reported the same way.
    const long long triangles = lines / 2;
    if (triangles > INT_MAX / kValuesPerLine) throw std::bad_alloc();
    triangleCount = static_cast<int>(triangles);
    const std::size_t values = static_cast<std::size_t>(triangleCount) * kValuesPerLine;
    // Value-initialised: a short line leaves its missing numbers at zero.
    vertices = std::make_unique<double[]>(values);
    normals = std::make_unique<double[]>(values);

    file.SeekToBegin();
    for (int t = 0; t < triangleCount; ++t) {
        const std::size_t first = static_cast<std::size_t>(t) * kValuesPerLine;
        if (file.ReadString(line, sizeof line)) ScanVertexLine(line, &vertices[first]);
        if (file.ReadString(line, sizeof line)) ScanVertexLine(line, &normals[first]);
    }
    file.Close();
}

}  // namespace bravok
