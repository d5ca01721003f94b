#include "scene/SceneObject.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <fstream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "EglContext.h"
#include "SceneTestSupport.h"
#include "TestAccess.h"

namespace bravok {
namespace {

using test::CaptureFeedback;

// Positions and normals are compared in feedback mode under a light, so that a
// normal that went astray changes the colour of its corner.
class SceneObjectTest : public test::GlTest {
  protected:
    void SetUp() override {
        test::GlTest::SetUp();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-8, 8, -8, 8, -8, 8);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
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
    std::vector<double> values;
    for (int line = 0; line < 2 * 300; ++line) {
        for (int i = 0; i < 9; ++i) {
            const std::string number = std::to_string(line % 2 ? unit(rng) : coordinate(rng));
            values.push_back(std::stod(number));
            text += number + " ";
        }
        text += "\n";
    }
    CSceneObject object;
    const int before = CSceneObject::NextListId();
    object.Load(m_dir.Write("mesh.vtx", text).c_str());
    EXPECT_EQ(TestAccess::ListId(object), static_cast<GLuint>(before + 1));
    EXPECT_TRUE(glIsList(TestAccess::ListId(object)));

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
    ASSERT_EQ(listed.size(), direct.size());
    for (std::size_t p = 0; p < listed.size(); ++p) {
        ASSERT_EQ(listed[p].vertices.size(), 3u);
        for (int c = 0; c < 3; ++c) {
            const auto& a = listed[p].vertices[c];
            const auto& b = direct[p].vertices[c];
            EXPECT_EQ(std::tie(a.x, a.y, a.z, a.r, a.g, a.b), std::tie(b.x, b.y, b.z, b.r, b.g, b.b))
                << "triangle " << p << " corner " << c;
        }
    }
}

TEST_F(SceneObjectTest, EmptyFileTakesAnIdForAnEmptyList) {
    CSceneObject object;
    object.Load(m_dir.Write("empty.vtx", "").c_str());
    EXPECT_TRUE(glIsList(TestAccess::ListId(object)));
    EXPECT_TRUE(CaptureFeedback([&] { object.Draw(); }).empty());
}

TEST_F(SceneObjectTest, UnreadableFileTakesNoIdAndDrawsNothing) {
    for (const char* path : {"no-such-file.vtx", ".", "/dev/zero"}) {
        CSceneObject object;
        const int before = CSceneObject::NextListId();
        object.Load(path);
        EXPECT_EQ(TestAccess::ListId(object), 0u) << path;
        EXPECT_EQ(CSceneObject::NextListId(), before + 1) << path << ": the id was left";
        EXPECT_TRUE(CaptureFeedback([&] { object.Draw(); }).empty()) << path;
    }
}

// Caps the address space a little above what the process uses now.
class AddressSpaceCap {
  public:
    explicit AddressSpaceCap(rlim_t headroom) {
        std::ifstream status("/proc/self/status");
        rlim_t used = 0;
        for (std::string line; std::getline(status, line);)
            if (line.rfind("VmSize:", 0) == 0) used = std::stoull(line.substr(7)) << 10;
        getrlimit(RLIMIT_AS, &m_old);
        rlimit capped = m_old;
        capped.rlim_cur = used + headroom;
        setrlimit(RLIMIT_AS, &capped);
    }
    ~AddressSpaceCap() { setrlimit(RLIMIT_AS, &m_old); }

  private:
    rlimit m_old{};
};

// A mesh that cannot be held is a bad file, not the end of the game: the
// object is left without a mesh and without a list.
TEST_F(SceneObjectTest, MeshTooLargeToHoldLeavesNoMeshAndTakesNoId) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizers' allocators do not let an allocation fail";
#endif
    // Two million empty lines: a million triangles, 144 MB of arrays.
    const std::string path = m_dir.Write("huge.vtx", std::string(2'000'000, '\n'));
    CSceneObject object;
    const int before = CSceneObject::NextListId();
    {
        AddressSpaceCap cap(100u << 20);
        object.Load(path.c_str());
    }
    EXPECT_FALSE(TestAccess::HasMesh(object));
    EXPECT_EQ(TestAccess::TriangleCount(object), 0);
    EXPECT_EQ(CSceneObject::NextListId(), before + 1) << "no id was taken";
}

}  // namespace
}  // namespace bravok
