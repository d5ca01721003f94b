#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <tuple>

#include "FakeWindowServices.h"
#include "TestAccess.h"
#include "platform/VirtualKeys.h"
#include "scene/Player.h"

namespace bravok {
namespace {

using Pose = TestAccess::Pose;

class PlayerInputTest : public ::testing::Test {
  protected:
    void Tick(int count = 1) {
        for (int i = 0; i < count; ++i) m_player.InputTick(m_window, m_state);
    }
    Pose Now() { return TestAccess::GetPose(m_player); }
    void HoldFor(int vk, int ticks) {
        m_window.m_keys.KeyDown(vk);
        Tick(ticks);
        m_window.m_keys.KeyUp(vk);
    }
    void Press(int vk) {  // down and up between two ticks
        m_window.m_keys.KeyDown(vk);
        m_window.m_keys.KeyUp(vk);
    }

    test::FakeWindowServices m_window;  // client 400 x 300, centre (200, 150)
    CPlayer m_player;
    CPlayer::InputLoopState m_state = CPlayer::BeginInputLoop(m_window);
};

// One step along the heading (Up, Down) or across it (the side arrows with Shift
// or in mouse-look), whatever the pitch. A press between ticks moves Up once.
TEST_F(PlayerInputTest, StepsFollowTheHeading) {
    m_window.PlaceCursorInClient({200, 150});  // mouse-look sees no movement
    struct Case {
        int key;
        bool shift, mouseLook;
        double turn;  // degrees from the heading to the direction of the step
    } cases[] = {{VK_UP, false, false, 0},    {VK_DOWN, false, false, 180},
                 {VK_RIGHT, true, false, 90}, {VK_LEFT, true, false, -90},
                 {VK_RIGHT, false, true, 90}, {VK_LEFT, false, true, -90}};
    for (const Case& c : cases) {
        for (float heading : {0.0f, 45.0f, 90.0f, 270.0f}) {
            TestAccess::SetPose(m_player, {30, heading, 0, -3, -4});
            m_player.m_mouseLook = c.mouseLook;
            if (c.shift) m_window.m_keys.KeyDown(VK_SHIFT);
            // The side arrows count only while held.
            c.key == VK_UP || c.key == VK_DOWN ? (Press(c.key), Tick(2)) : HoldFor(c.key, 1);
            m_window.m_keys.KeyUp(VK_SHIFT);
            const double direction = (heading + c.turn) * std::numbers::pi / 180.0;
            const Pose after = Now();
            EXPECT_NEAR(-after.posX, std::sin(direction), 1e-5) << c.key << " at " << heading;
            EXPECT_NEAR(-after.posZ - 4, -std::cos(direction), 1e-5) << c.key << " at " << heading;
            EXPECT_TRUE(after.posY == -3.0f && after.rotY == heading) << "a step does not turn";
        }
    }
}

TEST_F(PlayerInputTest, HeldKeysTurnRiseAndCancel) {
    m_window.m_keys.KeyDown(VK_SHIFT);
    HoldFor(VK_UP, 1);
    EXPECT_EQ(Now().posY, -4) << "Shift+Up raises the eye";
    m_window.m_keys.KeyDown(VK_UP);
    HoldFor(VK_DOWN, 1);
    EXPECT_EQ(Now().posY, -4) << "rise and sink in one tick cancel";
    m_window.m_keys.KeyUp(VK_SHIFT);
    HoldFor(VK_DOWN, 1);
    m_window.m_keys.KeyUp(VK_UP);
    EXPECT_EQ(Now(), (Pose{0, 0, 0, -4, -4})) << "forward and back cancel";

    HoldFor(VK_RIGHT, 3);
    EXPECT_EQ(Now().rotY, 15);
    HoldFor(VK_LEFT, 4);
    EXPECT_EQ(Now().rotY, 355) << "turning left from 0 gives 355";
    HoldFor(VK_KEY_Z, 2);
    EXPECT_EQ(Now().rotX, 10) << "Z looks down";
    HoldFor(VK_KEY_A, 3);
    Press(VK_RIGHT);
    Press(VK_KEY_Z);
    Tick();
    EXPECT_EQ(Now(), (Pose{355, 355, 0, -4, -4})) << "A looks up; a press between ticks is missed";
}

// At most one shot a tick: Ctrl, or the left button (held or clicked) in
// mouse-look. Every tick ends with a repaint request made outside the lock.
TEST_F(PlayerInputTest, FiringAndRepaintRequests) {
    bool lockFree = true;
    m_window.m_onInvalidate = [&] { lockFree = lockFree && TestAccess::LockIsFree(m_player); };
    auto shots = [this] { return m_window.Read(m_window.m_played).size(); };
    m_window.m_keys.KeyDown(VK_LBUTTON);
    Tick();
    EXPECT_EQ(shots(), 0u) << "the button fires only in mouse-look";
    HoldFor(VK_CONTROL, 2);
    EXPECT_EQ(m_window.Read(m_window.m_played), (std::vector<std::string>(2, "rifle_shot.wav")));
    m_player.m_mouseLook = 1;
    m_window.PlaceCursorInClient({0, 10});
    HoldFor(VK_CONTROL, 1);
    EXPECT_EQ(shots(), 3u) << "Ctrl and the button fire one shot";
    Tick();
    m_window.m_keys.KeyUp(VK_LBUTTON);
    Tick();
    EXPECT_EQ(shots(), 4u) << "the held button fires in mouse-look";
    Press(VK_LBUTTON);
    Tick(2);
    EXPECT_EQ(shots(), 5u) << "a short click fires once";
    EXPECT_EQ(m_window.Read(m_window.m_invalidations), 8);
    EXPECT_TRUE(lockFree);
}

// A movement of any size from where the cursor was last put turns one step from
// the row's own pose; the cursor goes back where it was read, a coordinate on an
// edge (as sized at the start) to the centre; a still one stays.
TEST_F(PlayerInputTest, MouseLookTurnsByStepsAndRecentresOnTheEdges) {
    m_player.m_mouseLook = 1;
    struct Case {
        Point last, cursor;
        float heading, pitch;  // before the tick
        float newHeading, newPitch;
        Point putBack;  // none when the cursor is left alone
    } cases[] = {
        {{200, 150}, {200, 150}, 30, 20, 30, 20, {}},
        {{200, 150}, {201, 150}, 30, 20, 37, 20, {201, 150}},
        {{201, 150}, {390, 290}, 350, 0, 357, 5, {390, 290}},
        {{390, 290}, {100, 100}, 14, 5, 7, 360, {100, 100}},  // 5 down by 5 is 360
        {{100, 100}, {0, 40}, 7, 360, 360, 355, {200, 40}},
        {{200, 40}, {399, 299}, 355, 355, 0, 0, {200, 150}},  // past 360 is exactly 0
        {{200, 150}, {398, 0}, 0, 0, 7, 355, {398, 150}},
        {{398, 150}, {399, 10}, 7, 355, 14, 350, {200, 10}},
    };
    for (const Case& c : cases) {
        TestAccess::SetPose(m_player, {c.pitch, c.heading, 0, -3, -4});
        std::tie(m_state.lastX, m_state.lastY) = std::tie(c.last.x, c.last.y);
        m_window.PlaceCursorInClient(c.cursor);
        const int sets = m_window.Read(m_window.m_cursorSets);
        Tick();
        const std::string at = std::to_string(c.cursor.x) + "," + std::to_string(c.cursor.y);
        EXPECT_EQ(Now(), (Pose{c.newPitch, c.newHeading, 0, -3, -4})) << at;
        const bool putBack = c.putBack != Point{};
        EXPECT_EQ(m_window.Read(m_window.m_cursorSets), sets + putBack) << at;
        EXPECT_EQ(m_window.CursorInClient(), putBack ? c.putBack : c.cursor) << at;
        EXPECT_EQ((Point{m_state.lastX, m_state.lastY}), putBack ? c.putBack : c.cursor) << at;
    }
    // Laid out again or resized: the edges and the centre are the window's new ones.
    m_window.m_client = {0, 0, 800, 600};
    m_window.PlaceCursorInClient({799, 10});
    Tick();
    EXPECT_EQ(m_window.CursorInClient(), (Point{400, 10}));
}

}  // namespace
}  // namespace bravok
