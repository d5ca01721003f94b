#include "scene/VertexFile.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <bit>
#include <clocale>
#include <cmath>
#include <filesystem>
#include <random>
#include <sstream>

#include "NaiveVertexReader.h"
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
Values Nine(int first, int stored = 9, Values before = {}) {
    for (int i = 0; i < 9; ++i) before.push_back(i < stored ? first + i : 0);
    return before;
}

TEST(VertexFile, LinesPairIntoTrianglesWhateverTheLocale) {
    const std::string four = Line(0) + "\n" + Line(10) + "\n" + Line(20) + "\n" + Line(30) + "\n";
    struct Case {
        const char* what;
        std::string bytes;
        Values vertices, normals;
    } cases[] = {
        {"unpaired last line", four + Line(40), Nine(20, 9, Nine(0)), Nine(30, 9, Nine(10))},
        {"blank lines count", "\n\n", Nine(0, 0), Nine(0, 0)},
        {"CR LF and no last break", Line(1) + "\r\n" + Line(2), Nine(1), Nine(2)},
#ifdef _WIN32
        // Windows reads the decimal forms alone in another locale.
        {"forms a comma locale reads otherwise",
         "1.5 -2.25 3e-1 .5 0 0 0 0 0\n\n",
         {1.5, -2.25, 0.3, 0.5, 0, 0, 0, 0, 0},
         Nine(0, 0)},
    };
    const char* german = "German_Germany.1252";
#else
        {"forms a comma locale reads otherwise",
         "1.5 -2.25 3e-1 0x1.8p1 1e999 .5 0 0 0\n\n",
         {1.5, -2.25, 0.3, 3.0, HUGE_VAL, 0.5, 0, 0, 0},
         Nine(0, 0)},
    };
    const char* german = "de_DE.UTF-8";  // scripts/install-deps.sh installs it
#endif
    // The window toolkit may set the process locale from the environment: a
    // German one reads "1,5" and stops at "1.5". Vertex files use a full stop.
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    ASSERT_TRUE(std::setlocale(LC_ALL, german)) << german;
    for (const Case& c : cases) {
        for (int parts : {1, 2}) {
            const VertexMesh mesh = ReadVertexBytes(Bytes(c.bytes), parts);
            const std::size_t n = mesh.triangleCount * 9u;
            EXPECT_EQ(Values(mesh.vertices.get(), mesh.vertices.get() + n), c.vertices) << c.what;
            EXPECT_EQ(Values(mesh.normals.get(), mesh.normals.get() + n), c.normals) << c.what;
        }
    }
    double afterwards = 0;
    std::sscanf("1,5", "%lf", &afterwards);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(afterwards, 1.5) << "the caller's locale is back in force";
}

// The triangles reach the user in runs that follow one another through the
// mesh, each triangle once, already holding their values when handed over.
TEST(VertexFile, RunsHandOverEveryTriangleOnceInTheFilesOrder) {
    std::string text;
    Values vertices, normals;  // as the file gives them
    for (int t = 0; t < 3000; ++t) {
        text += Line(20 * t) + "\n" + Line(20 * t + 10) + "\n";
        vertices = Nine(20 * t, 9, vertices);
        normals = Nine(20 * t + 10, 9, normals);
    }
    for (int parts : {1, 3, 8}) {
        Values handedVertices, handedNormals;
        int runs = 0;
        const VertexMesh mesh =
            VertexFileReading(Bytes(text), parts)
                .Take([&](std::span<const double> v, std::span<const double> n) {
                    handedVertices.insert(handedVertices.end(), v.begin(), v.end());
                    handedNormals.insert(handedNormals.end(), n.begin(), n.end());
                    ++runs;
                });
        EXPECT_EQ(mesh.triangleCount, 3000);
        EXPECT_TRUE(handedVertices == vertices && handedNormals == normals) << parts << " parts";
        EXPECT_EQ(runs, parts) << "one run a part";
    }
}

