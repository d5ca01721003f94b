#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace bravok {

// Lines of a vertex file are read through a buffer of 260 bytes: one read takes
// at most 259 characters, the line break included, and a longer line arrives in
// pieces that each count as a line of their own.
inline constexpr std::size_t kVertexLineBufferSize = 260;
inline constexpr int kValuesPerLine = 9;

// A mesh as read from a vertex file: for triangle t, values 9t to 9t + 8 of
// vertices hold x, y, z of its three corners, and the same values of normals
// the normal at each corner.
struct VertexMesh {
    int triangleCount = 0;
    std::unique_ptr<double[]> vertices;
    std::unique_ptr<double[]> normals;
};

// Scans up to nine numbers from one piece of a line, exactly as the C library's
// "%lf %lf ..." reads them in the "C" locale, whatever the process's locale is:
// the values before the first item that does not parse, and zeros after them.
// A NUL ends the piece. Returns how many numbers were read. At least
// kScanPadding bytes after the piece must be readable, as they are after every
// piece that TextFileReader hands out; they do not change the result.
inline constexpr std::size_t kScanPadding = 16;
int ScanVertexLine(std::string_view piece, double* out);

// Reads a vertex file: a counting pass sizes the arrays exactly, then a pair
// pass scans the corners and normals of each triangle; a last, unpaired line is
// ignored. A large file is read in parts, several a core, that one thread a
// core takes in turn, each part through a handle of its own and a bounded
// buffer. Throws FileException when the file cannot be opened or read, and
// std::bad_alloc when the arrays cannot be had, or, before anything is read or
// allocated, when the file is so large that its mesh could never fit in memory.
VertexMesh ReadVertexFile(const char* path);
// The same for the bytes of a vertex file in memory, read in `parts` parts on
// as many threads.
VertexMesh ReadVertexBytes(std::span<const std::uint8_t> bytes, int parts = 1);

}  // namespace bravok
