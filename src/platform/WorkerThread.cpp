#include "platform/WorkerThread.h"

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

void WorkerThread::Suspend() {
    if (!Started()) return;
    std::scoped_lock lock(m_mutex);
    ++m_pauseCount;
}

void WorkerThread::Resume() {
    if (!Started()) return;
    {
        std::scoped_lock lock(m_mutex);
        if (m_pauseCount == 0) return;
        --m_pauseCount;
    }
    m_gateChanged.notify_all();
}

int WorkerThread::PauseCount() const {
    std::scoped_lock lock(m_mutex);
    return m_pauseCount;
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
    m_gateChanged.wait(lock, [this] { return m_pauseCount == 0 || m_ending; });
    return !m_ending;
}

}  // namespace bravok
