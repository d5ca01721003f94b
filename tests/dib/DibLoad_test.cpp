// Images that come from outside: BMP files, bitmap resources and callers'
// headers, all built as bytes here and each free to lie.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "BmpBuilder.h"
#include "dib/Dib.h"
#include "platform/BinaryFile.h"
#include "platform/BitmapResources.h"
#include "platform/FileException.h"

namespace bravok {
namespace {

using test::BmpFields;
enum class From { File, Resource, Caller };

bool Load(CDib& dib, From from, const BmpFields& f) {
    if (from == From::File) {
        const std::vector<std::uint8_t> bytes = test::MakeBmp(f);
        MemoryFile file(bytes);
        return dib.ReadFromFile(&file);
    }
    std::vector<std::uint8_t> bytes = test::MakeDibBytes(f);
    if (from == From::Caller) {
        const std::size_t pixelsAt = bytes.size() - test::PixelsFor(f.width, f.height).size();
        return dib.Create(reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data()), &bytes[pixelsAt],
                          true);
    }
    // Resources never change once there, so each needs an id of its own.
    static std::uint16_t id = 1000;
    EXPECT_TRUE(ResourceModule::Current().RegisterBitmap(id, bytes));
    EXPECT_FALSE(ResourceModule::Current().RegisterBitmap(id, {}));
    return dib.LoadFromResource(0xABCD0000u | id++);  // only the low 16 bits name it
}

void ExpectImageOf(const CDib& dib, const BmpFields& f) {
    ASSERT_EQ(dib.GetRect(), (Rect{0, 0, f.width, f.height}));
    EXPECT_TRUE(dib.OwnsBits());
    EXPECT_EQ(dib.GetInfo()->bmiHeader.biSize, 40u);
    EXPECT_EQ(dib.GetInfo()->bmiHeader.biClrUsed, f.clrUsed);
    for (int i = 0; i < 256; ++i) {
        const RGBQUAD& c = dib.GetInfo()->bmiColors[i];
        const bool declared = i < (f.clrUsed ? int(f.clrUsed) : 256);
        ASSERT_EQ(RGB(c.rgbRed, c.rgbGreen, c.rgbBlue), declared ? test::EntryRgb(i) : 0) << i;
        ASSERT_EQ(c.rgbReserved, declared && f.headerSize != 12 ? 0x5A : 0) << i;
    }
    const std::vector<std::uint8_t> pixels = test::PixelsFor(f.width, f.height);
    EXPECT_EQ(std::memcmp(dib.GetBits(), pixels.data(), pixels.size()), 0);
}

void ExpectUnchanged(const CDib& dib, const std::uint8_t* bits) {
    EXPECT_EQ(dib.GetBits(), bits);
    EXPECT_EQ(dib.GetRect(), (Rect{0, 0, 16, 16}));
    EXPECT_EQ(dib.GetInfo()->bmiColors[9].rgbRed, 9);
}

TEST(DibLoad, ReadsEveryHeaderFormWithItsColourTable) {
    // The later header forms carry their colour table after the whole header.
    // clang-format off
    const std::vector<BmpFields> images{
        {.width = 5, .height = 3}, {.headerSize = 52}, {.headerSize = 56}, {.headerSize = 108},
        {.headerSize = 124, .width = 7}, {.clrUsed = 2, .tableEntries = 2},
        {.clrUsed = 1, .tableEntries = 1}};
    // clang-format on
    for (From from : {From::File, From::Resource, From::Caller}) {
        for (const BmpFields& f : images) {
            SCOPED_TRACE(testing::Message() << int(from) << ": size " << f.headerSize << ", "
                                            << f.clrUsed << " colours");
            CDib dib;
            ASSERT_TRUE(Load(dib, from, f));
            ExpectImageOf(dib, f);
        }
    }
    // The core form, files only: 256 triples become quads with reserved 0.
    CDib dib;
    ASSERT_TRUE(Load(dib, From::File, {.headerSize = 12, .width = 6}));
    ExpectImageOf(dib, {.headerSize = 12, .width = 6});
}

TEST(DibLoad, FileInsideALargerFileCountsFromItsStart) {
    std::vector<std::uint8_t> bytes(1000, 0xEE);
    const std::vector<std::uint8_t> bmp = test::MakeBmp({.width = 7});
    bytes.insert(bytes.end(), bmp.begin(), bmp.end());
    MemoryFile file(bytes);
    file.Seek(1000);
    CDib dib;
    ASSERT_TRUE(dib.ReadFromFile(&file));
    ExpectImageOf(dib, {.width = 7});
}

TEST(DibLoad, ReadingOverAttachedPixelsLeavesThemToTheCaller) {
    const std::vector<std::uint8_t> header = test::MakeDibBytes({});
    std::vector<std::uint8_t> pixels(8, 0x61);
    CDib dib;
    ASSERT_TRUE(
        dib.Create(reinterpret_cast<const BITMAPINFOHEADER*>(header.data()), pixels.data(), false));
    ASSERT_TRUE(Load(dib, From::File, {.width = 2}));
    EXPECT_TRUE(dib.OwnsBits());
    EXPECT_EQ(pixels, std::vector<std::uint8_t>(8, 0x61));
}

TEST(DibLoad, RefusesWhatDoesNotFitAndKeepsTheImage) {
    // Headers none of the three sources accepts.
    // clang-format off
    const std::vector<BmpFields> headers{
        {.headerSize = 0}, {.headerSize = 11}, {.headerSize = 13}, {.headerSize = 39},
        {.headerSize = 41}, {.headerSize = 64}, {.headerSize = 66},
        {.width = 0}, {.height = 0}, {.width = -1}, {.height = -1}, {.width = INT_MIN},
        {.height = INT_MIN}, {.width = 65536, .height = 65536},
        {.width = INT_MAX, .height = INT_MAX}, {.planes = 0}, {.planes = 2},
        {.bitCount = 0}, {.bitCount = 1}, {.bitCount = 4}, {.bitCount = 16}, {.bitCount = 24},
        {.bitCount = 30000}, {.compression = 1}, {.compression = 2},
        {.clrUsed = 257}, {.clrUsed = 300}, {.clrUsed = 0x12341234}};
    // And what only a file can get wrong; resources and callers take the info
    // form only, so the core form is among theirs.
    const std::vector<BmpFields> files{
        {.headerSize = 12, .width = 0}, {.headerSize = 12, .width = 65535, .height = 65535},
        {.headerSize = 12, .bitCount = 4},
        {.headerSize = 12, .tableEntries = 16},  // a core table too short for 8 bits
        {.offBits = 5000},                       // past the end and above bfSize
        {.offBits = 5000, .fileSize = 6000},     // past the end
        {.offBits = 20}, {.offBits = 54},        // inside the header, the colour table
        {.fileSize = 100},                       // below bfOffBits
        {.fileSize = 14 + 40 + 1024 + 7}};       // a byte short of the pixels
    // clang-format on
    for (From from : {From::File, From::Resource, From::Caller}) {
        std::vector<BmpFields> cases = headers;
        if (from == From::File) cases.insert(cases.end(), files.begin(), files.end());
        if (from != From::File) cases.push_back({.headerSize = 12});
        for (std::size_t i = 0; i < cases.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "source " << int(from) << ", case " << i);
            CDib dib;
            const std::uint8_t* before = dib.GetBits();
            EXPECT_FALSE(Load(dib, from, cases[i]));
            ExpectUnchanged(dib, before);
        }
    }
}

