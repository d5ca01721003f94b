#include "scene/VertexFile.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

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
// Parts this small let the user of the mesh start on it soon after the
// reading does, and follow it closely; opening one costs a few microseconds.
constexpr std::uint64_t kBytesPerPart = std::uint64_t{1} << 20;
constexpr std::uint64_t kMostParts = 1024;

// The least memory a mesh from a file of this size can need: every piece takes
// at most 260 bytes of the file (259 characters and a folded CR), every two
// pieces make a triangle, and a triangle takes 18 doubles.
std::uint64_t LeastMeshBytes(std::uint64_t fileSize) {
    const std::uint64_t leastTriangles = fileSize / kVertexLineBufferSize / 2;
    return leastTriangles * 2 * kValuesPerLine * sizeof(double);
}

// A file of a megabyte or more comes in parts of about a megabyte, at least
// four a thread, so that the mesh can be used part by part even where one
// thread reads it.
int PartsFor(std::uint64_t size, int threads) {
    if (size < kBytesPerPart) return 1;
    return static_cast<int>(std::clamp<std::uint64_t>(
        size / kBytesPerPart, static_cast<std::uint64_t>(threads) * kPartsPerThread, kMostParts));
}

// A fresh handle on one stretch of the file being read.
using SliceOpener = std::function<std::unique_ptr<IBinaryFile>(LineRange)>;

}  // namespace

// The pair pass, shared by the reading's threads and the thread that takes the
// mesh, which reads parts too while it waits.
struct VertexFileReading::PairPass {
    std::vector<LineRange> ranges;
    SliceOpener open;
    std::vector<std::uint64_t> pieces;      // counted in the first pass
    std::vector<std::uint64_t> firstPiece;  // pieces in the parts before
    std::uint64_t triangles = 0;
    std::atomic<std::size_t> next{0};  // the first part no thread has taken
};

void VertexFileReading::ReadParts(std::vector<LineRange> ranges, int threads, SliceOpener open) {
    auto pass = std::make_unique<PairPass>();
    pass->pieces.resize(ranges.size());
    RunParts(ranges.size(), threads, [&](std::size_t i) {
        if (!m_handOver.Failed())
            pass->pieces[i] = TextFileReader(*open(ranges[i])).CountPieces(kPieceLimit);
    });
    if (m_handOver.Failed()) return;
    pass->firstPiece.resize(ranges.size());
    std::uint64_t lines = 0;
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        pass->firstPiece[i] = lines;
        lines += pass->pieces[i];
    }

    // A count whose arrays could not even be sized is as hopeless as a failed
    // allocation, and is reported the same way.
    const std::uint64_t triangles = lines / 2;
    if (triangles > INT_MAX / kValuesPerLine) throw std::bad_alloc();
    const std::size_t values = static_cast<std::size_t>(triangles) * kValuesPerLine;
    // Both arrays or none: a mesh never has a count its arrays do not match.
    auto vertices = std::make_unique_for_overwrite<double[]>(values);
    auto normals = std::make_unique_for_overwrite<double[]>(values);
    m_mesh.triangleCount = static_cast<int>(triangles);
    m_mesh.vertices = std::move(vertices);
    m_mesh.normals = std::move(normals);
    // A triangle is complete once the part holding its second line is read.
    m_partEnds.resize(ranges.size());
    for (std::size_t i = 0; i < ranges.size(); ++i)
        m_partEnds[i] = std::min(triangles, (pass->firstPiece[i] + pass->pieces[i]) / 2);
    pass->triangles = triangles;
    pass->ranges = std::move(ranges);
    pass->open = std::move(open);
    m_pairs = std::move(pass);
    m_handOver.Begin(m_pairs->ranges.size());

    // One thread a core; but once a thread takes the mesh, compiling it
    // meanwhile and reading a part itself whenever the next is not read yet,
    // one of them stops, so that it does not take that thread's core.
    RunParts(static_cast<std::size_t>(threads), threads, [this, threads](std::size_t reader) {
        while ((reader > 0 || threads == 1 || !m_taking) && ReadNextPart()) {
        }
    });
}

bool VertexFileReading::ReadNextPart() {
    if (m_handOver.Failed()) return false;
    PairPass& pass = *m_pairs;
    const std::size_t i = pass.next.fetch_add(1);
    if (i >= pass.ranges.size()) return false;
    try {
        // The file may have changed since it was counted: each part fills
        // exactly the values of the pieces it counted, whatever it reads now,
        // and zeros where its part of the file became shorter. A last,
        // unpaired line is never read.
        const std::uint64_t end = std::min(pass.firstPiece[i] + pass.pieces[i], pass.triangles * 2);
        std::uint64_t index = pass.firstPiece[i];
        const auto values = [this](std::uint64_t piece) {
            return &(piece % 2 ? m_mesh.normals : m_mesh.vertices)[piece / 2 * kValuesPerLine];
        };
        if (index < end) {
            const auto slice = pass.open(pass.ranges[i]);
            TextFileReader reader(*slice);
            // Two lines at a time, read in turns, while two are left to read.
            std::string_view pieces[2];
            while (index < end) {
                const auto wanted =
                    static_cast<std::size_t>(std::min<std::uint64_t>(2, end - index));
                const std::size_t got = reader.ReadPieces({pieces, wanted}, kPieceLimit);
                if (got == 0) break;
                if (got == 2)
                    ScanVertexLines(pieces[0], values(index), pieces[1], values(index + 1));
                else
                    ScanVertexLine(pieces[0], values(index));
                index += got;
            }
        }
        for (; index < end; ++index) std::fill_n(values(index), kValuesPerLine, 0.0);
        m_handOver.Finish(i);
    } catch (...) {
        // The user of the mesh stops at once, not when the other parts are read.
        m_handOver.Fail(std::current_exception());
        return false;
    }
    return true;
}

