#pragma once

#include <GL/gl.h>

#include <array>
#include <chrono>
#include <memory>
#include <span>

#include "base/ManualResetEvent.h"
#include "base/WorkerThread.h"
#include "scene/VertexFile.h"

namespace bravok {

// The common base of everything in the 3D world: an orientation and a position,
// a material, an optional triangle mesh read from a vertex file and compiled once
// into a display list, and a worker thread that brings the object to life.
//
// Loading and drawing happen on the thread that owns the OpenGL context; the
// worker runs on its own thread, and each derived class that has one guards the
// fields its worker changes with a lock of its own.
class CSceneObject {
  public:
    // Every worker wakes up this often to do one tick of its work.
    static constexpr std::chrono::milliseconds kTickPeriod{50};

    CSceneObject() = default;
    CSceneObject(const CSceneObject&) = delete;
    CSceneObject& operator=(const CSceneObject&) = delete;
    // Releases the mesh arrays; stopping a worker is the derived class's business.
    virtual ~CSceneObject();

    // Reads a vertex file and compiles its mesh into a display list; needs the
    // OpenGL context current. The list is compiled as the file is read, part
    // by part in the file's order. A file that cannot be read, or a mesh too
    // large to hold, leaves the object without a list and takes no list id.
    virtual void Load(const char* path);
    // A reading of the object's vertex file begun before the context exists:
    // Load takes what it read in place of reading the file itself, when it
    // asks for the same path.
    void ReadAhead(std::unique_ptr<VertexFileReading> reading);
    // Replays the mesh list under the caller's matrix and material.
    virtual void Draw();
    // Releases the mesh arrays.
    virtual void Cleanup();
    // The worker's body; an object without a worker of its own does nothing.
    virtual void ThreadProc();

    // Starts the worker, which runs ThreadProc at once.
    void StartThread();
    static void ThreadEntry(void* param);
    void SuspendWorker();
    void ResumeWorker();
    void WaitWorker();

    // Hands out display-list names for the whole process: 1, 2, 3, ... in call
    // order. Called on the drawing thread only.
    static int NextListId();

  protected:
    float m_rotX = 0.0f;  // degrees about X
    float m_rotY = 0.0f;  // degrees about Y
    float m_posX = 0.0f;  // world units
    float m_posY = 0.0f;
    float m_posZ = 0.0f;
    std::array<float, 4> m_ambientDiffuse{};  // red, green, blue, alpha
    std::array<float, 4> m_specular{};
    float m_shininess = 0.0f;

    // The loop condition of every worker: waits one tick period on the stop
    // event, then passes the pause gate. True when one more tick is due; false
    // when the event was set, the wait failed, or the worker is being stopped.
    bool WaitForNextTick(const ManualResetEvent* stopEvent);

    // Sets the stop event, waits for the worker to end, and lets go of the thread
    // and the event. Safe to call again, and on an object that never started one.
    void StopWorker(std::unique_ptr<ManualResetEvent>& stopEvent);

  private:
    friend struct TestAccess;  // the tests' one way in: tests/support/TestAccess.h

    // One run of triangles, inside the list being compiled.
    static void CompileTriangles(std::span<const double> vertices, std::span<const double> normals);

    int m_triangleCount = 0;
    std::unique_ptr<double[]> m_vertices;            // x, y, z of each corner, 9 per triangle
    std::unique_ptr<double[]> m_normals;             // the normal at each corner, same shape
    std::unique_ptr<VertexFileReading> m_readAhead;  // until Load takes it
    std::unique_ptr<WorkerThread> m_hThread;
    GLuint m_listId = 0;  // 0 until Load has compiled a list; ids start at 1
};

}  // namespace bravok
