// Feeds arbitrary bytes to CDib::ReadFromFile as a BMP file, from the first 'B' on, then puts any
// image it accepts through the operations that address its pixels.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "dib/Dib.h"
#include "platform/BinaryFile.h"
#include "platform/MemoryDC.h"
#include "platform/Palette.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace bravok;
    MemoryFile file({data, size});
    // Leading bytes before the first 'B' put the bitmap at an offset of a larger file.
    std::size_t start = 0;
    while (start < size && data[start] != 'B') ++start;
    file.Seek(start);
    CDib dib;
    if (!dib.ReadFromFile(&file)) return 0;

    const Rect r = dib.GetRect();
    for (int y : {0, r.bottom - 1})
        for (int x : {0, r.right - 1})
            if (std::uint8_t* p = dib.GetPixelAddress(x, y)) *p ^= 1;

    MemoryDC dc(8, 8);
    dib.Paint(&dc, -1, -1);
    dib.PaintScaled(&dc, 2, 2, 0.37);
    const std::vector<PALETTEENTRY> entries{{0, 0, 0, 0}, {255, 128, 0, 0}, {9, 9, 255, 0}};
    const Palette palette(entries);
    dc.SelectPalette(&palette);
    dib.PaintPalIndices(&dc, 0, 0);

    CDib other;
    dib.CopyTo(&other, -2, 3, r.right, r.bottom, 1, -1, -1);
    dib.CopyTo(&other, 5, -4, 40, 40, -3, 2, 7);
    other.CopyTo(&dib, 0, 0, 16, 16, 0, 0, 0x105);
    dib.MapToPalette(&palette);
    return 0;
}
