// Close requests by signal: the handler only writes the signal's number into a
// pipe, the one thing it may safely do, and the watcher's thread reads it and
// calls the game.

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <thread>

#include "platform/Signals.h"

namespace bravok {

namespace {

constexpr std::array kCloseSignals{SIGTERM, SIGINT, SIGHUP};

// The pipe's writing end, for the handler, which can reach nothing else; -1
// while no watch is on.
std::atomic<int> g_wakeFd{-1};

void OnSignal(int signal) {
    const int savedErrno = errno;  // the interrupted code may be about to read errno
    const auto byte = static_cast<unsigned char>(signal);
    if (const int fd = g_wakeFd.load(); fd >= 0 && ::write(fd, &byte, 1) < 0) {
        // Nothing to do: a full pipe already holds a request.
    }
    errno = savedErrno;
}

}  // namespace

struct CloseRequests::Watch {
    std::array<int, 2> pipe{-1, -1};  // read end, write end
    std::array<struct sigaction, kCloseSignals.size()> previous{};
    std::jthread thread;
};

CloseRequests::CloseRequests(std::function<void()> onRequest) : m_watch(std::make_unique<Watch>()) {
    Watch& watch = *m_watch;
    if (::pipe2(watch.pipe.data(), O_CLOEXEC) != 0) return;
    g_wakeFd = watch.pipe[1];
    watch.thread = std::jthread([fd = watch.pipe[0], onRequest = std::move(onRequest)] {
        unsigned char byte = 0;
        // A zero byte is the destructor's: the watch is over.
        for (;;) {
            const ssize_t got = ::read(fd, &byte, 1);
            if (got < 0 && errno == EINTR) continue;
            if (got != 1 || byte == 0) return;
            onRequest();
        }
    });
    for (std::size_t i = 0; i < kCloseSignals.size(); ++i) {
        struct sigaction action {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        // SA_RESETHAND: taking the signal gives it its own action back.
        action.sa_flags = SA_RESETHAND | SA_RESTART;
        sigaction(kCloseSignals[i], &action, &watch.previous[i]);
    }
}

CloseRequests::~CloseRequests() {
    Watch& watch = *m_watch;
    if (watch.pipe[0] < 0) return;
    for (std::size_t i = 0; i < kCloseSignals.size(); ++i) {
        // A signal already taken has its own action back; one still watched
        // gets what it had before.
        struct sigaction current {};
        if (sigaction(kCloseSignals[i], nullptr, &current) == 0 && current.sa_handler == OnSignal)
            sigaction(kCloseSignals[i], &watch.previous[i], nullptr);
    }
    const unsigned char stop = 0;
    while (::write(watch.pipe[1], &stop, 1) < 0 && errno == EINTR) {
    }
    watch.thread.join();
    g_wakeFd = -1;
    ::close(watch.pipe[0]);
    ::close(watch.pipe[1]);
}

}  // namespace bravok
