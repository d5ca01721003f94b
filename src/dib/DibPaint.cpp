#include <climits>
#include <cmath>

#include "dib/DeviceContext.h"
#include "dib/Dib.h"
#include "dib/DibLayout.h"
#include "dib/Palette.h"

namespace bravok {

namespace {

// A scaled side truncated toward zero. A product outside the int range, from a
// huge or infinite scale, is held at the range's end, and a NaN scale draws
// nothing, where a plain conversion would be undefined.
int ScaledSide(int side, double scale) {
    const double product = side * scale;
    if (std::isnan(product)) return 0;
    if (product >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (product <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(product);
}

}  // namespace

int CDib::Blit(IDeviceContext* dc, int x, int y, int width, int height, unsigned colorUse) {
    if (dc == nullptr || IsEmpty()) return 0;
    const BITMAPINFOHEADER& header = m_pInfo->bmiHeader;
    return dc->StretchDIBits(x, y, width, height, 0, 0, header.biWidth, header.biHeight, m_pBits,
                             m_pInfo.get(), colorUse, SRCCOPY);
}

int CDib::Paint(IDeviceContext* dc, int x, int y) {
    const Rect size = GetRect();
    return Blit(dc, x, y, size.right, size.bottom, DIB_RGB_COLORS);
}

int CDib::PaintPalIndices(IDeviceContext* dc, int x, int y) {
    const Rect size = GetRect();
    return Blit(dc, x, y, size.right, size.bottom, DIB_PAL_COLORS);
}

int CDib::PaintScaled(IDeviceContext* dc, int x, int y, double scale) {
    const Rect size = GetRect();
    return Blit(dc, x, y, ScaledSide(size.right, scale), ScaledSide(size.bottom, scale),
                DIB_RGB_COLORS);
}

bool CDib::MapToPalette(const Palette* palette) {
    if (palette == nullptr || IsEmpty()) return false;
    PALETTEENTRY entries[kMaxColorEntries] = {};
    const int delivered = palette->GetPaletteEntries(0, kMaxColorEntries, entries);
    // A palette with no entries has no nearest entry to map onto.
    if (delivered <= 0) return false;

    // One look-up per colour entry, then one table step per pixel byte.
    std::uint8_t nearest[kMaxColorEntries];
    for (int i = 0; i < kMaxColorEntries; ++i) {
        const RGBQUAD& c = m_pInfo->bmiColors[i];
        nearest[i] = static_cast<std::uint8_t>(
            palette->GetNearestPaletteIndex(RGB(c.rgbRed, c.rgbGreen, c.rgbBlue)));
    }
    // Every byte of every row, the padding at the row ends included.
    const int pixelBytes = dib::LayoutOf(m_pInfo->bmiHeader)->pixelBytes;
    for (int i = 0; i < pixelBytes; ++i) m_pBits[i] = nearest[m_pBits[i]];

    // Entries past those the palette delivers keep their colours; no pixel
    // refers to them any more.
    for (int i = 0; i < delivered; ++i) {
        m_pInfo->bmiColors[i].rgbRed = entries[i].peRed;
        m_pInfo->bmiColors[i].rgbGreen = entries[i].peGreen;
        m_pInfo->bmiColors[i].rgbBlue = entries[i].peBlue;
    }
    m_pInfo->bmiHeader.biClrUsed = kMaxColorEntries;
    return true;
}

}  // namespace bravok
