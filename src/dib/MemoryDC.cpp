#include "dib/MemoryDC.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "dib/DibStretch.h"

namespace bravok {

MemoryDC::MemoryDC(int width, int height, COLORREF fill)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)) {
    const std::size_t count =
        static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height);
    m_rgb.reserve(count * 3);
    for (std::size_t i = 0; i < count; ++i) {
        m_rgb.push_back(static_cast<std::uint8_t>(fill & 0xFF));
        m_rgb.push_back(static_cast<std::uint8_t>((fill >> 8) & 0xFF));
        m_rgb.push_back(static_cast<std::uint8_t>((fill >> 16) & 0xFF));
    }
}

const Palette* MemoryDC::SelectPalette(const Palette* palette) {
    return std::exchange(m_palette, palette);
}

int MemoryDC::StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                            int srcWidth, int srcHeight, const void* bits, const BITMAPINFO* info,
                            unsigned colorUse, std::uint32_t rop) {
    const RgbSurface surface{m_rgb.data(), m_width, m_height};
    return StretchDibToSurface(surface, {xDest, yDest, destWidth, destHeight},
                               {xSrc, ySrc, srcWidth, srcHeight}, bits, info, colorUse, m_palette,
                               rop);
}

COLORREF MemoryDC::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return CLR_INVALID;
    const std::size_t at = (static_cast<std::size_t>(y) * m_width + x) * 3;
    return RGB(m_rgb[at], m_rgb[at + 1], m_rgb[at + 2]);
}

}  // namespace bravok
