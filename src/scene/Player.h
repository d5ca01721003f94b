#pragma once

#include <atomic>
#include <memory>
#include <mutex>

#include "base/ManualResetEvent.h"
#include "platform/Geometry.h"
#include "scene/SceneObject.h"
#include "scene/WindowServices.h"

namespace bravok {

// The viewer. Its angles and position are the view transform that Draw leaves
// on the model-view matrix for the rest of the world; it owns the room and the
// two crosshairs, and an input worker that moves it from the keyboard and mouse.
class CPlayer : public CSceneObject {
  public:
    static constexpr float kMoveStep = 1.0f;       // world units per tick
    static constexpr float kKeyTurnStep = 5.0f;    // degrees per tick, arrows and A/Z
    static constexpr float kMouseTurnStep = 7.0f;  // degrees per tick, heading
    static constexpr float kMousePitchStep = 5.0f;
    // Deliberately a hair below pi/180: the game has always turned by this.
    static constexpr double kDegreesToRadians = 0.01745329251994;
    static constexpr const char* kShotSound = "rifle_shot.wav";

    // What the input worker remembers between ticks, for itself alone. The size
    // and centre are read when the worker starts and again at every mouse-look
    // step, so a resize, or the menu bar joining the window, is followed.
    struct InputLoopState {
        int width = 0;
        int height = 0;
        int centreX = 0;
        int centreY = 0;
        int lastX = 0;  // cursor, client coordinates, after the last mouse-look step
        int lastY = 0;
    };

    CPlayer();
    // Stops a worker that is still running, so the player can never be freed
    // under it.
    ~CPlayer() override;

    // Compiles the crosshair and room lists (ids ring, grid, room in that
    // order), creates the stop event and starts the input worker. Needs the
    // OpenGL context current. owner must outlive the worker.
    void Init(IWindowServices* owner);
    // Puts the view transform on the model-view matrix and leaves it there, then
    // draws the crosshair and the room.
    void Draw() override;
    // Stops the input worker and waits for it to end.
    void Cleanup() override;
    void ThreadProc() override;

    void DrawRoom();
    void DrawRingCrosshair();
    void DrawGridCrosshair();

    // The worker's start and one tick of its loop, callable on their own.
    static InputLoopState BeginInputLoop(IWindowServices& owner);
    void InputTick(IWindowServices& owner, InputLoopState& state);

    // Written by the window without the lock while the worker reads them.
    std::atomic<int> m_crosshairStyle{1};  // nonzero: ring, 0: grid
    std::atomic<int> m_mouseLook{0};       // nonzero while the window holds the mouse

  private:
    friend struct TestAccess;

    void MouseLookLocked(IWindowServices& owner, InputLoopState& state);

    IWindowServices* m_pFrame = nullptr;  // the owner window, not owned
    std::unique_ptr<ManualResetEvent> m_hStopEvent;
    std::mutex m_lock;  // guards m_rotX, m_rotY, m_posX, m_posY, m_posZ
    GLuint m_ringListId = 0;
    GLuint m_gridListId = 0;
    GLuint m_roomListId = 0;
};

}  // namespace bravok
