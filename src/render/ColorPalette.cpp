#include "render/ColorPalette.h"

namespace bravok {

namespace {
// k * 255 / 7, truncated: 72, 145 and 218 rather than the rounded values.
constexpr std::uint8_t kRedGreenLevels[8] = {0, 36, 72, 109, 145, 182, 218, 255};
constexpr std::uint8_t kBlueLevels[4] = {0, 85, 170, 255};
}  // namespace

std::array<PALETTEENTRY, kColorPaletteSize> ColorPaletteEntries() {
    std::array<PALETTEENTRY, kColorPaletteSize> entries{};
    for (int i = 0; i < kColorPaletteSize; ++i) {
        entries[i].peRed = kRedGreenLevels[i & 7];
        entries[i].peGreen = kRedGreenLevels[(i >> 3) & 7];
        entries[i].peBlue = kBlueLevels[(i >> 6) & 3];
    }
    return entries;
}

}  // namespace bravok
