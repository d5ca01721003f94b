// One target for the bitmap class; the first input byte picks the entry point:
// 0: the rest as a BMP file from its first 'B' on (the bytes before put the bitmap at an
//    offset of a larger file); any image accepted is written, drawn, copied and remapped.
// 1: a copy flag, an offset, then a header block and pixels, handed over as a caller's,
//    as a bitmap resource, and as a header over the object's own pixels at that offset.
// 2: blocks of any size and position copied between two bitmaps and within one (which
//    must land as out of a separate, identical image), and drawn at any scale.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/BinaryFile.h"
#include "dib/BitmapResources.h"
#include "dib/Dib.h"
#include "dib/MemoryDC.h"
#include "dib/Palette.h"

namespace {
using namespace bravok;

void Use(CDib& dib) {
    const Rect r = dib.GetRect();
    ++*dib.GetPixelAddress(r.right - 1, 0);
    MemoryDC dc(8, 8);
    const Palette palette(
        std::vector<PALETTEENTRY>{{0, 0, 0, 0}, {255, 128, 0, 0}, {9, 9, 255, 0}});
    dc.SelectPalette(&palette);
    dib.Paint(&dc, -1, -1);
    dib.PaintPalIndices(&dc, 0, 0);
    CDib other;
    dib.CopyTo(&other, -2, 3, r.right, r.bottom, 1, -1, 7);
    dib.MapToPalette(&palette);
}

void Read(const std::uint8_t* data, std::size_t size) {
    MemoryFile file({data, size});
    std::size_t start = 0;
    while (start < size && data[start] != 'B') ++start;
    file.Seek(start);
    CDib dib;
    if (dib.ReadFromFile(&file)) Use(dib);
}

void Create(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return;
    const bool copy = data[0] & 1;
    const std::uint8_t offset = data[1];
    data += 2, size -= 2;
    // The header block as a caller hands it over: the header and its colour table.
    std::vector<std::uint8_t> block(sizeof(BITMAPINFO) + 124, 0), pixels(data, data + size);
    std::memcpy(block.data(), data, std::min(size, block.size()));
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(block.data());
    // A caller's pixels must hold what its header declares; feed only such.
    const std::int64_t declared =
        ((std::int64_t{header->biWidth} + 3) & ~std::int64_t{3}) * header->biHeight;
    CDib dib, own, loaded;
    if (header->biWidth > 0 && header->biHeight > 0 && declared <= std::int64_t(pixels.size()) &&
        dib.Create(header, pixels.data(), copy))
        Use(dib);
    if (own.Create(header, const_cast<std::uint8_t*>(own.GetBits()) + offset, copy)) Use(own);
    ResourceModule::Current().RegisterBitmap(4242, {data, data + size});
    if (loaded.LoadFromResource(4242)) Use(loaded);
    ResourceModule::Current().RemoveBitmap(4242);
}

void Copy(const std::uint8_t* data, std::size_t size) {
    auto take = [&](auto& value) {  // what is left of the input, zeros past its end
        const std::size_t n = std::min(size, sizeof value);
        std::memcpy(&value, data, n);
        data += n, size -= n;
    };
    int args[7];
    for (int& arg : args) {
        std::int32_t raw = 0;
        take(raw);
        arg = raw & 0x100 ? raw : static_cast<std::int8_t>(raw);  // mostly small, now and then any
    }
    std::uint8_t opaque = 0;
    std::int32_t transparent = -1;
    double scale = 0;
    take(opaque);
    if (!(opaque & 1)) take(transparent);
    take(scale);
    auto make = [&](CDib& dib) {
        std::uint8_t w = 0, h = 0, colours = 0;
        take(w), take(h), take(colours);
        if (!dib.CreateBlank(w % 24 + 1, h % 24 + 1)) return false;
        BITMAPINFO info = *dib.GetInfo();
        info.bmiHeader.biClrUsed = colours & 1 ? 16 : 0;
        auto* bits = const_cast<std::uint8_t*>(dib.GetBits());
        for (int i = 0, n = ((w % 24 + 4) & ~3) * (h % 24 + 1); i < n; ++i) take(bits[i]);
        return dib.Create(&info.bmiHeader, bits, false);
    };
    CDib source, other, twin, expected;
    if (!make(source) || !make(other)) return;
    const Rect r = source.GetRect();
    std::uint8_t* top = source.GetPixelAddress(0, r.bottom - 1);
    if (!twin.Create(&source.GetInfo()->bmiHeader, top, true) ||
        !expected.Create(&source.GetInfo()->bmiHeader, top, true))
        return;
    source.CopyTo(&other, args[0], args[1], args[2], args[3], args[4], args[5], transparent);
    twin.CopyTo(&expected, args[0], args[1], args[2], args[3], args[4], args[5], transparent);
    source.CopyTo(&source, args[0], args[1], args[2], args[3], args[4], args[5], transparent);
    if (std::memcmp(source.GetBits(), expected.GetBits(), ((r.right + 3) & ~3) * r.bottom) != 0)
        std::abort();
    MemoryDC dc(16, 16);
    source.PaintScaled(&dc, args[6], args[0], scale);
    source.PaintScaled(&dc, args[6], args[0], -scale);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::array{Read, Create, Copy}[data[0] % 3](data + 1, size - 1);
    return 0;
}
