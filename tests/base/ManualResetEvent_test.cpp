#include "base/ManualResetEvent.h"

#include <gtest/gtest.h>

#include <thread>

namespace bravok {
namespace {

using namespace std::chrono_literals;

TEST(ManualResetEvent, StaysSetForEveryWaiterUntilResetAndIsNeverLost) {
    ManualResetEvent event;
    EXPECT_EQ(event.Wait(1ms), WaitResult::TimedOut);
    event.Set();
    EXPECT_EQ(event.Wait(0ms), WaitResult::Signalled);
    EXPECT_EQ(WaitForSingleObject(&event, 1ms), WaitResult::Signalled) << "still set";
    event.Reset();
    EXPECT_FALSE(event.IsSet());
    EXPECT_EQ(WaitForSingleObject(&event, 1ms), WaitResult::TimedOut);
    EXPECT_EQ(WaitForSingleObject(nullptr, 1ms), WaitResult::Failed) << "no event: the wait fails";
    // A Set racing with the start of a wait is never lost: the waiter would
    // sleep its whole time-out, and a worker would miss its stop.
    for (int round = 0; round < 200; ++round) {
        ManualResetEvent event;
        std::thread setter([&] { event.Set(); });
        ASSERT_EQ(event.Wait(30s), WaitResult::Signalled) << "round " << round;
        setter.join();
    }
}

}  // namespace
}  // namespace bravok
