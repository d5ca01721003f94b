#include <array>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "base/BinaryFile.h"
#include "dib/Dib.h"
#include "dib/DibLayout.h"

namespace bravok {

namespace {

bool ReadExactly(IBinaryFile& file, void* buffer, std::size_t count) {
    return file.Read(buffer, count) == count;
}

// A bitmap header as a file holds it, made into an info header.
struct FileHeader {
    BITMAPINFOHEADER info;
    std::uint32_t size = 0;      // of the header on disk
    std::size_t entryBytes = 0;  // of one colour entry on disk: 4, or 3 in the core form
};

// Reads the header that follows the file header and leaves the file at the
// colour table; nothing for a header form this class does not read.
std::optional<FileHeader> ReadBitmapHeader(IBinaryFile& file, std::uint64_t headerAt) {
    std::array<std::uint8_t, sizeof(BITMAPINFOHEADER)> bytes{};
    if (!ReadExactly(file, bytes.data(), 4)) return std::nullopt;
    FileHeader result;
    result.size = dib::FieldAt<std::uint32_t>(bytes.data(), 0);
    if (result.size == dib::kCoreHeaderSize) {
        if (!ReadExactly(file, bytes.data() + 4, sizeof(BITMAPCOREHEADER) - 4)) return std::nullopt;
        BITMAPCOREHEADER core;
        std::memcpy(&core, bytes.data(), sizeof core);
        result.info.biSize = sizeof(BITMAPINFOHEADER);
        result.info.biWidth = core.bcWidth;
        result.info.biHeight = core.bcHeight;
        result.info.biPlanes = core.bcPlanes;
        result.info.biBitCount = core.bcBitCount;
        result.entryBytes = 3;
        return result;
    }
    if (!dib::IsInfoHeaderSize(result.size)) return std::nullopt;
    if (!ReadExactly(file, bytes.data() + 4, bytes.size() - 4)) return std::nullopt;
    std::memcpy(&result.info, bytes.data(), sizeof result.info);
    result.entryBytes = 4;
    // The later forms carry more fields before their colour table.
    if (result.size > sizeof(BITMAPINFOHEADER)) file.Seek(headerAt + result.size);
    return result;
}

}  // namespace

// Every size a file claims is checked against the others and against the file's
// length before anything is allocated or read, so a lying header costs neither
// memory nor a read past the end; a file that ends early is refused too.
bool CDib::ReadFromFile(IBinaryFile* file) {
    if (file == nullptr) return false;
    const std::uint64_t start = file->GetPosition();
    const std::uint64_t length = file->GetLength();

    std::array<std::uint8_t, kFileHeaderSize> fileHeader{};
    if (!ReadExactly(*file, fileHeader.data(), fileHeader.size())) return false;
    if (dib::FieldAt<std::uint16_t>(fileHeader.data(), 0) != kBitmapFileType) return false;
    const auto fileSize = dib::FieldAt<std::uint32_t>(fileHeader.data(), 2);
    const auto pixelsAt = dib::FieldAt<std::uint32_t>(fileHeader.data(), 10);

    const std::optional<FileHeader> header = ReadBitmapHeader(*file, start + kFileHeaderSize);
    if (!header) return false;
    const std::optional<dib::ImageLayout> layout = dib::LayoutOf(header->info);
    if (!layout) return false;
    const std::size_t tableBytes = header->entryBytes * layout->colours;
    // The pixels may not overlap the headers and the colour table, the file
    // header's own account of them must cover the whole array, and the file must
    // hold them.
    const std::int64_t pixelDataSize = std::int64_t{fileSize} - pixelsAt;
    if (pixelsAt < kFileHeaderSize + header->size + tableBytes) return false;
    if (pixelDataSize < layout->pixelBytes) return false;
    if (start > length || length - start < std::uint64_t{pixelsAt} + layout->pixelBytes)
        return false;

    // Only the declared entries are read: a file's colour table may be shorter
    // than 256 entries, and what follows it is not colour.
    std::array<std::uint8_t, sizeof(RGBQUAD) * kMaxColorEntries> table{};
    if (!ReadExactly(*file, table.data(), tableBytes)) return false;
    std::array<std::uint8_t, sizeof(RGBQUAD) * kMaxColorEntries> quads{};
    if (header->entryBytes == sizeof(RGBQUAD)) {
        quads = table;
    } else {
        // Blue, green, red triples become quads with a zero reserved byte.
        for (int i = 0; i < layout->colours; ++i)
            std::memcpy(&quads[sizeof(RGBQUAD) * i], &table[header->entryBytes * i], 3);
    }

    CHeapPtr<BITMAPINFO> info = dib::NewHeaderBlock(header->info, quads);
    CHeapPtr<std::uint8_t> bits(static_cast<std::uint8_t*>(std::malloc(layout->pixelBytes)));
    if (info == nullptr || bits == nullptr) return false;
    file->Seek(start + pixelsAt);
    if (!ReadExactly(*file, bits.get(), layout->pixelBytes)) return false;
    Replace(std::move(info), bits.release(), true);
    return true;
}

}  // namespace bravok
