#pragma once

#include <cstdint>

#include "dib/DibFormat.h"

namespace bravok {

class Palette;

// Packed RGB pixels, three bytes each, top row first: a memory surface's layout
// and a wxImage's, so a window's device context can stretch into an image and
// draw that.
struct RgbSurface {
    std::uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
};

struct StretchRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The stretch blit behind every device context, nearest source pixel for each
// destination pixel, clipped to the surface. bits must hold the rows that info
// declares, ((biWidth + 3) & ~3) bytes each; only 8-bit uncompressed bitmaps with
// a positive height are drawn. With DIB_PAL_COLORS, palette must be set; a
// table index beyond its entries draws black. Returns what StretchDIBits does.
int StretchDibToSurface(const RgbSurface& surface, StretchRect dest, StretchRect source,
                        const void* bits, const BITMAPINFO* info, unsigned colorUse,
                        const Palette* palette, std::uint32_t rop);

}  // namespace bravok