TEST(DibLoad, EveryTruncationOrMissingPieceIsRefused) {
    for (std::uint32_t size : {40u, 12u, 124u}) {
        const std::vector<std::uint8_t> bmp = test::MakeBmp({.headerSize = size});
        for (std::size_t length = 0; length < bmp.size(); ++length) {
            const std::vector<std::uint8_t> cut(bmp.begin(), bmp.begin() + length);
            MemoryFile file(cut);
            CDib dib;
            const std::uint8_t* before = dib.GetBits();
            EXPECT_FALSE(dib.ReadFromFile(&file)) << size << ": " << length;
            ExpectUnchanged(dib, before);
        }
    }
    const std::vector<std::uint8_t> resource =
        test::MakeDibBytes({.clrUsed = 3, .tableEntries = 3});
    for (std::size_t length = 0; length < resource.size(); ++length) {
        const std::uint16_t id = static_cast<std::uint16_t>(2000 + length);
        ASSERT_TRUE(ResourceModule::Current().RegisterBitmap(
            id, {resource.begin(), resource.begin() + length}));
        CDib dib;
        EXPECT_FALSE(dib.LoadFromResource(id)) << length;
    }
    CDib dib;
    const std::uint8_t* before = dib.GetBits();
    EXPECT_FALSE(dib.LoadFromResource(65000));
    std::vector<std::uint8_t> bmp = test::MakeBmp({});
    bmp[1] = 'A';
    MemoryFile wrongSignature(bmp);
    EXPECT_FALSE(dib.ReadFromFile(&wrongSignature));
    EXPECT_FALSE(dib.ReadFromFile(nullptr));
    ExpectUnchanged(dib, before);
}

// Fails its nth read or seek with the file exception.
class FailingFile : public MemoryFile {
  public:
    FailingFile(const std::vector<std::uint8_t>& bytes, int failAt)
        : MemoryFile(bytes), m_left(failAt) {}
    void Seek(std::uint64_t at) override { Step(), MemoryFile::Seek(at); }
    std::size_t Read(void* to, std::size_t n) override { return Step(), MemoryFile::Read(to, n); }

  private:
    void Step() {
        if (m_left-- == 0) throw FileException(FileException::Cause::Read, "f", 5);
    }
    int m_left;
};

TEST(DibLoad, FileErrorsPassToTheCallerAndTheImageStays) {
    const std::vector<std::uint8_t> bytes = test::MakeBmp({.headerSize = 108});
    int thrown = 0;
    for (int failAt = 0; failAt < 10; ++failAt) {
        CDib dib;
        const std::uint8_t* before = dib.GetBits();
        FailingFile file(bytes, failAt);
        try {
            EXPECT_TRUE(dib.ReadFromFile(&file));
        } catch (const FileException&) {
            ++thrown;
            ExpectUnchanged(dib, before);
        }
    }
    EXPECT_EQ(thrown, 7);  // five reads and two seeks
}

}  // namespace
}  // namespace bravok
