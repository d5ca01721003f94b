#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace bravok::test {

// The fields of a small BMP to build byte by byte, each free to be wrong. The
// defaults give a valid 8-bit 3 x 2 file in the info form.
struct BmpFields {
    std::uint32_t headerSize = 40;  // 12 writes the core form
    std::int32_t width = 3;
    std::int32_t height = 2;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 8;
    std::uint32_t compression = 0;
    std::uint32_t clrUsed = 0;
    int tableEntries = 256;                   // colour entries written
    std::optional<std::uint32_t> offBits{};   // default: right after the table
    std::optional<std::uint32_t> fileSize{};  // default: the bytes written
};

inline long long StrideOf(long long width) {
    return (width + 3) & ~3LL;
}

// Entry i is red 255 - i, green i / 2, blue i: no two alike and none grey.
inline std::uint32_t EntryRgb(int i) {
    return (255 - i) | (i / 2) << 8 | i << 16;
}

// Byte i of the pixel array; a handful of bytes for the huge sizes that broken
// headers claim.
inline std::vector<std::uint8_t> PixelsFor(long long width, long long height) {
    const long long bytes = StrideOf(width) * height;
    std::vector<std::uint8_t> pixels(width > 0 && height > 0 && bytes < (1 << 20) ? bytes : 16);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<std::uint8_t>(i * 37 + 11);
    return pixels;
}

inline void Put(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(i < 8 ? static_cast<std::uint8_t>(value >> (8 * i)) : 0);
}

// Header, colour table and pixels without the file header: a bitmap resource.
// Info-form entries carry the reserved byte 0x5A.
inline std::vector<std::uint8_t> MakeDibBytes(const BmpFields& f) {
    std::vector<std::uint8_t> out;
    const bool core = f.headerSize == 12;
    Put(out, f.headerSize, 4);
    Put(out, static_cast<std::uint32_t>(f.width), core ? 2 : 4);
    Put(out, static_cast<std::uint32_t>(f.height), core ? 2 : 4);
    Put(out, f.planes, 2);
    Put(out, f.bitCount, 2);
    if (!core) {
        Put(out, f.compression, 16);  // and zero image size and resolution
        Put(out, f.clrUsed, 8);       // and zero important colours
        out.resize(std::max<std::size_t>(out.size(), f.headerSize));
    }
    for (int i = 0; i < f.tableEntries; ++i) {
        const std::uint32_t rgb = EntryRgb(i);  // stored blue, green, red
        out.insert(out.end(), {std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb)});
        if (!core) out.push_back(0x5A);
    }
    const std::vector<std::uint8_t> pixels = PixelsFor(f.width, f.height);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

inline std::vector<std::uint8_t> MakeBmp(const BmpFields& f) {
    const std::vector<std::uint8_t> dib = MakeDibBytes(f);
    const std::size_t pixelsAt = 14 + dib.size() - PixelsFor(f.width, f.height).size();
    std::vector<std::uint8_t> out{'B', 'M'};
    Put(out, f.fileSize.value_or(static_cast<std::uint32_t>(14 + dib.size())), 4);
    Put(out, 0, 4);
    Put(out, f.offBits.value_or(static_cast<std::uint32_t>(pixelsAt)), 4);
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

}  // namespace bravok::test
