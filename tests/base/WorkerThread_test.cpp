#include "base/WorkerThread.h"

#include <gtest/gtest.h>

#include <atomic>

#include "Eventually.h"
#include "TestAccess.h"
#include "base/ManualResetEvent.h"

namespace bravok {
namespace {

using namespace std::chrono_literals;

// A pause takes effect at the gate after the tick in progress (held here until
// the test lets it end); pauses nest; a resume of a running worker is not kept.
TEST(WorkerThread, PausesNestAndActBetweenTicks) {
    ManualResetEvent tickStarted, finishTick;
    std::atomic<int> ticks{0};
    WorkerThread thread;  // last, so that it is joined first
    thread.Start([&] {
        while (thread.PassPauseGate()) {
            tickStarted.Set();
            finishTick.Wait(30s);
            ++ticks;
        }
    });
    ASSERT_EQ(tickStarted.Wait(30s), WaitResult::Signalled);
    EXPECT_EQ(thread.Resume(), 0) << "a running worker has nothing to resume";
    EXPECT_EQ(thread.Suspend(), 0);
    EXPECT_EQ(thread.Suspend(), 1);
    tickStarted.Reset();
    finishTick.Set();  // the tick in progress runs to its end
    ASSERT_TRUE(test::Eventually([&] { return TestAccess::Parked(thread); }));
    EXPECT_EQ(ticks.load(), 1);
    EXPECT_EQ(thread.Resume(), 2);
    EXPECT_TRUE(TestAccess::Parked(thread)) << "one resume of two pauses";
    EXPECT_FALSE(tickStarted.IsSet());
    EXPECT_EQ(thread.Resume(), 1);
    EXPECT_TRUE(test::Eventually([&] { return ticks.load() > 1; }));
    thread.Suspend();
    thread.Join();  // ends a paused worker too
}

}  // namespace
}  // namespace bravok
