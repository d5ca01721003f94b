#include "scene/SceneObject.h"

#include <new>
#include <utility>

#include "platform/FileException.h"
#include "scene/VertexFile.h"

namespace bravok {

namespace {
// The one process-wide counter behind NextListId; every list name comes from it.
int g_lastListId = 0;
}  // namespace

CSceneObject::~CSceneObject() {
    CSceneObject::Cleanup();
}

int CSceneObject::NextListId() {
    return ++g_lastListId;
}

void CSceneObject::ReadAhead(std::unique_ptr<VertexFileReading> reading) {
    m_readAhead = std::move(reading);
}

namespace {

// The list being compiled as the mesh is read, under the id the object will
// take once the file has been read whole: a file that fails on the way takes
// no id, and what was compiled of it is thrown away.
class ListInProgress {
  public:
    explicit ListInProgress(GLuint id) : m_id(id) {}
    ListInProgress(const ListInProgress&) = delete;
    ListInProgress& operator=(const ListInProgress&) = delete;
    ~ListInProgress() {
        if (!m_begun) return;
        End();
        glDeleteLists(m_id, 1);
    }

    // One run of triangles draws exactly what a glBegin and glEnd pair per
    // triangle draws, and compiles several times faster.
    void Begin() {
        if (m_begun) return;
        glNewList(m_id, GL_COMPILE);
        glBegin(GL_TRIANGLES);
        m_begun = true;
    }
    // The whole list, even of no triangles, is compiled.
    void Complete() {
        Begin();
        End();
        m_begun = false;
    }

  private:
    static void End() {
        glEnd();
        glEndList();
    }

    GLuint m_id;
    bool m_begun = false;
};

}  // namespace

void CSceneObject::Load(const char* path) {
    std::unique_ptr<VertexFileReading> reading = std::move(m_readAhead);
    if (reading == nullptr || reading->Path() != path)
        reading = std::make_unique<VertexFileReading>(path);
    // Every list id is taken on this thread, so the next one is this object's.
    ListInProgress list(static_cast<GLuint>(g_lastListId + 1));
    VertexMesh mesh;
    try {
        mesh = reading->Take(
            [&list](std::span<const double> vertices, std::span<const double> normals) {
                list.Begin();
                CompileTriangles(vertices, normals);
            });
    } catch (const FileException&) {
        return;
    } catch (const std::bad_alloc&) {
        // A vertex file too large for memory is a bad file, not a reason to end
        // the game: the object simply has no mesh.
        return;
    }
    list.Complete();
    m_triangleCount = mesh.triangleCount;
    m_vertices = std::move(mesh.vertices);
    m_normals = std::move(mesh.normals);
    m_listId = static_cast<GLuint>(NextListId());
}

void CSceneObject::CompileTriangles(std::span<const double> vertices,
                                    std::span<const double> normals) {
    for (std::size_t v = 0; v < vertices.size(); v += 3) {
        glNormal3dv(&normals[v]);
        glVertex3dv(&vertices[v]);
    }
}

void CSceneObject::Draw() {
    if (m_listId != 0) glCallList(m_listId);
}

void CSceneObject::Cleanup() {
    m_vertices.reset();
    m_normals.reset();
}

void CSceneObject::ThreadProc() {}

void CSceneObject::StartThread() {
    // The handle exists before the thread does, so the worker can always reach
    // its pause gate through it.
    m_hThread = std::make_unique<WorkerThread>();
    m_hThread->Start([this] { ThreadEntry(this); });
}

void CSceneObject::ThreadEntry(void* param) {
    static_cast<CSceneObject*>(param)->ThreadProc();
}

void CSceneObject::SuspendWorker() {
    if (m_hThread) m_hThread->Suspend();
}

void CSceneObject::ResumeWorker() {
    if (m_hThread) m_hThread->Resume();
}

void CSceneObject::WaitWorker() {
    if (m_hThread) m_hThread->Join();
}

bool CSceneObject::WaitForNextTick(const ManualResetEvent* stopEvent) {
    if (WaitForSingleObject(stopEvent, kTickPeriod) != WaitResult::TimedOut) return false;
    return m_hThread == nullptr || m_hThread->PassPauseGate();
}

void CSceneObject::StopWorker(std::unique_ptr<ManualResetEvent>& stopEvent) {
    if (stopEvent) stopEvent->Set();
    WaitWorker();
    m_hThread.reset();
    stopEvent.reset();
}

}  // namespace bravok
