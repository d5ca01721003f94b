#include <gtest/gtest.h>

#include <cmath>

#include "FakeWindowServices.h"
#include "TestAccess.h"
#include "platform/VirtualKeys.h"
#include "scene/Angles.h"
#include "scene/Player.h"

namespace bravok {
namespace {

using Pose = TestAccess::Pose;

TEST(AngleSteps, WrapLikeTheGameAlwaysHas) {
    struct Case {
        float angle, step;
        bool up;
        float expected;
    };
    const Case cases[] = {{355, 5, true, 0},   {357, 7, true, 0},  {350, 7, true, 357},
                          {5, 5, false, 360},  {0, 5, false, 355}, {3, 5, false, 358},
                          {360, 7, false, 353}, {10, 5, false, 5}};
    for (const Case& c : cases)
        EXPECT_EQ(c.up ? AngleUp(c.angle, c.step) : AngleDown(c.angle, c.step), c.expected)
            << c.angle << (c.up ? " up " : " down ") << c.step;
}

class PlayerInputTest : public ::testing::Test {
  protected:
    void Tick(int count = 1) {
        for (int i = 0; i < count; ++i) m_player.InputTick(m_window, m_state);
    }
    Pose Now() { return TestAccess::GetPose(m_player); }
    void Hold(int vk) { m_window.m_keys.KeyDown(vk); }
    void Release(int vk) { m_window.m_keys.KeyUp(vk); }
    void Press(int vk) {  // down and up between two ticks
        Hold(vk);
        Release(vk);
    }

