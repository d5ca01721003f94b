#include "platform/WorkerThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "Eventually.h"
#include "platform/ManualResetEvent.h"

namespace bravok {
namespace {

using namespace std::chrono_literals;
using test::Eventually;

// A worker whose ticks the test can hold: each tick announces itself, then waits
// until the test lets it finish.
class SteppedWorker {
  public:
    SteppedWorker() {
        m_thread.Start([this] {
            while (m_thread.PassPauseGate()) {
                m_tickStarted.Set();
                m_finishTick.Wait(30s);
                ++m_ticks;
                if (m_stop.load()) return;
            }
        });
    }
    ~SteppedWorker() { Stop(); }

    void Stop() {
        m_stop = true;
        m_finishTick.Set();
        m_thread.Join();
    }

    WorkerThread m_thread;
    ManualResetEvent m_tickStarted;
    ManualResetEvent m_finishTick;
    std::atomic<int> m_ticks{0};
    std::atomic<bool> m_stop{false};
};

TEST(WorkerThread, PauseTakesEffectOnlyAfterTheTickInProgress) {
    SteppedWorker worker;
    ASSERT_EQ(worker.m_tickStarted.Wait(30s), WaitResult::Signalled);
    worker.m_thread.Suspend();
    worker.m_tickStarted.Reset();
    worker.m_finishTick.Set();  // the tick in progress runs to its end
    ASSERT_TRUE(Eventually([&] { return worker.m_ticks.load() >= 1; }));
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(worker.m_ticks.load(), 1);
    EXPECT_FALSE(worker.m_tickStarted.IsSet()) << "no new tick may start while paused";
    worker.m_thread.Resume();
    EXPECT_TRUE(Eventually([&] { return worker.m_ticks.load() > 1; }));
}

TEST(WorkerThread, PausesNestAndExtraResumesDoNothing) {
    WorkerThread thread;
    ManualResetEvent release;
    std::atomic<int> ticks{0};
    thread.Resume();  // before start: no thread, nothing to do
    ASSERT_TRUE(thread.Start([&] {
        while (thread.PassPauseGate()) {
            ++ticks;
            release.Wait(5ms);
        }
    }));
    thread.Resume();  // not paused: must not bank a resume for later
    EXPECT_EQ(thread.PauseCount(), 0);
    thread.Suspend();
    EXPECT_EQ(thread.PauseCount(), 1) << "a resume of a running worker must not be counted";
    thread.Suspend();
    thread.Resume();
    EXPECT_EQ(thread.PauseCount(), 1);
    // Still paused after one resume of two pauses: at most the tick in progress ends.
    std::this_thread::sleep_for(50ms);
    const int settled = ticks.load();
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(ticks.load(), settled);
    thread.Resume();
    EXPECT_TRUE(Eventually([&] { return ticks.load() > settled; }));
    thread.Join();
}

TEST(WorkerThread, JoinEndsAPausedWorkerWithoutAnotherTick) {
    for (int pauses : {1, 2, 5}) {
        SteppedWorker worker;
        ASSERT_EQ(worker.m_tickStarted.Wait(30s), WaitResult::Signalled);
        for (int i = 0; i < pauses; ++i) worker.m_thread.Suspend();
        worker.m_finishTick.Set();
        ASSERT_TRUE(Eventually([&] { return worker.m_ticks.load() == 1; }));
        worker.m_tickStarted.Reset();
        worker.m_thread.Join();  // would hang for ever if the pause held it
        EXPECT_EQ(worker.m_ticks.load(), 1) << pauses << " pauses";
        EXPECT_FALSE(worker.m_tickStarted.IsSet());
    }
}

TEST(WorkerThread, WithoutAThreadEveryOperationReturnsAtOnce) {
    WorkerThread thread;
    EXPECT_FALSE(thread.Started());
    thread.Suspend();
    thread.Suspend();
    EXPECT_EQ(thread.PauseCount(), 0);
    thread.Resume();
    thread.Join();
}

}  // namespace
}  // namespace bravok
