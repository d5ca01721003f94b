#pragma once

#include <functional>
#include <memory>

namespace bravok {

// Requests to end the game that reach the process from outside its window. On
// POSIX systems these are SIGTERM, SIGINT and SIGHUP (the session ending, a
// terminal's Ctrl+C, `kill`); on Windows every such request arrives as a close
// of the window (the session ending included), and this watches nothing.
//
// The first request calls `onRequest` on a thread of the watcher's own, never
// inside a signal handler, so it may do anything that is safe off the window's
// thread. Taking it gives the signal its own action back: a second one while a
// stuck window keeps the game from ending ends it at once. Watching ends, and
// the signals' earlier actions come back, when the object goes.
// One at a time in a process.
class CloseRequests {
  public:
    explicit CloseRequests(std::function<void()> onRequest);
    ~CloseRequests();
    CloseRequests(const CloseRequests&) = delete;
    CloseRequests& operator=(const CloseRequests&) = delete;

  private:
    struct Watch;
    std::unique_ptr<Watch> m_watch;
};

}  // namespace bravok
