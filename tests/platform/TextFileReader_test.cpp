#include "platform/TextFileReader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "TempDir.h"
#include "platform/FileException.h"

namespace bravok {
namespace {

using Pieces = std::vector<std::string>;

// Every piece ReadString hands out through a buffer of `size` bytes, read from
// memory and from the same bytes on disk, and again after going back to the start.
Pieces ReadAll(const std::string& bytes, std::size_t size = 260) {
    test::TempDir dir;
    MemoryFile memory({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
    TextFileReader fromMemory(memory);
    TextFileReader fromDisk(dir.Write("text", bytes).c_str());
    Pieces pieces[3];
    std::vector<char> buffer(size);
    for (TextFileReader* reader : {&fromMemory, &fromDisk})
        while (reader->ReadString(buffer.data(), size)) pieces[reader == &fromDisk].push_back(buffer.data());
    fromDisk.SeekToBegin();
    while (fromDisk.ReadString(buffer.data(), size)) pieces[2].push_back(buffer.data());
    fromDisk.Close();
    EXPECT_EQ(pieces[0], pieces[1]);
    EXPECT_EQ(pieces[0], pieces[2]);
    return pieces[0];
}

TEST(TextFileReader, ReadsLinesInPiecesLikeATextStream) {
    const std::string fits(258, 'x');
    EXPECT_EQ(ReadAll(""), Pieces{});
    EXPECT_EQ(ReadAll("a\nb\n"), (Pieces{"a\n", "b\n"})) << "a final break starts no line";
    EXPECT_EQ(ReadAll("a\nb"), (Pieces{"a\n", "b"})) << "a last line without a break counts";
    EXPECT_EQ(ReadAll("a\r\n\r\nb\r"), (Pieces{"a\n", "\n", "b\r"})) << "CR LF reads as LF";
    EXPECT_EQ(ReadAll("a\rb\r\r\n"), (Pieces{"a\rb\r\n"})) << "a lone CR is a character";
    EXPECT_EQ(ReadAll(fits + "\n"), Pieces{fits + "\n"}) << "259 characters fit";
    EXPECT_EQ(ReadAll(fits + "\r\n"), Pieces{fits + "\n"}) << "the CR goes before the limit";
    EXPECT_EQ(ReadAll(fits + "x\n"), (Pieces{fits + "x", "\n"}));
    EXPECT_EQ(ReadAll(fits + "x\r\n"), (Pieces{fits + "x", "\n"}));
    EXPECT_EQ(ReadAll(std::string(200'000, 'y')).size(), 773u) << "259 a read, across blocks";
    EXPECT_EQ(ReadAll("abcdefg\n", 4), (Pieces{"abc", "def", "g\n"}));
}

// Only regular files open: the others would block the open (a FIFO), never end
// (a device) or have nothing to read (a folder).
TEST(TextFileReader, OnlyRegularFilesOpen) {
    test::TempDir dir;
    const std::string fifo = dir / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {dir / "missing", dir.Path().string(), fifo, std::string("/dev/null")}) {
        try {
            TextFileReader reader(path.c_str());
            ADD_FAILURE() << path << " opened";
        } catch (const FileException& error) {
            EXPECT_EQ(error.GetCause(), FileException::Cause::Open) << path;
            EXPECT_EQ(error.GetPath(), path);
        }
    }
}

}  // namespace
}  // namespace bravok
