// Copies blocks of any size and position between two bitmaps and within one, and
// draws one at any scale. A block copied within an image must land as one copied
// out of an identical, separate image.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "dib/Dib.h"
#include "platform/MemoryDC.h"

namespace {

struct Input {
    const std::uint8_t* data;
    std::size_t size;
    template <typename T>
    T Next() {
        T value{};
        const std::size_t n = size < sizeof value ? size : sizeof value;
        std::memcpy(&value, data, n);
        data += n, size -= n;
        return value;
    }
};

bool Make(bravok::CDib& dib, Input& in) {
    if (!dib.CreateBlank(in.Next<std::uint8_t>() % 24 + 1, in.Next<std::uint8_t>() % 24 + 1))
        return false;
    bravok::BITMAPINFO info = *dib.GetInfo();
    info.bmiHeader.biClrUsed = in.Next<std::uint8_t>() & 1 ? 16 : 0;
    const bravok::Rect r = dib.GetRect();
    auto* bits = const_cast<std::uint8_t*>(dib.GetBits());
    for (int i = 0, n = ((r.right + 3) & ~3) * r.bottom; i < n; ++i)
        bits[i] = in.Next<std::uint8_t>();
    return dib.Create(&info.bmiHeader, bits, false);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace bravok;
    Input in{data, size};
    int args[7];
    for (int& arg : args) {
        // Mostly small numbers, now and then any int at all.
        const auto raw = in.Next<std::int32_t>();
        arg = raw & 0x100 ? raw : static_cast<std::int8_t>(raw);
    }
    const int transparent = in.Next<std::uint8_t>() & 1 ? -1 : in.Next<std::int32_t>();
    const double scale = in.Next<double>();
    CDib source, other, twin;
    if (!Make(source, in) || !Make(other, in)) return 0;
    const Rect r = source.GetRect();
    if (!twin.Create(&source.GetInfo()->bmiHeader, source.GetPixelAddress(0, r.bottom - 1), true))
        return 0;

    source.CopyTo(&other, args[0], args[1], args[2], args[3], args[4], args[5], transparent);
    CDib expected;
    if (!expected.Create(&source.GetInfo()->bmiHeader, source.GetPixelAddress(0, r.bottom - 1),
                         true))
        return 0;
    twin.CopyTo(&expected, args[0], args[1], args[2], args[3], args[4], args[5], transparent);
    source.CopyTo(&source, args[0], args[1], args[2], args[3], args[4], args[5], transparent);
    const int bytes = ((r.right + 3) & ~3) * r.bottom;
    if (std::memcmp(source.GetBits(), expected.GetBits(), bytes) != 0) std::abort();

    MemoryDC dc(16, 16);
    source.PaintScaled(&dc, args[6], args[0], scale);
    source.PaintScaled(&dc, args[6], args[0], -scale);
    return 0;
}
