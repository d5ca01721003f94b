#include "scene/SceneObject.h"

#include <gtest/gtest.h>

#include "EglContext.h"
#include "SceneTestSupport.h"

namespace bravok {
namespace {

using test::CaptureFeedback;
using test::ScopedTempDir;

class SceneObjectTest : public test::GlTest {
  protected:
    void SetUp() override {
        test::GlTest::SetUp();
        // World units map straight onto the 64 x 64 pbuffer: x and y in -8..8.
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-8, 8, -8, 8, -8, 8);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
    static double ToWorld(float window) { return window / 64.0 * 16.0 - 8.0; }

    ScopedTempDir m_dir;
};

TEST_F(SceneObjectTest, LoadCompilesEveryTriangleInFileOrder) {
    const std::string path = m_dir.Write("two.vtx",
                                         "1 1 0  2 1 0  1 2 0\n"
                                         "0 0 1  0 0 1  0 0 1\n"
                                         "-1 -1 0.5  -3 -1 0.5  -1 -3 0.5\n"
                                         "0 0.6 0.8  0 0.6 0.8  1 0 0\n");
    CSceneObject object;
    const int before = CSceneObject::NextListId();
    object.Load(path.c_str());
    ASSERT_TRUE(object.HasList());
    EXPECT_EQ(object.m_listId, static_cast<GLuint>(before + 1)) << "the next id in the sequence";
    EXPECT_TRUE(glIsList(object.m_listId));
    EXPECT_EQ(object.m_triangleCount, 2);

    const auto primitives = CaptureFeedback([&] { object.Draw(); });
    ASSERT_EQ(primitives.size(), 2u);
    const double expected[2][3][2] = {{{1, 1}, {2, 1}, {1, 2}}, {{-1, -1}, {-3, -1}, {-1, -3}}};
    for (int t = 0; t < 2; ++t) {
        EXPECT_EQ(primitives[t].token, static_cast<GLenum>(GL_POLYGON_TOKEN));
        ASSERT_EQ(primitives[t].vertices.size(), 3u);
        for (int c = 0; c < 3; ++c) {
            EXPECT_NEAR(ToWorld(primitives[t].vertices[c].x), expected[t][c][0], 1e-4);
            EXPECT_NEAR(ToWorld(primitives[t].vertices[c].y), expected[t][c][1], 1e-4);
        }
    }
    // Each corner's normal is given before its vertex: the last one given sticks.
    object.Draw();
    GLfloat normal[4] = {};
    glGetFloatv(GL_CURRENT_NORMAL, normal);
    EXPECT_FLOAT_EQ(normal[0], 1.0f);
    EXPECT_FLOAT_EQ(normal[1], 0.0f);
    EXPECT_FLOAT_EQ(normal[2], 0.0f);
}

TEST_F(SceneObjectTest, EmptyFileTakesAnIdForAnEmptyList) {
    CSceneObject object;
    object.Load(m_dir.Write("empty.vtx", "").c_str());
    ASSERT_TRUE(object.HasList());
    EXPECT_TRUE(glIsList(object.m_listId));
    EXPECT_EQ(object.m_triangleCount, 0);
    EXPECT_TRUE(CaptureFeedback([&] { object.Draw(); }).empty());
}

TEST_F(SceneObjectTest, MissingFileTakesNoIdAndDrawsNothing) {
    CSceneObject object;
    const int before = CSceneObject::NextListId();
    object.Load("no-such-file.vtx");
    EXPECT_FALSE(object.HasList());
    EXPECT_EQ(CSceneObject::NextListId(), before + 1) << "the id was left for the next taker";
    EXPECT_TRUE(CaptureFeedback([&] { object.Draw(); }).empty());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SceneObjectTest, NextListIdCountsUpAcrossObjects) {
    const int first = CSceneObject::NextListId();
    EXPECT_EQ(CSceneObject::NextListId(), first + 1);
    EXPECT_EQ(CSceneObject::NextListId(), first + 2);
}

TEST(SceneObjectWorker, BaseObjectHasNoWorkToDo) {
    CSceneObject object;
    object.StartThread();  // the base ThreadProc returns at once
    object.SuspendWorker();
    object.ResumeWorker();
    object.WaitWorker();
    object.Cleanup();
    EXPECT_EQ(object.m_vertices, nullptr);
}

}  // namespace
}  // namespace bravok
