#include "dib/Palette.h"

#include <algorithm>
#include <cstddef>

namespace bravok {

Palette::Palette(std::span<const PALETTEENTRY> entries)
    : m_entries(entries.begin(),
                entries.begin() + std::min<std::size_t>(entries.size(), kMaxEntries)) {}

std::uint32_t Palette::GetNearestPaletteIndex(COLORREF colour) const {
    if (m_entries.empty()) return CLR_INVALID;
    const int red = static_cast<int>(colour & 0xFF);
    const int green = static_cast<int>((colour >> 8) & 0xFF);
    const int blue = static_cast<int>((colour >> 16) & 0xFF);
    std::uint32_t best = 0;
    int bestDistance = 0;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const int dr = m_entries[i].peRed - red;
        const int dg = m_entries[i].peGreen - green;
        const int db = m_entries[i].peBlue - blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (i == 0 || distance < bestDistance) {
            best = static_cast<std::uint32_t>(i);
            bestDistance = distance;
        }
    }
    return best;
}

int Palette::GetPaletteEntries(int first, int count, PALETTEENTRY* out) const {
    if (out == nullptr || first < 0 || count <= 0 || first >= GetEntryCount()) return 0;
    const int delivered = std::min(count, GetEntryCount() - first);
    std::copy_n(m_entries.begin() + first, delivered, out);
    return delivered;
}

}  // namespace bravok
