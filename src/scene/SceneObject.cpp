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

void CSceneObject::Load(const char* path) {
    VertexMesh mesh;
    try {
        mesh = ReadVertexFile(path);
    } catch (const FileException&) {
        return;
    } catch (const std::bad_alloc&) {
        // A vertex file too large for memory is a bad file, not a reason to end
        // the game: the object simply has no mesh.
        return;
    }
    m_triangleCount = mesh.triangleCount;
    m_vertices = std::move(mesh.vertices);
    m_normals = std::move(mesh.normals);
    m_listId = static_cast<GLuint>(NextListId());
    CompileMesh();
}

void CSceneObject::CompileMesh() {
    // One run of triangles draws exactly what a glBegin and glEnd pair per
    // triangle draws, and compiles several times faster.
    glNewList(m_listId, GL_COMPILE);
    glBegin(GL_TRIANGLES);
    const std::size_t corners = static_cast<std::size_t>(m_triangleCount) * 3;
    for (std::size_t c = 0; c < corners; ++c) {
        glNormal3dv(&m_normals[3 * c]);
        glVertex3dv(&m_vertices[3 * c]);
    }
    glEnd();
    glEndList();
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
