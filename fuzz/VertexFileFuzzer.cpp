// Feeds arbitrary bytes to the vertex-file loader straight from memory, read
// whole and in parts, and reads every value it counted. The Makefile lets inputs
// grow to 64 KB, as long as a few hundred lines of a real mesh.
#include <cstdint>
#include <new>

#include "scene/VertexFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (int parts : {1, 3}) {
        try {
            const bravok::VertexMesh mesh = bravok::ReadVertexBytes({data, size}, parts);
            static volatile double sink = 0;
            for (long long i = 0; i < 9LL * mesh.triangleCount; ++i)
                sink = sink + mesh.vertices[i] + mesh.normals[i];
        } catch (const std::bad_alloc&) {
        }
    }
    return 0;
}
