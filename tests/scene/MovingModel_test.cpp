#include "scene/MovingModel.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "EglContext.h"
#include "Eventually.h"
#include "SceneTestSupport.h"

namespace bravok {
namespace {

using namespace std::chrono_literals;
using test::Eventually;
using test::ScopedTempDir;

// The swing is a triangle wave between -5 and 5 with a period of 40 ticks; the
// spin adds 5 degrees a tick and never wraps.
TEST(MovingModel, TicksSwingAndSpin) {
    CMovingModel model;
    float step = CMovingModel::kSwingStep;
    struct Checkpoint {
        int tick;
        float posX;
    };
    const Checkpoint checkpoints[] = {{1, 0.5f},   {10, 5.0f},  {11, 4.5f}, {20, 0.0f},
                                      {30, -5.0f}, {31, -4.5f}, {50, 5.0f}, {90, 5.0f}};
    int done = 0;
    for (const Checkpoint& c : checkpoints) {
        for (; done < c.tick; ++done) {
            model.AnimationTick(step);
            ASSERT_GE(model.m_posX, -5.0f);
            ASSERT_LE(model.m_posX, 5.0f);
            ASSERT_EQ(model.m_posX * 2, std::floor(model.m_posX * 2)) << "multiples of 0.5";
        }
        EXPECT_EQ(model.m_posX, c.posX) << "after " << c.tick << " ticks";
        EXPECT_EQ(model.m_rotX, 5.0f * c.tick);
    }
    CMovingModel spinner;
    float spinStep = CMovingModel::kSwingStep;
    for (int i = 0; i < 72; ++i) spinner.AnimationTick(spinStep);
    EXPECT_EQ(spinner.m_rotX, 360.0f);
    spinner.AnimationTick(spinStep);
    EXPECT_EQ(spinner.m_rotX, 365.0f);
    EXPECT_EQ(spinner.m_posY, 2.0f);
    EXPECT_EQ(spinner.m_posZ, 0.0f);
    EXPECT_EQ(spinner.m_rotY, 0.0f);
}

class MovingModelGlTest : public test::GlTest {
  protected:
    ScopedTempDir m_dir;
};

TEST_F(MovingModelGlTest, DrawPlacesTheSpunMeshAndRestoresTheMatrix) {
    m_dir.Write("cylinder.vtx", "0 1 0 0 1 0 0 1 0\n0 0 1 0 0 1 0 0 1\n");
    CMovingModel model;
    model.Init();
    model.Cleanup();  // the worker is not wanted here: fields are set by hand
    ASSERT_TRUE(model.HasList());
    model.m_posX = 3.0f;
    model.m_rotX = 90.0f;

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -10.0f);  // a view the model is drawn under
    const auto view = test::CurrentMatrix();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-8, 8, -8, 8, 1, 20);
    glMatrixMode(GL_MODELVIEW);

    const auto primitives = test::CaptureFeedback([&] { model.Draw(); });
    EXPECT_EQ(test::CurrentMatrix(), view) << "Draw must restore the model-view matrix";
    ASSERT_EQ(primitives.size(), 1u);
    // (0, 1, 0) spun 90 degrees about X lands on (0, 0, 1), then moves to
    // (posX, posY, 0): world (3, 2, 1).
    const auto& corner = primitives[0].vertices[0];
    EXPECT_NEAR(corner.x / 64.0 * 16.0 - 8.0, 3.0, 1e-3);
    EXPECT_NEAR(corner.y / 64.0 * 16.0 - 8.0, 2.0, 1e-3);

    GLfloat ambient[4] = {}, specular[4] = {}, shininess = 0;
    glGetMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
    EXPECT_EQ(std::vector<float>(ambient, ambient + 4), (std::vector<float>{1, 0, 0, 1}));
    EXPECT_EQ(std::vector<float>(specular, specular + 4), (std::vector<float>{1, 1, 1, 1}));
    EXPECT_EQ(shininess, 120.0f);
}

// Reads the spin angle under the model's lock, as Draw does.
float Spin(CMovingModel& model) {
    std::scoped_lock lock(model.m_lock);
    return model.m_rotX;
}

TEST_F(MovingModelGlTest, WorkerRunsWithoutTheMeshFile) {
    CMovingModel model;
    model.Init();
    EXPECT_FALSE(model.HasList()) << "no cylinder.vtx here";
    EXPECT_TRUE(Eventually([&] { return Spin(model) >= 10.0f; })) << "the worker ticks anyway";
    model.Cleanup();
    const float stopped = Spin(model);
    std::this_thread::sleep_for(120ms);
    EXPECT_EQ(Spin(model), stopped) << "no tick after Cleanup";
    model.Cleanup();  // a second stop is harmless
}

TEST_F(MovingModelGlTest, NestedPausesHoldTheWorkerAndDrawingGoesOn) {
    CMovingModel model;
    model.Init();
    ASSERT_TRUE(Eventually([&] { return Spin(model) > 0.0f; }));
    model.SuspendWorker();
    model.SuspendWorker();
    const float paused = Spin(model);
    std::this_thread::sleep_for(200ms);
    const float later = Spin(model);
    EXPECT_LE(later - paused, CMovingModel::kSpinStep) << "at most the tick in progress";
    model.Draw();  // a paused worker never holds the lock
    model.ResumeWorker();
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(Spin(model), later) << "one resume of two pauses leaves it paused";
    model.ResumeWorker();
    EXPECT_TRUE(Eventually([&] { return Spin(model) > later; }));
    model.Cleanup();
}

TEST_F(MovingModelGlTest, StopEndsAWorkerPausedAnyNumberOfTimes) {
    for (int pauses : {1, 2, 3}) {
        CMovingModel model;
        model.Init();
        for (int i = 0; i < pauses; ++i) model.SuspendWorker();
        const float before = Spin(model);
        model.Cleanup();  // would hang if the pause kept the worker from ending
        EXPECT_LE(Spin(model) - before, CMovingModel::kSpinStep);
        EXPECT_EQ(model.m_hThread, nullptr) << "the thread handle is released";
        EXPECT_EQ(model.m_hStopEvent, nullptr) << "the stop event is released";
    }
}

TEST(MovingModelWorker, StopSetBeforeTheFirstTickMeansNoTick) {
    CMovingModel model;
    model.m_hStopEvent = std::make_unique<ManualResetEvent>();
    model.m_hStopEvent->Set();
    model.StartThread();
    model.WaitWorker();
    EXPECT_EQ(model.m_rotX, 0.0f);
    EXPECT_EQ(model.m_posX, 0.0f);
}

TEST(MovingModelWorker, MissingStopEventEndsTheWorkerAtOnce) {
    CMovingModel model;
    model.StartThread();  // no event: the wait fails and the loop ends
    model.WaitWorker();
    EXPECT_EQ(model.m_rotX, 0.0f);
}

TEST(MovingModelWorker, DestroyingARunningModelStopsItsWorker) {
    auto model = std::make_unique<CMovingModel>();
    model->Init();
    ASSERT_TRUE(Eventually([&] { return Spin(*model) > 0.0f; })) << "the worker is running";
    model->SuspendWorker();
    // Must neither hang on the paused worker nor leave it running on freed
    // memory (the AddressSanitizer run catches the latter).
    model.reset();
    EXPECT_EQ(model, nullptr);
}

}  // namespace
}  // namespace bravok
