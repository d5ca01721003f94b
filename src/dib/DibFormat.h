#pragma once

#include <bit>
#include <cstdint>

namespace bravok {

// The records of the Windows bitmap format, field for field. A bitmap's header
// block lives in memory exactly as the format lays it out, so code that hands one
// to the blit or copies one from a file or a resource works on these structures;
// the format is little-endian, and so must the host be.
static_assert(std::endian::native == std::endian::little,
              "bitmap headers are kept in memory in their little-endian file layout");

struct BITMAPINFOHEADER {
    std::uint32_t biSize = 0;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    std::uint16_t biPlanes = 0;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

// The older, smaller header form; its size field is 12.
struct BITMAPCOREHEADER {
    std::uint32_t bcSize = 0;
    std::uint16_t bcWidth = 0;
    std::uint16_t bcHeight = 0;
    std::uint16_t bcPlanes = 0;
    std::uint16_t bcBitCount = 0;
};
static_assert(sizeof(BITMAPCOREHEADER) == 12);

struct RGBQUAD {
    std::uint8_t rgbBlue = 0;
    std::uint8_t rgbGreen = 0;
    std::uint8_t rgbRed = 0;
    std::uint8_t rgbReserved = 0;
};
static_assert(sizeof(RGBQUAD) == 4);

inline constexpr int kMaxColorEntries = 256;

// A header block: the info header with room for a full colour table, whatever
// count the header declares. With DIB_PAL_COLORS the table area holds 16-bit
// palette indices instead of colours.
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[kMaxColorEntries];
};
static_assert(sizeof(BITMAPINFO) == 1064);

struct PALETTEENTRY {
    std::uint8_t peRed = 0;
    std::uint8_t peGreen = 0;
    std::uint8_t peBlue = 0;
    std::uint8_t peFlags = 0;
    friend bool operator==(const PALETTEENTRY&, const PALETTEENTRY&) = default;
};

// The system's headers define these names as macros of the same values. The
// macros are set aside while the names are declared here and come back after,
// so either spelling means the same number wherever <windows.h> came first.
#pragma push_macro("RGB")
#pragma push_macro("CLR_INVALID")
#pragma push_macro("BI_RGB")
#pragma push_macro("DIB_RGB_COLORS")
#pragma push_macro("DIB_PAL_COLORS")
#pragma push_macro("SRCCOPY")
#undef RGB
#undef CLR_INVALID
#undef BI_RGB
#undef DIB_RGB_COLORS
#undef DIB_PAL_COLORS
#undef SRCCOPY

// Red in the low byte, green in the next, blue in the third.
using COLORREF = std::uint32_t;
constexpr COLORREF RGB(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return COLORREF{red} | (COLORREF{green} << 8) | (COLORREF{blue} << 16);
}
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

inline constexpr std::uint32_t BI_RGB = 0;
inline constexpr unsigned DIB_RGB_COLORS = 0;  // the colour table holds colours
inline constexpr unsigned DIB_PAL_COLORS = 1;  // it holds indices into the selected palette
inline constexpr std::uint32_t SRCCOPY = 0x00CC0020;

#pragma pop_macro("RGB")
#pragma pop_macro("CLR_INVALID")
#pragma pop_macro("BI_RGB")
#pragma pop_macro("DIB_RGB_COLORS")
#pragma pop_macro("DIB_PAL_COLORS")
#pragma pop_macro("SRCCOPY")

// The two bytes that open every bitmap file, "BM" read as a little-endian word.
inline constexpr std::uint16_t kBitmapFileType = 0x4D42;
inline constexpr int kFileHeaderSize = 14;

}  // namespace bravok
