#include "app/ActivationTracker.h"

#include <gtest/gtest.h>

namespace bravok {
namespace {

// Pauses must balance whatever GTK sends, or the game stays frozen: count the
// pauses the passed-on changes would cause.
TEST(ActivationTracker, PassesOnOnlyRealChangesSoPausesBalance) {
    struct Case {
        const char* events;  // '+' activation, '-' deactivation
        int pausedAtEnd;
    };
    const Case cases[] = {
        {"+", 0},               // the first activation finds the workers running
        {"-+", 0}, {"--+", 0},  // two deactivations, then one activation
        {"-", 1},  {"+--++-+", 0}, {"-+-+-+-", 1},
    };
    for (const Case& c : cases) {
        ActivationTracker tracker;
        int paused = 0;
        for (const char* e = c.events; *e; ++e) {
            const bool active = *e == '+';
            if (tracker.Update(active)) paused += active ? -1 : 1;
            ASSERT_GE(paused, 0) << c.events;
            ASSERT_LE(paused, 1) << c.events;
        }
        EXPECT_EQ(paused, c.pausedAtEnd) << c.events;
        EXPECT_EQ(tracker.IsActive(), c.pausedAtEnd == 0) << c.events;
    }
}

}  // namespace
}  // namespace bravok
