#include "dib/Dib.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstring>
#include <optional>
#include <random>
#include <tuple>
#include <vector>

#include "base/BinaryFile.h"
#include "dib/BitmapResources.h"
#include "dib/DeviceContext.h"
#include "dib/MemoryDC.h"
#include "dib/Palette.h"
#include "platform/FileException.h"

namespace bravok {
namespace {

// Still the 16 x 16 grey ramp of a new object, in the same array.
void ExpectUnchanged(const CDib& dib, const std::uint8_t* bits, bool ramp = true) {
    EXPECT_EQ(dib.GetBits(), bits);
    EXPECT_EQ(dib.GetRect(), (Rect{0, 0, 16, 16}));
    EXPECT_TRUE(!ramp || dib.GetInfo()->bmiColors[9].rgbRed == 9);
}

TEST(Dib, NewObjectIsA16By16GreyRampStoredBottomRowFirst) {
    CDib dib;
    EXPECT_EQ(dib.GetRect(), (Rect{0, 0, 16, 16}));
    EXPECT_EQ(dib.GetNumColors(), 256);
    for (int i = 0; i < 256; ++i)  // blue, green, red i, reserved 0
        ASSERT_EQ(std::bit_cast<std::uint32_t>(dib.GetInfo()->bmiColors[i]), 0x010101u * i) << i;
    // Sizes below 1, and arrays past INT_MAX bytes, are refused.
    const std::uint8_t* before = dib.GetBits();
    for (auto [w, h] : {std::pair{0, 1}, {-1, 5}, {1, INT_MIN}, {INT_MAX, 1}, {46344, 46344}})
        EXPECT_FALSE(dib.CreateBlank(w, h)) << w << "x" << h;
    ExpectUnchanged(dib, before);
    // 5 x 3: stride 8, the top row stored last.
    ASSERT_TRUE(dib.CreateBlank(5, 3));
    EXPECT_EQ(dib.GetPixelAddress(0, 0), dib.GetBits() + 16);
    EXPECT_EQ(dib.GetPixelAddress(4, 2), dib.GetBits() + 4);
    for (auto [x, y] : {std::pair{5, 0}, {0, 3}, {-1, 0}, {0, -1}, {INT_MIN, INT_MAX}})
        EXPECT_EQ(dib.GetPixelAddress(x, y), nullptr) << x << "," << y;
}

TEST(Dib, NumColorsFollowsBitCountAndColoursUsed) {
    // Header size, bit count, colours used (at offset 32 whatever the form), the count.
    for (auto [size, bitCount, used, expected] : {std::tuple{40u, 8, 0u, 256},
                                                  {40, 8, 20, 20},
                                                  {40, 24, 0, 0},
                                                  {40, 1, 0, 2},
                                                  {124, 4, 0, 16},
                                                  {40, 8, 0x12341234, 0x12341234},
                                                  {12, 4, 0, 16},
                                                  {12, 24, 0, 0},
                                                  {12, 8, 99, 256}}) {
        std::uint8_t header[40] = {};
        std::memcpy(header, &size, 4);
        header[size == 12 ? 10 : 14] = std::uint8_t(bitCount);
        std::memcpy(header + 32, &used, 4);
        EXPECT_EQ(std::pair(CDib::NumColors(header), CDib::IsInfoHeader(header)),
                  std::pair(expected, size != 12));
    }
}

// A caller's pixels stay the caller's. Pixels from inside the object's own array,
// at any offset and under any header, give a correct image, read before the old
// array goes, or false and nothing changed.
TEST(Dib, CreateAttachesCallersPixelsAndCopiesItsOwnThatFit) {
    std::vector<std::uint8_t> pixels(256, 0x42);
    {
        CDib dib, blank;
        ASSERT_TRUE(dib.Create(&blank.GetInfo()->bmiHeader, pixels.data(), false));
        EXPECT_FALSE(dib.OwnsBits());
        *dib.GetPixelAddress(0, 0) = 0x17;
    }  // had it freed the vector's memory, the sanitizer would stop the test
    EXPECT_EQ(pixels[240], 0x17);  // (0, 0): the top row, stored last
    for (int copy = 0; copy < 2; ++copy)
        for (int offset : {0, 1, 17, 200, 255})
            for (auto [w, h] : {std::pair{16, 16}, {4, 4}, {13, 3}, {1, 1}, {16, 17}, {5, 12}}) {
                CDib dib;
                auto* own = const_cast<std::uint8_t*>(dib.GetBits());
                for (int i = 0; i < 256; ++i) own[i] = std::uint8_t(i * 7 + 1);
                BITMAPINFO info = *dib.GetInfo();
                info.bmiHeader.biWidth = w;
                info.bmiHeader.biHeight = h;
                const int bytes = ((w + 3) & ~3) * h;
                const bool fits = offset + bytes <= 256;
                ASSERT_EQ(dib.Create(&info.bmiHeader, own + offset, copy), fits)
                    << copy << " " << offset << " " << w << "x" << h;
                if (!fits) ExpectUnchanged(dib, own, false);
                if (!fits) continue;
                EXPECT_TRUE(dib.GetRect() == (Rect{0, 0, w, h}) && dib.OwnsBits());
                EXPECT_EQ(dib.GetBits() == own, !copy && offset == 0 && bytes == 256);
                for (int i = 0; i < bytes; ++i)
                    ASSERT_EQ(dib.GetBits()[i], std::uint8_t((offset + i) * 7 + 1)) << i;
            }
}

std::vector<std::uint8_t> AllBytes(const CDib& dib) {
    const Rect r = dib.GetRect();
    return {dib.GetBits(), dib.GetBits() + ((r.right + 3) & ~3) * r.bottom};
}

// A width x height image of `colours` entries, every byte (padding too) from fill().
template <typename Fill>
void Make(CDib& dib, int width, int height, int colours, Fill fill) {
    ASSERT_TRUE(dib.CreateBlank(width, height));
    BITMAPINFO info = *dib.GetInfo();
    info.bmiHeader.biClrUsed = colours % 256;
    std::uint8_t* bits = dib.GetPixelAddress(0, height - 1);
    for (std::size_t i = 0, n = AllBytes(dib).size(); i < n; ++i) bits[i] = std::uint8_t(fill());
    ASSERT_TRUE(dib.Create(&info.bmiHeader, bits, true));
}

// An image of `colours` entries holding `bytes` as stored, bottom row first,
// padding included.
void MakeFrom(CDib& dib, int width, int height, int colours, std::vector<std::uint8_t> bytes) {
    auto next = bytes.begin();
    Make(dib, width, height, colours, [&] { return next == bytes.end() ? 0 : *next++; });
    ASSERT_EQ(AllBytes(dib), bytes);
}

// A block copied from a 3 x 2 source onto a 3 x 2 image of 0xEE (the fourth byte
// of each row is padding): clipped to both images, a transparent index skipped
// as a byte, and with 16 colours each half of a byte on its own.
TEST(DibCopy, CopiesTheBlockInsideBothImages) {
    struct Case {
        const char* what;
        int colours, xd, yd, w, h, xs, ys, transparent;
        std::vector<std::uint8_t> expected;
    };
    const Case cases[] = {
        {"all of it", 256, 0, 0, 3, 2, 0, 0, -1, {1, 2, 3, 0xEE, 4, 5, 6, 0xEE}},
        {"off the right", 256, 1, 0, 3, 2, 0, 0, -1, {0xEE, 1, 2, 0xEE, 0xEE, 4, 5, 0xEE}},
        {"off the left", 256, -2, 0, 3, 2, 0, 0, -1, {3, 0xEE, 0xEE, 0xEE, 6, 0xEE, 0xEE, 0xEE}},
        {"from off the right", 256, 0, 0, 3, 2, 1, 0, -1, {2, 3, 0xEE, 0xEE, 5, 6, 0xEE, 0xEE}},
        {"off the bottom", 256, 0, 1, 3, 2, 0, 0, -1, {4, 5, 6, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE}},
        {"from off the bottom", 256, 0, 0, 3, 2, 0, 1, -1, {0xEE, 0xEE, 0xEE, 0xEE, 1, 2, 3, 0xEE}},
        {"no width", 256, 0, 0, 0, 2, 0, 0, -1, std::vector<std::uint8_t>(8, 0xEE)},
        {"less than no height", 256, 0, 0, 3, -2, 0, 0, -1, std::vector<std::uint8_t>(8, 0xEE)},
        {"2 transparent", 256, 0, 0, 3, 2, 0, 0, 2, {1, 0xEE, 3, 0xEE, 4, 5, 6, 0xEE}},
        {"0x105 is 5", 256, 0, 0, 3, 2, 0, 0, 0x105, {1, 2, 3, 0xEE, 4, 0xEE, 6, 0xEE}},
        {"nibbles", 16, 0, 0, 3, 2, 0, 0, -1, {0x12, 0x21, 0x11, 0xEE, 0x22, 0x1F, 0xF1, 0xEE}},
        {"1 transparent in nibbles",
         16,
         0,
         0,
         3,
         2,
         0,
         0,
         1,
         {0xE2, 0x2E, 0xEE, 0xEE, 0x22, 0xEF, 0xFE, 0xEE}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CDib source, dest;
        if (c.colours == 16)
            MakeFrom(source, 3, 2, 16, {0x12, 0x21, 0x11, 0xAA, 0x22, 0x1F, 0xF1, 0xAA});
        else
            MakeFrom(source, 3, 2, 256, {1, 2, 3, 0xAA, 4, 5, 6, 0xAA});
        MakeFrom(dest, 3, 2, 256, std::vector<std::uint8_t>(8, 0xEE));
        source.CopyTo(&dest, c.xd, c.yd, c.w, c.h, c.xs, c.ys, c.transparent);
        EXPECT_EQ(AllBytes(dest), c.expected);
    }
}

// Within one image a block may overlap itself: the result is that of the same
// copy out of a separate, identical image, for blocks of any size from -2 up,
// off the image or not, with and without a transparent index.
TEST(DibCopy, OntoItselfActsAsFromASeparateCopy) {
    std::mt19937 random(20240607);
    auto in = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
    auto randomByte = [&] { return static_cast<std::uint8_t>(in(0, 255)); };
    for (int round = 0; round < 2000; ++round) {
        CDib image, twin, expected;
        Make(image, in(1, 13), in(1, 9), in(0, 1) ? 16 : 256, randomByte);
        const BITMAPINFOHEADER& header = image.GetInfo()->bmiHeader;
        std::uint8_t* bits = image.GetPixelAddress(0, image.GetRect().bottom - 1);
        ASSERT_TRUE(twin.Create(&header, bits, true) && expected.Create(&header, bits, true));
        const int w = in(-2, 16), h = in(-2, 12), xd = in(-16, 16), yd = in(-12, 12);
        const int xs = in(-16, 16), ys = in(-12, 12),
                  transparent = std::array{-1, in(0, 20)}[in(0, 1)];
        twin.CopyTo(&expected, xd, yd, w, h, xs, ys, transparent);
        image.CopyTo(&image, xd, yd, w, h, xs, ys, transparent);
        ASSERT_EQ(AllBytes(image), AllBytes(expected)) << "round " << round;
    }
}

struct MockDC : IDeviceContext {
    MOCK_METHOD(const Palette*, SelectPalette, (const Palette*), (override));
    MOCK_METHOD(int, StretchDIBits,
                (int, int, int, int, int, int, int, int, const void*, const BITMAPINFO*, unsigned,
                 std::uint32_t),
                (override));
};

TEST(DibPaint, BlitsTheWholeImageScaledTowardZeroOrAsPaletteIndices) {
    using testing::_;
    CDib dib;
    ASSERT_TRUE(dib.CreateBlank(15, 9));
    MockDC dc;
    EXPECT_CALL(dc, StretchDIBits(1, 2, 15, 9, 0, 0, 15, 9, dib.GetBits(), dib.GetInfo(),
                                  DIB_PAL_COLORS, SRCCOPY))
        .WillOnce(testing::Return(77));
    EXPECT_EQ(dib.PaintPalIndices(&dc, 1, 2), 77);
    // Past the int range a side stops at its end; a NaN scale gives nothing.
    for (auto [scale, w, h] : {std::tuple{0.5, 7, 4},
                               {-0.5, -7, -4},
                               {2.5, 37, 22},
                               {0.06, 0, 0},
                               {1e300, INT_MAX, INT_MAX},
                               {-INFINITY, INT_MIN, INT_MIN},
                               {NAN, 0, 0}}) {
        EXPECT_CALL(dc, StretchDIBits(1, 2, w, h, 0, 0, 15, 9, _, _, DIB_RGB_COLORS, SRCCOPY));
        dib.PaintScaled(&dc, 1, 2, scale);
    }
    EXPECT_EQ(dib.Paint(nullptr, 0, 0) + dib.PaintPalIndices(nullptr, 0, 0) +
                  dib.PaintScaled(nullptr, 0, 0, 1.0),
              0);
}

TEST(DibMapToPalette, RemapsEveryByteOntoTheNearestEntry) {
    CDib dib;
    ASSERT_TRUE(dib.CreateBlank(5, 3));
    // Ramp value v is the grey (v, v, v); the padding bytes are mapped too.
    std::uint8_t* bits = dib.GetPixelAddress(0, 2);  // the bottom row, stored first
    for (int i = 0; i < 24; ++i) bits[i] = static_cast<std::uint8_t>(i * 11);
    const Palette palette(
        std::vector<PALETTEENTRY>{{0, 0, 0}, {85, 85, 85}, {170, 170, 170}, {255, 255, 255}}),
        empty({});
    EXPECT_FALSE(dib.MapToPalette(nullptr) || dib.MapToPalette(&empty));
    ASSERT_TRUE(dib.MapToPalette(&palette));
    for (int i = 0; i < 24; ++i)  // nearest of 0, 85, 170, 255: 42 goes down, 43 up
        EXPECT_EQ(bits[i], (i * 11 + 42) / 85) << "byte " << i;
    EXPECT_EQ(dib.GetInfo()->bmiHeader.biClrUsed, 256u);
    EXPECT_EQ(dib.GetInfo()->bmiColors[1].rgbRed, 85);
}

// The fields of a small BMP, each free to lie; by default a valid 8-bit 3 x 2 info-form file.
struct BmpFields {
    std::uint32_t headerSize = 40;  // 12 writes the core form
    std::int32_t width = 3, height = 2;
    std::uint16_t planes = 1, bitCount = 8;
    std::uint32_t compression = 0, clrUsed = 0;
    int tableEntries = 256;                              // colour entries written
    std::optional<std::uint32_t> offBits{}, fileSize{};  // unset: those of a good file
    std::size_t keep = SIZE_MAX;                         // bytes a file or a resource keeps
    int failAt = -1;                                     // the read or seek of a file that throws
    std::uint8_t signature[2] = {'B', 'M'};
};

// Byte i of the pixel array is i * 37 + 11; 16 bytes for the huge sizes of broken headers.
std::vector<std::uint8_t> PixelsFor(long long width, long long height) {
    const long long bytes = ((width + 3) & ~3LL) * height;
    std::vector<std::uint8_t> pixels(width > 0 && height > 0 && bytes < (1 << 20) ? bytes : 16);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = std::uint8_t(i * 37 + 11);
    return pixels;
}

// A BMP file, or without its file header a bitmap resource: header, colour
// table and pixels. Entry i is blue i, green i / 2, red 255 - i, and in the info
// form reserved 0x5A.
std::vector<std::uint8_t> MakeBmp(const BmpFields& f, bool fileHeader = true) {
    const bool core = f.headerSize == 12;
    const BITMAPINFOHEADER info{
        f.headerSize, f.width, f.height, f.planes, f.bitCount, f.compression, 0, 0, 0,
        f.clrUsed,    0};
    const BITMAPCOREHEADER old{12, std::uint16_t(f.width), std::uint16_t(f.height), f.planes,
                               f.bitCount};
    std::vector<std::uint8_t> out(core ? 12 : std::max<std::size_t>(40, f.headerSize));
    std::memcpy(out.data(), core ? static_cast<const void*>(&old) : &info, core ? 12 : 40);
    for (int i = 0; i < f.tableEntries; ++i) {
        out.insert(out.end(), {std::uint8_t(i), std::uint8_t(i / 2), std::uint8_t(255 - i)});
        if (!core) out.push_back(0x5A);
    }
    const auto pixelsAt = std::uint32_t(14 + out.size());
    const std::vector<std::uint8_t> pixels = PixelsFor(f.width, f.height);
    out.insert(out.end(), pixels.begin(), pixels.end());
    if (!fileHeader) return out;
    const std::uint32_t header[] = {f.fileSize.value_or(14 + out.size()), 0,
                                    f.offBits.value_or(pixelsAt)};
    out.insert(out.begin(), reinterpret_cast<const std::uint8_t*>(header),
               reinterpret_cast<const std::uint8_t*>(header) + sizeof header);
    out.insert(out.begin(), std::begin(f.signature), std::end(f.signature));
    return out;
}

// Throws the file exception at its nth read or seek.
struct FailingFile : MemoryFile {
    using MemoryFile::MemoryFile;
    void Seek(std::uint64_t at) override { Step(), MemoryFile::Seek(at); }
    std::size_t Read(void* to, std::size_t n) override { return Step(), MemoryFile::Read(to, n); }
    void Step() {
        if (left-- == 0) throw FileException(FileException::Cause::Read, "f", 5);
    }
    int left = -1;
};

enum class From { File, Resource, Caller };

bool Load(CDib& dib, From from, const BmpFields& f) {
    if (from == From::File) {
        // At offset 1000 of a larger file: the file's offsets count from there.
        std::vector<std::uint8_t> bytes(1000, 0xEE), bmp = MakeBmp(f);
        bytes.insert(bytes.end(), bmp.begin(), bmp.begin() + std::min(f.keep, bmp.size()));
        FailingFile file(bytes);
        file.Seek(1000);
        file.left = f.failAt;
        return dib.ReadFromFile(&file);
    }
    std::vector<std::uint8_t> bytes = MakeBmp(f, false);
    if (from == From::Caller)
        return dib.Create(reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data()),
                          bytes.data() + bytes.size() - PixelsFor(f.width, f.height).size(), true);
    bytes.resize(std::min(f.keep, bytes.size()));
    EXPECT_TRUE(ResourceModule::Current().RegisterBitmap(1000, bytes));
    EXPECT_FALSE(ResourceModule::Current().RegisterBitmap(1000, {}));  // the id is taken
    const bool loaded = dib.LoadFromResource(0xABCD0000u | 1000);      // the low 16 bits name it
    ResourceModule::Current().RemoveBitmap(1000);
    return loaded;
}

void ExpectImageOf(CDib& dib, const BmpFields& f) {
    ASSERT_EQ(dib.GetRect(), (Rect{0, 0, f.width, f.height}));
    EXPECT_TRUE(dib.OwnsBits());
    EXPECT_EQ(std::pair(dib.GetInfo()->bmiHeader.biSize, dib.GetInfo()->bmiHeader.biClrUsed),
              std::pair(40u, f.clrUsed));
    const int declared = f.clrUsed ? int(f.clrUsed) : 256;
    const std::uint32_t reserved = f.headerSize == 12 ? 0 : 0x5Au << 24;
    for (int i = 0; i < 256; ++i)  // the declared entries, then black ones
        ASSERT_EQ(std::bit_cast<std::uint32_t>(dib.GetInfo()->bmiColors[i]),
                  i < declared ? i | (i / 2) << 8 | (255 - i) << 16 | reserved : 0)
            << i;
    const std::vector<std::uint8_t> pixels = PixelsFor(f.width, f.height);
    EXPECT_EQ(std::memcmp(dib.GetBits(), pixels.data(), pixels.size()), 0);
}

TEST(DibLoad, ReadsEveryHeaderFormOverAnAttachedImage) {
    // The later header forms carry their colour table after the whole header.
    // clang-format off
    const std::vector<BmpFields> infoForms{
        {.width = 5, .height = 3}, {.headerSize = 52}, {.headerSize = 56}, {.headerSize = 108},
        {.headerSize = 124, .width = 7}, {.clrUsed = 2, .tableEntries = 2},
        {.clrUsed = 1, .tableEntries = 1}};
    // clang-format on
    for (From from : {From::File, From::Resource, From::Caller}) {
        std::vector<BmpFields> images = infoForms;
        // The core form, files only: triples become quads with reserved 0.
        if (from == From::File) images.push_back({.headerSize = 12, .width = 6});
        for (const BmpFields& f : images) {
            SCOPED_TRACE(testing::Message() << int(from) << ": " << f.headerSize);
            const CDib blank;
            std::vector<std::uint8_t> callers(256, 0x61);
            CDib dib;
            ASSERT_TRUE(dib.Create(&blank.GetInfo()->bmiHeader, callers.data(), false));
            ASSERT_TRUE(Load(dib, from, f));
            ExpectImageOf(dib, f);
            EXPECT_EQ(callers, std::vector<std::uint8_t>(256, 0x61));
        }
    }
}

// Headers no source accepts; what only a file can get wrong (resources and callers take the
// info form only); every truncation of valid files and resources; a file error at any read.
TEST(DibLoad, RefusesWhatDoesNotFitAndKeepsTheImage) {
    // clang-format off
    const std::vector<BmpFields> headers{
        {.headerSize = 0}, {.headerSize = 11}, {.headerSize = 39}, {.headerSize = 41},
        {.headerSize = 66}, {.width = 0}, {.height = -1}, {.width = INT_MIN},
        {.width = 65536, .height = 65536}, {.width = INT_MAX, .height = INT_MAX}, {.planes = 2},
        {.bitCount = 4}, {.bitCount = 24}, {.compression = 1}, {.clrUsed = 257}, {.clrUsed = 0x12341234}};
    const std::vector<BmpFields> files{
        {.headerSize = 12, .width = 65535, .height = 65535}, {.headerSize = 12, .bitCount = 4},
        {.headerSize = 12, .tableEntries = 16},  // a core table too short for 8 bits
        {.offBits = 5000, .fileSize = 6000}, {.offBits = 20}, {.offBits = 54},
        {.fileSize = 100}, {.fileSize = 14 + 40 + 1024 + 7}, {.signature = {'B', 'A'}}};
    // clang-format on
    for (From from : {From::File, From::Resource, From::Caller}) {
        std::vector<BmpFields> cases = headers;
        if (from == From::File) cases.insert(cases.end(), files.begin(), files.end());
        if (from != From::File) cases.push_back({.headerSize = 12});
        for (BmpFields f : {BmpFields{},
                            {.headerSize = 12},
                            {.headerSize = 124},
                            {.clrUsed = 3, .tableEntries = 3}})
            for (f.keep = 0; from != From::Caller && f.keep < MakeBmp(f, from == From::File).size();
                 ++f.keep)
                cases.push_back(f);
        for (std::size_t i = 0; i < cases.size(); ++i) {
            CDib dib;
            const std::uint8_t* before = dib.GetBits();
            EXPECT_FALSE(Load(dib, from, cases[i])) << "source " << int(from) << ", case " << i;
            ExpectUnchanged(dib, before);
        }
    }
    for (int failAt = 0;; ++failAt) {
        CDib dib;
        const std::uint8_t* before = dib.GetBits();
        EXPECT_FALSE(dib.ReadFromFile(nullptr) || dib.LoadFromResource(65000));
        try {
            ASSERT_TRUE(Load(dib, From::File, {.headerSize = 108, .failAt = failAt}));
            break;
        } catch (const FileException&) {
            ExpectUnchanged(dib, before);
        }
    }
}

}  // namespace
}  // namespace bravok
