#include "dib/Dib.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "BmpBuilder.h"

namespace bravok {
namespace {

const BITMAPINFOHEADER* HeaderOf(const std::vector<std::uint8_t>& dib) {
    return reinterpret_cast<const BITMAPINFOHEADER*>(dib.data());
}

TEST(Dib, NewObjectHoldsA16By16GreyRamp) {
    CDib dib;
    EXPECT_EQ(dib.GetRect(), (Rect{0, 0, 16, 16}));
    EXPECT_EQ(dib.GetNumColors(), 256);
    EXPECT_TRUE(dib.OwnsBits());
    const BITMAPINFOHEADER& h = dib.GetInfo()->bmiHeader;
    EXPECT_EQ(std::vector<int>({int(h.biSize), h.biPlanes, h.biBitCount, int(h.biClrUsed)}),
              std::vector<int>({40, 1, 8, 0}));
    for (int i = 0; i < 256; ++i) {
        const RGBQUAD& c = dib.GetInfo()->bmiColors[i];
        ASSERT_EQ(std::vector<int>({c.rgbBlue, c.rgbGreen, c.rgbRed, c.rgbReserved}),
                  std::vector<int>({i, i, i, 0}));
    }
    // Stride 16: the top row is stored last, the bottom-right pixel is byte 15.
    EXPECT_EQ(dib.GetPixelAddress(0, 0), dib.GetBits() + 240);
    EXPECT_EQ(dib.GetPixelAddress(15, 15), dib.GetBits() + 15);
}

TEST(Dib, AddressesRowsBottomUpWithPaddedStride) {
    CDib dib;
    ASSERT_TRUE(dib.CreateBlank(5, 3));
    EXPECT_EQ(dib.GetPixelAddress(0, 0), dib.GetBits() + 16);
    EXPECT_EQ(dib.GetPixelAddress(4, 2), dib.GetBits() + 4);
    for (auto [x, y] : {std::pair{5, 0}, {0, 3}, {-1, 0}, {0, -1}, {INT_MIN, INT_MAX}})
        EXPECT_EQ(dib.GetPixelAddress(x, y), nullptr) << x << "," << y;
    std::memset(dib.GetPixelAddress(0, 2), 0xAB, 24);  // three rows of 8 bytes are the array's
}

TEST(Dib, RefusedBlankSizesKeepTheImage) {
    // Sizes below 1, and arrays (stride x height) past INT_MAX bytes.
    const std::pair<int, int> sizes[] = {{0, 1},         {1, 0},        {-1, 5},
                                         {INT_MIN, 1},   {1, INT_MIN},  {INT_MAX, 1},
                                         {65536, 65536}, {46344, 46344}};
    for (auto [w, h] : sizes) {
        CDib dib;
        const std::uint8_t* before = dib.GetBits();
        EXPECT_FALSE(dib.CreateBlank(w, h)) << w << "x" << h;
        EXPECT_EQ(dib.GetBits(), before);
        EXPECT_EQ(dib.GetRect(), (Rect{0, 0, 16, 16}));
    }
}

TEST(Dib, NumColorsFollowsBitCountAndColoursUsed) {
    struct Case {
        std::uint32_t size;
        std::uint16_t bitCount;
        std::uint32_t clrUsed;  // written at offset 32 whatever the form
        int expected;
    };
    // clang-format off
    const Case cases[] = {{40, 8, 0, 256}, {40, 8, 20, 20}, {40, 24, 0, 0}, {40, 1, 0, 2},
                          {40, 4, 0, 16}, {124, 8, 0, 256}, {40, 8, 0x12341234, 0x12341234},
                          // The core form has no colours-used field.
                          {12, 4, 0, 16}, {12, 24, 0, 0}, {12, 8, 99, 256}};
    // clang-format on
    for (const Case& c : cases) {
        std::uint8_t header[40] = {};
        std::memcpy(header, &c.size, 4);
        std::memcpy(header + (c.size == 12 ? 10 : 14), &c.bitCount, 2);
        std::memcpy(header + 32, &c.clrUsed, 4);
        EXPECT_EQ(CDib::NumColors(header), c.expected) << c.size << " " << c.bitCount;
    }
    for (std::uint32_t size : {0u, 11u, 13u, 40u, 108u, 124u})
        EXPECT_TRUE(CDib::IsInfoHeader(&size)) << size;
    const std::uint32_t core = 12;
    EXPECT_FALSE(CDib::IsInfoHeader(&core));
}

TEST(Dib, CreateWithCopyTakesHeaderDeclaredColoursAndPixels) {
    std::vector<std::uint8_t> source = test::MakeDibBytes({.clrUsed = 20, .tableEntries = 20});
    std::uint8_t* pixels = &source[40 + 4 * 20];
    CDib dib;
    ASSERT_TRUE(dib.Create(HeaderOf(source), pixels, true));
    EXPECT_TRUE(dib.OwnsBits());
    EXPECT_EQ(dib.GetNumColors(), 20);
    EXPECT_EQ(std::memcmp(dib.GetInfo()->bmiColors, &source[40], 4 * 20), 0);
    EXPECT_EQ(dib.GetInfo()->bmiColors[20].rgbRed, 0);  // not the caller's to give
    EXPECT_EQ(std::memcmp(dib.GetBits(), pixels, 8), 0);
    EXPECT_NE(dib.GetBits(), pixels);
}

TEST(Dib, AttachedPixelsStayTheCallers) {
    const std::vector<std::uint8_t> header = test::MakeDibBytes({});
    std::vector<std::uint8_t> pixels(8, 0x42);
    {
        CDib dib, other;
        ASSERT_TRUE(dib.Create(HeaderOf(header), pixels.data(), false));
        EXPECT_FALSE(dib.OwnsBits());
        *dib.GetPixelAddress(0, 0) = 0x17;
        ASSERT_TRUE(other.Create(HeaderOf(header), pixels.data(), false));
        ASSERT_TRUE(other.CreateBlank(2, 2));
    }
    // Had either object freed the vector's memory, the allocator or the
    // sanitizer would have stopped the test.
    EXPECT_EQ(pixels[4], 0x17);  // pixel (0, 0) is in the top row, stored second
}

TEST(Dib, CreateFromItsOwnImage) {
    CDib dib;
    ASSERT_TRUE(dib.CreateBlank(6, 4));
    std::memset(dib.GetPixelAddress(0, 3), 0x33, 32);
    ASSERT_TRUE(dib.Create(&dib.GetInfo()->bmiHeader, dib.GetPixelAddress(0, 3), true));
    EXPECT_EQ(*dib.GetPixelAddress(5, 0), 0x33);
    EXPECT_EQ(dib.GetInfo()->bmiColors[200].rgbGreen, 200);
    // Attaching its own array neither frees it nor leaks it.
    std::uint8_t* own = dib.GetPixelAddress(0, 3);
    ASSERT_TRUE(dib.Create(&dib.GetInfo()->bmiHeader, own, false));
    EXPECT_EQ(dib.GetBits(), own);
    EXPECT_TRUE(dib.OwnsBits());
}

}  // namespace
}  // namespace bravok
