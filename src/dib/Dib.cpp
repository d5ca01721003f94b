#include "dib/Dib.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "dib/DibLayout.h"

namespace bravok {

CDib::CDib() {
    CreateBlank(16, 16);
}

CDib::~CDib() {
    Release();
}

void CDib::Replace(CHeapPtr<BITMAPINFO> info, std::uint8_t* bits, bool ownsBits) {
    if (m_bOwnsBits && m_pBits != bits) std::free(m_pBits);
    m_pInfo = std::move(info);
    m_pBits = bits;
    m_bOwnsBits = ownsBits;
}

bool CDib::CreateBlank(int width, int height) {
    BITMAPINFOHEADER header;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 8;
    const std::optional<dib::ImageLayout> layout = dib::LayoutOf(header);
    if (!layout) return false;

    // The old image goes first, so a failed allocation leaves the object empty.
    Release();
    std::uint8_t ramp[sizeof(RGBQUAD) * kMaxColorEntries];
    for (int i = 0; i < kMaxColorEntries; ++i) {
        const auto grey = static_cast<std::uint8_t>(i);
        const RGBQUAD entry{grey, grey, grey, 0};
        std::memcpy(ramp + sizeof entry * i, &entry, sizeof entry);
    }
    CHeapPtr<BITMAPINFO> info = dib::NewHeaderBlock(header, ramp);
    CHeapPtr<std::uint8_t> bits(static_cast<std::uint8_t*>(std::malloc(layout->pixelBytes)));
    if (info == nullptr || bits == nullptr) return false;
    Replace(std::move(info), bits.release(), true);
    return true;
}

bool CDib::Create(const BITMAPINFOHEADER* header, std::uint8_t* bits, bool copy) {
    if (header == nullptr || bits == nullptr || !dib::IsInfoHeaderSize(header->biSize))
        return false;
    const std::optional<dib::ImageLayout> layout = dib::LayoutOf(*header);
    if (!layout) return false;
    const std::span<const std::uint8_t> colours(
        reinterpret_cast<const std::uint8_t*>(header) + header->biSize,
        sizeof(RGBQUAD) * layout->colours);

    // Pixels inside this object's own array: the new image must lie wholly inside
    // that array, and it is copied before the array goes, unless it is exactly the
    // whole array, which then simply stays this object's own (so an owned array is
    // always as long as its image says, and OwnOffsetOf sees all of it).
    const std::optional<std::int64_t> offset = OwnOffsetOf(bits);
    if (offset && *offset + layout->pixelBytes > OwnPixelBytes()) return false;
    const bool keepsOwnArray = offset && *offset == 0 && layout->pixelBytes == OwnPixelBytes();
    if (copy || (offset && !keepsOwnArray)) return TakeCopy(*header, colours, bits);

    CHeapPtr<BITMAPINFO> info = dib::NewHeaderBlock(*header, colours);
    if (info == nullptr) {
        Release();
        return false;
    }
    Replace(std::move(info), bits, keepsOwnArray);
    return true;
}

int CDib::OwnPixelBytes() const {
    if (IsEmpty() || !m_bOwnsBits) return 0;
    return dib::LayoutOf(m_pInfo->bmiHeader)->pixelBytes;
}

std::optional<std::int64_t> CDib::OwnOffsetOf(const std::uint8_t* bits) const {
    // Compared as addresses: the caller's pointer may belong to any other array.
    const auto at = reinterpret_cast<std::uintptr_t>(bits);
    const auto start = reinterpret_cast<std::uintptr_t>(m_pBits);
    if (OwnPixelBytes() == 0 || at < start || at - start >= std::uintptr_t(OwnPixelBytes()))
        return std::nullopt;
    return static_cast<std::int64_t>(at - start);
}

bool CDib::TakeCopy(const BITMAPINFOHEADER& header, std::span<const std::uint8_t> colourTable,
                    const std::uint8_t* pixels) {
    const int pixelBytes = dib::LayoutOf(header)->pixelBytes;
    // Both copies are made before the old image goes, since the caller's header
    // or pixels may be this object's own.
    CHeapPtr<BITMAPINFO> info = dib::NewHeaderBlock(header, colourTable);
    CHeapPtr<std::uint8_t> bits(static_cast<std::uint8_t*>(std::malloc(pixelBytes)));
    if (info == nullptr || bits == nullptr) {
        Release();
        return false;
    }
    std::memcpy(bits.get(), pixels, pixelBytes);
    Replace(std::move(info), bits.release(), true);
    return true;
}

Rect CDib::GetRect() const {
    if (IsEmpty()) return {};
    return {0, 0, m_pInfo->bmiHeader.biWidth, m_pInfo->bmiHeader.biHeight};
}

int CDib::GetNumColors() const {
    return IsEmpty() ? 0 : NumColors(m_pInfo.get());
}

std::uint8_t* CDib::GetPixelAddress(int x, int y) {
    return const_cast<std::uint8_t*>(std::as_const(*this).GetPixelAddress(x, y));
}

const std::uint8_t* CDib::GetPixelAddress(int x, int y) const {
    if (IsEmpty()) return nullptr;
    const BITMAPINFOHEADER& header = m_pInfo->bmiHeader;
    if (x < 0 || x >= header.biWidth || y < 0 || y >= header.biHeight) return nullptr;
    return m_pBits + (header.biHeight - 1 - y) * dib::Stride(header.biWidth) + x;
}

bool CDib::IsInfoHeader(const void* header) {
    return dib::FieldAt<std::uint32_t>(header, 0) != dib::kCoreHeaderSize;
}

int CDib::NumColors(const void* header) {
    const bool info = IsInfoHeader(header);
    const auto bitCount = dib::FieldAt<std::uint16_t>(header, info ? 14 : 10);
    if (info) {
        const auto used = dib::FieldAt<std::uint32_t>(header, 32);
        if (used != 0) return static_cast<int>(used);
    }
    switch (bitCount) {
        case 1:
            return 2;
        case 4:
            return 16;
        case 8:
            return 256;
        default:
            return 0;
    }
}

}  // namespace bravok
