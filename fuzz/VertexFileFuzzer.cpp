// Feeds arbitrary bytes, up to 64 KB, to the vertex-file loader straight from
// memory, read whole and in parts, and reads every value it counted.
#include <cstdint>
#include <new>
#include <vector>

#include "scene/VertexFile.h"

// Inputs as long as a few hundred lines of a real mesh, unless asked otherwise:
// the flag goes first, and a later one of the same name wins.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static std::vector<char*> arguments(*argv, *argv + *argc);
    static char maxLength[] = "-max_len=65536";
    arguments.insert(arguments.begin() + 1, maxLength);
    *argc = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    *argv = arguments.data();
    return 0;
}

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
