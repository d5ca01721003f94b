#pragma once

#include <cstdint>

#include "dib/DibFormat.h"

namespace bravok {

class Palette;

// A surface that bitmaps are drawn on: a window's device context or, in tests, a
// memory surface. Calls come from the thread that owns the surface.
class IDeviceContext {
  public:
    virtual ~IDeviceContext() = default;

    // The palette that DIB_PAL_COLORS drawing looks colours up in. The context
    // does not own it; the caller keeps it alive while it is selected. Returns
    // the palette selected before.
    virtual const Palette* SelectPalette(const Palette* palette) = 0;

    // Draws the source rectangle of an 8-bit bottom-up bitmap stretched onto the
    // destination rectangle. A negative destination width or height mirrors the
    // picture about the column xDest or the row yDest. The source rectangle is
    // counted in the bitmap's stored rows, bottom row first. Returns the number of
    // source rows drawn, 0 on failure or when there is nothing to draw.
    virtual int StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc,
                              int ySrc, int srcWidth, int srcHeight, const void* bits,
                              const BITMAPINFO* info, unsigned colorUse, std::uint32_t rop) = 0;
};

}  // namespace bravok
