#include "platform/Palette.h"

#include <gtest/gtest.h>

#include <vector>

namespace bravok {
namespace {

TEST(Palette, NearestIndexAndEntries) {
    const std::vector<PALETTEENTRY> entries{
        {0, 0, 0, 0}, {255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}, {255, 0, 0, 7}};
    const Palette palette(entries);
    EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(250, 10, 10)), 1u);  // ties with 4: lowest wins
    EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(0, 0, 140)), 3u);
    EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(0, 0, 127)), 0u);
    EXPECT_EQ(palette.GetNearestPaletteIndex(0xFF000000 | RGB(0, 0, 140)), 3u);
    EXPECT_EQ(Palette({}).GetNearestPaletteIndex(RGB(1, 2, 3)), CLR_INVALID);

    PALETTEENTRY out[8] = {};
    EXPECT_EQ(palette.GetPaletteEntries(0, 256, out), 5);
    EXPECT_EQ(out[4], entries[4]);
    EXPECT_EQ(palette.GetPaletteEntries(3, 1, out), 1);
    EXPECT_EQ(out[0], entries[3]);
    EXPECT_EQ(out[1], entries[1]);  // untouched past the count
    for (int first : {-1, 5}) EXPECT_EQ(palette.GetPaletteEntries(first, 2, out), 0);
    EXPECT_EQ(palette.GetPaletteEntries(0, 2, nullptr), 0);
    EXPECT_EQ(Palette(std::vector<PALETTEENTRY>(300)).GetEntryCount(), 256);
}

}  // namespace
}  // namespace bravok
