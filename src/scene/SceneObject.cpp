#include "scene/SceneObject.h"

#include <new>

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
    try {
        ReadVertexFile(path, m_triangleCount, m_vertices, m_normals);
    } catch (const FileException&) {
        return;
    } catch (const std::bad_alloc&) {
        // A vertex file too large for memory is a bad file, not a reason to end
        // the game: the object simply has no mesh.
        return;
    }
    m_listId = static_cast<GLuint>(NextListId());
    CompileMesh();
}

void CSceneObject::CompileMesh() {
    glNewList(m_listId, GL_COMPILE);
    for (int t = 0; t < m_triangleCount; ++t) {
        const double* corners = &m_vertices[static_cast<std::size_t>(t) * kValuesPerLine];
        const double* normals = &m_normals[static_cast<std::size_t>(t) * kValuesPerLine];
        glBegin(GL_TRIANGLES);
        for (int c = 0; c < 3; ++c) {
            glNormal3d(normals[3 * c], normals[3 * c + 1], normals[3 * c + 2]);
            glVertex3d(corners[3 * c], corners[3 * c + 1], corners[3 * c + 2]);
        }
        glEnd();
    }
    glEndList();
}

void CSceneObject::Draw() {
    if (HasList()) glCallList(m_listId);
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
