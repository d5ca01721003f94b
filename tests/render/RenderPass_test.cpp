#include "render/RenderPass.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "EglContext.h"
#include "FakeWindowServices.h"
#include "SceneTestSupport.h"
#include "TestAccess.h"
#include "render/Projection.h"
#include "scene/MovingModel.h"
#include "scene/Player.h"

namespace bravok {
namespace {

constexpr int kSize = 128;

const SceneLight kLight{{0.5f, 0.5f, 0.5f, 1.0f},
                        {0.7f, 0.7f, 0.7f, 1.0f},
                        {1.0f, 1.0f, 1.0f, 1.0f},
                        {-1.0f, 1.0f, 0.0f, 1.0f}};

// The game's own scene, with its mesh, drawn headless. The workers are stopped
// at once: the tests set the objects' fields themselves.
class RenderPassTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_gl.Ok());
        std::filesystem::copy_file(std::filesystem::path(BRAVOK_DATA_DIR) / "cylinder.vtx",
                                   m_dir.Path() / "cylinder.vtx");
        m_player.Init(&m_window);
        m_model.Init();
        m_player.Cleanup();
        m_model.Cleanup();
        ApplyProjection(kSize, kSize);
    }
    void Render() {
        RenderScene(kLight, m_player, m_model);
        glFinish();
    }
    bool IsRed(std::array<int, 3> p) const {
        return p[0] > 60 && p[1] < p[0] / 3 && p[2] < p[0] / 3;
    }
    int RedPixels() const {
        int red = 0;
        for (int y = 0; y < kSize; y += 2)
            for (int x = 0; x < kSize; x += 2) red += IsRed(m_gl.Pixel(x, y)) ? 1 : 0;
        return red;
    }

    test::EglContext m_gl{kSize, kSize};
    test::ScopedTempDir m_dir;
    test::FakeWindowServices m_window;
    CPlayer m_player;
    CMovingModel m_model;
};

TEST_F(RenderPassTest, FirstFrameShowsTheRedModelBelowTheCrosshairInTheLitRoom) {
    Render();
    EXPECT_GT(RedPixels(), 20) << "the model is in view from the start";
    // The model floats at height 2, one unit below the eye, four ahead: below
    // the centre of the view.
    int redAbove = 0;
    for (int y = kSize / 2 + 4; y < kSize; ++y) redAbove += IsRed(m_gl.Pixel(kSize / 2, y)) ? 1 : 0;
    EXPECT_EQ(redAbove, 0);
    const auto corner = m_gl.Pixel(2, kSize - 3);
    EXPECT_EQ(corner[0], corner[1]) << "grey room";
    EXPECT_GT(corner[0], 30);
}

TEST_F(RenderPassTest, ModelIsPlacedInTheWorldByThePlayersView) {
    TestAccess::SetPose(m_model, {0, 0, 1.5f, 2, 0});  // to the right of the eye
    Render();
    int left = 0, right = 0;
    for (int y = 0; y < kSize; y += 2)
        for (int x = 0; x < kSize; x += 2)
            if (IsRed(m_gl.Pixel(x, y))) (x < kSize / 2 ? left : right)++;
    EXPECT_GT(right, 0);
    EXPECT_EQ(left, 0);
    // Turned round, the player no longer sees it.
    TestAccess::SetPose(m_player, {0, 180, 0, -3, -4});
    Render();
    EXPECT_EQ(RedPixels(), 0);
}

TEST_F(RenderPassTest, LightMovesWithTheViewer) {
    // The light sits beside the eye wherever the player goes, so the wall ahead
    // looks the same from the same distance in any direction.
    TestAccess::SetPose(m_player,
                        {0, 90, 0, -3, -4});  // facing the wall at x = 20 from (0, 3, 4): 20 away
    Render();
    const auto east = m_gl.Pixel(kSize / 2 + 20, kSize / 2 + 20);
    TestAccess::SetPose(m_player, {0, 0, 0, -3, 0});  // eye at z = 0: 20 from the wall at z = -20
    TestAccess::SetPose(m_model, {0, 0, 0, 100, 0});  // out of the way
    Render();
    const auto north = m_gl.Pixel(kSize / 2 + 20, kSize / 2 + 20);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(east[i], north[i], 2) << "channel " << i;
    GLfloat position[4] = {};
    glGetLightfv(GL_LIGHT0, GL_POSITION, position);
    EXPECT_FLOAT_EQ(position[0], -1.0f) << "stored in eye space, untouched by the view";
    EXPECT_FLOAT_EQ(position[1], 1.0f);
    EXPECT_FLOAT_EQ(position[3], 1.0f);
}

}  // namespace
}  // namespace bravok
