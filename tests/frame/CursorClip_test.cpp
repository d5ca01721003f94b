#include "frame/CursorClip.h"

#include <gtest/gtest.h>

namespace bravok {
namespace {

TEST(CursorClip, PositionsAreHeldInsideWithTheLastRowAndColumnReachable) {
    CursorClip clip;
    EXPECT_EQ(clip.Clamp({-5, 9000}), (Point{-5, 9000})) << "no clip, no limit";
    clip.Clip(Rect{100, 50, 598, 500});
    EXPECT_EQ(clip.Clamp({300, 200}), (Point{300, 200}));
    EXPECT_EQ(clip.Clamp({0, 0}), (Point{100, 50}));
    EXPECT_EQ(clip.Clamp({598, 500}), (Point{597, 499})) << "right and bottom are outside";
    EXPECT_EQ(clip.Clamp({2000, 60}), (Point{597, 60}));
    clip.Clip(Rect{10, 10, 10, 10});
    EXPECT_EQ(clip.Clamp({3, 4}), (Point{3, 4})) << "an empty rectangle confines nothing";
    clip.Clip(std::nullopt);
    EXPECT_EQ(clip.Clamp({0, 0}), (Point{0, 0}));
}

TEST(CursorClip, DisplayCountHidesWhileNegative) {
    CursorClip clip;
    EXPECT_TRUE(clip.Visible());
    EXPECT_EQ(clip.Show(false), -1);
    EXPECT_FALSE(clip.Visible());
    EXPECT_EQ(clip.Show(false), -2);
    EXPECT_EQ(clip.Show(true), -1);
    EXPECT_FALSE(clip.Visible()) << "one show does not undo two hides";
    EXPECT_EQ(clip.Show(true), 0);
    EXPECT_TRUE(clip.Visible());
}

}  // namespace
}  // namespace bravok
