#include "scene/MovingModel.h"

namespace bravok {

CMovingModel::CMovingModel() {
    m_ambientDiffuse = {1.0f, 0.0f, 0.0f, 1.0f};
    m_specular = {1.0f, 1.0f, 1.0f, 1.0f};
    m_shininess = 120.0f;
    m_posY = 2.0f;
}

CMovingModel::~CMovingModel() {
    StopWorker(m_hStopEvent);
}

void CMovingModel::Init() {
    m_hStopEvent = std::make_unique<ManualResetEvent>();
    Load(kVertexFile);
    StartThread();
}

void CMovingModel::Draw() {
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, m_ambientDiffuse.data());
    glMaterialfv(GL_FRONT, GL_SPECULAR, m_specular.data());
    glMaterialf(GL_FRONT, GL_SHININESS, m_shininess);
    glPushMatrix();
    {
        std::scoped_lock lock(m_lock);
        glTranslatef(0.0f, m_posY, 0.0f);
        glTranslatef(m_posX, 0.0f, 0.0f);
        glRotatef(m_rotX, 1.0f, 0.0f, 0.0f);
    }
    CSceneObject::Draw();
    glPopMatrix();
}

void CMovingModel::Cleanup() {
    StopWorker(m_hStopEvent);
}

void CMovingModel::ThreadProc() {
    float step = kSwingStep;
    while (WaitForNextTick(m_hStopEvent.get())) AnimationTick(step);
}

void CMovingModel::AnimationTick(float& step) {
    std::scoped_lock lock(m_lock);
    // Never wrapped: the angle just keeps growing by a spin step each tick.
    m_rotX += kSpinStep;
    // The turn-round test looks at the position before this tick's move, so both
    // ends of the swing are reached exactly.
    if (m_posX >= kSwingLimit || m_posX <= -kSwingLimit) step = -step;
    m_posX = m_posX + step;
}

}  // namespace bravok
