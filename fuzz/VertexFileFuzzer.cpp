// Feeds arbitrary bytes to the vertex-file loader straight from memory and
// compares every value it reads, bit for bit, with what fgets into 260 bytes
// and sscanf in the "C" locale (the locale a program starts in) give for the
// same bytes read in text mode. The Makefile lets inputs grow to 64 KB, as
// long as a few hundred lines of a real mesh.
//
// Every input is read whole, by the calling thread alone. One in eight is also
// read in two to four parts on as many threads, each part handed over as it is
// read; which inputs, and in how many parts, their bytes decide, so that a
// found input fails again. Starting those threads costs many times what
// reading a short input does.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "NaiveVertexReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const bravok::test::NaiveVertexPieces naive = bravok::test::ReadVertexPiecesNaively(bytes);
    const std::size_t hash = std::hash<std::string_view>{}(bytes);
    for (const int parts : {1, hash % 8 == 0 ? 2 + static_cast<int>(hash / 8 % 3) : 0})
        if (parts > 0)
            if (const std::string mismatch = bravok::test::VertexMismatch(bytes, parts, naive);
                !mismatch.empty())
                std::fprintf(stderr, "%d parts: %s\n", parts, mismatch.c_str()), std::abort();
    return 0;
}
