// Bitmaps written by an independent producer, ImageMagick, must draw exactly
// as ImageMagick itself decodes them. ImageMagick is a build dependency:
// without `convert` this test fails.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "dib/Dib.h"
#include "platform/BinaryFile.h"
#include "platform/MemoryDC.h"

namespace bravok {
namespace {

namespace fs = std::filesystem;

TEST(DibImageMagick, DrawsWhatImageMagickDecodes) {
    std::string pattern = (fs::temp_directory_path() / "bravok-im-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path dir = pattern;
    struct Case {
        const char* format;  // BMP3: the info form, BMP2: the core form, BMP: the V5 form
        int width, height;
    };
    for (const Case& c :
         {Case{"BMP3", 7, 5}, {"BMP3", 16, 3}, {"BMP2", 9, 6}, {"BMP2", 4, 11}, {"BMP", 13, 7}}) {
        SCOPED_TRACE(testing::Message() << c.format << " " << c.width << "x" << c.height);
        // 40 colours: more than 16, so ImageMagick writes 8 bits a pixel, and few
        // enough for its palette to hold them all.
        std::mt19937 random(c.width * 100 + c.height);
        std::vector<char> colours(40 * 3);
        for (char& v : colours) v = static_cast<char>(random());
        const fs::path ppm = dir / "in.ppm", bmp = dir / "out.bmp", rgb = dir / "out.rgb";
        {
            std::ofstream out(ppm, std::ios::binary);
            out << "P6\n" << c.width << " " << c.height << "\n255\n";
            for (int i = 0; i < c.width * c.height; ++i)
                out.write(&colours[3 * (i < 40 ? i : random() % 40)], 3);
        }
        for (const std::string& command :
             {"convert " + ppm.string() + " -type Palette -compress none " + c.format + ":" +
                  bmp.string(),
              "convert " + bmp.string() + " -depth 8 rgb:" + rgb.string()})
            ASSERT_EQ(std::system(command.c_str()), 0) << command;

        CDib dib;
        BinaryFile file(bmp.c_str());
        ASSERT_TRUE(dib.ReadFromFile(&file));
        MemoryDC dc(c.width, c.height);
        EXPECT_EQ(dib.Paint(&dc, 0, 0), c.height);
        std::ifstream decoded(rgb, std::ios::binary);
        const std::vector<std::uint8_t> expected{std::istreambuf_iterator<char>(decoded), {}};
        EXPECT_EQ(expected, std::vector<std::uint8_t>(dc.GetRgb().begin(), dc.GetRgb().end()));
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace bravok
