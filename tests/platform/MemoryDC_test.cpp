#include "platform/MemoryDC.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Palette.h"

namespace bravok {
namespace {

// A 3 x 2 bitmap whose pixel values are 'a' to 'f' in reading order (top row
// a b c, stored second) and whose colour entry v is (v, 2, 3): a picture can
// be read back from the red channel.
struct SmallBitmap {
    SmallBitmap() {
        info.bmiHeader = {
            .biSize = 40, .biWidth = 3, .biHeight = 2, .biPlanes = 1, .biBitCount = 8};
        for (int v = 0; v < 256; ++v) info.bmiColors[v] = {3, 2, static_cast<std::uint8_t>(v), 0};
        std::memcpy(bits, "def\0abc\0", 8);
    }
    BITMAPINFO info{};
    std::uint8_t bits[8];
};

// The surface as text, one row per line; '.' where nothing was drawn.
std::string Picture(const MemoryDC& dc) {
    std::string text;
    for (int y = 0; y < dc.GetHeight(); ++y) {
        for (int x = 0; x < dc.GetWidth(); ++x) {
            const COLORREF c = dc.GetPixel(x, y);
            text += c == 0 ? '.' : static_cast<char>(c & 0xFF);
        }
        text += '\n';
    }
    return text;
}

struct BlitCase {
    const char* name;
    int x, y, width, height;  // destination
    int sx, sy, sw, sh;       // source, in stored rows
    const char* picture;      // on a 6 x 4 surface
};
void PrintTo(const BlitCase& c, std::ostream* out) {
    *out << c.name;
}

class MemoryDCBlit : public testing::TestWithParam<BlitCase> {};

TEST_P(MemoryDCBlit, Draws) {
    const BlitCase& c = GetParam();
    SmallBitmap bitmap;
    MemoryDC dc(6, 4);
    EXPECT_EQ(dc.StretchDIBits(c.x, c.y, c.width, c.height, c.sx, c.sy, c.sw, c.sh, bitmap.bits,
                               &bitmap.info, DIB_RGB_COLORS, SRCCOPY),
              c.sh);
    EXPECT_EQ(Picture(dc), c.picture);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MemoryDCBlit,
    testing::Values(
        BlitCase{"Plain", 1, 1, 3, 2, 0, 0, 3, 2, "......\n.abc..\n.def..\n......\n"},
        BlitCase{"Doubled", 0, 0, 6, 4, 0, 0, 3, 2, "aabbcc\naabbcc\nddeeff\nddeeff\n"},
        BlitCase{"Halved", 0, 0, 2, 1, 0, 0, 3, 2, "ab....\n......\n......\n......\n"},
        BlitCase{"BottomRowOnly", 0, 0, 3, 1, 0, 0, 3, 1, "def...\n......\n......\n......\n"},
        BlitCase{"TopRightPart", 0, 0, 2, 1, 1, 1, 2, 1, "bc....\n......\n......\n......\n"},
        BlitCase{"MirroredAcross", 4, 0, -3, 2, 0, 0, 3, 2, "..cba.\n..fed.\n......\n......\n"},
        BlitCase{"UpsideDown", 0, 3, 3, -2, 0, 0, 3, 2, "......\n......\ndef...\nabc...\n"},
        BlitCase{"ClippedLeftTop", -1, -1, 3, 2, 0, 0, 3, 2, "ef....\n......\n......\n......\n"},
        BlitCase{"ClippedRightBottom", 4, 3, 3, 2, 0, 0, 3, 2, "......\n......\n......\n....ab\n"},
        BlitCase{"OffTheSurface", 50, -50, 3, 2, 0, 0, 3, 2, "......\n......\n......\n......\n"},
        // Only the visible part of a huge destination is walked; the surface
        // lies in the first pixel's stretch, or in the last one's when mirrored.
        BlitCase{"Huge", -1000, -1000, INT_MAX, INT_MAX, 0, 0, 3, 2,
                 "aaaaaa\naaaaaa\naaaaaa\naaaaaa\n"},
        BlitCase{"HugeMirrored", INT_MAX, INT_MAX, INT_MIN, INT_MIN, 0, 0, 3, 2,
                 "ffffff\nffffff\nffffff\nffffff\n"}),
    [](const testing::TestParamInfo<BlitCase>& info) { return std::string(info.param.name); });

TEST(MemoryDC, RefusesWhatItCannotDraw) {
    SmallBitmap bitmap;
    MemoryDC dc(6, 4);
    auto blit = [&](const BITMAPINFO* info, const void* bits, int w, int sw, unsigned use,
                    std::uint32_t rop) {
        return dc.StretchDIBits(0, 0, w, 2, 0, 0, sw, 2, bits, info, use, rop);
    };
    EXPECT_EQ(blit(&bitmap.info, bitmap.bits, 3, 3, DIB_RGB_COLORS, SRCCOPY), 2);
    EXPECT_EQ(blit(nullptr, bitmap.bits, 3, 3, DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(blit(&bitmap.info, nullptr, 3, 3, DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(blit(&bitmap.info, bitmap.bits, 3, 3, 2, SRCCOPY), 0);
    EXPECT_EQ(blit(&bitmap.info, bitmap.bits, 3, 3, DIB_RGB_COLORS, 0x00EE0086), 0);
    EXPECT_EQ(blit(&bitmap.info, bitmap.bits, 0, 3, DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(blit(&bitmap.info, bitmap.bits, 3, 4, DIB_RGB_COLORS, SRCCOPY),
              0);  // past the bitmap
    EXPECT_EQ(blit(&bitmap.info, bitmap.bits, 3, 0, DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(blit(&bitmap.info, bitmap.bits, 3, 3, DIB_PAL_COLORS, SRCCOPY), 0);  // no palette
    for (auto change : {+[](BITMAPINFOHEADER& h) { h.biBitCount = 4; },
                        +[](BITMAPINFOHEADER& h) { h.biHeight = -2; },
                        +[](BITMAPINFOHEADER& h) { h.biCompression = 1; }}) {
        SmallBitmap odd;
        change(odd.info.bmiHeader);
        EXPECT_EQ(blit(&odd.info, odd.bits, 3, 3, DIB_RGB_COLORS, SRCCOPY), 0);
    }
    EXPECT_EQ(Picture(dc).substr(0, 7), "abc...\n");  // only the first blit drew
}

// With palette colours the table holds 16-bit indices into the selected
// palette; an index beyond it draws black.
TEST(MemoryDC, PaletteIndicesGoThroughTheSelectedPalette) {
    SmallBitmap bitmap;
    std::uint16_t indices[256] = {};
    indices['a'] = 1;
    indices['b'] = 0;
    indices['c'] = 2;
    std::memcpy(bitmap.info.bmiColors, indices, sizeof indices);
    const std::vector<PALETTEENTRY> entries{{'x', 0, 0, 0}, {'y', 0, 0, 0}};
    const Palette palette(entries), other(entries);
    MemoryDC dc(3, 1);
    EXPECT_EQ(dc.SelectPalette(&other), nullptr);
    EXPECT_EQ(dc.SelectPalette(&palette), &other);
    EXPECT_EQ(dc.StretchDIBits(0, 0, 3, 1, 0, 1, 3, 1, bitmap.bits, &bitmap.info, DIB_PAL_COLORS,
                               SRCCOPY),
              1);
    EXPECT_EQ(Picture(dc), "yx.\n");
}

}  // namespace
}  // namespace bravok
