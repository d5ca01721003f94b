#include "base/TextFileReader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace bravok {
namespace {

using Pieces = std::vector<std::string>;

// Every piece of at most `limit` characters, with CR LF folded to LF.
Pieces ReadAll(const std::string& bytes, std::size_t limit = 259) {
    MemoryFile file({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
    TextFileReader reader(file);
    Pieces pieces;
    for (std::string_view piece; reader.ReadPiece(piece, limit);) {
        std::string& folded = pieces.emplace_back(piece);
        if (folded.ends_with("\r\n")) folded.erase(folded.size() - 2, 1);
    }
    MemoryFile again({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
    EXPECT_EQ(TextFileReader(again).CountPieces(limit), pieces.size()) << "counted from the breaks";
    return pieces;
}

TEST(TextFileReader, ReadsLinesInPiecesLikeATextStream) {
    const std::string fits(258, 'x');
    EXPECT_EQ(ReadAll(""), Pieces{});
    EXPECT_EQ(ReadAll("a\nb\n"), (Pieces{"a\n", "b\n"})) << "a final break starts no line";
    EXPECT_EQ(ReadAll("a\nb"), (Pieces{"a\n", "b"})) << "a last line without a break counts";
    EXPECT_EQ(ReadAll("a\r\n\r\nb\r"), (Pieces{"a\n", "\n", "b\r"})) << "CR LF reads as LF";
    EXPECT_EQ(ReadAll("a\rb\r\r\n"), (Pieces{"a\rb\r\n"})) << "a lone CR is a character";
    EXPECT_EQ(ReadAll(fits + "\r\n"), Pieces{fits + "\n"}) << "the CR goes before the limit";
    EXPECT_EQ(ReadAll(fits + "x\r\n"), (Pieces{fits + "x", "\n"}));
    EXPECT_EQ(ReadAll(std::string(200'000, 'y')).size(), 773u) << "259 a read, across blocks";
    EXPECT_EQ(ReadAll(std::string(65535, 'y') + "\r\n", 256).size(), 256u) << "CR LF across blocks";
    EXPECT_EQ(ReadAll("abcdefg\n", 3), (Pieces{"abc", "def", "g\n"}));
}

// Lines of every length around the limits and around the stretch the count
// takes a chunk at a time, CR LF or not, across many blocks: counting them from
// the breaks, and reading two pieces at a time, gives what reading one at a
// time does.
TEST(TextFileReader, CountsAndPairsAgreeWithReadingPieceByPiece) {
    std::mt19937 rng(7);
    std::string text;
    while (text.size() < 300'000) {
        const std::size_t lengths[] = {rng() % 80, 180 + rng() % 160, 500 + rng() % 40};
        text += std::string(lengths[rng() % 3], 'x') + (rng() % 4 ? "\n" : "\r\n");
    }
    for (const std::size_t limit : {3u, 255u, 256u, 259u}) {
        const Pieces expected = ReadAll(text, limit);
        MemoryFile file({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
        TextFileReader reader(file);
        Pieces pairs;
        std::string_view two[2];
        while (const std::size_t got = reader.ReadPieces(two, limit))
            for (std::size_t i = 0; i < got; ++i) {
                std::string& folded = pairs.emplace_back(two[i]);
                if (folded.ends_with("\r\n")) folded.erase(folded.size() - 2, 1);
            }
        EXPECT_TRUE(pairs == expected) << "limit " << limit;
    }
}

}  // namespace
}  // namespace bravok