struct VertexFileReading::Source {
    std::string path;                     // a file on disk, unless inMemory
    Use use = Use::Now;                   // for the file: when its mesh is needed
    bool inMemory = false;                // bytes in memory,
    std::span<const std::uint8_t> bytes;  // these,
    int parts = 1;                        // in this many parts
};

VertexFileReading::VertexFileReading(std::string path, Use use)
    : m_source(std::make_unique<Source>(Source{std::move(path), use, false, {}, 1})) {
    Start();
}

VertexFileReading::VertexFileReading(std::span<const std::uint8_t> bytes, int parts)
    : m_source(std::make_unique<Source>(Source{{}, Use::Now, true, bytes, parts})) {
    // Bytes in one part are read by the thread that takes them: a thread of
    // their own would only add its start.
    if (parts > 1) Start();
}

void VertexFileReading::Start() {
    try {
        m_thread = std::thread([this] { Read(*m_source); });
    } catch (const std::system_error&) {
        // Take reads the file itself.
    }
}

VertexFileReading::~VertexFileReading() {
    if (!m_thread.joinable()) return;
    m_handOver.Fail(std::make_exception_ptr(std::runtime_error("the mesh was not needed")));
    m_thread.join();
}

void VertexFileReading::Read(const Source& source) noexcept {
    try {
        if (source.inMemory) {
            const std::span<const std::uint8_t> bytes = source.bytes;
            if (LeastMeshBytes(bytes.size()) > MemoryLimit()) throw std::bad_alloc();
            MemoryFile file(bytes);
            ReadParts(SplitAtLineStarts(file, bytes.size(), source.parts), source.parts,
                      [bytes](LineRange range) {
                          return std::make_unique<MemoryFile>(
                              bytes.subspan(static_cast<std::size_t>(range.begin),
                                            static_cast<std::size_t>(range.end - range.begin)));
                      });
            return;
        }
        BinaryFile file(source.path.c_str());
        const std::uint64_t size = file.GetLength();
        if (LeastMeshBytes(size) > MemoryLimit()) throw std::bad_alloc();
        const int threads = source.use == Use::Later ? std::max(1, ReaderThreadsFor(size) - 1)
                                                     : ReaderThreadsFor(size);
        std::vector<LineRange> ranges = SplitAtLineStarts(file, size, PartsFor(size, threads));
        file.Close();
        ReadParts(std::move(ranges), threads, [&source](LineRange range) {
            return std::make_unique<FileSlice>(std::make_unique<BinaryFile>(source.path.c_str()),
                                               range);
        });
    } catch (...) {
        m_handOver.Fail(std::current_exception());
    }
}

VertexMesh VertexFileReading::Take(const TriangleRun& run) {
    if (!m_thread.joinable()) Read(*m_source);
    // The reading's threads end before the mesh leaves, and before a failure
    // is passed on.
    struct Joiner {
        std::thread& thread;
        ~Joiner() {
            if (thread.joinable()) thread.join();
        }
    } joiner{m_thread};
    m_taking = true;
    std::uint64_t done = 0;  // triangles handed over
    for (;;) {
        bool notYet = false;
        std::optional<std::size_t> part = m_handOver.TryNext(notYet);
        if (notYet) {
            // Reading a part beats waiting for one, once there are parts to read.
            if (!m_handOver.Begun()) {
                m_handOver.WaitBegun();
                continue;
            }
            if (ReadNextPart()) continue;
            part = m_handOver.Next();
        }
        if (!part) break;
        const std::uint64_t end = m_partEnds[*part];
        if (end > done && run) {
            const std::size_t first = static_cast<std::size_t>(done) * kValuesPerLine;
            const std::size_t count = static_cast<std::size_t>(end - done) * kValuesPerLine;
            run({&m_mesh.vertices[first], count}, {&m_mesh.normals[first], count});
        }
        done = std::max(done, end);
    }
    return std::move(m_mesh);
}

const std::string& VertexFileReading::Path() const {
    return m_source->path;
}

VertexMesh ReadVertexFile(const char* path) {
    return VertexFileReading(path).Take();
}

VertexMesh ReadVertexBytes(std::span<const std::uint8_t> bytes, int parts) {
    return VertexFileReading(bytes, parts).Take();
}

}  // namespace bravok
