// Feeds arbitrary bytes to the vertex-file loader straight from memory, read in
// one to four parts, and compares every value it reads, bit for bit, with what
// fgets into 260 bytes and sscanf in the "C" locale (the locale a program
// starts in) give for the same bytes read in text mode. The Makefile lets
// inputs grow to 64 KB, as long as a few hundred lines of a real mesh.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "NaiveVertexReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (int parts = 1; parts <= 4; ++parts)
        if (const std::string mismatch = bravok::test::VertexMismatch(bytes, parts);
            !mismatch.empty())
            std::fprintf(stderr, "%d parts: %s\n", parts, mismatch.c_str()), std::abort();
    return 0;
}
