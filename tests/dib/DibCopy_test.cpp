#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "BmpBuilder.h"
#include "dib/Dib.h"

namespace bravok {
namespace {

// A width x height image declaring `colours` entries, pixels from fill(x, y),
// padding bytes 0xEE.
template <typename Fill>
void Make(CDib& dib, int width, int height, int colours, Fill fill) {
    std::vector<std::uint8_t> header = test::MakeDibBytes({.width = width, .height = height});
    reinterpret_cast<BITMAPINFOHEADER*>(header.data())->biClrUsed = colours % 256;
    std::vector<std::uint8_t> pixels(test::StrideOf(width) * height, 0xEE);
    ASSERT_TRUE(
        dib.Create(reinterpret_cast<BITMAPINFOHEADER*>(header.data()), pixels.data(), true));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) *dib.GetPixelAddress(x, y) = fill(x, y);
}

std::vector<std::uint8_t> AllBytes(const CDib& dib) {
    return {dib.GetBits(),
            dib.GetBits() + test::StrideOf(dib.GetRect().right) * dib.GetRect().bottom};
}

TEST(DibCopy, OneByteOntoAnother) {
    struct Case {
        int colours, transparent;
        std::uint8_t source, expected;  // onto a destination byte 0x77
    };
    // clang-format off
    const Case cases[] = {
        {256, -1, 0xFF, 0xFF}, {256, 255, 0xFF, 0x77}, {256, 255, 0xFE, 0xFE},
        {256, 0x105, 0x05, 0x77}, {256, 0x105, 0x06, 0x06}, {256, -2, 0xFE, 0x77},
        // Two 4-bit pixels a byte with 16 colours, each nibble judged alone.
        {16, 5, 0x5A, 0x7A}, {16, 5, 0x35, 0x37}, {16, 5, 0x55, 0x77}, {16, -1, 0x55, 0x55},
        {16, 0x105, 0x5A, 0x7A}, {16, 0x15, 0x5A, 0x5A},  // the whole low byte is compared
        // With any other colour count a byte is one pixel.
        {256, 5, 0x5A, 0x5A}, {17, 5, 0x5A, 0x5A}};
    // clang-format on
    for (const Case& c : cases) {
        CDib source, dest;
        Make(source, 1, 1, c.colours, [&](int, int) { return c.source; });
        Make(dest, 1, 1, 256, [](int, int) { return std::uint8_t{0x77}; });
        source.CopyTo(&dest, 0, 0, 1, 1, 0, 0, c.transparent);
        EXPECT_EQ(*dest.GetPixelAddress(0, 0), c.expected)
            << c.colours << " colours, transparent " << c.transparent << ", " << int{c.source};
    }
}

TEST(DibCopy, AnEmptyBlockOrNoDestinationTouchesNothing) {
    CDib source, dest;
    Make(source, 4, 4, 256, [](int, int) { return std::uint8_t{1}; });
    Make(dest, 4, 4, 256, [](int, int) { return std::uint8_t{2}; });
    for (auto [w, h] : {std::pair{0, 4}, {4, 0}, {-1, 4}, {4, -3}})
        for (int transparent : {-1, 7}) source.CopyTo(&dest, 0, 0, w, h, 0, 0, transparent);
    source.CopyTo(nullptr, 0, 0, 4, 4, 0, 0, -1);
    EXPECT_EQ(AllBytes(dest), std::vector<std::uint8_t>(16, 2));
}

TEST(DibCopy, OverlappingBytesOfOneRowMoveAsAWhole) {
    CDib dib;
    Make(dib, 5, 1, 256, [](int x, int) { return static_cast<std::uint8_t>('A' + x); });
    dib.CopyTo(&dib, 1, 0, 4, 1, 0, 0, -1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(dib.GetBits()), 5), "AABCD");
}

// The plain rule, pixel by pixel, for the pixels of the block inside both images.
void ReferenceCopy(const CDib& source, CDib& dest, std::vector<std::uint8_t>& out, int xd, int yd,
                   int w, int h, int xs, int ys, int transparent) {
    const bool nibbles = source.GetNumColors() == 16;
    const auto t = static_cast<std::uint8_t>(transparent);
    for (int r = 0; r < h; ++r) {
        for (int k = 0; k < w; ++k) {
            const std::uint8_t* s = source.GetPixelAddress(xs + k, ys + r);
            const std::uint8_t* at = dest.GetPixelAddress(xd + k, yd + r);
            if (s == nullptr || at == nullptr) continue;
            std::uint8_t& d = out[at - dest.GetBits()];
            if (transparent == -1 || (!nibbles && *s != t)) d = *s;
            if (transparent != -1 && nibbles && (*s >> 4) != t) d = (d & 0x0F) | (*s & 0xF0);
            if (transparent != -1 && nibbles && (*s & 0x0F) != t) d = (d & 0xF0) | (*s & 0x0F);
        }
    }
}

TEST(DibCopy, MatchesThePlainRuleOnRandomBlocks) {
    std::mt19937 random(20240607);
    auto in = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
    auto randomByte = [&](int, int) { return static_cast<std::uint8_t>(in(0, 255)); };
    for (int round = 0; round < 3000; ++round) {
        CDib source, dest;
        Make(source, in(1, 13), in(1, 9), in(0, 1) ? 16 : 256, randomByte);
        Make(dest, in(1, 13), in(1, 9), 256, randomByte);
        const int w = in(-2, 16), h = in(-2, 12), xd = in(-16, 16), yd = in(-12, 12);
        const int xs = in(-16, 16), ys = in(-12, 12), transparent = in(0, 2) ? in(-1, 20) : -1;
        std::vector<std::uint8_t> expected = AllBytes(dest);
        ReferenceCopy(source, dest, expected, xd, yd, w, h, xs, ys, transparent);
        const std::vector<std::uint8_t> sourceBefore = AllBytes(source);
        source.CopyTo(&dest, xd, yd, w, h, xs, ys, transparent);
        ASSERT_EQ(AllBytes(dest), expected) << "round " << round;  // padding bytes included
        ASSERT_EQ(AllBytes(source), sourceBefore);
    }
}

}  // namespace
}  // namespace bravok
