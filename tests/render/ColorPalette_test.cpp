#include "render/ColorPalette.h"

#include <gtest/gtest.h>

namespace bravok {
namespace {

TEST(ColorPalette, EntriesSpreadRedGreenAndBlueOverTheIndexBits) {
    const auto entries = ColorPaletteEntries();
    struct Case {
        int index;
        PALETTEENTRY expected;
    };
    const Case cases[] = {
        {0, {0, 0, 0, 0}},        {255, {255, 255, 255, 0}},
        {7, {255, 0, 0, 0}},      {56, {0, 255, 0, 0}},
        {192, {0, 0, 255, 0}},    {2, {72, 0, 0, 0}},
        {4, {145, 0, 0, 0}},      {6, {218, 0, 0, 0}},
        {3 << 3, {0, 109, 0, 0}}, {1 << 6, {0, 0, 85, 0}},
        {2 << 6, {0, 0, 170, 0}}, {1 + (2 << 3) + (3 << 6), {36, 72, 255, 0}},
    };
    for (const Case& c : cases) EXPECT_EQ(entries[c.index], c.expected) << "entry " << c.index;
    // The red and green levels are k * 255 / 7 truncated, for every k.
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(entries[k].peRed, k * 255 / 7);
        EXPECT_EQ(entries[k << 3].peGreen, k * 255 / 7);
    }
}

}  // namespace
}  // namespace bravok
