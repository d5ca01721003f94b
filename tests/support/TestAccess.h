#pragma once

#include <GL/gl.h>

#include <array>
#include <mutex>

#include "platform/WorkerThread.h"
#include "scene/MovingModel.h"
#include "scene/Player.h"

namespace bravok {

// The tests' one way into the scene objects' private state, so that the
// program's own code sees only what the game makes public.
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
    static Pose GetPose(const CSceneObject& object) { return PoseOf(object); }
    static void SetPose(CSceneObject& object, const Pose& pose) {
        object.m_rotX = pose.rotX;
        object.m_rotY = pose.rotY;
        object.m_posX = pose.posX;
        object.m_posY = pose.posY;
        object.m_posZ = pose.posZ;
    }

    static GLuint ListId(const CSceneObject& object) { return object.m_listId; }
    static int TriangleCount(const CSceneObject& object) { return object.m_triangleCount; }
    static bool HasMesh(const CSceneObject& object) {
        return object.m_vertices != nullptr && object.m_normals != nullptr;
    }
    // ring, grid, room
    static std::array<GLuint, 3> PlayerLists(const CPlayer& player) {
        return {player.m_ringListId, player.m_gridListId, player.m_roomListId};
    }
    static const IWindowServices* Owner(const CPlayer& player) { return player.m_pFrame; }
    // For a check made on the thread that would hold it.
    static bool LockIsFree(CPlayer& player) {
        if (!player.m_lock.try_lock()) return false;
        player.m_lock.unlock();
        return true;
    }

    // The worker: whether one is running, how often it is paused, and whether
    // it waits at its pause gate (where it is certain to do nothing).
    static bool HasWorker(const CSceneObject& object) { return object.m_hThread != nullptr; }
    static int PauseCount(const CSceneObject& object) {
        return object.m_hThread ? PauseCount(*object.m_hThread) : 0;
    }
    static int PauseCount(const WorkerThread& thread) {
        std::scoped_lock lock(thread.m_mutex);
        return thread.m_pauseCount;
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
