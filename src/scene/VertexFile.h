#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "scene/LineSplitter.h"
#include "scene/PartHandOver.h"

namespace bravok {

// A mesh as read from a vertex file: for triangle t, values 9t to 9t + 8 of
// vertices hold x, y, z of its three corners, and the same values of normals
// the normal at each corner.
struct VertexMesh {
    int triangleCount = 0;
    std::unique_ptr<double[]> vertices;
    std::unique_ptr<double[]> normals;
};

// A run of triangles just read: their corners and their normals, nine values a
// triangle in each.
using TriangleRun =
    std::function<void(std::span<const double> vertices, std::span<const double> normals)>;

// A vertex file being read on threads of its own from the moment the object is
// made, so that whoever needs the mesh can start on it before the whole file
// is read. A counting pass sizes the arrays exactly, then a pair pass scans the
// corners and normals of each triangle; a last, unpaired line is ignored. A
// file of a megabyte or more comes in parts of about a megabyte, at least four
// a thread, that the threads take in turn, each part through a handle of its
// own and a bounded buffer, on one thread a core, at most four (one fewer for
// a mesh needed later); once the mesh is being taken, the pair pass on one
// fewer, but at least one, since the thread that takes it uses each part as it
// comes, and reads the next itself when it would otherwise wait. A smaller
// file is read in one part.
class VertexFileReading {
  public:
    // When the mesh is needed only later, so that the reading runs beside the
    // rest of the program starting (the toolkit, the window), it leaves that
    // start a core of its own: one thread a core but one, at least one.
    enum class Use { Now, Later };
    explicit VertexFileReading(std::string path, Use use = Use::Now);
    // The bytes of a vertex file in memory, which the caller keeps alive, read
    // in `parts` parts on as many threads; in one part, by Take.
    VertexFileReading(std::span<const std::uint8_t> bytes, int parts);
    VertexFileReading(const VertexFileReading&) = delete;
    VertexFileReading& operator=(const VertexFileReading&) = delete;
    // A reading nobody took is given up; returns once its threads have ended.
    ~VertexFileReading();

    // Called once, on the thread that uses the mesh: hands every triangle to
    // `run` on this thread, in the file's order, in runs as soon as they are
    // read, and returns the mesh once all are. Throws FileException when the
    // file cannot be opened or read, and std::bad_alloc when the arrays cannot
    // be had, or, before anything is read or allocated, when the file is so
    // large that its mesh could never fit in memory; no run is handed over once
    // the reading has failed.
    VertexMesh Take(const TriangleRun& run = {});

    // The file's path as given; empty for bytes in memory.
    const std::string& Path() const;

  private:
    struct Source;
    struct PairPass;
    void Start();
    void Read(const Source& source) noexcept;
    // Counts the pieces of every part, sizes the mesh, then reads the parts.
    void ReadParts(std::vector<LineRange> ranges, int threads,
                   std::function<std::unique_ptr<IBinaryFile>(LineRange)> open);
    // Reads the next part no thread has taken; false when there is none, or
    // the reading has failed.
    bool ReadNextPart();

    std::unique_ptr<Source> m_source;
    PartHandOver m_handOver;
    // Set by the reading before it hands over the first part, then unchanged.
    VertexMesh m_mesh;
    std::vector<std::uint64_t> m_partEnds;  // triangles read once each part is
    std::unique_ptr<PairPass> m_pairs;      // set with m_mesh
    std::atomic<bool> m_taking{false};      // Take has begun
    std::thread m_thread;                   // empty where none could be started
};

// Reads a vertex file and returns its mesh, as VertexFileReading does.
VertexMesh ReadVertexFile(const char* path);
// The same for the bytes of a vertex file in memory, read in `parts` parts on
// as many threads.
VertexMesh ReadVertexBytes(std::span<const std::uint8_t> bytes, int parts = 1);

}  // namespace bravok
