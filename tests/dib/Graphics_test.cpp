// The drawing services a bitmap uses: memory device context, stretch, palette.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "dib/MemoryDC.h"
#include "dib/Palette.h"

namespace bravok {
namespace {

// A 3 x 2 bitmap showing "abc" over "def" (stored bottom row first) whose colour
// entry v is red v: the picture reads back from the red channel.
struct SmallBitmap {
    SmallBitmap() {
        info.bmiHeader = {
            .biSize = 40, .biWidth = 3, .biHeight = 2, .biPlanes = 1, .biBitCount = 8};
        for (int v = 0; v < 256; ++v) info.bmiColors[v] = {3, 2, static_cast<std::uint8_t>(v), 0};
    }
    int Blit(MemoryDC& dc, int x, int y, int w, int h, int sx, int sy, int sw, int sh,
             unsigned colorUse = DIB_RGB_COLORS, std::uint32_t rop = SRCCOPY) {
        return dc.StretchDIBits(x, y, w, h, sx, sy, sw, sh, bits, &info, colorUse, rop);
    }
    BITMAPINFO info{};
    std::uint8_t bits[8] = {'d', 'e', 'f', 0, 'a', 'b', 'c', 0};
};

// The surface as text, a line per row, '.' where nothing was drawn.
std::string Picture(const MemoryDC& dc) {
    std::string text;
    for (int y = 0; y < dc.GetHeight(); ++y, text += '\n')
        for (int x = 0; x < dc.GetWidth(); ++x)
            text += dc.GetPixel(x, y) ? static_cast<char>(dc.GetPixel(x, y)) : '.';
    return text;
}

TEST(MemoryDC, StretchesMirrorsAndClips) {
    struct Case {
        int x, y, width, height;  // destination
        int sx, sy, sw, sh;       // source, in stored rows
        const char* picture;      // on a 6 x 4 surface
    };
    for (const Case& c :
         {Case{1, 1, 3, 2, 0, 0, 3, 2, "......\n.abc..\n.def..\n......\n"},
          {0, 0, 6, 4, 0, 0, 3, 2, "aabbcc\naabbcc\nddeeff\nddeeff\n"},   // doubled
          {0, 0, 2, 1, 0, 0, 3, 2, "ab....\n......\n......\n......\n"},   // halved
          {0, 0, 2, 1, 1, 1, 2, 1, "bc....\n......\n......\n......\n"},   // a part
          {4, 0, -3, 2, 0, 0, 3, 2, "..cba.\n..fed.\n......\n......\n"},  // mirrored
          {0, 3, 3, -2, 0, 0, 3, 2, "......\n......\ndef...\nabc...\n"},  // upside down
          {-1, -1, 3, 2, 0, 0, 3, 2, "ef....\n......\n......\n......\n"},
          {4, 3, 3, 2, 0, 0, 3, 2, "......\n......\n......\n....ab\n"},
          {50, -50, 3, 2, 0, 0, 3, 2, "......\n......\n......\n......\n"},
          // Only the visible part of a huge destination is walked.
          {-1000, -1000, INT_MAX, INT_MAX, 0, 0, 3, 2, "aaaaaa\naaaaaa\naaaaaa\naaaaaa\n"},
          {INT_MAX, INT_MAX, INT_MIN, INT_MIN, 0, 0, 3, 2, "ffffff\nffffff\nffffff\nffffff\n"}}) {
        SmallBitmap bitmap;
        MemoryDC dc(6, 4);
        EXPECT_EQ(bitmap.Blit(dc, c.x, c.y, c.width, c.height, c.sx, c.sy, c.sw, c.sh), c.sh);
        EXPECT_EQ(Picture(dc), c.picture) << c.x << "," << c.y << " " << c.width << "x" << c.height;
    }
    const MemoryDC dc(6, 4);
    for (auto [x, y] : {std::pair{6, 0}, {0, 4}, {-1, 0}})
        EXPECT_EQ(dc.GetPixel(x, y), CLR_INVALID);
}

// A source past the bitmap, an empty source or destination, palette colours with no palette
// selected, an unknown colour use or ROP, a bitmap of other than 8 bits: nothing drawn.
TEST(MemoryDC, RefusesWhatItCannotDraw) {
    MemoryDC dc(6, 4);
    SmallBitmap b;
    EXPECT_EQ(b.Blit(dc, 0, 0, 3, 2, 0, 0, 4, 2) + b.Blit(dc, 0, 0, 3, 2, 0, 0, 0, 2) +
                  b.Blit(dc, 0, 0, 0, 2, 0, 0, 3, 2) + b.Blit(dc, 0, 0, 3, 2, 0, 0, 3, 2, 1) +
                  b.Blit(dc, 0, 0, 3, 2, 0, 0, 3, 2, 2) +
                  b.Blit(dc, 0, 0, 3, 2, 0, 0, 3, 2, 0, 0xEE0086),
              0);
    b.info.bmiHeader.biBitCount = 4;
    EXPECT_EQ(b.Blit(dc, 0, 0, 3, 2, 0, 0, 3, 2) + dc.GetPixel(0, 0), 0);
}

// With palette colours the table holds 16-bit indices into the selected
// palette; an index beyond its entries draws black.
TEST(MemoryDC, PaletteIndicesGoThroughTheSelectedPalette) {
    SmallBitmap bitmap;
    std::uint16_t indices[256] = {};
    indices[int{'a'}] = 1;
    indices[int{'c'}] = 2;
    std::memcpy(bitmap.info.bmiColors, indices, sizeof indices);
    const std::vector<PALETTEENTRY> entries{{'x', 0, 0, 0}, {'y', 0, 0, 0}};
    const Palette palette(entries), other(entries);
    MemoryDC dc(3, 1);
    EXPECT_EQ(dc.SelectPalette(&other), nullptr);
    EXPECT_EQ(dc.SelectPalette(&palette), &other);
    EXPECT_EQ(bitmap.Blit(dc, 0, 0, 3, 1, 0, 1, 3, 1, DIB_PAL_COLORS), 1);
    EXPECT_EQ(Picture(dc), "yx.\n");
}

TEST(Palette, NearestIndexAndEntries) {
    const std::vector<PALETTEENTRY> entries{
        {0, 0, 0, 0}, {255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}, {255, 0, 0, 7}};
    const Palette palette(entries);
    // The least squared distance, the lowest index of a tie (1 and 4), the high byte ignored.
    for (auto [colour, index] :
         {std::pair{RGB(250, 10, 10), 1u}, {RGB(0, 0, 127), 0u}, {0xFF000000 | RGB(0, 0, 140), 3u}})
        EXPECT_EQ(palette.GetNearestPaletteIndex(colour), index);
    EXPECT_EQ(Palette({}).GetNearestPaletteIndex(RGB(1, 2, 3)), CLR_INVALID);
    PALETTEENTRY out[8] = {};
    EXPECT_EQ(palette.GetPaletteEntries(0, 256, out) + palette.GetPaletteEntries(3, 1, out), 6);
    EXPECT_TRUE(out[0] == entries[3] && out[1] == entries[1] && out[4] == entries[4]);
    EXPECT_EQ(palette.GetPaletteEntries(-1, 2, out) + palette.GetPaletteEntries(5, 2, out) +
                  palette.GetPaletteEntries(0, 2, nullptr),
              0);
    EXPECT_EQ(Palette(std::vector<PALETTEENTRY>(300)).GetEntryCount(), 256);
}

}  // namespace
}  // namespace bravok
