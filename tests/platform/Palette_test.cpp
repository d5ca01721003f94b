#include "platform/Palette.h"

#include <gtest/gtest.h>

#include <vector>

namespace bravok {
namespace {

const std::vector<PALETTEENTRY> kEntries{
    {0, 0, 0, 0}, {255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}, {255, 0, 0, 7}};

TEST(Palette, NearestIndexByDistanceLowestIndexOnTies) {
    const Palette palette(kEntries);
    EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(250, 10, 10)), 1u);  // 4 is as near: 1 first
    EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(10, 200, 10)), 2u);
    EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(0, 0, 140)), 3u);
    EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(0, 0, 127)), 0u);
    // Bits above the blue byte are no part of the colour.
    EXPECT_EQ(palette.GetNearestPaletteIndex(0xFF000000 | RGB(0, 0, 140)), 3u);
    EXPECT_EQ(Palette({}).GetNearestPaletteIndex(RGB(1, 2, 3)), CLR_INVALID);
}

TEST(Palette, GetEntriesDeliversWhatThePaletteHas) {
    const Palette palette(kEntries);
    PALETTEENTRY out[8] = {};
    EXPECT_EQ(palette.GetPaletteEntries(0, 256, out), 5);
    EXPECT_EQ(out[4], (PALETTEENTRY{255, 0, 0, 7}));
    EXPECT_EQ(palette.GetPaletteEntries(3, 1, out), 1);
    EXPECT_EQ(out[0], kEntries[3]);
    EXPECT_EQ(out[1], kEntries[1]);  // untouched past the count
    EXPECT_EQ(palette.GetPaletteEntries(5, 1, out), 0);
    EXPECT_EQ(palette.GetPaletteEntries(-1, 2, out), 0);
    EXPECT_EQ(palette.GetPaletteEntries(0, 2, nullptr), 0);
}

TEST(Palette, KeepsAtMost256Entries) {
    std::vector<PALETTEENTRY> many(300);
    many[256].peRed = 9;
    const Palette palette(many);
    EXPECT_EQ(palette.GetEntryCount(), 256);
    EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(9, 0, 0)), 0u);
}

}  // namespace
}  // namespace bravok
