// Copies blocks of any size and position between two bitmaps and within one, and draws one
// at any scale. A block copied within an image must land as one copied out of a separate,
// identical image.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "dib/Dib.h"
#include "platform/MemoryDC.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace bravok;
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
    std::int32_t transparent = 0;
    double scale = 0;
    take(opaque);
    if (opaque & 1)
        transparent = -1;
    else
        take(transparent);
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
    if (!make(source) || !make(other)) return 0;
    const Rect r = source.GetRect();
    const std::uint8_t* top = source.GetPixelAddress(0, r.bottom - 1);
    if (!twin.Create(&source.GetInfo()->bmiHeader, top, true) ||
        !expected.Create(&source.GetInfo()->bmiHeader, top, true))
        return 0;
    source.CopyTo(&other, args[0], args[1], args[2], args[3], args[4], args[5], transparent);
    twin.CopyTo(&expected, args[0], args[1], args[2], args[3], args[4], args[5], transparent);
    source.CopyTo(&source, args[0], args[1], args[2], args[3], args[4], args[5], transparent);
    if (std::memcmp(source.GetBits(), expected.GetBits(), ((r.right + 3) & ~3) * r.bottom) != 0)
        std::abort();
    MemoryDC dc(16, 16);
    source.PaintScaled(&dc, args[6], args[0], scale);
    source.PaintScaled(&dc, args[6], args[0], -scale);
    return 0;
}
