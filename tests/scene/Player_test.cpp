#include "scene/Player.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "EglContext.h"
#include "FakeWindowServices.h"
#include "SceneTestSupport.h"
#include "TestAccess.h"

namespace bravok {
namespace {

using test::CaptureFeedback;

// A 64 x 64 pbuffer, the game's projection, and a player whose lists are
// compiled and whose worker is stopped: the tests set the view themselves.
class PlayerGlTest : public test::GlTest {
  protected:
    void SetUp() override {
        test::GlTest::SetUp();
        glMatrixMode(GL_PROJECTION);
        glFrustum(-1, 1, -1, 1, 2, 60);
        glMatrixMode(GL_MODELVIEW);
        m_firstId = CSceneObject::NextListId() + 1;
        m_player.Init(&m_window);
        m_player.Cleanup();
    }

    // One frame as the game draws it: light at the eye, depth test, the player.
    void RenderFrame() {
        glEnable(GL_DEPTH_TEST);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        const GLfloat position[] = {-1, 1, 0, 1};
        glLightfv(GL_LIGHT0, GL_POSITION, position);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        m_player.Draw();
        glFinish();
    }
    // The cross's lines run between the four pixels at the centre.
    bool GreenAtCentre() const {
        for (int x : {31, 32})
            for (int y : {31, 32})
                if (m_gl.Pixel(x, y) == std::array<int, 3>{0, 255, 0}) return true;
        return false;
    }

