#include <cstring>

#include "dib/BitmapResources.h"
#include "dib/Dib.h"
#include "dib/DibLayout.h"

namespace bravok {

bool CDib::LoadFromResource(unsigned id) {
    const auto found = ResourceModule::Current().FindBitmap(static_cast<std::uint16_t>(id));
    if (!found) return false;
    const std::span<const std::uint8_t> resource = *found;

    // Nothing is read before it is known to lie inside the resource: a resource
    // too small for its header, colour table and pixels is refused like a
    // malformed one, and the object keeps its image.
    std::uint32_t headerSize = 0;
    if (resource.size() < sizeof headerSize) return false;
    std::memcpy(&headerSize, resource.data(), sizeof headerSize);
    if (!dib::IsInfoHeaderSize(headerSize) || resource.size() < headerSize) return false;
    BITMAPINFOHEADER header;
    std::memcpy(&header, resource.data(), sizeof header);
    const std::optional<dib::ImageLayout> layout = dib::LayoutOf(header);
    if (!layout) return false;
    const std::size_t tableBytes = sizeof(RGBQUAD) * layout->colours;
    const std::size_t pixelsAt = headerSize + tableBytes;
    if (resource.size() < pixelsAt || resource.size() - pixelsAt < std::size_t(layout->pixelBytes))
        return false;
    return TakeCopy(header, resource.subspan(headerSize, tableBytes), resource.data() + pixelsAt);
}

}  // namespace bravok
