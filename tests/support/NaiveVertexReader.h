#pragma once

#include <array>
#include <bit>
#include <cstdio>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "scene/VertexFile.h"

namespace bravok::test {

// Where the loader, reading the bytes in `parts` parts, first differs by a bit
// from the straightforward loader reading them as a text-mode stream gives
// them (each CR LF folded to LF): fgets into 260 bytes, sscanf in the locale in
// force, zero where a short piece has no value. Empty when it never does.
inline std::string VertexMismatch(std::string_view bytes, int parts) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] != '\r' || i + 1 == bytes.size() || bytes[i + 1] != '\n') text += bytes[i];
    std::vector<std::array<double, 9>> expected;
    std::FILE* file = text.empty() ? nullptr : fmemopen(text.data(), text.size(), "r");
    for (char piece[260]; file && std::fgets(piece, sizeof piece, file);) {
        auto& v = expected.emplace_back();
        std::sscanf(piece, "%lf %lf %lf %lf %lf %lf %lf %lf %lf", &v[0], &v[1], &v[2], &v[3], &v[4],
                    &v[5], &v[6], &v[7], &v[8]);
    }
    if (file) std::fclose(file);
    const VertexMesh mesh =
        ReadVertexBytes({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, parts);
    std::ostringstream out;
    if (static_cast<std::size_t>(mesh.triangleCount) != expected.size() / 2)
        out << mesh.triangleCount << " triangles instead of " << expected.size() / 2;
    for (std::size_t k = 0; out.tellp() == 0 && k < expected.size() / 2 * 18; ++k) {
        const double ours = (k / 9 % 2 ? mesh.normals : mesh.vertices)[k / 18 * 9 + k % 9];
        if (std::bit_cast<std::uint64_t>(ours) !=
            std::bit_cast<std::uint64_t>(expected[k / 9][k % 9]))
            out << "piece " << k / 9 << ", value " << k % 9 << ": " << ours << " instead of "
                << expected[k / 9][k % 9];
    }
    return out.str();
}

}  // namespace bravok::test
