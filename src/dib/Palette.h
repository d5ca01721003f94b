#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "dib/DibFormat.h"

namespace bravok {

// A logical palette of up to 256 colours, the stand-in for a palette object of
// the windowing system. A device context draws palette-index bitmaps through
// the palette selected into it, and a bitmap can be remapped onto one.
class Palette {
  public:
    static constexpr int kMaxEntries = 256;

    // Takes the first 256 entries when given more.
    explicit Palette(std::span<const PALETTEENTRY> entries);

    int GetEntryCount() const { return static_cast<int>(m_entries.size()); }

    // The index of the entry closest to colour (squared distance in RGB; the
    // lowest index wins a tie), or CLR_INVALID for a palette with no entries.
    std::uint32_t GetNearestPaletteIndex(COLORREF colour) const;

    // Copies up to count entries from first on into out and returns how many it
    // copied: fewer when the palette ends first, 0 when first lies beyond it.
    int GetPaletteEntries(int first, int count, PALETTEENTRY* out) const;

  private:
    std::vector<PALETTEENTRY> m_entries;
};

}  // namespace bravok
