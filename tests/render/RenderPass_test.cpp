#include "render/RenderPass.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "FakeWindowServices.h"
#include "HeadlessGl.h"
#include "SceneTestSupport.h"
#include "TestAccess.h"
#include "render/Projection.h"
#include "scene/MovingModel.h"
#include "scene/Player.h"

namespace bravok {
namespace {

constexpr int kSize = 128;

// The game's scene drawn headless; workers stopped, the tests set the fields.
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
        RenderScene(kSceneLight, m_player, m_model);
        glFinish();
    }
    bool IsRed(std::array<int, 3> p) const {
        return p[0] > 60 && p[1] < p[0] / 3 && p[2] < p[0] / 3;
    }
    // Red pixels in columns x0..x1 and rows y0..y1 (rows from the bottom).
    int RedPixels(int x0, int x1, int y0, int y1) const {
        int red = 0;
        for (int y = y0; y < y1; y += 2)
            for (int x = x0; x < x1; x += 2) red += IsRed(m_gl.Pixel(x, y)) ? 1 : 0;
        return red;
    }

    test::HeadlessGlContext m_gl{kSize, kSize};
    test::ScopedTempDir m_dir;
    test::FakeWindowServices m_window;
    CPlayer m_player;
    CMovingModel m_model;
};

// The model shows in the lit grey room; moved right, on the right; turned from, not at all.
TEST_F(RenderPassTest, ModelIsPlacedInTheWorldByThePlayersView) {
    Render();
    EXPECT_GT(RedPixels(0, kSize, 0, kSize), 20);
    EXPECT_EQ(RedPixels(0, kSize, kSize / 2 + 4, kSize), 0);
    const auto corner = m_gl.Pixel(2, kSize - 3);
    EXPECT_TRUE(corner[0] == corner[1] && corner[0] > 30) << "grey room";
    auto moved = TestAccess::GetPose(m_model);
    moved.posX = 1.5f;
    TestAccess::SetPose(m_model, moved);
    Render();
    EXPECT_GT(RedPixels(kSize / 2, kSize, 0, kSize), 0);
    EXPECT_EQ(RedPixels(0, kSize / 2, 0, kSize), 0);
    auto turned = TestAccess::GetPose(m_player);
    turned.rotY = 180.0f;
    TestAccess::SetPose(m_player, turned);
    Render();
    EXPECT_EQ(RedPixels(0, kSize, 0, kSize), 0);
}

}  // namespace
}  // namespace bravok