    test::FakeWindowServices m_window;  // client 400 x 300, centre (200, 150)
    CPlayer m_player;
    CPlayer::InputLoopState m_state = CPlayer::BeginInputLoop(m_window);
};

// One step each way along the heading (forward, back) or across it (strafes,
// with Shift or in mouse-look), whatever the pitch; the eye stands at minus the
// translation. A press between two ticks moves Up and Down once, never twice.
TEST_F(PlayerInputTest, StepsFollowTheHeading) {
    m_window.PlaceCursorInClient({200, 150});  // mouse-look sees no movement
    struct Case {
        int key;
        bool shift, mouseLook;
        double turn;  // degrees from the heading to the direction of the step
    } cases[] = {{VK_UP, false, false, 0},     {VK_DOWN, false, false, 180},
                 {VK_RIGHT, true, false, 90},  {VK_LEFT, true, false, -90},
                 {VK_RIGHT, false, true, 90},  {VK_LEFT, false, true, -90}};
    for (const Case& c : cases) {
        for (float heading : {0.0f, 45.0f, 90.0f, 270.0f}) {
            TestAccess::SetPose(m_player, {30, heading, 0, -3, -4});
            m_player.m_mouseLook = c.mouseLook;
            if (c.shift) Hold(VK_SHIFT);
            if (c.key == VK_UP || c.key == VK_DOWN) {
                Press(c.key);
                Tick(2);  // seen at the first tick only
            } else {
                Hold(c.key);  // the arrows across count only while held
                Tick();
                Release(c.key);
            }
            Release(VK_SHIFT);
            const double direction = (heading + c.turn) * M_PI / 180.0;
            const Pose after = Now();
            EXPECT_NEAR(-after.posX, std::sin(direction), 1e-5) << c.key << " at " << heading;
            EXPECT_NEAR(-after.posZ - 4.0, -std::cos(direction), 1e-5) << c.key << " at " << heading;
            EXPECT_EQ(after.posY, -3.0f);
            EXPECT_EQ(after.rotY, heading) << "a step does not turn";
        }
    }
}

TEST_F(PlayerInputTest, HeldKeysTurnRiseAndCancel) {
    Hold(VK_SHIFT);
    Hold(VK_UP);
    Tick();
    EXPECT_EQ(Now().posY, -4) << "Shift+Up raises the eye";
    Hold(VK_DOWN);
    Tick();
    EXPECT_EQ(Now().posY, -4) << "rise and sink in one tick cancel";
    Release(VK_SHIFT);
    Tick();
    Release(VK_UP);
    Release(VK_DOWN);
    EXPECT_EQ(Now(), (Pose{0, 0, 0, -4, -4})) << "forward and back cancel";

    Hold(VK_RIGHT);
    Tick(3);
    Release(VK_RIGHT);
    EXPECT_EQ(Now().rotY, 15);
    Hold(VK_LEFT);
    Tick(4);
    Release(VK_LEFT);
    EXPECT_EQ(Now().rotY, 355) << "turning left from 0 gives 355";
    Hold(VK_KEY_Z);
    Tick(2);
    Release(VK_KEY_Z);
    EXPECT_EQ(Now().rotX, 10) << "Z looks down";
    Hold(VK_KEY_A);
    Tick(3);
    Release(VK_KEY_A);
    Press(VK_RIGHT);
    Press(VK_KEY_Z);
    Tick();
    EXPECT_EQ(Now(), (Pose{355, 355, 0, -4, -4})) << "A looks up; a press between ticks is missed";
}

TEST_F(PlayerInputTest, FiringPlaysTheShotAtMostOncePerTick) {
    auto shots = [this] { return m_window.m_sound.Played(); };
    Hold(VK_LBUTTON);
    Tick();
    EXPECT_TRUE(shots().empty()) << "the button fires only in mouse-look";
    Hold(VK_CONTROL);
    Tick(2);
    EXPECT_EQ(shots(), (std::vector<std::string>(2, "rifle_shot.wav"))) << "Ctrl, every tick";
    m_player.m_mouseLook = 1;
    m_window.PlaceCursorInClient({200, 150});
    Tick();
    EXPECT_EQ(shots().size(), 3u) << "Ctrl and the button fire one shot";
    Release(VK_CONTROL);
    Tick();
    Release(VK_LBUTTON);
    Tick();
    EXPECT_EQ(shots().size(), 4u) << "the held button fires in mouse-look";
    Press(VK_LBUTTON);
    Tick(2);
    EXPECT_EQ(shots().size(), 5u) << "a short click fires once";
}

TEST_F(PlayerInputTest, EveryTickAsksForARepaintAfterLettingGoOfTheLock) {
    bool lockFree = true;
    m_window.OnInvalidate([&] {
        lockFree = lockFree && TestAccess::LockIsFree(m_player);
    });
    Tick(2);
    Hold(VK_UP);
    m_player.m_mouseLook = 1;
    m_window.PlaceCursorInClient({0, 10});
    Tick(2);
    EXPECT_EQ(m_window.Invalidations(), 4);
    EXPECT_TRUE(lockFree);
}

// A movement of any size turns by one step; the cursor goes back where it was
// read, and a coordinate on an edge (as the size was at the start) to the
// centre, each coordinate on its own; a still cursor is left alone.
TEST_F(PlayerInputTest, MouseLookTurnsByStepsAndRecentresOnTheEdges) {
    m_player.m_mouseLook = 1;
    struct Case {
        Point cursor;
        float heading, pitch;
        Point putBack;  // none when the cursor is left alone
    } cases[] = {{{200, 150}, 0, 0, {}},          {{201, 150}, 7, 0, {201, 150}},
                 {{390, 290}, 14, 5, {390, 290}}, {{100, 100}, 7, 360, {100, 100}},
                 {{0, 40}, 360, 355, {200, 40}},  {{200, 40}, 360, 355, {}},
                 {{399, 299}, 0, 0, {200, 150}},  {{398, 0}, 7, 355, {398, 150}},
                 {{399, 10}, 14, 350, {200, 10}}};
    m_window.SetClient({0, 0, 800, 600});  // a resize after the start changes nothing
    for (const Case& c : cases) {
        const std::size_t sets = m_window.CursorSets().size();
        m_window.PlaceCursorInClient(c.cursor);
        Tick();
        const std::string at = std::to_string(c.cursor.x) + "," + std::to_string(c.cursor.y);
        EXPECT_EQ(Now().rotY, c.heading) << at;
        EXPECT_EQ(Now().rotX, c.pitch) << at;
        const bool putBack = c.putBack != Point{};
        EXPECT_EQ(m_window.CursorSets().size(), sets + (putBack ? 1 : 0)) << at;
        if (putBack) {
            EXPECT_EQ(m_window.CursorInClient(), c.putBack) << at;
        }
    }
    m_player.m_mouseLook = 0;
    const int reads = m_window.CursorReads();
    Tick();
    EXPECT_EQ(m_window.CursorReads(), reads) << "outside mouse-look the cursor is not read";
}

}  // namespace
}  // namespace bravok
