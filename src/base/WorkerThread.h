#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace bravok {

// A thread that its owner can pause and resume any number of times.
//
// The pause is a gate the worker's loop passes between two ticks, never inside
// one: a worker that holds its object's lock during a tick therefore can never be
// left paused with the lock held, and the painting thread never waits on it.
// Pauses nest; resuming a worker that is not paused does nothing.
class WorkerThread {
  public:
    WorkerThread() = default;
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;
    // Joins a thread still running, so no thread outlives the object it works on.
    ~WorkerThread();

    // Runs body on a new thread. Returns false when the thread cannot be created;
    // the object then has no thread, and Suspend, Resume and Join return at once.
    bool Start(std::function<void()> body);

    bool Started() const { return m_thread.joinable(); }

    // Each returns the pause count from before the call, as the system's own
    // suspend and resume calls do; both return 0 when there is no thread.
    int Suspend();
    int Resume();

    // Waits until the thread has ended. Waiting opens the gate for good, so a
    // paused worker wakes up and can end instead of waiting for a resume that will
    // never come.
    void Join();

    // Called by the worker between two ticks. Blocks while the worker is paused;
    // returns false when the worker is being waited for and must end now, without
    // another tick.
    bool PassPauseGate();

  private:
    friend struct TestAccess;

    mutable std::mutex m_mutex;  // guards m_pauseCount, m_ending and m_parked
    std::condition_variable m_gateChanged;
    int m_pauseCount = 0;
    bool m_ending = false;
    // True while the worker waits at the gate: it is then certain to do nothing
    // until it is let through, which an observer can tell from a slow tick.
    bool m_parked = false;
    std::thread m_thread;
};

}  // namespace bravok