    test::FakeWindowServices m_window;
    CPlayer m_player;
    int m_firstId = 0;
};

TEST_F(PlayerGlTest, InitCompilesRingGridAndRoomInOrder) {
    const auto lists = TestAccess::PlayerLists(m_player);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(lists[i], static_cast<GLuint>(m_firstId + i));
        EXPECT_TRUE(glIsList(lists[i]));
    }
    EXPECT_EQ(TestAccess::Owner(m_player), &m_window);
}

// Draw leaves the view on the matrix: rotate by the pitch about X, by the
// heading about Y, then translate; the eye stands at minus the translation.
TEST_F(PlayerGlTest, DrawLeavesTheViewTransformOnTheMatrix) {
    struct Case {
        float pitch, heading;
        double world[3], eye[3];  // a world point, and where the eye sees it
    } cases[] = {
        {0, 0, {0, 3, 4}, {0, 0, 0}},      {0, 0, {1, 3, -6}, {1, 0, -10}},
        {0, 90, {10, 3, 4}, {0, 0, -10}},  // turned right: +x ahead
        {90, 0, {0, -7, 4}, {0, 0, -10}},  // looking straight down
        {90, 90, {0, -7, 4}, {0, 0, -10}},
    };
    for (const Case& c : cases) {
        TestAccess::SetPose(m_player, {c.pitch, c.heading, 0, -3, -4});
        glLoadIdentity();
        m_player.Draw();
        const auto eye = test::Transform(test::CurrentMatrix(), c.world[0], c.world[1], c.world[2]);
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(eye[i], c.eye[i], 1e-4) << "pitch " << c.pitch << " heading " << c.heading;
    }
}

// The first frame: the lit grey room all round, the green ring at the centre,
// hidden by a wall nearer than the crosshair.
TEST_F(PlayerGlTest, FrameShowsTheLitRoomAndTheCrosshairUnlessAWallIsNearer) {
    RenderFrame();
    EXPECT_TRUE(GreenAtCentre());
    for (auto [x, y] : {std::pair{2, 2}, {61, 61}, {2, 61}, {61, 2}, {32, 8}}) {
        const auto pixel = m_gl.Pixel(x, y);
        EXPECT_GT(pixel[0], 20) << x << "," << y << ": lit";
        EXPECT_TRUE(pixel[0] == pixel[1] && pixel[1] == pixel[2]) << x << "," << y << ": grey";
    }
    TestAccess::SetPose(m_player, {0, 0, 0, -3, 17.5f});  // 2.5 from the far wall
    RenderFrame();
    EXPECT_FALSE(GreenAtCentre());
    TestAccess::SetPose(m_player, {0, 0, 0, -3, 16.0f});  // 4 from it
    RenderFrame();
    EXPECT_TRUE(GreenAtCentre());
}

// Crosshair line segments in the plane 3.5 units ahead, in the units they were
// drawn in; every point pure green, whatever the view and the lighting.
std::vector<std::array<double, 4>> Crosshair(GLuint list) {
    glEnable(GL_LIGHTING);
    glLoadIdentity();
    glRotatef(123, 0, 1, 0);
    std::vector<std::array<double, 4>> segments;
    auto unit = [](float window) { return (window / 64.0 * 2.0 - 1.0) * 1.75; };
    for (const auto& p : CaptureFeedback([list] { glCallList(list); })) {
        for (const auto& v : p.vertices) EXPECT_TRUE(v.r == 0 && v.g == 1 && v.b == 0);
        segments.push_back({unit(p.vertices[0].x), unit(p.vertices[0].y), unit(p.vertices[1].x),
                            unit(p.vertices[1].y)});
    }
    GLboolean lighting = GL_FALSE;
    glGetBooleanv(GL_LIGHTING, &lighting);
    EXPECT_TRUE(lighting) << "lighting is back on after the crosshair";
    return segments;
}

TEST_F(PlayerGlTest, RingIsAnOpenCircleOf26PointsWithACross) {
    const auto segments = Crosshair(TestAccess::PlayerLists(m_player)[0]);
    ASSERT_EQ(segments.size(), 25u + 2u) << "a strip of 26 points and two cross lines";
    for (int i = 0; i < 25; ++i) EXPECT_NEAR(std::hypot(segments[i][0], segments[i][1]), 0.2, 0.01);
    EXPECT_NEAR(segments[0][0], 0.2, 0.01) << "the ring starts at angle 0";
    EXPECT_LT(segments[24][3], 0.0) << "and stops just short of it";
    EXPECT_EQ((std::array<long, 8>{std::lround(segments[25][0] * 10), std::lround(segments[25][1] * 10),
                                   std::lround(segments[25][2] * 10), std::lround(segments[25][3] * 10),
                                   std::lround(segments[26][0] * 10), std::lround(segments[26][1] * 10),
                                   std::lround(segments[26][2] * 10), std::lround(segments[26][3] * 10)}),
              (std::array<long, 8>{-3, 0, 3, 0, 0, 3, 0, -3}));
}

TEST_F(PlayerGlTest, GridHasTenTicksEachWayAndNoneAtTheEnds) {
    const auto segments = Crosshair(TestAccess::PlayerLists(m_player)[1]);
    ASSERT_EQ(segments.size(), 2u + 40u);
    std::set<long> ticks;  // hundredths along the vertical axis
    for (std::size_t i = 2; i < segments.size(); ++i)
        if (std::abs(segments[i][0] + 0.05) < 0.01 && std::abs(segments[i][2] - 0.05) < 0.01)
            ticks.insert(std::lround(segments[i][1] * 100));
    std::set<long> expected;
    for (long t = -90; t <= 90; t += 10) expected.insert(t);
    EXPECT_EQ(ticks, expected);
}

TEST_F(PlayerGlTest, CrosshairStyleSwitchesAtTheNextDrawWithoutRecompiling) {
    auto linesDrawn = [&] {
        glLoadIdentity();
        std::size_t lines = 0;
        for (const auto& p : CaptureFeedback([&] { m_player.Draw(); }))
            lines += p.token != GL_POLYGON_TOKEN;
        return lines;
    };
    for (int style : {1, 0, 1}) {
        m_player.m_crosshairStyle = style;
        EXPECT_EQ(linesDrawn(), style ? 27u : 42u) << style;
    }
    EXPECT_EQ(CSceneObject::NextListId(), m_firstId + 3) << "no list compiled again";
}

}  // namespace
}  // namespace bravok
