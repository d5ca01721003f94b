#include <gtest/gtest.h>

#include "EglContext.h"
#include "FakeWindowServices.h"
#include "SceneTestSupport.h"
#include "scene/MovingModel.h"
#include "scene/Player.h"

namespace bravok {
namespace {

// The only test of this program: the counter is untouched when it starts.
TEST(ListIds, PlayerTakesOneToThreeAndTheModelFour) {
    test::EglContext gl;
    ASSERT_TRUE(gl.Ok());
    test::ScopedTempDir dir;
    dir.Write("cylinder.vtx", "0 0 0 1 0 0 0 1 0\n0 0 1 0 0 1 0 0 1\n");
    test::FakeWindowServices window;
    CPlayer player;
    CMovingModel model;
    player.Init(&window);
    model.Init();
    EXPECT_EQ(player.m_ringListId, 1u);
    EXPECT_EQ(player.m_gridListId, 2u);
    EXPECT_EQ(player.m_roomListId, 3u);
    EXPECT_EQ(model.m_listId, 4u);
    model.Cleanup();
    player.Cleanup();
}

}  // namespace
}  // namespace bravok
