#include <gtest/gtest.h>

#include <cmath>

#include "FakeWindowServices.h"
#include "platform/VirtualKeys.h"
#include "scene/Angles.h"
#include "scene/Player.h"

namespace bravok {
namespace {

using test::FakeWindowServices;

TEST(AngleSteps, WrapLikeTheGameAlwaysHas) {
    struct Case {
        float angle, step;
        bool up;
        float expected;
    };
    const Case cases[] = {
        {355, 5, true, 0},  {357, 7, true, 0},  {350, 7, true, 357}, {0, 5, true, 5},
        {5, 5, false, 360}, {0, 5, false, 355}, {3, 5, false, 358},  {360, 7, false, 353},
        {360, 5, true, 0},  {10, 5, false, 5},
    };
    for (const Case& c : cases) {
        const float result = c.up ? AngleUp(c.angle, c.step) : AngleDown(c.angle, c.step);
        EXPECT_EQ(result, c.expected) << c.angle << (c.up ? " up " : " down ") << c.step;
    }
}

// The eye stands at minus the player's translation.
struct Eye {
    double x, y, z;
};

class PlayerInputTest : public ::testing::Test {
  protected:
    void Tick(int count = 1) {
        for (int i = 0; i < count; ++i) m_player.InputTick(m_window, m_state);
    }
    Eye EyePosition() const { return {-m_player.m_posX, -m_player.m_posY, -m_player.m_posZ}; }
    void Hold(int vk) { m_window.m_keys.KeyDown(vk); }
    void Release(int vk) { m_window.m_keys.KeyUp(vk); }
    void Tap(int vk) {
        Hold(vk);
        Release(vk);
    }
    void StartMouseLook() { m_player.m_mouseLook = 1; }

