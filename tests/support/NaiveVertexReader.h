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

// What the straightforward loader reads from these bytes as a text-mode stream
// gives them (each CR LF folded to LF): fgets into 260 bytes, then sscanf in
// the locale in force, nine values a piece, zero where a short piece has none.
inline std::vector<std::array<double, 9>> NaiveVertexPieces(std::string_view bytes) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] != '\r' || i + 1 == bytes.size() || bytes[i + 1] != '\n') text += bytes[i];
    std::vector<std::array<double, 9>> pieces;
    std::FILE* file = text.empty() ? nullptr : fmemopen(text.data(), text.size(), "r");
    for (char piece[260]; file && std::fgets(piece, sizeof piece, file);) {
        auto& v = pieces.emplace_back();
        std::sscanf(piece, "%lf %lf %lf %lf %lf %lf %lf %lf %lf", &v[0], &v[1], &v[2], &v[3], &v[4],
                    &v[5], &v[6], &v[7], &v[8]);
    }
    if (file) std::fclose(file);
    return pieces;
}

// Where the loader, reading the bytes in `parts` parts, first differs from the
// straightforward loader by a bit; empty when it never does.
inline std::string VertexMismatch(std::string_view bytes, int parts) {
    const auto expected = NaiveVertexPieces(bytes);
    const VertexMesh mesh =
        ReadVertexBytes({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, parts);
    std::ostringstream out;
    if (static_cast<std::size_t>(mesh.triangleCount) != expected.size() / 2)
        out << mesh.triangleCount << " triangles instead of " << expected.size() / 2;
    for (std::size_t piece = 0; out.tellp() == 0 && piece < expected.size() / 2 * 2; ++piece)
        for (int i = 0; i < 9; ++i) {
            const double ours = (piece % 2 ? mesh.normals : mesh.vertices)[piece / 2 * 9 + i];
            if (std::bit_cast<std::uint64_t>(ours) !=
                std::bit_cast<std::uint64_t>(expected[piece][i])) {
                out << "piece " << piece << ", value " << i << ": " << ours << " instead of "
                    << expected[piece][i];
                break;
            }
        }
    return out.str();
}

}  // namespace bravok::test
