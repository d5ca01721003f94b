// A CDib whose C heap cannot serve it ends up empty, and an empty object
// answers every operation with its failure result. The heap is made to fail by
// capping the process's address space around the call.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "dib/Dib.h"
#include "platform/MemoryDC.h"
#include "platform/Palette.h"

// Under the sanitizers a failed allocation must come back as null, as it does
// from the plain C heap, instead of ending the program.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1";
}
extern "C" const char* __tsan_default_options() {
    return "allocator_may_return_null=1";
}

namespace bravok {
namespace {

constexpr int kSide = 30000;  // 900 MB of pixels

class AddressSpaceCap {
  public:
    AddressSpaceCap() {
        std::ifstream status("/proc/self/status");
        rlim_t used = 0;
        for (std::string line; std::getline(status, line);)
            if (line.rfind("VmSize:", 0) == 0) used = std::stoull(line.substr(7)) << 10;
        getrlimit(RLIMIT_AS, &m_old);
        rlimit capped = m_old;
        capped.rlim_cur = used + (256u << 20);
        setrlimit(RLIMIT_AS, &capped);
    }
    ~AddressSpaceCap() { setrlimit(RLIMIT_AS, &m_old); }

  private:
    rlimit m_old{};
};

TEST(DibOutOfMemory, LeavesAnEmptyObjectThatFailsHarmlessly) {
    {
        AddressSpaceCap cap;
        void* volatile probe = std::malloc(std::size_t{kSide} * kSide);  // volatile: kept
        const bool refused = probe == nullptr;
        std::free(probe);
        ASSERT_TRUE(refused) << "the cap must make the heap fail";
    }
    CDib dib;
    {
        AddressSpaceCap cap;
        EXPECT_FALSE(dib.CreateBlank(kSide, kSide));
    }
    EXPECT_EQ(dib.GetInfo(), nullptr);
    EXPECT_EQ(dib.GetBits(), nullptr);
    EXPECT_EQ(dib.GetRect(), (Rect{}));
    EXPECT_EQ(dib.GetNumColors(), 0);
    EXPECT_EQ(dib.GetPixelAddress(0, 0), nullptr);
    MemoryDC dc(4, 4, RGB(9, 9, 9));
    EXPECT_EQ(
        dib.Paint(&dc, 0, 0) + dib.PaintPalIndices(&dc, 0, 0) + dib.PaintScaled(&dc, 0, 0, 2.0), 0);
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(9, 9, 9));
    const std::vector<PALETTEENTRY> black{{0, 0, 0, 0}};
    const Palette palette(black);
    EXPECT_FALSE(dib.MapToPalette(&palette));
    CDib other;
    std::memset(other.GetPixelAddress(0, 15), 5, 256);
    dib.CopyTo(&other, 0, 0, 16, 16, 0, 0, -1);
    other.CopyTo(&dib, 0, 0, 16, 16, 0, 0, -1);
    EXPECT_EQ(*other.GetPixelAddress(7, 7), 5);
    EXPECT_TRUE(dib.CreateBlank(2, 2));  // and it takes a new image as usual
}

}  // namespace
}  // namespace bravok
