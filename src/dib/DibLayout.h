#pragma once

#include <climits>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>

#include "dib/CHeap.h"
#include "dib/DibFormat.h"

namespace bravok::dib {

// The little-endian field of type T at offset in a header's bytes, read without
// regard to the bytes' alignment.
template <typename T>
T FieldAt(const void* bytes, std::size_t offset) {
    T value;
    std::memcpy(&value, static_cast<const std::uint8_t*>(bytes) + offset, sizeof value);
    return value;
}

// Every image a CDib holds uses one layout: one byte per pixel, rows padded to a
// multiple of four bytes, the bottom row first.
constexpr std::int64_t Stride(std::int64_t width) {
    return (width + 3) & ~std::int64_t{3};
}

// Byte offsets into a pixel array are ints, so an array may not outgrow one.
inline constexpr std::int64_t kMaxPixelBytes = INT_MAX;

// The info header and the later forms that extend it (V2, V3, V4, V5); their
// first 40 bytes are the info header and the colour table follows the whole
// header.
constexpr bool IsInfoHeaderSize(std::uint32_t size) {
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}
inline constexpr std::uint32_t kCoreHeaderSize = 12;

struct ImageLayout {
    int stride = 0;
    int pixelBytes = 0;  // stride x height
    int colours = 0;     // entries in the colour table, 1 to 256
};

// The layout of an image described by header, or nothing when the image does not
// fit the byte-per-pixel layout: anything but one plane of 8 uncompressed bits,
// a width or height below 1, more than 256 colours, or an array beyond
// kMaxPixelBytes.
std::optional<ImageLayout> LayoutOf(const BITMAPINFOHEADER& header);

// A 1064-byte header block from the C heap holding the first 40 bytes of header
// (biSize set to 40, since the block keeps only the info header) and the colour
// entries in quads, at most 256 of them; the entries beyond are zero. Null when
// memory runs out.
CHeapPtr<BITMAPINFO> NewHeaderBlock(const BITMAPINFOHEADER& header,
                                    std::span<const std::uint8_t> quads);

}  // namespace bravok::dib
