#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace bravok {

enum class WaitResult { Signalled, TimedOut, Failed };

// An event that stays set until it is reset, so every waiter that comes after
// Set sees it, however late it arrives.
class ManualResetEvent {
  public:
    void Set();
    void Reset();
    bool IsSet() const;
    WaitResult Wait(std::chrono::milliseconds timeout) const;

  private:
    mutable std::mutex m_mutex;  // guards m_signalled
    mutable std::condition_variable m_changed;
    bool m_signalled = false;
};

// Waiting on an event that was never created fails at once, the way a wait on a
// null handle does; a worker treats that as its signal to end.
WaitResult WaitForSingleObject(const ManualResetEvent* event, std::chrono::milliseconds timeout);

}  // namespace bravok
