#pragma once

#include <cstddef>
#include <memory>

namespace bravok {

// Lines of a vertex file are read through a buffer of this size: one read takes
// at most 259 characters, the line break included, and a longer line arrives in
// pieces that each count as a line of their own.
inline constexpr std::size_t kVertexLineBufferSize = 260;
inline constexpr int kValuesPerLine = 9;

// Scans up to nine numbers from one line, as the C library's "%lf" reads them in
// the "C" locale whatever the process's locale is. Values before the first item
// that does not parse are stored; the rest of out is left alone. Returns how many
// were stored.
int ScanVertexLine(const char* line, double* out);

// Reads a vertex file: a counting pass sizes the arrays exactly (zero-filled),
// then a pair pass scans the corners and normals of each triangle. A last,
// unpaired line is ignored. Throws FileException when the file cannot be opened,
// read or closed; the arrays then hold whatever was read so far. Throws
// std::bad_alloc when the mesh is too large to hold.
void ReadVertexFile(const char* path, int& triangleCount, std::unique_ptr<double[]>& vertices,
                    std::unique_ptr<double[]>& normals);

}  // namespace bravok
