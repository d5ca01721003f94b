#include "scene/MovingModel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "Eventually.h"
#include "HeadlessGl.h"
#include "SceneTestSupport.h"
#include "TestAccess.h"

namespace bravok {
namespace {

using Pose = TestAccess::Pose;

// The swing is a triangle wave between -5 and 5 with a period of 40 ticks; the
// spin adds 5 degrees a tick and never wraps; nothing else moves.
TEST(MovingModel, TicksSwingAndSpin) {
    CMovingModel model;
    float step = 0.5f;
    const std::pair<int, float> checkpoints[] = {{1, 0.5f},  {10, 5.0f},  {11, 4.5f},
                                                 {20, 0.0f}, {30, -5.0f}, {31, -4.5f},
                                                 {50, 5.0f}, {72, -4.0f}, {73, -3.5f}};
    int done = 0;
    for (const auto& [tick, posX] : checkpoints) {
        for (; done < tick; ++done) model.AnimationTick(step);
        EXPECT_EQ(TestAccess::GetPose(model), (Pose{5.0f * tick, 0, posX, 2, 0})) << tick;
    }
}

auto Spin = [](CMovingModel& model) { return TestAccess::GetPose(model).rotX; };

TEST(MovingModelGl, DrawPlacesTheSpunMeshAndRestoresTheMatrix) {
    test::HeadlessGlContext gl;
    test::ScopedTempDir dir;
    dir.Write("cylinder.vtx", "0 1 0 0 1 0 0 1 0\n0 0 1 0 0 1 0 0 1\n");
    CMovingModel model;
    model.Init();
    model.Cleanup();  // the worker is not wanted here: the pose is set by hand
    TestAccess::SetPose(model, {90, 0, 3, 2, 0});

    glMatrixMode(GL_PROJECTION);
    glOrtho(-8, 8, -8, 8, 1, 20);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(0.0f, 0.0f, -10.0f);  // a view the model is drawn under
    const auto view = test::CurrentMatrix();
    const auto primitives = test::CaptureFeedback([&] { model.Draw(); });
    EXPECT_EQ(test::CurrentMatrix(), view) << "Draw must restore the model-view matrix";
    ASSERT_EQ(primitives.size(), 1u);
    // (0, 1, 0) spun 90 degrees about X lands on (0, 0, 1), then moves to
    // (posX, posY, 0): world (3, 2, 1), which the view puts 9 units away.
    const auto& at = primitives[0].vertices[0];
    EXPECT_TRUE(std::abs(at.x / 4 - 8 - 3) < 1e-3 && std::abs(at.y / 4 - 8 - 2) < 1e-3 &&
                std::abs(at.z - 8.0 / 19) < 1e-4);

    std::array<GLfloat, 9> material{};  // ambient, specular, shininess
    glGetMaterialfv(GL_FRONT, GL_AMBIENT, &material[0]);
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, &material[4]);
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &material[8]);
    EXPECT_EQ(material, (std::array<GLfloat, 9>{1, 0, 0, 1, 1, 1, 1, 1, 120}));
}

// Without its mesh file the model still swings; a pause holds the worker at its
// gate while drawing goes on; a stop ends a paused worker.
TEST(MovingModelWorker, PauseHoldsTheWorkerAtItsGateAndStopEndsIt) {
    test::HeadlessGlContext gl;
    test::ScopedTempDir emptyFolder;
    CMovingModel model;
    model.Init();
    EXPECT_EQ(TestAccess::ListId(model), 0u) << "no cylinder.vtx here";
    ASSERT_TRUE(test::Eventually([&] { return Spin(model) >= 10.0f; }))
        << "the worker ticks anyway";

    model.SuspendWorker();
    ASSERT_TRUE(test::Eventually([&] { return TestAccess::Parked(model); }));
    const float paused = Spin(model);
    model.Draw();  // a paused worker never holds the lock
    model.ResumeWorker();
    EXPECT_TRUE(test::Eventually([&] { return Spin(model) > paused; })) << "a resume lets it go";

    model.SuspendWorker();
    ASSERT_TRUE(test::Eventually([&] { return TestAccess::Parked(model); }));
    const float stopped = Spin(model);
    model.Cleanup();  // would hang if the pause kept the worker from ending
    EXPECT_TRUE(!TestAccess::HasWorker(model) && Spin(model) == stopped) << "no tick after it";
}

TEST(MovingModelWorker, StopBeforeTheFirstTickOrNoStopEventMeansNoTick) {
    for (bool stopEventSet : {true, false}) {
        CMovingModel model;
        TestAccess::StartWithStopEvent(model, stopEventSet);  // no event: the wait fails
        model.WaitWorker();
        EXPECT_EQ(TestAccess::GetPose(model), (Pose{0, 0, 0, 2, 0})) << stopEventSet;
    }
}

// Destroying a model stops its worker, even paused: no hang, no use after free.
TEST(MovingModelWorker, DestroyingARunningModelStopsItsWorker) {
    auto model = std::make_unique<CMovingModel>();
    model->Init();
    ASSERT_TRUE(test::Eventually([&] { return Spin(*model) > 0.0f; }));
    model->SuspendWorker();
    std::atomic<bool> destroyed{false};
    std::thread destroyer([&] { model.reset(), destroyed = true; });
    destroyer.detach();
    EXPECT_TRUE(test::Eventually([&] { return destroyed.load(); })) << "the destructor hangs";
}

}  // namespace
}  // namespace bravok
