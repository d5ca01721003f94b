#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "scene/VertexFile.h"

namespace bravok::test {

// Where the loader, reading the bytes in `parts` parts, first differs by a bit
// from the straightforward loader reading them as a text-mode stream gives
// them (each CR LF folded to LF): fgets into 260 bytes, sscanf in the locale in
// force (each number rounded once), zero where a short piece has no value. Empty when it never
// does.
inline std::string VertexMismatch(std::string_view bytes, int parts) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] != '\r' || i + 1 == bytes.size() || bytes[i + 1] != '\n') text += bytes[i];
    // What fgets into 260 bytes gives: up to 259 bytes, ending after a line break.
    std::vector<std::array<double, 9>> expected;
    std::vector<std::string> pieces;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t lf = std::min(text.find('\n', at), text.size() - 1);
        const std::size_t end = std::min(lf + 1, at + 259);
        const std::string& piece = pieces.emplace_back(text.substr(at, end - at));
        at = end;
        auto& v = expected.emplace_back();
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
    const VertexMesh mesh =
        ReadVertexBytes({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, parts);
    std::ostringstream out;
    if (static_cast<std::size_t>(mesh.triangleCount) != expected.size() / 2)
        out << mesh.triangleCount << " triangles instead of " << expected.size() / 2;
    for (std::size_t k = 0; out.tellp() == 0 && k < expected.size() / 2 * 18; ++k) {
        const double ours = (k / 9 % 2 ? mesh.normals : mesh.vertices)[k / 18 * 9 + k % 9];
        if (std::bit_cast<std::uint64_t>(ours) !=
            std::bit_cast<std::uint64_t>(expected[k / 9][k % 9]))
            out << "piece " << k / 9 << ", value " << k % 9 << ": " << std::hexfloat << ours
                << " instead of " << expected[k / 9][k % 9] << " in \"" << pieces[k / 9] << '"';
    }
    return out.str();
}

}  // namespace bravok::test
