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

// Byte by byte, back to front when backward, so that a row moved right within
// itself reads each source byte before it is overwritten.
void CopyRowSkipping(const std::uint8_t* s, std::uint8_t* d, std::int64_t count, std::uint8_t t,
                     bool twoPixelsPerByte, bool backward) {
    for (std::int64_t n = 0; n < count; ++n) {
        const std::int64_t i = backward ? count - 1 - n : n;
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
    auto sourceRow = [&](std::int64_t k) {
        return GetPixelAddress(static_cast<int>(xSrc + columns.begin), static_cast<int>(ySrc + k));
    };
    auto targetRow = [&](std::int64_t k) {
        return dest->GetPixelAddress(static_cast<int>(xDest + columns.begin),
                                     static_cast<int>(yDest + k));
    };
    // Within one image the block may overlap itself. Like memmove, a block that
    // moves to higher addresses is walked from its highest byte down, so every
    // byte is read before it is overwritten: rows from the top (stored last) and
    // each row back to front. Between two images the order makes no difference.
    const bool backward = dest == this && targetRow(rows.begin) > sourceRow(rows.begin);
    for (std::int64_t n = 0; n < rows.end - rows.begin; ++n) {
        const std::int64_t k = backward ? rows.begin + n : rows.end - 1 - n;
        if (transparent == -1) {
            std::memmove(targetRow(k), sourceRow(k), count);
        } else {
            CopyRowSkipping(sourceRow(k), targetRow(k), count, t, twoPixelsPerByte, backward);
        }
    }
}

}  // namespace bravok
