#include <algorithm>
#include <cstring>

#include "dib/Dib.h"

namespace bravok {

namespace {

// The offsets k in [0, count) for which both first + k and second + k lie in
// their images' [0, limit) ranges, as [begin, end); empty when begin >= end.
struct OffsetRange {
    std::int64_t begin;
    std::int64_t end;
};
OffsetRange Overlap(std::int64_t count, std::int64_t first, std::int64_t firstLimit,
                    std::int64_t second, std::int64_t secondLimit) {
    return {std::max({std::int64_t{0}, -first, -second}),
            std::min({count, firstLimit - first, secondLimit - second})};
}

void CopyRowSkipping(const std::uint8_t* s, std::uint8_t* d, std::int64_t count, std::uint8_t t,
                     bool twoPixelsPerByte) {
    for (std::int64_t i = 0; i < count; ++i) {
        const std::uint8_t b = s[i];
        if (!twoPixelsPerByte) {
            if (b != t) d[i] = b;
            continue;
        }
        std::uint8_t out = d[i];
        if ((b >> 4) != t) out = static_cast<std::uint8_t>((out & 0x0F) | (b & 0xF0));
        if ((b & 0x0F) != t) out = static_cast<std::uint8_t>((out & 0xF0) | (b & 0x0F));
        d[i] = out;
    }
}

}  // namespace

void CDib::CopyTo(CDib* dest, int xDest, int yDest, int width, int height, int xSrc, int ySrc,
                  int transparent) const {
    if (dest == nullptr || IsEmpty() || dest->IsEmpty() || width <= 0 || height <= 0) return;
    const Rect source = GetRect();
    const Rect target = dest->GetRect();
    // Clipped to both images, so only bytes of pixels inside both are touched.
    const OffsetRange columns = Overlap(width, xSrc, source.right, xDest, target.right);
    const OffsetRange rows = Overlap(height, ySrc, source.bottom, yDest, target.bottom);
    if (columns.begin >= columns.end || rows.begin >= rows.end) return;

    const std::int64_t count = columns.end - columns.begin;
    const bool twoPixelsPerByte = GetNumColors() == 16;
    const auto t = static_cast<std::uint8_t>(transparent);
    // From the block's bottom row up, the order the rows lie in memory.
    for (std::int64_t k = rows.end - 1; k >= rows.begin; --k) {
        const std::uint8_t* s =
            GetPixelAddress(static_cast<int>(xSrc + columns.begin), static_cast<int>(ySrc + k));
        std::uint8_t* d = dest->GetPixelAddress(static_cast<int>(xDest + columns.begin),
                                                static_cast<int>(yDest + k));
        if (transparent == -1) {
            // memmove: the destination may be this very image.
            std::memmove(d, s, count);
        } else {
            CopyRowSkipping(s, d, count, t, twoPixelsPerByte);
        }
    }
}

}  // namespace bravok
