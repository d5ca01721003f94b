#include "platform/WorkerThread.h"

#include <gtest/gtest.h>

#include <atomic>

#include "Eventually.h"
#include "TestAccess.h"
#include "platform/ManualResetEvent.h"

namespace bravok {
namespace {

using namespace std::chrono_literals;
using test::Eventually;

// A worker whose ticks the test holds: each tick announces itself, then waits
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
    ~SteppedWorker() {
        m_stop = true;
        m_finishTick.Set();
        m_thread.Join();
    }
    bool Parked() const { return TestAccess::Parked(m_thread); }

    WorkerThread m_thread;
    ManualResetEvent m_tickStarted;
    ManualResetEvent m_finishTick;
    std::atomic<int> m_ticks{0};
    std::atomic<bool> m_stop{false};
};

// A pause takes effect at the gate after the tick in progress, never inside a
// tick; pauses nest, and a resume of a running worker is not kept for later.
TEST(WorkerThread, PausesNestAndActBetweenTicks) {
    SteppedWorker worker;
    ASSERT_EQ(worker.m_tickStarted.Wait(30s), WaitResult::Signalled);
    EXPECT_EQ(worker.m_thread.Resume(), 0) << "a running worker has nothing to resume";
    EXPECT_EQ(worker.m_thread.Suspend(), 0);
    EXPECT_EQ(worker.m_thread.Suspend(), 1);
    worker.m_tickStarted.Reset();
    worker.m_finishTick.Set();  // the tick in progress runs to its end
    ASSERT_TRUE(Eventually([&] { return worker.Parked(); }));
    EXPECT_EQ(worker.m_ticks.load(), 1);
    EXPECT_EQ(worker.m_thread.Resume(), 2);
    EXPECT_TRUE(worker.Parked()) << "one resume of two pauses";
    EXPECT_FALSE(worker.m_tickStarted.IsSet());
    EXPECT_EQ(worker.m_thread.Resume(), 1);
    EXPECT_TRUE(Eventually([&] { return worker.m_ticks.load() > 1; }));
}

TEST(WorkerThread, JoinEndsAPausedWorkerWithoutAnotherTick) {
    for (int pauses : {1, 3}) {
        SteppedWorker worker;
        ASSERT_EQ(worker.m_tickStarted.Wait(30s), WaitResult::Signalled);
        for (int i = 0; i < pauses; ++i) worker.m_thread.Suspend();
        worker.m_tickStarted.Reset();
        worker.m_finishTick.Set();
        ASSERT_TRUE(Eventually([&] { return worker.Parked(); }));
        worker.m_thread.Join();  // would hang for ever if the pause held it
        EXPECT_EQ(worker.m_ticks.load(), 1) << pauses << " pauses";
        EXPECT_FALSE(worker.m_tickStarted.IsSet());
    }
}

TEST(WorkerThread, WithoutAThreadEveryOperationReturnsAtOnce) {
    WorkerThread thread;
    EXPECT_FALSE(thread.Started());
    EXPECT_EQ(thread.Suspend(), 0);
    EXPECT_EQ(thread.Suspend(), 0) << "nothing to count";
    EXPECT_EQ(thread.Resume(), 0);
    thread.Join();
}

}  // namespace
}  // namespace bravok
