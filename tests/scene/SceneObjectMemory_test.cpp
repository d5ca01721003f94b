// A vertex file whose mesh cannot be held in memory is a bad file like any
// other: the object is left without a list, and the game goes on.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <fstream>
#include <string>

#include "SceneTestSupport.h"
#include "scene/SceneObject.h"

namespace bravok {
namespace {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;  // their allocators end the program instead
#else
constexpr bool kSanitized = false;
#endif

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

TEST(SceneObjectMemory, MeshTooLargeToHoldTakesNoListId) {
    if (kSanitized) GTEST_SKIP() << "the sanitizers' allocators do not let an allocation fail";
    test::ScopedTempDir dir;
    // Two million empty lines: a million triangles, 144 MB of arrays.
    const std::string path = dir.Write("huge.vtx", std::string(2'000'000, '\n'));
    CSceneObject object;
    const int before = CSceneObject::NextListId();
    {
        AddressSpaceCap cap(64u << 20);
        object.Load(path.c_str());
    }
    EXPECT_FALSE(object.HasList());
    EXPECT_EQ(CSceneObject::NextListId(), before + 1) << "no id was taken";
}

}  // namespace
}  // namespace bravok
