#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "scene/VertexFile.h"

namespace bravok::test {

// What the straightforward loader reads from the bytes as a text-mode stream
// gives them (each CR LF folded to LF): fgets into 260 bytes, sscanf in the
// locale in force (each number rounded once), zero where a short piece has no
// value; one entry a piece.
struct NaiveVertexPieces {
    std::vector<std::string> pieces;
    std::vector<std::array<double, 9>> values;
};

inline NaiveVertexPieces ReadVertexPiecesNaively(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t lineEnd = std::min(bytes.find("\r\n", at), bytes.size());
        text += bytes.substr(at, lineEnd - at);
        at = lineEnd + 1;  // past the CR, to the LF
    }
    // What fgets into 260 bytes gives: up to 259 bytes, ending after a line break.
    NaiveVertexPieces naive;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t lf = std::min(text.find('\n', at), text.size() - 1);
        const std::size_t end = std::min(lf + 1, at + 259);
        const std::string& piece = naive.pieces.emplace_back(text.substr(at, end - at));
        at = end;
        auto& v = naive.values.emplace_back();
        const char* rest = piece.c_str();
        for (double& value : v) {
            int start = 0, end = 0;
            if (std::sscanf(rest, " %n%lf%n", &start, &value, &end) != 1) break;
#ifdef _WIN32
            // MinGW's scanner rounds twice, through long double; its strtod once.
            value = std::strtod(std::string(rest + start, rest + end).c_str(), nullptr);
#endif
            rest += end;
        }
    }
    return naive;
}

// Where the loader, reading the bytes in `parts` parts, first differs by a bit
// from what the straightforward loader reads. Empty when it never does.
inline std::string VertexMismatch(std::string_view bytes, int parts,
                                  const NaiveVertexPieces& naive) {
    const auto& expected = naive.values;
    const VertexMesh mesh =
        ReadVertexBytes({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, parts);
    std::ostringstream out;
    if (static_cast<std::size_t>(mesh.triangleCount) != expected.size() / 2)
        out << mesh.triangleCount << " triangles instead of " << expected.size() / 2;
    // Whole pieces are compared first, bytes at once: most inputs match.
    bool same = out.tellp() == 0;
    for (std::size_t k = 0; same && k < expected.size() / 2 * 2; ++k)
        same = std::memcmp(&(k % 2 ? mesh.normals : mesh.vertices)[k / 2 * 9], expected[k].data(),
                           sizeof expected[k]) == 0;
    for (std::size_t k = 0; !same && out.tellp() == 0 && k < expected.size() / 2 * 18; ++k) {
        const double ours = (k / 9 % 2 ? mesh.normals : mesh.vertices)[k / 18 * 9 + k % 9];
        if (std::bit_cast<std::uint64_t>(ours) !=
            std::bit_cast<std::uint64_t>(expected[k / 9][k % 9]))
            out << "piece " << k / 9 << ", value " << k % 9 << ": " << std::hexfloat << ours
                << " instead of " << expected[k / 9][k % 9] << " in \"" << naive.pieces[k / 9]
                << '"';
    }
    return out.str();
}

inline std::string VertexMismatch(std::string_view bytes, int parts) {
    return VertexMismatch(bytes, parts, ReadVertexPiecesNaively(bytes));
}

}  // namespace bravok::test
