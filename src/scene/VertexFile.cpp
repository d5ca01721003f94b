#include "scene/VertexFile.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "base/BinaryFile.h"
#include "base/TextFileReader.h"
#include "platform/System.h"
#include "scene/LineSplitter.h"
#include "scene/PartRunner.h"
#include "scene/VertexScanner.h"

namespace bravok {

namespace {

constexpr std::size_t kPieceLimit = kVertexLineBufferSize - 1;
constexpr int kPartsPerThread = 4;

// The least memory a mesh from a file of this size can need: every piece takes
// at most 260 bytes of the file (259 characters and a folded CR), every two
// pieces make a triangle, and a triangle takes 18 doubles.
std::uint64_t LeastMeshBytes(std::uint64_t fileSize) {
    const std::uint64_t leastTriangles = fileSize / kVertexLineBufferSize / 2;
    return leastTriangles * 2 * kValuesPerLine * sizeof(double);
}

// A fresh handle on one stretch of the file being read.
using SliceOpener = std::function<std::unique_ptr<IBinaryFile>(LineRange)>;

VertexMesh ReadVertexParts(const std::vector<LineRange>& ranges, int threads,
                           const SliceOpener& open) {
    std::vector<std::uint64_t> pieces(ranges.size());  // counted in the first pass
    RunParts(ranges.size(), threads, [&](std::size_t i) {
        pieces[i] = TextFileReader(*open(ranges[i])).CountPieces(kPieceLimit);
    });
    std::vector<std::uint64_t> firstPiece(ranges.size());  // pieces in the parts before
    std::uint64_t lines = 0;
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        firstPiece[i] = lines;
        lines += pieces[i];
    }

    // A count whose arrays could not even be sized is as hopeless as a failed
    // allocation, and is reported the same way.
    const std::uint64_t triangles = lines / 2;
    if (triangles > INT_MAX / kValuesPerLine) throw std::bad_alloc();
    const std::size_t values = static_cast<std::size_t>(triangles) * kValuesPerLine;
    // Both arrays or none: a mesh never has a count its arrays do not match.
    auto vertices = std::make_unique_for_overwrite<double[]>(values);
    auto normals = std::make_unique_for_overwrite<double[]>(values);
    PreferLargePages(vertices.get(), values * sizeof(double));
    PreferLargePages(normals.get(), values * sizeof(double));

    // The file may have changed since it was counted: each part fills exactly
    // the values of the pieces it counted, whatever it reads now, and zeros
    // where its part of the file became shorter. A last, unpaired line is
    // never read.
    RunParts(ranges.size(), threads, [&](std::size_t i) {
        const std::uint64_t end = std::min(firstPiece[i] + pieces[i], triangles * 2);
        std::uint64_t index = firstPiece[i];
        if (index < end) {
            const auto slice = open(ranges[i]);
            TextFileReader reader(*slice);
            std::string_view piece;
            for (; index < end && reader.ReadPiece(piece, kPieceLimit); ++index)
                ScanVertexLine(piece,
                               &(index % 2 ? normals : vertices)[index / 2 * kValuesPerLine]);
        }
        for (; index < end; ++index)
            std::fill_n(&(index % 2 ? normals : vertices)[index / 2 * kValuesPerLine],
                        kValuesPerLine, 0.0);
    });

    VertexMesh mesh;
    mesh.triangleCount = static_cast<int>(triangles);
    mesh.vertices = std::move(vertices);
    mesh.normals = std::move(normals);
    return mesh;
}

}  // namespace

VertexMesh ReadVertexFile(const char* path) {
    BinaryFile file(path);
    const std::uint64_t size = file.GetLength();
    if (LeastMeshBytes(size) > MemoryLimit()) throw std::bad_alloc();
    const std::string name(path);
    const int threads = ReaderThreadsFor(size);
    VertexMesh mesh = ReadVertexParts(
        SplitAtLineStarts(file, size, threads > 1 ? threads * kPartsPerThread : 1), threads,
        [&name](LineRange range) {
            return std::make_unique<FileSlice>(std::make_unique<BinaryFile>(name.c_str()), range);
        });
    file.Close();
    return mesh;
}

VertexMesh ReadVertexBytes(std::span<const std::uint8_t> bytes, int parts) {
    if (LeastMeshBytes(bytes.size()) > MemoryLimit()) throw std::bad_alloc();
    MemoryFile file(bytes);
    return ReadVertexParts(
        SplitAtLineStarts(file, bytes.size(), parts), parts, [bytes](LineRange range) {
            return std::make_unique<MemoryFile>(
                bytes.subspan(static_cast<std::size_t>(range.begin),
                              static_cast<std::size_t>(range.end - range.begin)));
        });
}

}  // namespace bravok
