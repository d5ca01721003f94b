#include <gtest/gtest.h>

#include "EglContext.h"
#include "FakeWindowServices.h"
#include "SceneTestSupport.h"
#include "TestAccess.h"

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
    EXPECT_EQ(TestAccess::PlayerLists(player), (std::array<GLuint, 3>{1, 2, 3}));
    EXPECT_EQ(TestAccess::ListId(model), 4u);
}

}  // namespace
}  // namespace bravok
