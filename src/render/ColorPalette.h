#pragma once

#include <array>
#include <cstdint>

namespace bravok {

struct PaletteEntry {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t flags = 0;
    friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

inline constexpr int kColorPaletteSize = 256;

// The fixed palette for displays that need one: index bits 0-2 pick the red
// level, 3-5 the green, 6-7 the blue, whatever the display's own layout is.
std::array<PaletteEntry, kColorPaletteSize> ColorPaletteEntries();

}  // namespace bravok
