#include "frame/CursorClip.h"

#include <gtest/gtest.h>

namespace bravok {
namespace {

// Held inside, with the last row and column reachable; no or an empty
// rectangle confines nothing.
TEST(CursorClip, HoldsPositionsInsideAndCountsShows) {
    CursorClip clip;
    EXPECT_EQ(clip.Clamp({-5, 9000}), (Point{-5, 9000}));
    clip.Clip(Rect{100, 50, 598, 500});
    const std::pair<Point, Point> cases[] = {{{300, 200}, {300, 200}},
                                             {{0, 0}, {100, 50}},
                                             {{598, 500}, {597, 499}},
                                             {{2000, 60}, {597, 60}},
                                             {{99, 49}, {100, 50}}};
    for (const auto& [in, out] : cases) EXPECT_EQ(clip.Clamp(in), out) << in.x << "," << in.y;
    clip.Clip(Rect{10, 10, 10, 10});
    EXPECT_EQ(clip.Clamp({3, 4}), (Point{3, 4}));
    // The display count hides the cursor while it is negative.
    for (const auto& [show, count] : {std::pair{false, -1}, {false, -2}, {true, -1}, {true, 0}}) {
        EXPECT_EQ(clip.Show(show), count);
        EXPECT_EQ(clip.Visible(), count >= 0) << count;
    }
}

}  // namespace
}  // namespace bravok
