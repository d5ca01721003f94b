#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "dib/DeviceContext.h"

namespace bravok {

// A device context over an RGB image in memory: what tests draw on, and what
// lets a bitmap be rendered with no window at all.
class MemoryDC final : public IDeviceContext {
  public:
    // A width x height surface (negative sizes count as 0) filled with colour.
    MemoryDC(int width, int height, COLORREF fill = RGB(0, 0, 0));

    const Palette* SelectPalette(const Palette* palette) override;
    int StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                      int srcWidth, int srcHeight, const void* bits, const BITMAPINFO* info,
                      unsigned colorUse, std::uint32_t rop) override;

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    // The colour at (x, y), or CLR_INVALID outside the surface.
    COLORREF GetPixel(int x, int y) const;
    // Packed RGB, three bytes per pixel, top row first.
    std::span<const std::uint8_t> GetRgb() const { return m_rgb; }

  private:
    int m_width;
    int m_height;
    std::vector<std::uint8_t> m_rgb;
    const Palette* m_palette = nullptr;  // not owned
};

}  // namespace bravok