// A random line that reaches every way the C library reads, cuts or ends a number.
std::string RandomLine(std::mt19937_64& rng) {
    auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    auto digits = [&](int count) {
        std::string s;
        while (count-- > 0) s += static_cast<char>('0' + pick(10));
        return s;
    };
    static const std::vector<std::string> kSpaces{" ", " ", " ", "  ", "\t", "\v", "\f", "\r"};
    // Forms other than the plain one, and text that is no number at all.
    static const std::vector<std::string> kOdd = [] {
        std::istringstream words(
            "inf -INF Infinity nan -nan NAN(12ab) nan( 0x1.8p3 -0X.8P-2 0x1p-1074 0x 0x1p 1e400 "
            "-2e308 4.9e-324 2.4e-324 1e-400 . e5 1e 1e+ --1 +-1 1,5 x 5. .5 -.5e-3 1.5.5 2-3 \x80 "
            "9007199254740993 1.7976931348623157e308");
        std::vector<std::string> list{std::string("1\0 2", 4)};
        for (std::string word; words >> word;) list.push_back(word);
        return list;
    }();
    std::string line;
    for (int i = pick(12); i > 0; --i) {
        line += kSpaces[pick(8)];
        const int form = pick(10);
        if (form < 6) {  // the plain forms tools write, most of them fast
            if (pick(3) == 0) line += "-+"[pick(6) == 0];
            line += digits(pick(4)) + (pick(6) ? "." : "") + digits(pick(form < 3 ? 8 : 22));
            if (pick(3) == 0)
                line += "eE"[pick(2)] + std::string(1, "+-"[pick(2)]) + digits(1 + pick(3));
        } else if (form < 8) {
            line += kOdd[pick(static_cast<int>(kOdd.size()))];
        } else {  // long mantissas, exponents near the edges of the fast path
            line += digits(15 + pick(16)) + "e" + std::to_string(pick(60) - 30);
        }
    }
    if (pick(20) == 0) line += std::string(150 + pick(200), ' ') + digits(40);  // cut in pieces
    if (pick(4) == 0) line += '\r';  // CR LF, long pieces included
    return line;
}

// Every value the loader reads is, bit for bit, what the naive loader gets with
// fgets into 260 bytes and sscanf, line pieces, CR LF and short lines included.
TEST(VertexFile, EveryValueHasTheBitsOfTheCLibrary) {
    const auto seed = static_cast<std::uint64_t>(::testing::UnitTest::GetInstance()->random_seed());
    std::mt19937_64 rng(seed);
    std::string text;
    for (int i = 0; i < 120'000; ++i) text += RandomLine(rng) + "\n";
    EXPECT_EQ(test::VertexMismatch(text, 3), "") << "seed " << seed;
}

// Only regular files are read: the others would block or never end (a pipe, a
// device; on Windows the console and NUL). A file too large to fit is refused
// from its size alone (a terabyte of holes here).
TEST(VertexFile, OnlyRegularFilesOfAPossibleSizeAreRead) {
    test::TempDir dir;
#ifdef _WIN32
    const std::vector<std::string> special{"CON", "NUL"};
#else
    ASSERT_EQ(mkfifo((dir / "fifo.vtx").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir / "zero.vtx");
    const std::vector<std::string> special{dir / "fifo.vtx", dir / "zero.vtx"};
#endif
    for (const std::string& path : special)
        EXPECT_THROW(ReadVertexFile(path.c_str()), FileException) << path;
    for (const std::string& path : {dir / "no.vtx", dir.Path().string()})
        EXPECT_THROW(ReadVertexFile(path.c_str()), FileException) << path;
    EXPECT_THROW(ReadVertexFile(dir.WriteHoles("huge.vtx", std::streamoff{1} << 40).c_str()),
                 std::bad_alloc);
}

}  // namespace
}  // namespace bravok
