#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include "BmpBuilder.h"
#include "dib/Dib.h"
#include "platform/BinaryFile.h"
#include "platform/MemoryDC.h"
#include "platform/Palette.h"

namespace bravok {
namespace {

// Remembers the last blit it was asked for: destination, source, colour use.
class RecordingDC : public IDeviceContext {
  public:
    const Palette* SelectPalette(const Palette* palette) override { return palette; }
    int StretchDIBits(int x, int y, int w, int h, int xs, int ys, int ws, int hs, const void* bits,
                      const BITMAPINFO* info, unsigned colorUse, std::uint32_t rop) override {
        args = {x, y, w, h, xs, ys, ws, hs, int(colorUse)};
        image = {bits, info};
        return rop == SRCCOPY ? 77 : -1;
    }
    std::vector<int> args;
    std::pair<const void*, const BITMAPINFO*> image;
};

TEST(DibPaint, DrawsTheWholeImageAndReturnsTheBlitsResult) {
    CDib dib;
    ASSERT_TRUE(dib.CreateBlank(15, 9));
    RecordingDC dc;
    EXPECT_EQ(dib.Paint(&dc, 3, -4), 77);
    EXPECT_EQ(dc.args, (std::vector<int>{3, -4, 15, 9, 0, 0, 15, 9, DIB_RGB_COLORS}));
    EXPECT_EQ(dc.image, std::make_pair(static_cast<const void*>(dib.GetBits()), dib.GetInfo()));
    EXPECT_EQ(dib.PaintPalIndices(&dc, 1, 2), 77);
    EXPECT_EQ(dc.args, (std::vector<int>{1, 2, 15, 9, 0, 0, 15, 9, DIB_PAL_COLORS}));
    EXPECT_EQ(dib.Paint(nullptr, 0, 0) + dib.PaintPalIndices(nullptr, 0, 0) +
                  dib.PaintScaled(nullptr, 0, 0, 1.0),
              0);
}

TEST(DibPaint, ScaledSidesTruncateTowardZero) {
    // 15 x 9 times the scale; past the int range a side stops at its end, and a
    // NaN scale gives nothing.
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double scale;
        int width, height;
    };
    // clang-format off
    const Case cases[] = {{0.5, 7, 4}, {-0.5, -7, -4}, {1.0, 15, 9}, {2.5, 37, 22}, {0.06, 0, 0},
                          {1e300, INT_MAX, INT_MAX}, {-inf, INT_MIN, INT_MIN}, {std::nan(""), 0, 0}};
    // clang-format on
    for (const Case& c : cases) {
        CDib dib;
        ASSERT_TRUE(dib.CreateBlank(15, 9));
        RecordingDC dc;
        EXPECT_EQ(dib.PaintScaled(&dc, 1, 2, c.scale), 77);
        EXPECT_EQ(dc.args, (std::vector<int>{1, 2, c.width, c.height, 0, 0, 15, 9, DIB_RGB_COLORS}))
            << c.scale;
    }
}

// Each pixel shows its colour entry; values past the two declared colours show
// black, the zeroed entries beyond them.
TEST(DibPaint, PixelsShowTheirColourEntries) {
    const std::vector<std::uint8_t> bytes =
        test::MakeBmp({.width = 6, .height = 5, .clrUsed = 2, .tableEntries = 2});
    MemoryFile file(bytes);
    CDib dib;
    ASSERT_TRUE(dib.ReadFromFile(&file));
    MemoryDC dc(8, 7, RGB(1, 2, 3));
    EXPECT_EQ(dib.Paint(&dc, 2, 1), 5);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 6; ++x) {
            const int v = *dib.GetPixelAddress(x, y);
            ASSERT_EQ(dc.GetPixel(x + 2, y + 1), v < 2 ? test::EntryRgb(v) : 0) << x << "," << y;
        }
    }
    EXPECT_EQ(dc.GetPixel(1, 1), RGB(1, 2, 3));
    EXPECT_EQ(dc.GetPixel(2, 6), RGB(1, 2, 3));
}

TEST(DibMapToPalette, RemapsEveryByteOntoTheNearestEntry) {
    CDib dib;
    ASSERT_TRUE(dib.CreateBlank(5, 3));
    // Ramp value v is the grey (v, v, v); the padding bytes are mapped too.
    std::uint8_t* bits = dib.GetPixelAddress(0, 2);  // the bottom row, stored first
    for (int i = 0; i < 24; ++i) bits[i] = static_cast<std::uint8_t>(i * 11);
    const Palette empty({});
    EXPECT_FALSE(dib.MapToPalette(nullptr) || dib.MapToPalette(&empty));
    EXPECT_EQ(bits[1], 11);
    const std::vector<PALETTEENTRY> greys{
        {0, 0, 0, 0}, {85, 85, 85, 0}, {170, 170, 170, 0}, {255, 255, 255, 0}};
    const Palette palette(greys);
    ASSERT_TRUE(dib.MapToPalette(&palette));
    for (int i = 0; i < 24; ++i)  // nearest of 0, 85, 170, 255: 42 goes down, 43 up
        EXPECT_EQ(bits[i], (i * 11 + 42) / 85) << "byte " << i;
    const BITMAPINFO& info = *dib.GetInfo();
    EXPECT_EQ(info.bmiHeader.biClrUsed, 256u);
    EXPECT_EQ(info.bmiColors[1].rgbRed, 85);
    EXPECT_EQ(info.bmiColors[4].rgbGreen, 4);  // past the palette's entries: kept
}

}  // namespace
}  // namespace bravok
