// Feeds arbitrary bytes to CDib::ReadFromFile as a BMP file from the first 'B' on (the bytes
// before it put the bitmap at an offset of a larger file), then writes, draws, copies and
// remaps any image it accepts.
#include <cstdint>
#include <vector>

#include "dib/Dib.h"
#include "platform/BinaryFile.h"
#include "platform/MemoryDC.h"
#include "platform/Palette.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace bravok;
    MemoryFile file({data, size});
    std::size_t start = 0;
    while (start < size && data[start] != 'B') ++start;
    file.Seek(start);
    CDib dib, other;
    if (!dib.ReadFromFile(&file)) return 0;
    const Rect r = dib.GetRect();
    *dib.GetPixelAddress(r.right - 1, r.bottom - 1) ^= 1;
    MemoryDC dc(8, 8);
    const Palette palette(
        std::vector<PALETTEENTRY>{{0, 0, 0, 0}, {255, 128, 0, 0}, {9, 9, 255, 0}});
    dc.SelectPalette(&palette);
    dib.Paint(&dc, -1, -1);
    dib.PaintPalIndices(&dc, 0, 0);
    dib.CopyTo(&other, -2, 3, r.right, r.bottom, 1, -1, 7);
    dib.MapToPalette(&palette);
    return 0;
}