    FakeWindowServices m_window;  // client 400 x 300, centre (200, 150)
    CPlayer m_player;
    CPlayer::InputLoopState m_state = CPlayer::BeginInputLoop(m_window);
};

TEST_F(PlayerInputTest, ForwardAndBackFollowTheHeading) {
    struct Case {
        float heading;
        double dx, dz;  // eye movement of one step forward
    };
    const double diagonal = std::sqrt(0.5);
    for (const Case& c : {Case{0, 0, -1}, Case{90, 1, 0}, Case{45, diagonal, -diagonal},
                          Case{180, 0, 1}, Case{270, -1, 0}}) {
        m_player.m_posX = 0;
        m_player.m_posZ = -4;
        m_player.m_rotY = c.heading;
        m_player.m_rotX = 30;  // the pitch plays no part
        const Eye start = EyePosition();
        Hold(VK_UP);
        Tick();
        Release(VK_UP);
        Tick();  // the press was seen already: no second step
        Eye after = EyePosition();
        EXPECT_NEAR(after.x - start.x, c.dx, 1e-5) << "heading " << c.heading;
        EXPECT_NEAR(after.z - start.z, c.dz, 1e-5) << "heading " << c.heading;
        EXPECT_EQ(after.y, start.y);
        Hold(VK_DOWN);
        Tick();
        Release(VK_DOWN);
        after = EyePosition();
        EXPECT_NEAR(after.x, start.x, 1e-5) << "back undoes forward, heading " << c.heading;
        EXPECT_NEAR(after.z, start.z, 1e-5);
    }
}

TEST_F(PlayerInputTest, StrafesGoAtRightAnglesWithShiftOrInMouseLook) {
    m_window.PlaceCursorInClient({m_state.centreX, m_state.centreY});  // no mouse turn
    for (bool mouseLook : {false, true}) {
        for (float heading : {0.0f, 90.0f, 45.0f}) {
            m_player.m_posX = 0;
            m_player.m_posZ = -4;
            m_player.m_rotY = heading;
            m_player.m_mouseLook = mouseLook ? 1 : 0;
            if (!mouseLook) Hold(VK_SHIFT);
            const Eye start = EyePosition();
            Hold(VK_RIGHT);
            Tick();
            Release(VK_RIGHT);
            const Eye right = EyePosition();
            // Right of a heading h is the heading h + 90.
            const double h = (heading + 90.0) * M_PI / 180.0;
            EXPECT_NEAR(right.x - start.x, std::sin(h), 1e-5) << heading << " " << mouseLook;
            EXPECT_NEAR(right.z - start.z, -std::cos(h), 1e-5) << heading << " " << mouseLook;
            EXPECT_EQ(m_player.m_rotY, heading) << "a strafe does not turn";
            Hold(VK_LEFT);
            Tick();
            Release(VK_LEFT);
            EXPECT_NEAR(EyePosition().x, start.x, 1e-5);
            EXPECT_NEAR(EyePosition().z, start.z, 1e-5);
            Release(VK_SHIFT);
        }
    }
}

TEST_F(PlayerInputTest, ArrowsTurnAndAZPitchWhileHeld) {
    Hold(VK_RIGHT);
    Tick(3);
    EXPECT_EQ(m_player.m_rotY, 15);
    Release(VK_RIGHT);
    Hold(VK_LEFT);
    Tick(4);
    EXPECT_EQ(m_player.m_rotY, 355) << "turning left from 0 gives 355";
    Release(VK_LEFT);
    Hold(VK_KEY_Z);
    Tick(2);
    EXPECT_EQ(m_player.m_rotX, 10) << "Z looks down";
    Release(VK_KEY_Z);
    Hold(VK_KEY_A);
    Tick(3);
    EXPECT_EQ(m_player.m_rotX, 355) << "A looks up, without limit";
    Release(VK_KEY_A);
    // A tap between two ticks is missed by keys that need to be held.
    Tap(VK_RIGHT);
    Tap(VK_KEY_Z);
    Tick();
    EXPECT_EQ(m_player.m_rotY, 355);
    EXPECT_EQ(m_player.m_rotX, 355);
}

TEST_F(PlayerInputTest, RiseSinkAndOppositeKeysCancel) {
    Hold(VK_SHIFT);
    Hold(VK_UP);
    Tick();
    EXPECT_EQ(EyePosition().y, 4) << "Shift+Up raises the eye";
    Release(VK_UP);
    Hold(VK_DOWN);
    Tick(2);
    EXPECT_EQ(EyePosition().y, 2);
    Hold(VK_UP);
    Tick();
    EXPECT_EQ(EyePosition().y, 2) << "rise and sink in one tick cancel";
    Release(VK_SHIFT);
    const Eye before = EyePosition();
    Tick();
    EXPECT_EQ(EyePosition().z, before.z) << "forward and back in one tick cancel";
    EXPECT_EQ(EyePosition().x, before.x);
}

TEST_F(PlayerInputTest, TapOfUpBetweenTicksStillMovesOnce) {
    Tap(VK_UP);
    Tick();
    EXPECT_EQ(EyePosition().z, 3);
    Tick();
    EXPECT_EQ(EyePosition().z, 3);
}

TEST_F(PlayerInputTest, FiringPlaysTheShotAtMostOncePerTick) {
    const std::vector<std::string> none;
    Hold(VK_LBUTTON);
    Tick();
    EXPECT_EQ(m_window.m_sound.Played(), none) << "the button fires only in mouse-look";

    Hold(VK_CONTROL);
    Tick(2);
    EXPECT_EQ(m_window.m_sound.Played().size(), 2u) << "holding Ctrl fires every tick";
    EXPECT_EQ(m_window.m_sound.Played().front(), "rifle_shot.wav");

    StartMouseLook();
    Tick();
    EXPECT_EQ(m_window.m_sound.Played().size(), 3u) << "Ctrl and the button fire one shot";
    Release(VK_CONTROL);
    Tick();
    EXPECT_EQ(m_window.m_sound.Played().size(), 4u) << "the held button fires in mouse-look";
    Release(VK_LBUTTON);
    Tick();
    EXPECT_EQ(m_window.m_sound.Played().size(), 4u);
    Tap(VK_LBUTTON);
    Tick(2);
    EXPECT_EQ(m_window.m_sound.Played().size(), 5u) << "a short click fires once";
}

TEST_F(PlayerInputTest, EveryTickAsksForARepaintAfterLettingGoOfTheLock) {
    bool lockFree = true;
    m_window.OnInvalidate([&] {
        if (m_player.m_lock.try_lock())
            m_player.m_lock.unlock();
        else
            lockFree = false;
    });
    Tick(3);
    Hold(VK_UP);
    StartMouseLook();
    m_window.PlaceCursorInClient({0, 10});
    Tick(2);
    EXPECT_EQ(m_window.Invalidations(), 5);
    EXPECT_TRUE(lockFree) << "the repaint request must come after the lock is released";
}

TEST_F(PlayerInputTest, MouseLookTurnsByFixedStepsWhateverTheMovement) {
    StartMouseLook();
    m_window.PlaceCursorInClient({200, 150});  // the centre, where the loop starts
    Tick(2);
    EXPECT_EQ(m_player.m_rotY, 0) << "a still cursor turns nothing";
    EXPECT_TRUE(m_window.CursorSets().empty()) << "and is not moved";
    m_window.PlaceCursorInClient({201, 150});
    Tick();
    EXPECT_EQ(m_player.m_rotY, 7);
    EXPECT_EQ(m_player.m_rotX, 0);
    m_window.PlaceCursorInClient({390, 290});
    Tick();
    EXPECT_EQ(m_player.m_rotY, 14) << "the size of a movement does not matter";
    EXPECT_EQ(m_player.m_rotX, 5) << "moving down looks down";
    m_window.PlaceCursorInClient({100, 100});
    Tick();
    EXPECT_EQ(m_player.m_rotY, 7);
    EXPECT_EQ(m_player.m_rotX, 360) << "turning down to exactly 0 gives 360";
    m_window.PlaceCursorInClient({99, 99});
    Tick();
    EXPECT_EQ(m_player.m_rotY, 360);
    EXPECT_EQ(m_player.m_rotX, 355);
    m_window.PlaceCursorInClient({98, 98});
    Tick();
    EXPECT_EQ(m_player.m_rotY, 353);
    EXPECT_EQ(m_player.m_rotX, 350);
    // The cursor is put back where it was read, every tick it moved.
    EXPECT_EQ(m_window.CursorSets().size(), 5u);
    EXPECT_EQ(m_window.CursorSets().back(), m_window.ClientToScreen({98, 98}));
}

TEST_F(PlayerInputTest, CursorOnAnEdgeIsBroughtBackToTheCentre) {
    StartMouseLook();
    m_window.PlaceCursorInClient({0, 40});
    Tick();
    EXPECT_EQ(m_player.m_rotY, 353) << "reaching the left edge still turns left";
    EXPECT_EQ(m_window.CursorInClient(), (Point{200, 40}));
    Tick();
    EXPECT_EQ(m_player.m_rotY, 353) << "the jump back to the centre is no movement";

    m_window.PlaceCursorInClient({399, 299});
    Tick();
    EXPECT_EQ(m_window.CursorInClient(), (Point{200, 150})) << "right and bottom edges: W-1, H-1";

    m_window.PlaceCursorInClient({398, 0});
    Tick();
    EXPECT_EQ(m_window.CursorInClient(), (Point{398, 150})) << "x and y are tested apart";
    EXPECT_EQ(m_state.lastX, 398);
    EXPECT_EQ(m_state.lastY, 150);

    // The size and centre read at the start hold after a resize.
    m_window.SetClient({0, 0, 800, 600});
    m_window.PlaceCursorInClient({399, 10});
    Tick();
    EXPECT_EQ(m_window.CursorInClient(), (Point{200, 10}));
}

TEST_F(PlayerInputTest, OutsideMouseLookTheCursorIsNotRead) {
    m_window.PlaceCursorInClient({10, 10});
    Hold(VK_RIGHT);
    Tick();
    EXPECT_EQ(m_window.CursorReads(), 0);
    EXPECT_EQ(m_player.m_rotY, 5) << "without mouse-look Right turns";
}

}  // namespace
}  // namespace bravok
