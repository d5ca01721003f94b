#include "app/IconResource.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>

#include "frame/CommandIds.h"

namespace bravok {
namespace {

// The 16 colours of the classic VGA palette, as XPM writes them.
const std::set<std::string> kVgaPalette = {
    "#000000", "#800000", "#008000", "#808000", "#000080", "#800080", "#008080", "#C0C0C0",
    "#808080", "#FF0000", "#00FF00", "#FFFF00", "#0000FF", "#FF00FF", "#00FFFF", "#FFFFFF",
};

// An XPM image read back: its size and the colours its pixels use.
struct ParsedXpm {
    int width = 0, height = 0;
    std::set<std::string> coloursUsed;
};

// Reads the XPM lines, failing the test on anything malformed.
ParsedXpm Parse(std::span<const char* const> xpm) {
    ParsedXpm parsed;
    int colours = 0, charsPerPixel = 0;
    std::istringstream header(xpm[0]);
    header >> parsed.width >> parsed.height >> colours >> charsPerPixel;
    EXPECT_EQ(charsPerPixel, 1);
    EXPECT_EQ(xpm.size(), static_cast<std::size_t>(1 + colours + parsed.height));
    if (charsPerPixel != 1 || xpm.size() != static_cast<std::size_t>(1 + colours + parsed.height))
        return parsed;

    std::map<char, std::string> colourOf;
    for (int i = 0; i < colours; ++i) {
        const std::string line = xpm[static_cast<std::size_t>(1 + i)];
        std::istringstream entry(line.substr(1));
        std::string key, value;
        entry >> key >> value;
        EXPECT_EQ(key, "c") << line;
        colourOf[line[0]] = value;
    }
    for (int y = 0; y < parsed.height; ++y) {
        const std::string row = xpm[static_cast<std::size_t>(1 + colours + y)];
        EXPECT_EQ(row.size(), static_cast<std::size_t>(parsed.width)) << "row " << y;
        for (char pixel : row) {
            const auto found = colourOf.find(pixel);
            if (found == colourOf.end()) {
                ADD_FAILURE() << "undefined pixel code '" << pixel << "' in row " << y;
                continue;
            }
            parsed.coloursUsed.insert(found->second);
        }
    }
    return parsed;
}

TEST(IconImages, EachGroupHasA32And16PixelImage) {
    std::set<std::pair<unsigned, int>> images;
    for (const IconImageResource& image : IconImages()) images.insert({image.group, image.size});
    const std::set<std::pair<unsigned, int>> expected = {
        {IDR_MAINFRAME, 32}, {IDR_MAINFRAME, 16}, {IDR_SECOND_ICON, 32}, {IDR_SECOND_ICON, 16}};
    EXPECT_EQ(images, expected);
    EXPECT_EQ(IconImages().size(), expected.size());
}

// Square, of the size it claims, at most 16 colours and all of them from the VGA
// palette; the red model and the green crosshair are in every picture.
TEST(IconImages, AreSquareSixteenColourPicturesOfTheModelAndCrosshair) {
    for (const IconImageResource& image : IconImages()) {
        SCOPED_TRACE(testing::Message() << "group " << image.group << ", " << image.size << " px");
        const ParsedXpm parsed = Parse(image.xpm);
        EXPECT_EQ(parsed.width, image.size);
        EXPECT_EQ(parsed.height, image.size);
        EXPECT_LE(parsed.coloursUsed.size(), 16u);
        for (const std::string& colour : parsed.coloursUsed)
            EXPECT_TRUE(kVgaPalette.contains(colour)) << colour << " is not a VGA colour";
        EXPECT_TRUE(parsed.coloursUsed.contains("#FF0000"));
        EXPECT_TRUE(parsed.coloursUsed.contains("#00FF00"));
    }
}

}  // namespace
}  // namespace bravok
