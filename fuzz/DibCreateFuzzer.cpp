// Takes arbitrary bytes as a caller's header block and pixels, as a bitmap
// resource, and as a header over the object's own pixels at some offset; every
// image accepted is then walked and drawn.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "dib/Dib.h"
#include "platform/BitmapResources.h"
#include "platform/MemoryDC.h"

namespace {

void Walk(bravok::CDib& dib) {
    const bravok::Rect r = dib.GetRect();
    ++*dib.GetPixelAddress(r.right - 1, 0);
    bravok::MemoryDC dc(4, 4);
    dib.Paint(&dc, 0, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace bravok;
    if (size < 3) return 0;
    const bool copy = data[0] & 1;
    const std::uint8_t offset = data[1];
    data += 2, size -= 2;
    // The header block as a caller hands it over: the header and its colour table.
    std::vector<std::uint8_t> block(sizeof(BITMAPINFO) + 124, 0);
    std::memcpy(block.data(), data, std::min(size, block.size()));
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(block.data());
    std::vector<std::uint8_t> pixels(data, data + size);
    // A caller's pixels must hold what its header declares; feed only such.
    const std::int64_t declared =
        ((std::int64_t{header->biWidth} + 3) & ~std::int64_t{3}) * header->biHeight;
    CDib dib;
    if (header->biWidth > 0 && header->biHeight > 0 && declared <= std::int64_t(pixels.size()) &&
        dib.Create(header, pixels.data(), copy))
        Walk(dib);

    CDib own;
    if (own.Create(header, const_cast<std::uint8_t*>(own.GetBits()) + offset, copy)) Walk(own);

    ResourceModule::Current().RegisterBitmap(4242, {data, data + size});
    CDib loaded;
    if (loaded.LoadFromResource(4242)) Walk(loaded);
    ResourceModule::Current().RemoveBitmap(4242);
    return 0;
}
