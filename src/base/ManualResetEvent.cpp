#include "base/ManualResetEvent.h"

namespace bravok {

void ManualResetEvent::Set() {
    {
        // Setting under the mutex the waiters check with means a waiter can never
        // test the flag, miss the Set, and then sleep through its notification.
        std::scoped_lock lock(m_mutex);
        m_signalled = true;
    }
    m_changed.notify_all();
}

void ManualResetEvent::Reset() {
    std::scoped_lock lock(m_mutex);
    m_signalled = false;
}

bool ManualResetEvent::IsSet() const {
    std::scoped_lock lock(m_mutex);
    return m_signalled;
}

WaitResult ManualResetEvent::Wait(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(m_mutex);
    const bool signalled = m_changed.wait_for(lock, timeout, [this] { return m_signalled; });
    return signalled ? WaitResult::Signalled : WaitResult::TimedOut;
}

WaitResult WaitForSingleObject(const ManualResetEvent* event, std::chrono::milliseconds timeout) {
    if (event == nullptr) return WaitResult::Failed;
    return event->Wait(timeout);
}

}  // namespace bravok
