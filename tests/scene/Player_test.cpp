#include "scene/Player.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "FakeWindowServices.h"
#include "HeadlessGl.h"
#include "SceneTestSupport.h"
#include "TestAccess.h"

namespace bravok {
namespace {

// The game's projection and a player with its lists and no worker: tests set the view.
class PlayerGlTest : public test::GlTest {
  protected:
    void SetUp() override {
        test::GlTest::SetUp();
        glMatrixMode(GL_PROJECTION);
        glFrustum(-1, 1, -1, 1, 2, 60);
        glMatrixMode(GL_MODELVIEW);
        m_player.Init(&m_window);
        m_player.Cleanup();
    }
    // One frame as the game draws it, lit from the eye; then whether the cross,
    // whose lines run between the four pixels at the centre, shows there.
    bool FrameShowsTheCross() {
        glEnable(GL_DEPTH_TEST);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        const GLfloat besideTheEye[] = {-1, 1, 0, 1};
        glLightfv(GL_LIGHT0, GL_POSITION, besideTheEye);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        m_player.Draw();
        const std::array<int, 3> green{0, 255, 0};
        return m_gl.Pixel(31, 31) == green || m_gl.Pixel(32, 31) == green ||
               m_gl.Pixel(31, 32) == green || m_gl.Pixel(32, 32) == green;
    }

    test::FakeWindowServices m_window;
    CPlayer m_player;
};

// Draw leaves the view on the matrix: rotate by the pitch about X, by the
// heading about Y, then translate; the eye stands at minus the translation.
TEST_F(PlayerGlTest, DrawLeavesTheViewTransformOnTheMatrix) {
    struct Case {
        float pitch, heading;
        double world[3], eye[3];  // a world point, and where the eye sees it
    } cases[] = {{0, 0, {1, 3, -6}, {1, 0, -10}},
                 {0, 90, {10, 3, 4}, {0, 0, -10}},    // turned right: +x ahead
                 {90, 90, {0, -7, 4}, {0, 0, -10}}};  // looking straight down
    for (const Case& c : cases) {
        TestAccess::SetPose(m_player, {c.pitch, c.heading, 0, -3, -4});
        glLoadIdentity();
        m_player.Draw();
        const auto m = test::CurrentMatrix();  // column-major
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(
                m[i] * c.world[0] + m[4 + i] * c.world[1] + m[8 + i] * c.world[2] + m[12 + i],
                c.eye[i], 1e-4)
                << c.pitch << " " << c.heading;
    }
}

// The lit grey room all round; the green ring at the centre unless a wall is nearer.
TEST_F(PlayerGlTest, FrameShowsTheLitRoomAndTheCrosshairUnlessAWallIsNearer) {
    EXPECT_TRUE(FrameShowsTheCross());
    for (auto [x, y] : {std::pair{2, 2}, {61, 61}, {2, 61}, {61, 2}, {32, 8}}) {
        const auto pixel = m_gl.Pixel(x, y);
        EXPECT_TRUE(pixel[0] > 20 && pixel[0] == pixel[1] && pixel[1] == pixel[2]) << x << "," << y;
    }
    TestAccess::SetPose(m_player, {0, 0, 0, -3, 17.5f});  // 2.5 from the far wall
    EXPECT_FALSE(FrameShowsTheCross());
    TestAccess::SetPose(m_player, {0, 0, 0, -3, 16.0f});  // 4 from it
    EXPECT_TRUE(FrameShowsTheCross());
}

// Both crosshairs are unlit green lines 3.5 units straight ahead whatever the
// view: a ring of radius 0.2 with a cross, or a grid with ticks 0.1 apart. The
// style flag picks one at every Draw; no list is compiled again.
TEST_F(PlayerGlTest, CrosshairsAreGreenFiguresAheadOfTheEye) {
    for (int style : {1, 0, 1}) {
        m_player.m_crosshairStyle = style;
        glEnable(GL_LIGHTING);
        glLoadIdentity();
        glRotatef(123, 0, 1, 0);
        std::vector<std::array<long, 4>> lines;  // in hundredths of a unit
        std::multiset<long> radii, ticks;
        auto unit = [](float window) { return std::lround((window / 32.0 - 1.0) * 175); };
        for (const auto& p : test::CaptureFeedback([&] { m_player.Draw(); })) {
            if (p.token == GL_POLYGON_TOKEN) continue;  // the room
            for (const auto& v : p.vertices) EXPECT_TRUE(v.r == 0 && v.g == 1 && v.b == 0);
            const auto& l = lines.emplace_back(
                std::array<long, 4>{unit(p.vertices[0].x), unit(p.vertices[0].y),
                                    unit(p.vertices[1].x), unit(p.vertices[1].y)});
            radii.insert(std::lround(std::hypot(l[0], l[1])));
            if (l[0] == -5 && l[2] == 5) ticks.insert(l[1]);
        }
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
        if (style) {
            ASSERT_EQ(lines.size(), 25u + 2u) << "a strip of 26 points and two cross lines";
            EXPECT_EQ(std::distance(radii.lower_bound(19), radii.upper_bound(21)), 25);
            EXPECT_EQ(lines[25], (std::array<long, 4>{-30, 0, 30, 0}));
            EXPECT_EQ(lines[26], (std::array<long, 4>{0, 30, 0, -30}));
        } else {
            ASSERT_EQ(lines.size(), 2u + 40u);
            EXPECT_EQ(lines[0], (std::array<long, 4>{-100, 0, 100, 0}));
            EXPECT_EQ(ticks, (std::multiset<long>{-90, -80, -70, -60, -50, -40, -30, -20, -10, 0, 0,
                                                  10,  20,  30,  40,  50,  60,  70,  80,  90}));
        }
    }
    EXPECT_EQ(CSceneObject::NextListId(), TestAccess::LastPlayerList(m_player) + 1);
}

}  // namespace
}  // namespace bravok
