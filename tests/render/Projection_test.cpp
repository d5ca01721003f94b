#include "render/Projection.h"

#include <gtest/gtest.h>

#include <array>

#include "EglContext.h"

namespace bravok {
namespace {

std::array<GLint, 4> Viewport() {
    std::array<GLint, 4> v{};
    glGetIntegerv(GL_VIEWPORT, v.data());
    return v;
}

std::array<float, 16> Projection() {
    std::array<float, 16> m{};
    glGetFloatv(GL_PROJECTION_MATRIX, m.data());
    return m;
}

class ProjectionTest : public test::GlTest {};

TEST_F(ProjectionTest, FrustumIsTheSameForEveryShapeAndTheViewportFollowsTheSize) {
    ApplyProjection(498, 429);
    const auto first = Projection();
    // A symmetric frustum with near 2, far 60: x' = x, y' = y (scaled by
    // 2n / (r - l) = 2), depth mapped from 2..60.
    EXPECT_FLOAT_EQ(first[0], 2.0f);
    EXPECT_FLOAT_EQ(first[5], 2.0f);
    EXPECT_FLOAT_EQ(first[10], -(60.0f + 2.0f) / (60.0f - 2.0f));
    EXPECT_FLOAT_EQ(first[14], -2.0f * 60.0f * 2.0f / (60.0f - 2.0f));
    EXPECT_FLOAT_EQ(first[11], -1.0f);
    EXPECT_EQ(Viewport(), (std::array<GLint, 4>{0, 0, 498, 429}));

    ApplyProjection(800, 200);
    EXPECT_EQ(Projection(), first) << "a wide window stretches the picture";
    EXPECT_EQ(Viewport(), (std::array<GLint, 4>{0, 0, 800, 200}));

    ApplyProjection(0, 0);
    EXPECT_EQ(Viewport(), (std::array<GLint, 4>{0, 0, 0, 0})) << "minimised";
    ApplyProjection(498, 429);
    EXPECT_EQ(Viewport(), (std::array<GLint, 4>{0, 0, 498, 429})) << "restored";

    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION);
}

TEST_F(ProjectionTest, StatusBarStripHidesTheBottomOfThePicture) {
    // The area is 450 high, of which the bottom 22 rows lie under the status
    // bar: the viewport reaches down under them.
    ApplyProjection(498, 450, 22);
    EXPECT_EQ(Viewport(), (std::array<GLint, 4>{0, -22, 498, 450}));
}

}  // namespace
}  // namespace bravok
