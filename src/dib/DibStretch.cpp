#include "dib/DibStretch.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#include "dib/Palette.h"

namespace bravok {

namespace {

using Rgb = std::array<std::uint8_t, 3>;

// The steps i in [0, count) whose position origin + i * step lies in [0, limit):
// walking only those keeps a huge or far-off destination as cheap as its visible
// part.
struct StepRange {
    std::int64_t first;
    std::int64_t last;
};
StepRange VisibleSteps(std::int64_t origin, std::int64_t count, int step, std::int64_t limit) {
    if (step > 0) return {std::max<std::int64_t>(0, -origin), std::min(count, limit - origin)};
    return {std::max<std::int64_t>(0, origin - limit + 1), std::min(count, origin + 1)};
}

bool SourceInsideBitmap(const StretchRect& source, const BITMAPINFOHEADER& header) {
    return source.width > 0 && source.height > 0 && source.x >= 0 && source.y >= 0 &&
           std::int64_t{source.x} + source.width <= header.biWidth &&
           std::int64_t{source.y} + source.height <= header.biHeight;
}

// What each of the 256 pixel values draws as.
std::array<Rgb, 256> ColourOfEachValue(const BITMAPINFO& info, unsigned colorUse,
                                       const Palette* palette) {
    std::array<Rgb, 256> colours{};
    if (colorUse == DIB_RGB_COLORS) {
        for (int v = 0; v < 256; ++v) {
            const RGBQUAD& q = info.bmiColors[v];
            colours[v] = {q.rgbRed, q.rgbGreen, q.rgbBlue};
        }
        return colours;
    }
    std::array<PALETTEENTRY, Palette::kMaxEntries> entries{};
    const int available = palette->GetPaletteEntries(0, Palette::kMaxEntries, entries.data());
    const auto* indices = reinterpret_cast<const std::uint8_t*>(info.bmiColors);
    for (int v = 0; v < 256; ++v) {
        std::uint16_t index = 0;
        std::memcpy(&index, indices + 2 * v, sizeof index);
        if (index < available) {
            const PALETTEENTRY& e = entries[index];
            colours[v] = {e.peRed, e.peGreen, e.peBlue};
        }
    }
    return colours;
}

}  // namespace

int StretchDibToSurface(const RgbSurface& surface, StretchRect dest, StretchRect source,
                        const void* bits, const BITMAPINFO* info, unsigned colorUse,
                        const Palette* palette, std::uint32_t rop) {
    if (surface.width < 0 || surface.height < 0) return 0;
    if (surface.pixels == nullptr && surface.width > 0 && surface.height > 0) return 0;
    if (bits == nullptr || info == nullptr || rop != SRCCOPY) return 0;
    if (colorUse == DIB_PAL_COLORS) {
        if (palette == nullptr || palette->GetEntryCount() == 0) return 0;
    } else if (colorUse != DIB_RGB_COLORS) {
        return 0;
    }
    const BITMAPINFOHEADER& header = info->bmiHeader;
    if (header.biBitCount != 8 || header.biCompression != BI_RGB || header.biWidth <= 0 ||
        header.biHeight <= 0 || !SourceInsideBitmap(source, header))
        return 0;
    if (dest.width == 0 || dest.height == 0) return 0;

    const std::array<Rgb, 256> colours = ColourOfEachValue(*info, colorUse, palette);
    const std::int64_t stride = (std::int64_t{header.biWidth} + 3) & ~std::int64_t{3};
    const std::int64_t destWidth = std::llabs(dest.width);
    const std::int64_t destHeight = std::llabs(dest.height);
    const int stepX = dest.width > 0 ? 1 : -1;
    const int stepY = dest.height > 0 ? 1 : -1;
    const StepRange rows = VisibleSteps(dest.y, destHeight, stepY, surface.height);
    const StepRange columns = VisibleSteps(dest.x, destWidth, stepX, surface.width);
    const auto* pixels = static_cast<const std::uint8_t*>(bits);

    for (std::int64_t i = rows.first; i < rows.last; ++i) {
        // Destination row i shows source row i * h / |destHeight| counted from the
        // source rectangle's top, which is stored last.
        const std::int64_t fromTop = i * source.height / destHeight;
        const std::int64_t stored = source.y + source.height - 1 - fromTop;
        const std::uint8_t* in = pixels + stored * stride + source.x;
        std::uint8_t* out = surface.pixels + (dest.y + i * stepY) * std::int64_t{surface.width} * 3;
        for (std::int64_t j = columns.first; j < columns.last; ++j) {
            const Rgb& colour = colours[in[j * source.width / destWidth]];
            std::copy(colour.begin(), colour.end(), out + (dest.x + j * stepX) * 3);
        }
    }
    return source.height;
}

}  // namespace bravok
