#include "base/WorkerThread.h"

#include <system_error>

namespace bravok {

WorkerThread::~WorkerThread() {
    Join();
}

bool WorkerThread::Start(std::function<void()> body) {
    try {
        m_thread = std::thread(std::move(body));
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

int WorkerThread::Suspend() {
    if (!Started()) return 0;
    std::scoped_lock lock(m_mutex);
    return m_pauseCount++;
}

int WorkerThread::Resume() {
    if (!Started()) return 0;
    int previous = 0;
    {
        std::scoped_lock lock(m_mutex);
        previous = m_pauseCount;
        if (m_pauseCount == 0) return 0;
        --m_pauseCount;
    }
    m_gateChanged.notify_all();
    return previous;
}

void WorkerThread::Join() {
    if (!Started()) return;
    {
        std::scoped_lock lock(m_mutex);
        m_ending = true;
    }
    m_gateChanged.notify_all();
    // The lock is released before joining: the worker needs it to leave the gate.
    m_thread.join();
}

bool WorkerThread::PassPauseGate() {
    std::unique_lock lock(m_mutex);
    m_parked = true;
    m_gateChanged.wait(lock, [this] { return m_pauseCount == 0 || m_ending; });
    m_parked = false;
    return !m_ending;
}

}  // namespace bravok
