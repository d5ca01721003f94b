// A CDib whose C heap cannot serve it ends up empty, and an empty object answers every
// operation with its failure result. The heap fails under an address-space cap.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <vector>

#include "dib/Dib.h"
#include "dib/MemoryDC.h"
#include "dib/Palette.h"

// Under the sanitizers, too, a failed allocation gives null.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1";
}
extern "C" const char* __tsan_default_options() {
    return "allocator_may_return_null=1";
}

namespace bravok {
namespace {

TEST(DibOutOfMemory, LeavesAnEmptyObjectThatFailsHarmlessly) {
    CDib dib, other;
    rlimit old{};
    getrlimit(RLIMIT_AS, &old);
    const rlimit capped{0, old.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_AS, &capped), 0);
    EXPECT_FALSE(dib.CreateBlank(30000, 30000));
    setrlimit(RLIMIT_AS, &old);

    EXPECT_TRUE(!dib.GetInfo() && !dib.GetBits() && !dib.GetPixelAddress(0, 0) &&
                !dib.GetNumColors() && dib.GetRect() == Rect{});
    MemoryDC dc(4, 4);
    const Palette palette(std::vector<PALETTEENTRY>(1));
    EXPECT_EQ(dib.Paint(&dc, 0, 0) + dib.PaintPalIndices(&dc, 0, 0) +
                  dib.PaintScaled(&dc, 0, 0, 2.0) + dib.MapToPalette(&palette),
              0);
    *other.GetPixelAddress(7, 7) = 5;
    dib.CopyTo(&other, 0, 0, 16, 16, 0, 0, -1);
    other.CopyTo(&dib, 0, 0, 16, 16, 0, 0, -1);
    EXPECT_EQ(*other.GetPixelAddress(7, 7), 5);
    EXPECT_TRUE(dib.CreateBlank(2, 2));  // and it takes a new image as usual
}

}  // namespace
}  // namespace bravok
