#pragma once

#include <cstdint>
#include <memory>
#include <span>

namespace bravok {

// A mesh as read from a vertex file: for triangle t, values 9t to 9t + 8 of
// vertices hold x, y, z of its three corners, and the same values of normals
// the normal at each corner.
struct VertexMesh {
    int triangleCount = 0;
    std::unique_ptr<double[]> vertices;
    std::unique_ptr<double[]> normals;
};

// Reads a vertex file: a counting pass sizes the arrays exactly, then a pair
// pass scans the corners and normals of each triangle; a last, unpaired line is
// ignored. A file of a megabyte or more is read by one thread a core, at most
// four, in four parts a thread that the threads take in turn, each part through
// a handle of its own and a bounded buffer; a smaller file by the calling
// thread alone. Throws FileException when the file cannot be opened or read,
// and std::bad_alloc when the arrays cannot be had, or, before anything is read
// or allocated, when the file is so large that its mesh could never fit in
// memory.
VertexMesh ReadVertexFile(const char* path);
// The same for the bytes of a vertex file in memory, read in `parts` parts on
// as many threads.
VertexMesh ReadVertexBytes(std::span<const std::uint8_t> bytes, int parts = 1);

}  // namespace bravok
