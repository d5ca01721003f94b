#include "scene/VertexFile.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/FileException.h"

namespace bravok {
namespace {

namespace fs = std::filesystem;

struct Mesh {
    int triangles = -1;
    std::vector<double> vertices;
    std::vector<double> normals;
};

class VertexFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                (std::string("bravok-vtx-") +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    Mesh Read(const std::string& bytes) {
        const fs::path path = m_dir / "mesh.vtx";
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        Mesh mesh;
        std::unique_ptr<double[]> vertices;
        std::unique_ptr<double[]> normals;
        ReadVertexFile(path.c_str(), mesh.triangles, vertices, normals);
        mesh.vertices.assign(vertices.get(), vertices.get() + 9 * mesh.triangles);
        mesh.normals.assign(normals.get(), normals.get() + 9 * mesh.triangles);
        return mesh;
    }

    fs::path m_dir;
};

// Nine numbers starting at `first`, one apart.
std::string Line(int first) {
    std::string line;
    for (int i = 0; i < 9; ++i) line += (i ? " " : "") + std::to_string(first + i);
    return line;
}

std::vector<double> Values(int first) {
    std::vector<double> values;
    for (int i = 0; i < 9; ++i) values.push_back(first + i);
    return values;
}

std::vector<double> Concat(std::vector<double> a, const std::vector<double>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(VertexFileTest, LinesPairIntoTrianglesAndAnUnpairedLineIsIgnored) {
    const std::string four = Line(0) + "\n" + Line(10) + "\n" + Line(20) + "\n" + Line(30) + "\n";
    const Mesh mesh = Read(four);
    EXPECT_EQ(mesh.triangles, 2);
    EXPECT_EQ(mesh.vertices, Concat(Values(0), Values(20)));
    EXPECT_EQ(mesh.normals, Concat(Values(10), Values(30)));

    const Mesh five = Read(four + Line(40) + "\n");
    EXPECT_EQ(five.triangles, 2);
    EXPECT_EQ(five.vertices, mesh.vertices);
    EXPECT_EQ(five.normals, mesh.normals);

    EXPECT_EQ(Read("").triangles, 0);
    EXPECT_EQ(Read(Line(0)).triangles, 0);
    EXPECT_EQ(Read("\n\n").triangles, 1) << "blank lines count as lines";
}

TEST_F(VertexFileTest, LineEndsAndSpacingDoNotChangeTheMesh) {
    const Mesh lf = Read(Line(1) + "\n" + Line(2) + "\n");
    const Mesh crlf = Read(Line(1) + "\r\n" + Line(2) + "\r\n");
    const Mesh noFinalBreak = Read(Line(1) + "\n" + Line(2));
    EXPECT_EQ(crlf.vertices, lf.vertices);
    EXPECT_EQ(crlf.normals, lf.normals);
    EXPECT_EQ(noFinalBreak.normals, lf.normals);

    const Mesh spaced = Read("  1\t2  3\t\t4 5 6 7 8 9 10 11\n\t1 2 3 4 5 6 7 8 9\n");
    EXPECT_EQ(spaced.vertices, Values(1)) << "tabs, runs of blanks, a tenth number";
    EXPECT_EQ(spaced.normals, Values(1));
}

TEST_F(VertexFileTest, ShortOrBrokenLinesLeaveTheRestAtZero) {
    const Mesh mesh = Read("1 2 3\n4 5 x 7 8 9 10 11 12\n");
    EXPECT_EQ(mesh.vertices, (std::vector<double>{1, 2, 3, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(mesh.normals, (std::vector<double>{4, 5, 0, 0, 0, 0, 0, 0, 0}));

    static constexpr char kOdd[] = "\x01\xff\x7f garbage\n1 2 3 4 5 6 7 8 9\0 tail\n";
    const Mesh odd = Read(std::string(kOdd, sizeof kOdd - 1));
    EXPECT_EQ(odd.triangles, 1);
    EXPECT_EQ(odd.vertices, std::vector<double>(9, 0.0));
    EXPECT_EQ(odd.normals, Values(1));
}

TEST_F(VertexFileTest, LongLinesArriveInPiecesThatCountAsLines) {
    // 258 characters and the break are one read; one more character makes the
    // break a line of its own.
    std::string fits = Line(1);
    fits += std::string(258 - fits.size(), ' ');
    ASSERT_EQ(fits.size(), 258u);
    EXPECT_EQ(Read(fits + "\n" + Line(2) + "\n").triangles, 1);

    std::string tooLong = Line(1);
    tooLong += std::string(259 - tooLong.size(), ' ');
    const Mesh split = Read(tooLong + "\n" + Line(2) + "\n");
    EXPECT_EQ(split.triangles, 1) << "three lines: the long one, its break, the next";
    EXPECT_EQ(split.vertices, Values(1));
    EXPECT_EQ(split.normals, std::vector<double>(9, 0.0)) << "the break alone scans nothing";
}

TEST_F(VertexFileTest, MissingFileThrowsAFileError) {
    int triangles = 0;
    std::unique_ptr<double[]> vertices, normals;
    EXPECT_THROW(ReadVertexFile((m_dir / "nope.vtx").c_str(), triangles, vertices, normals),
                 FileException);
    EXPECT_THROW(ReadVertexFile(m_dir.c_str(), triangles, vertices, normals), FileException)
        << "a folder cannot be read";
}

// The same bits as the C library's own "%lf" in the C locale, for numbers whose
// reading is easy to get subtly wrong.
TEST(ScanVertexLine, ReadsEveryNumberExactlyAsTheCLibraryDoes) {
    const char* const inputs[] = {
        "0 -0 +0 1 -1 +1.5 .5 5. 1e3",
        "3.14159265358979323846 2.718281828459045 1e308 1.7976931348623157e308 2e308 -2e308 "
        "4.9e-324 2.4e-324 1e-400",
        "inf -inf INF infinity -Infinity nan -nan NAN nan(123)",
        "0x1p-1074 0x1.fffffffffffffp1023 0X1.8P1 -0x.8p1 0x10 0x1p+2 0x 0x1p",
        "0.1 0.2 0.3 123456789012345678901234567890 9007199254740993 1e-5 1E+5 1e+ 7",
        "1.00000000000000011102230246251565404236316680908203125 "
        "1.000000000000000111022302462515654042363166809082031251 2.5e-8 -3.75e-310 1 2 3 4",
        "1,5 2 3 4 5 6 7 8 9",
        "--1 2 3",
        "+-1 2 3",
    };
    for (const char* input : inputs) {
        double ours[9] = {}, theirs[9] = {};
        const int stored = ScanVertexLine(input, ours);
        int expected = std::sscanf(input, "%lf %lf %lf %lf %lf %lf %lf %lf %lf", &theirs[0],
                                   &theirs[1], &theirs[2], &theirs[3], &theirs[4], &theirs[5],
                                   &theirs[6], &theirs[7], &theirs[8]);
        if (expected < 0) expected = 0;
        EXPECT_EQ(stored, expected) << input;
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(std::bit_cast<std::uint64_t>(ours[i]),
                      std::bit_cast<std::uint64_t>(theirs[i]))
                << input << " value " << i;
    }
}

// The window toolkit sets the process locale from the environment; a German
// one reads "1,5" and stops at "1.5". Vertex files use a full stop regardless.
TEST(ScanVertexLine, IgnoresTheProcessLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the de_DE.UTF-8 locale must be installed (scripts/install-deps.sh does it)";
    double plain = 0;
    std::sscanf("1.5", "%lf", &plain);
    EXPECT_EQ(plain, 1.0) << "the German locale is not in effect";

    double values[9] = {};
    EXPECT_EQ(ScanVertexLine("1.5 -2.25 3e-1 0x1.8p1 4 5 6 7 8.125", values), 9);
    EXPECT_EQ(values[0], 1.5);
    EXPECT_EQ(values[1], -2.25);
    EXPECT_EQ(values[2], 0.3);
    EXPECT_EQ(values[3], 3.0);
    EXPECT_EQ(values[8], 8.125);

    double afterwards = 0;
    std::sscanf("1,5", "%lf", &afterwards);
    EXPECT_EQ(afterwards, 1.5) << "the caller's locale must be back in force";
    std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
}  // namespace bravok
