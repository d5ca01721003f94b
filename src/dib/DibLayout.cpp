#include "dib/DibLayout.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace bravok::dib {

std::optional<ImageLayout> LayoutOf(const BITMAPINFOHEADER& header) {
    if (header.biPlanes != 1 || header.biBitCount != 8 || header.biCompression != BI_RGB)
        return std::nullopt;
    if (header.biWidth < 1 || header.biHeight < 1) return std::nullopt;
    if (header.biClrUsed > kMaxColorEntries) return std::nullopt;
    const std::int64_t stride = Stride(header.biWidth);
    const std::int64_t pixelBytes = stride * header.biHeight;
    if (pixelBytes > kMaxPixelBytes) return std::nullopt;
    const int colours = header.biClrUsed != 0 ? static_cast<int>(header.biClrUsed) : 256;
    return ImageLayout{static_cast<int>(stride), static_cast<int>(pixelBytes), colours};
}

CHeapPtr<BITMAPINFO> NewHeaderBlock(const BITMAPINFOHEADER& header,
                                    std::span<const std::uint8_t> quads) {
    // Zeroed, so that entries beyond the declared colours, which pixel values past
    // the colour count still draw with, hold black rather than stale heap bytes.
    CHeapPtr<BITMAPINFO> block(static_cast<BITMAPINFO*>(std::calloc(1, sizeof(BITMAPINFO))));
    if (block == nullptr) return nullptr;
    block->bmiHeader = header;
    block->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    const std::size_t bytes = std::min(quads.size(), sizeof block->bmiColors);
    if (bytes != 0) std::memcpy(block->bmiColors, quads.data(), bytes);
    return block;
}

}  // namespace bravok::dib
