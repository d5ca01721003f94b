#include "scene/Player.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "EglContext.h"
#include "FakeWindowServices.h"
#include "SceneTestSupport.h"

namespace bravok {
namespace {

using test::CaptureFeedback;
using test::FeedbackPrimitive;

// The player's GL tests use a 64 x 64 pbuffer and the game's own projection.
class PlayerGlTest : public test::GlTest {
  protected:
    void SetUp() override {
        test::GlTest::SetUp();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glFrustum(-1, 1, -1, 1, 2, 60);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
    void TearDown() override { m_player.Cleanup(); }

    // One frame as the game draws it: light at the eye, depth test, the player.
    void RenderFrame() {
        glEnable(GL_DEPTH_TEST);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        const GLfloat position[] = {-1, 1, 0, 1};
        const GLfloat ambient[] = {0.5f, 0.5f, 0.5f, 1};
        const GLfloat diffuse[] = {0.7f, 0.7f, 0.7f, 1};
        glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
        glLightfv(GL_LIGHT0, GL_POSITION, position);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        m_player.Draw();
        glFinish();
    }
    // The cross's lines run along the pixel boundaries through the centre, so
    // look at the four pixels that meet there.
    bool GreenAtCentre() const {
        for (int x : {31, 32})
            for (int y : {31, 32})
                if (m_gl.Pixel(x, y) == std::array<int, 3>{0, 255, 0}) return true;
        return false;
    }
    void InitWithoutWorker() {
        m_player.Init(&m_window);
        m_player.Cleanup();  // the tests set the view fields themselves
    }

    test::FakeWindowServices m_window;
    CPlayer m_player;
};

TEST_F(PlayerGlTest, InitCompilesThreeListsInOrder) {
    const int before = CSceneObject::NextListId();
    m_player.Init(&m_window);
    EXPECT_EQ(m_player.m_ringListId, static_cast<GLuint>(before + 1));
    EXPECT_EQ(m_player.m_gridListId, static_cast<GLuint>(before + 2));
    EXPECT_EQ(m_player.m_roomListId, static_cast<GLuint>(before + 3));
    for (GLuint id : {m_player.m_ringListId, m_player.m_gridListId, m_player.m_roomListId})
        EXPECT_TRUE(glIsList(id)) << id;
    EXPECT_EQ(m_player.m_pFrame, &m_window);
}

TEST_F(PlayerGlTest, DrawLeavesTheViewTransformOnTheMatrix) {
    InitWithoutWorker();
    struct Case {
        float pitch, heading;
        // A world point, and where the eye must see it.
        double world[3], eye[3];
    };
    const Case cases[] = {
        // From the start the eye at (0, 3, 4) looks along -z.
        {0, 0, {0, 3, 4}, {0, 0, 0}},
        {0, 0, {0, 3, -6}, {0, 0, -10}},
        {0, 0, {1, 3, 4}, {1, 0, 0}},
        // Heading 90 has turned right: +x is straight ahead.
        {0, 90, {10, 3, 4}, {0, 0, -10}},
        // Pitch 90 looks straight down.
        {90, 0, {0, -7, 4}, {0, 0, -10}},
    };
    for (const Case& c : cases) {
        m_player.m_rotX = c.pitch;
        m_player.m_rotY = c.heading;
        glLoadIdentity();
        m_player.Draw();
        const auto eye = test::Transform(test::CurrentMatrix(), c.world[0], c.world[1], c.world[2]);
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(eye[i], c.eye[i], 1e-4) << "pitch " << c.pitch << " heading " << c.heading;
    }
}

TEST_F(PlayerGlTest, FirstFrameShowsTheLitRoomAndTheGreenRingAtTheCentre) {
    InitWithoutWorker();
    RenderFrame();
    EXPECT_TRUE(GreenAtCentre()) << "crosshair at the centre";
    for (auto [x, y] : {std::pair{2, 2}, {61, 61}, {2, 61}, {61, 2}, {32, 8}}) {
        const auto pixel = m_gl.Pixel(x, y);
        EXPECT_GT(pixel[0], 40) << x << "," << y << ": the room is lit";
        EXPECT_EQ(pixel[0], pixel[1]) << x << "," << y << ": and grey";
        EXPECT_EQ(pixel[1], pixel[2]) << x << "," << y;
    }
}

TEST_F(PlayerGlTest, ANearWallHidesTheCrosshair) {
    InitWithoutWorker();
    m_player.m_posZ = 17.0f;  // the eye at z = -17, three units from the far wall
    RenderFrame();
    EXPECT_FALSE(GreenAtCentre()) << "the wall, not the crosshair, at the centre";
    const auto pixel = m_gl.Pixel(32, 32);
    EXPECT_EQ(pixel[0], pixel[1]);
    EXPECT_GT(pixel[0], 40);
}

// Crosshair figures in the eye-space plane 3.5 units ahead, back in the units
// they were drawn in.
struct Segment {
    double x0, y0, x1, y1;
};
std::vector<Segment> CrosshairSegments(const std::vector<FeedbackPrimitive>& primitives) {
    std::vector<Segment> segments;
    // Window to figure units: the frustum's plane at distance 2 spans -1..1, so
    // at 3.5 it spans -1.75..1.75 across the 64 pixels.
    auto unit = [](float window) { return (window / 64.0 * 2.0 - 1.0) * 1.75; };
    for (const auto& p : primitives) {
        EXPECT_TRUE(p.token == GL_LINE_TOKEN || p.token == GL_LINE_RESET_TOKEN) << p.token;
        for (const auto& v : p.vertices) {
            EXPECT_EQ(v.r, 0.0f);
            EXPECT_EQ(v.g, 1.0f) << "pure green, unlit";
            EXPECT_EQ(v.b, 0.0f);
        }
        segments.push_back({unit(p.vertices[0].x), unit(p.vertices[0].y), unit(p.vertices[1].x),
                            unit(p.vertices[1].y)});
    }
    return segments;
}

TEST_F(PlayerGlTest, RingCrosshairIsAnOpenCircleOf26PointsWithACross) {
    InitWithoutWorker();
    glEnable(GL_LIGHTING);
    glRotatef(123, 0, 1, 0);  // the crosshair ignores the view it is drawn under
    const auto segments =
        CrosshairSegments(CaptureFeedback([&] { glCallList(m_player.m_ringListId); }));
    ASSERT_EQ(segments.size(), 25u + 2u) << "a strip of 26 points and two cross lines";
    for (int i = 0; i < 25; ++i) {
        EXPECT_NEAR(std::hypot(segments[i].x0, segments[i].y0), 0.2, 0.01);
        EXPECT_NEAR(std::hypot(segments[i].x1, segments[i].y1), 0.2, 0.01);
    }
    EXPECT_NEAR(segments[0].x0, 0.2, 0.01) << "the ring starts at angle 0";
    EXPECT_NEAR(segments[0].y0, 0.0, 0.01);
    EXPECT_LT(segments[24].y1, 0.0) << "and stops just short of it";
    EXPECT_NEAR(segments[25].x0, -0.3, 0.01);
    EXPECT_NEAR(segments[25].x1, 0.3, 0.01);
    EXPECT_NEAR(segments[26].y0, 0.3, 0.01);
    EXPECT_NEAR(segments[26].y1, -0.3, 0.01);
    GLboolean lighting = GL_FALSE;
    glGetBooleanv(GL_LIGHTING, &lighting);
    EXPECT_TRUE(lighting) << "lighting is back on after the crosshair";
}

TEST_F(PlayerGlTest, GridCrosshairHasTenTicksEachWayAndNoneAtTheEnds) {
    InitWithoutWorker();
    const auto segments =
        CrosshairSegments(CaptureFeedback([&] { glCallList(m_player.m_gridListId); }));
    ASSERT_EQ(segments.size(), 2u + 40u);
    std::set<long> tickPositions;  // in hundredths, along the vertical axis
    for (std::size_t i = 2; i < segments.size(); ++i) {
        const Segment& s = segments[i];
        if (std::abs(s.x0 + 0.05) < 0.01 && std::abs(s.x1 - 0.05) < 0.01)
            tickPositions.insert(std::lround(s.y0 * 100));
    }
    EXPECT_EQ(tickPositions, (std::set<long>{-90, -80, -70, -60, -50, -40, -30, -20, -10, 0, 10, 20,
                                             30, 40, 50, 60, 70, 80, 90}));
}

TEST_F(PlayerGlTest, CrosshairStyleSwitchesAtTheNextDrawWithoutRecompiling) {
    InitWithoutWorker();
    auto linesDrawn = [&] {
        glLoadIdentity();
        std::size_t lines = 0;
        for (const auto& p : CaptureFeedback([&] { m_player.Draw(); }))
            if (p.token != GL_POLYGON_TOKEN) ++lines;
        return lines;
    };
    EXPECT_EQ(linesDrawn(), 27u);
    m_player.m_crosshairStyle = 0;
    EXPECT_EQ(linesDrawn(), 42u);
    m_player.m_crosshairStyle = 1;
    EXPECT_EQ(linesDrawn(), 27u);
    EXPECT_EQ(CSceneObject::NextListId(), static_cast<int>(m_player.m_roomListId) + 1);
}

}  // namespace
}  // namespace bravok
