#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "dib/CHeap.h"
#include "dib/DibFormat.h"
#include "platform/Geometry.h"

namespace bravok {

class IBinaryFile;
class IDeviceContext;
class Palette;

// One device-independent bitmap in memory: a header block (the info header with
// room for 256 colour entries) and a pixel array of one byte per pixel, rows
// padded to four bytes and stored bottom row first. Coordinates count from the
// top-left pixel.
//
// An object is empty (no header, no pixels), owning (it allocated its pixels and
// frees them) or attached (a caller's pixels, which the caller keeps alive and
// frees). Whatever a file, a resource or a caller's header claims, the object only
// ever takes images that fit its layout: one plane of 8 uncompressed bits, width
// and height from 1, at most 256 colours, a pixel array of at most INT_MAX bytes;
// anything else is refused with false and the object left as it was. Files and
// resources are checked against their own length; a caller's pixels cannot be,
// and must hold what its header declares. When the C heap runs out, CreateBlank,
// Create and LoadFromResource have released the old image already and leave the
// object empty; ReadFromFile keeps the old image.
//
// Not for use from two threads at once.
class CDib {
  public:
    // A 16 x 16 blank image, or an empty object when memory runs out.
    CDib();
    CDib(const CDib&) = delete;
    CDib& operator=(const CDib&) = delete;
    virtual ~CDib();

    // Takes the caller's image: header points at an info header followed by its
    // colour table, bits at stride x height pixel bytes. With copy the pixels are
    // copied; without, they are attached and stay the caller's. Pixels inside this
    // object's own array must lie wholly inside it (else false, nothing changed);
    // they are copied, except exactly the whole array, which stays its own.
    virtual bool Create(const BITMAPINFOHEADER* header, std::uint8_t* bits, bool copy);
    // An 8-bit image with a grey-ramp colour table and pixels left as allocated.
    virtual bool CreateBlank(int width, int height);
    // Copies the bitmap resource whose id is the low 16 bits of id.
    virtual bool LoadFromResource(unsigned id);
    // Reads a BMP file from the file's current position on. Errors of the file
    // itself throw FileException and leave the old image in place.
    virtual bool ReadFromFile(IBinaryFile* file);

    // Draw the whole image at (x, y); the result is the blit's, 0 with no device
    // context or no image.
    virtual int Paint(IDeviceContext* dc, int x, int y);
    // As Paint, the colour table read as indices into the context's palette.
    virtual int PaintPalIndices(IDeviceContext* dc, int x, int y);
    // As Paint, each side multiplied by scale and truncated toward zero; a
    // negative scale mirrors.
    virtual int PaintScaled(IDeviceContext* dc, int x, int y, double scale);

    // Rewrites every pixel byte, row padding included, as the index of the palette
    // entry nearest to its colour and takes the palette's colours as the colour
    // table. False, and nothing changed, without a palette, an entry or an image.
    virtual bool MapToPalette(const Palette* palette);
    // (0, 0, width, height); all zero when empty.
    virtual Rect GetRect() const;
    // Copies a block of width bytes by height rows at (xSrc, ySrc) of this image
    // onto dest at (xDest, yDest), clipped to both images; dest may be this image,
    // and a block moved within it lands as if copied from a separate copy of the
    // image (rows and bytes taken in memmove's order). Source bytes equal to
    // the low byte of transparent are skipped, unless transparent is -1. A source
    // with 16 colours carries two pixels per byte, the left one in the high
    // nibble, and each nibble is judged on its own.
    virtual void CopyTo(CDib* dest, int xDest, int yDest, int width, int height, int xSrc, int ySrc,
                        int transparent) const;

    int GetNumColors() const;
    // The byte of pixel (x, y), or null outside the image or when empty.
    std::uint8_t* GetPixelAddress(int x, int y);
    const std::uint8_t* GetPixelAddress(int x, int y) const;

    // The colour-table length that a header in the info or the core form
    // declares: biClrUsed when nonzero, else 2, 16 or 256 for 1, 4 or 8 bits and 0
    // for any other bit count. header must hold a whole header of its form.
    static int NumColors(const void* header);
    // False only when the header's size field is 12, the core form.
    static bool IsInfoHeader(const void* header);

    const BITMAPINFO* GetInfo() const { return m_pInfo.get(); }
    const std::uint8_t* GetBits() const { return m_pBits; }
    bool OwnsBits() const { return m_bOwnsBits; }

  private:
    bool IsEmpty() const { return m_pInfo == nullptr || m_pBits == nullptr; }
    // Installs a new image, freeing the old array when it is owned and not the
    // new one.
    void Replace(CHeapPtr<BITMAPINFO> info, std::uint8_t* bits, bool ownsBits);
    void Release() { Replace(nullptr, nullptr, m_bOwnsBits); }
    // The bytes of the pixel array this object allocated, 0 when it holds none.
    int OwnPixelBytes() const;
    // Where bits lies in the object's own array, or nothing when outside it.
    std::optional<std::int64_t> OwnOffsetOf(const std::uint8_t* bits) const;
    // Takes a copy of an image whose header has been checked; colourTable holds
    // its colour entries. On an allocation failure the object ends up empty.
    bool TakeCopy(const BITMAPINFOHEADER& header, std::span<const std::uint8_t> colourTable,
                  const std::uint8_t* pixels);
    int Blit(IDeviceContext* dc, int x, int y, int width, int height, unsigned colorUse);

    CHeapPtr<BITMAPINFO> m_pInfo;
    std::uint8_t* m_pBits = nullptr;  // owned exactly when m_bOwnsBits
    bool m_bOwnsBits = true;
};

}  // namespace bravok
