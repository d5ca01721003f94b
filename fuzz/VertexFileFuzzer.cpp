// Feeds arbitrary bytes to the vertex-file loader. The loader reads a path, so
// each input goes through one temporary file that lives as long as the process.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>

#include "platform/FileException.h"
#include "scene/VertexFile.h"

namespace {

class TempFile {
  public:
    TempFile() {
        const int fd = mkstemp(m_path);
        if (fd < 0) std::abort();
        close(fd);
    }
    ~TempFile() { unlink(m_path); }
    const char* Path() const { return m_path; }

  private:
    char m_path[32] = "/tmp/bravok-vtx-XXXXXX";
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TempFile temp;
    std::FILE* out = std::fopen(temp.Path(), "wb");
    if (out == nullptr) std::abort();
    if (size != 0 && std::fwrite(data, 1, size, out) != size) std::abort();
    std::fclose(out);

    int triangles = 0;
    std::unique_ptr<double[]> vertices;
    std::unique_ptr<double[]> normals;
    try {
        bravok::ReadVertexFile(temp.Path(), triangles, vertices, normals);
    } catch (const bravok::FileException&) {
    } catch (const std::bad_alloc&) {
    }
    // Every value of every triangle the loader counted must be there to read.
    static volatile double sink = 0;
    if (vertices && normals)
        for (long long i = 0; i < 9LL * triangles; ++i) sink = sink + vertices[i] + normals[i];
    return 0;
}
