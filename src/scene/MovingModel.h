#pragma once

#include <memory>
#include <mutex>

#include "base/ManualResetEvent.h"
#include "scene/SceneObject.h"

namespace bravok {

// The red model that floats in the room. Its worker swings it between x = -5
// and x = +5 while spinning it about the X axis; the player's worker asks for
// the repaints that show the motion.
class CMovingModel : public CSceneObject {
  public:
    static constexpr const char* kVertexFile = "cylinder.vtx";
    static constexpr float kSwingStep = 0.5f;  // world units per tick
    static constexpr float kSwingLimit = 5.0f;
    static constexpr float kSpinStep = 5.0f;  // degrees per tick

    CMovingModel();
    // Stops a worker that is still running, so the model can never be freed
    // under it.
    ~CMovingModel() override;

    // Creates the lock and the stop event, loads the mesh and starts the worker.
    // Needs the OpenGL context current.
    void Init();
    void Draw() override;
    // Stops the worker and waits for it to end.
    void Cleanup() override;
    void ThreadProc() override;

    // One tick of the animation, under the lock: spin on, turn round at either
    // end of the swing, move one step. step is the loop's own swing direction.
    void AnimationTick(float& step);

  private:
    friend struct TestAccess;

    std::unique_ptr<ManualResetEvent> m_hStopEvent;
    std::mutex m_lock;  // guards m_rotX and m_posX between the worker and Draw
};

}  // namespace bravok
