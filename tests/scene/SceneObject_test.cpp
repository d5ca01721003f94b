#include "scene/SceneObject.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "HeadlessGl.h"
#include "SceneTestSupport.h"
#include "TestAccess.h"

namespace bravok {
namespace {

using test::CaptureFeedback;

// Compared under a light, so that a normal gone astray changes its corner's colour.
class SceneObjectTest : public test::GlTest {
  protected:
    void SetUp() override {
        test::GlTest::SetUp();
        glMatrixMode(GL_PROJECTION);  // a fresh context: both matrices start as identity
        glOrtho(-8, 8, -8, 8, -8, 8);
        glMatrixMode(GL_MODELVIEW);
        const GLfloat direction[] = {0.3f, 0.5f, 0.8f, 0.0f};
        glLightfv(GL_LIGHT0, GL_POSITION, direction);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
    }
    test::ScopedTempDir m_dir;
};

// The list draws exactly what one glBegin and glEnd pair a triangle draws, from
// the file's values in the file's order, each corner with its own normal.
TEST_F(SceneObjectTest, ListDrawsWhatATrianglePerBeginDraws) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> coordinate(-7.0, 7.0), unit(-1.0, 1.0);
    std::string text;
    std::vector<double> values;  // as the file gives them: six decimals
    for (int line = 0; line < 2 * 300; ++line, text += "\n")
        for (int i = 0; i < 9; ++i) {
            values.push_back(std::round((line % 2 ? unit(rng) : coordinate(rng)) * 1e6) / 1e6);
            text += std::to_string(values.back()) + " ";
        }
    CSceneObject object;
    const int before = CSceneObject::NextListId();
    object.Load(m_dir.Write("mesh.vtx", text).c_str());
    EXPECT_TRUE(TestAccess::ListId(object) == before + 1u && glIsList(before + 1));

    const auto listed = CaptureFeedback([&] { object.Draw(); });
    const auto direct = CaptureFeedback([&] {
        for (std::size_t t = 0; t < values.size(); t += 18) {
            glBegin(GL_TRIANGLES);
            for (std::size_t c = 0; c < 9; c += 3) {
                glNormal3d(values[t + 9 + c], values[t + 10 + c], values[t + 11 + c]);
                glVertex3d(values[t + c], values[t + 1 + c], values[t + 2 + c]);
            }
            glEnd();
        }
    });
    ASSERT_EQ(listed.size(), 300u);
    ASSERT_EQ(direct.size(), 300u);
    for (std::size_t p = 0; p < listed.size(); ++p)
        EXPECT_TRUE(listed[p].vertices == direct[p].vertices) << "triangle " << p;
}

// A file of over a megabyte, read ahead in parts, compiles what its values draw
// one triangle at a time; a reading ahead of another file, or of a missing
// one, changes nothing.
TEST_F(SceneObjectTest, AMeshReadAheadInPartsDrawsWhatItsFileHolds) {
    std::string text;  // lines of 250 characters, whose numbers go round
    for (int line = 0; line < 2 * 2200; ++line) {
        const std::size_t start = text.size();
        for (int i = 0; i < 9; ++i) text += std::to_string((line * 9 + i) % 1400 / 100.0 - 7) + " ";
        text += std::string(start + 250 - text.size(), ' ') + "\n";
    }
    const std::string big = m_dir.Write("big.vtx", text);
    m_dir.Write("small.vtx", text.substr(0, 251 * 4));
    struct Case {
        const char *read, *loaded;
        std::size_t triangles;
    } cases[] = {
        {"big.vtx", "big.vtx", 2200}, {"big.vtx", "small.vtx", 2}, {"no.vtx", "no.vtx", 0}};
    const VertexMesh mesh = ReadVertexFile(big.c_str());
    for (const Case& c : cases) {
        CSceneObject object;
        object.ReadAhead(std::make_unique<VertexFileReading>(c.read));
        const int before = CSceneObject::NextListId();
        object.Load(c.loaded);
        EXPECT_EQ(TestAccess::ListId(object), c.triangles ? before + 1u : 0u) << c.loaded;
        const auto listed = CaptureFeedback([&] { object.Draw(); });
        const auto direct = CaptureFeedback([&] {
            for (std::size_t v = 0; v < c.triangles * 9; v += 3) {
                if (v % 9 == 0) glBegin(GL_TRIANGLES);
                glNormal3dv(&mesh.normals[v]);
                glVertex3dv(&mesh.vertices[v]);
                if (v % 9 == 6) glEnd();
            }
        });
        ASSERT_EQ(listed.size(), c.triangles) << c.loaded;
        for (std::size_t p = 0; p < listed.size(); ++p)
            ASSERT_TRUE(listed[p].vertices == direct[p].vertices) << c.loaded << " triangle " << p;
    }
}

// An empty file takes an id for an empty list; a file that cannot be read or
// is too large (a terabyte of holes) takes none; neither draws anything.
TEST_F(SceneObjectTest, UnreadableFileTakesNoIdAndDrawsNothing) {
    m_dir.Write("empty.vtx", "");
    m_dir.WriteHoles("huge.vtx", std::streamoff{1} << 40);
#ifdef _WIN32
    const char* device = "NUL";
#else
    const char* device = "/dev/zero";
#endif
    for (const char* path : {"empty.vtx", "no-such-file.vtx", ".", device, "huge.vtx"}) {
        CSceneObject object;
        const int before = CSceneObject::NextListId();
        object.Load(path);
        const bool empty = path == std::string("empty.vtx");
        EXPECT_EQ(TestAccess::ListId(object), empty ? before + 1u : 0u) << path;
        EXPECT_EQ(glIsList(before + 1) == GL_TRUE, empty) << path;
        EXPECT_EQ(CSceneObject::NextListId(), before + (empty ? 2 : 1)) << path;
        EXPECT_TRUE(CaptureFeedback([&] { object.Draw(); }).empty()) << path;
    }
}

}  // namespace
}  // namespace bravok
