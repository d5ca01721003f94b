#include "scene/VertexFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <bit>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "TempDir.h"
#include "platform/FileException.h"

namespace bravok {
namespace {

using Values = std::vector<double>;

std::span<const std::uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Nine numbers from `first` on, one apart, as a line and as values.
std::string Line(int first) {
    std::string line;
    for (int i = 0; i < 9; ++i) line += (i ? " " : "") + std::to_string(first + i);
    return line;
}
Values Nine(int first, int stored = 9) {
    Values values(9, 0.0);
    for (int i = 0; i < stored; ++i) values[i] = first + i;
    return values;
}
Values Join(Values a, const Values& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(VertexFile, LinesPairIntoTriangles) {
    const std::string four = Line(0) + "\n" + Line(10) + "\n" + Line(20) + "\n" + Line(30) + "\n";
    const std::string longest(258 - Line(1).size(), ' ');  // with its break: one read
    struct Case {
        const char* what;
        std::string bytes;
        Values vertices, normals;
    } cases[] = {
        {"corners, then normals", four, Join(Nine(0), Nine(20)), Join(Nine(10), Nine(30))},
        {"unpaired last line", four + Line(40), Join(Nine(0), Nine(20)), Join(Nine(10), Nine(30))},
        {"empty", "", {}, {}},
        {"one line", Line(0) + "\n", {}, {}},
        {"blank lines count", "\n\n", Nine(0, 0), Nine(0, 0)},
        {"CR LF and no last break", Line(1) + "\r\n" + Line(2), Nine(1), Nine(2)},
        {"tabs, runs of blanks, a tenth number", " 1\t2  3\v4\f5\r6 7 8 9 10\n\t1 2 3 4 5 6 7 8 9",
         Nine(1), Nine(1)},
        {"short and broken lines", "1 2 3\n4 5 x 7\n", Nine(1, 3), Nine(4, 2)},
        {"258 characters", Line(1) + longest + "\n" + Line(2) + "\n", Nine(1), Nine(2)},
        {"258 characters and CR LF", Line(1) + longest + "\r\n" + Line(2) + "\n", Nine(1),
         Nine(2)},
        {"259 characters: the break is a line", Line(1) + longest + " \n" + Line(2) + "\n",
         Nine(1), Nine(0, 0)},
    };
    for (const Case& c : cases) {
        for (int parts : {1, 2}) {
            const VertexMesh mesh = ReadVertexBytes(Bytes(c.bytes), parts);
            ASSERT_EQ(mesh.triangleCount * 9u, c.vertices.size()) << c.what;
            EXPECT_EQ(Values(mesh.vertices.get(), mesh.vertices.get() + c.vertices.size()),
                      c.vertices)
                << c.what;
            EXPECT_EQ(Values(mesh.normals.get(), mesh.normals.get() + c.normals.size()), c.normals)
                << c.what;
        }
    }
}

// A random line built to reach every way the C library reads a number, and
// every way a number can be cut or end a line.
std::string RandomLine(std::mt19937_64& rng) {
    auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    auto digits = [&](int count) {
        std::string s;
        for (int i = 0; i < count; ++i) s += static_cast<char>('0' + pick(10));
        return s;
    };
    static const char* const kSpaces[] = {" ", " ", " ", "  ", "\t", "\v", "\f", "\r"};
    static const char* const kOdd[] = {
        "inf", "-INF", "Infinity", "nan", "-nan", "NAN(12ab)", "nan(", "0x1.8p3", "-0X.8P-2",
        "0x1p-1074", "0x", "0x1p", "1e400", "-2e308", "4.9e-324", "2.4e-324", "1e-400", ".",
        "e5", "1e", "1e+", "--1", "+-1", "1,5", "x", "5.", ".5", "-.5e-3", "1.5.5", "2-3",
        "1.7976931348623157e308", "9007199254740993", "\x80"};
    std::string line;
    const int numbers = pick(12);
    for (int i = 0; i < numbers; ++i) {
        line += kSpaces[pick(8)];
        const int form = pick(10);
        if (form < 6) {  // the plain forms tools write, most of them fast
            line += std::string(pick(3) == 0 ? "-" : pick(8) == 0 ? "+" : "");
            line += digits(pick(4)) + (pick(6) ? "." : "") + digits(pick(form < 3 ? 8 : 22));
            if (pick(3) == 0) line += std::string("eE").substr(pick(2), 1) + "+-"[pick(2)] +
                                      digits(1 + pick(3));
        } else if (form < 8) {
            line += kOdd[pick(sizeof kOdd / sizeof *kOdd)];
        } else {  // long mantissas and exponents near the edges of the fast path
            line += digits(15 + pick(16)) + "e" + std::to_string(pick(60) - 30);
        }
    }
    if (pick(100) == 0) line += std::string(1, '\0') + "7 8";  // the C library stops at a NUL
    if (pick(20) == 0) line += std::string(static_cast<std::size_t>(150 + pick(200)), ' ') +
                               digits(40);  // cut into pieces, numbers split across them
    if (!line.empty() && line.back() == '\r') line.back() = ' ';  // no CR LF: fgets keeps it
    return line;
}

// Every value the loader reads is, bit for bit, what the naive loader gets with
// fgets into 260 bytes and sscanf, line pieces and short lines included.
TEST(VertexFile, EveryValueHasTheBitsOfTheCLibrary) {
    const auto seed = static_cast<std::uint64_t>(::testing::UnitTest::GetInstance()->random_seed());
    std::mt19937_64 rng(seed);
    std::string text;
    for (int i = 0; i < 120'000; ++i) text += RandomLine(rng) + "\n";

    std::vector<std::array<double, 9>> expected;
    std::FILE* file = fmemopen(text.data(), text.size(), "r");
    ASSERT_NE(file, nullptr);
    for (char piece[260]; std::fgets(piece, sizeof piece, file);) {
        auto& v = expected.emplace_back();
        v.fill(0.0);
        std::sscanf(piece, "%lf %lf %lf %lf %lf %lf %lf %lf %lf", &v[0], &v[1], &v[2], &v[3],
                    &v[4], &v[5], &v[6], &v[7], &v[8]);
    }
    std::fclose(file);

    const VertexMesh mesh = ReadVertexBytes(Bytes(text), 3);
    ASSERT_EQ(static_cast<std::size_t>(mesh.triangleCount), expected.size() / 2);
    int wrong = 0;
    for (std::size_t piece = 0; piece / 2 < static_cast<std::size_t>(mesh.triangleCount); ++piece) {
        const double* ours = &(piece % 2 ? mesh.normals : mesh.vertices)[piece / 2 * 9];
        for (int i = 0; i < 9; ++i)
            if (std::bit_cast<std::uint64_t>(ours[i]) !=
                    std::bit_cast<std::uint64_t>(expected[piece][i]) &&
                ++wrong <= 5)
                ADD_FAILURE() << "seed " << seed << ", piece " << piece << ", value " << i
                              << ": " << ours[i] << " instead of " << expected[piece][i];
    }
    EXPECT_EQ(wrong, 0);
}

// The window toolkit sets the process locale from the environment; a German
// one reads "1,5" and stops at "1.5". Vertex files use a full stop regardless.
TEST(VertexFile, IgnoresTheProcessLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the de_DE.UTF-8 locale must be installed (scripts/install-deps.sh does it)";
    const VertexMesh mesh = ReadVertexBytes(Bytes("1.5 -2.25 3e-1 0x1.8p1 1e999 .5 1 2 3\n\n"));
    double afterwards = 0;
    std::sscanf("1,5", "%lf", &afterwards);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(Values(mesh.vertices.get(), mesh.vertices.get() + 9),
              (Values{1.5, -2.25, 0.3, 3.0, HUGE_VAL, 0.5, 1, 2, 3}));
    EXPECT_EQ(afterwards, 1.5) << "the caller's locale is back in force";
}

// Nothing but a regular file is read: the others are refused at once, as files
// that cannot be opened, where reading them would block or never end.
TEST(VertexFile, OnlyRegularFilesAreRead) {
    test::TempDir dir;
    const std::string fifo = dir / "fifo.vtx";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir / "zero.vtx");
    for (const std::string& path : {dir / "missing.vtx", dir.Path().string(), fifo, dir / "zero.vtx"})
        EXPECT_THROW(ReadVertexFile(path.c_str()), FileException) << path;
}

// A file so large that its mesh could never fit is refused from its size,
// without reading it: here a terabyte of holes that would take hours to count.
TEST(VertexFile, FileTooLargeForMemoryIsRefusedBeforeReading) {
    test::TempDir dir;
    const std::string path = dir / "huge.vtx";
    const int fd = open(path.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, off_t{1} << 40), 0);
    close(fd);
    EXPECT_THROW(ReadVertexFile(path.c_str()), std::bad_alloc);
}

}  // namespace
}  // namespace bravok
