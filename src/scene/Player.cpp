#include "scene/Player.h"

namespace bravok {

CPlayer::CPlayer() {
    // The eye starts at (0, 3, 4): three units above the floor, looking along -z.
    m_posY = -3.0f;
    m_posZ = -4.0f;
    m_ambientDiffuse = {0.4f, 0.4f, 0.4f, 1.0f};
    m_specular = {1.0f, 1.0f, 1.0f, 1.0f};
    m_shininess = 90.0f;
}

CPlayer::~CPlayer() {
    StopWorker(m_hStopEvent);
}

void CPlayer::Init(IWindowServices* owner) {
    m_pFrame = owner;
    m_ringListId = static_cast<GLuint>(NextListId());
    m_gridListId = static_cast<GLuint>(NextListId());
    m_roomListId = static_cast<GLuint>(NextListId());

    glNewList(m_ringListId, GL_COMPILE);
    DrawRingCrosshair();
    glEndList();
    glNewList(m_gridListId, GL_COMPILE);
    DrawGridCrosshair();
    glEndList();
    glNewList(m_roomListId, GL_COMPILE);
    DrawRoom();
    glEndList();

    m_hStopEvent = std::make_unique<ManualResetEvent>();
    StartThread();
}

void CPlayer::Draw() {
    {
        std::scoped_lock lock(m_lock);
        glRotatef(m_rotX, 1.0f, 0.0f, 0.0f);
        glRotatef(m_rotY, 0.0f, 1.0f, 0.0f);
        glTranslatef(m_posX, m_posY, m_posZ);
    }
    glCallList(m_crosshairStyle.load() != 0 ? m_ringListId : m_gridListId);
    glCallList(m_roomListId);
}

void CPlayer::Cleanup() {
    StopWorker(m_hStopEvent);
}

}  // namespace bravok
