#pragma once

#include <array>
#include <cstdint>

#include "dib/DibFormat.h"

namespace bravok {

inline constexpr int kColorPaletteSize = 256;

// The fixed palette for displays that need one: index bits 0-2 pick the red
// level, 3-5 the green, 6-7 the blue, whatever the display's own layout is.
std::array<PALETTEENTRY, kColorPaletteSize> ColorPaletteEntries();

}  // namespace bravok
