#pragma once

#include <GL/gl.h>

#include <mutex>
#include <tuple>

#include "base/WorkerThread.h"
#include "scene/MovingModel.h"
#include "scene/Player.h"

namespace bravok {

// The tests' one way into the scene objects' private state.
struct TestAccess {
    struct Pose {
        float rotX = 0, rotY = 0, posX = 0, posY = 0, posZ = 0;
        bool operator==(const Pose&) const = default;
    };

    // Read under the object's lock where it has one, as Draw does.
    static Pose GetPose(CMovingModel& model) {
        std::scoped_lock lock(model.m_lock);
        return PoseOf(model);
    }
    static Pose GetPose(CPlayer& player) {
        std::scoped_lock lock(player.m_lock);
        return PoseOf(player);
    }
    static void SetPose(CSceneObject& o, const Pose& p) {
        std::tie(o.m_rotX, o.m_rotY, o.m_posX, o.m_posY, o.m_posZ) =
            std::tie(p.rotX, p.rotY, p.posX, p.posY, p.posZ);
    }

    static GLuint ListId(const CSceneObject& object) { return object.m_listId; }
    static int LastPlayerList(const CPlayer& player) {
        return static_cast<int>(player.m_roomListId);
    }
    // For a check made on the thread that would hold it.
    static bool LockIsFree(CPlayer& player) {
        return std::unique_lock(player.m_lock, std::try_to_lock).owns_lock();
    }

    // The worker: whether it runs, is paused, waits at its gate (doing nothing).
    static bool HasWorker(const CSceneObject& object) { return object.m_hThread != nullptr; }
    static int PauseCount(const CSceneObject& object) {  // of a running worker
        std::scoped_lock lock(object.m_hThread->m_mutex);
        return object.m_hThread->m_pauseCount;
    }
    static bool Parked(const CSceneObject& object) {
        return object.m_hThread && Parked(*object.m_hThread);
    }
    static bool Parked(const WorkerThread& thread) {
        std::scoped_lock lock(thread.m_mutex);
        return thread.m_parked;
    }
    // A model worker that meets its stop event already set, or none at all.
    static void StartWithStopEvent(CMovingModel& model, bool set) {
        if (set) {
            model.m_hStopEvent = std::make_unique<ManualResetEvent>();
            model.m_hStopEvent->Set();
        }
        model.StartThread();
    }

  private:
    static Pose PoseOf(const CSceneObject& o) {
        return {o.m_rotX, o.m_rotY, o.m_posX, o.m_posY, o.m_posZ};
    }
};

}  // namespace bravok
