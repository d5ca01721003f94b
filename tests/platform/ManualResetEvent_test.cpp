#include "platform/ManualResetEvent.h"

#include <gtest/gtest.h>

#include <thread>

namespace bravok {
namespace {

using namespace std::chrono_literals;

TEST(ManualResetEvent, TimesOutWhileUnsetAndStaysSetForEveryWaiter) {
    ManualResetEvent event;
    EXPECT_EQ(event.Wait(1ms), WaitResult::TimedOut);
    event.Set();
    EXPECT_EQ(event.Wait(0ms), WaitResult::Signalled);
    EXPECT_EQ(event.Wait(1ms), WaitResult::Signalled) << "a manual-reset event stays set";
    event.Reset();
    EXPECT_EQ(event.Wait(1ms), WaitResult::TimedOut);
}

TEST(ManualResetEvent, WaitOnMissingEventFails) {
    EXPECT_EQ(WaitForSingleObject(nullptr, 10ms), WaitResult::Failed);
    ManualResetEvent event;
    event.Set();
    EXPECT_EQ(WaitForSingleObject(&event, 10ms), WaitResult::Signalled);
}

// A Set racing with the start of a wait must never be lost: the waiter would
// then sleep its whole time-out, and a worker would miss its stop.
TEST(ManualResetEvent, SetFromAnotherThreadIsNeverLost) {
    for (int round = 0; round < 200; ++round) {
        ManualResetEvent event;
        WaitResult result = WaitResult::Failed;
        std::thread waiter([&] { result = event.Wait(30s); });
        event.Set();
        waiter.join();
        ASSERT_EQ(result, WaitResult::Signalled) << "round " << round;
    }
}

}  // namespace
}  // namespace bravok
