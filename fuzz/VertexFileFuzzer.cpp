// Feeds arbitrary bytes, up to 64 KB, to the vertex-file loader straight from
// memory, read whole and in parts, and reads every value it counted.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "scene/VertexFile.h"

namespace {
constexpr std::size_t kMaxInput = 64 * 1024;
}

// Inputs as long as a few hundred lines of a real mesh, unless asked otherwise.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static std::vector<char*> arguments(*argv, *argv + *argc);
    static char maxLength[] = "-max_len=65536";
    for (char* argument : arguments)
        if (std::strncmp(argument, "-max_len=", 9) == 0) return 0;
    arguments.insert(arguments.begin() + 1, maxLength);
    arguments.push_back(nullptr);
    *argc = static_cast<int>(arguments.size() - 1);
    *argv = arguments.data();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxInput) return 0;
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
