#include "platform/BinaryFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileException.h"

namespace bravok {
namespace {

const std::vector<std::uint8_t> kBytes{'b', 'r', 'a', 'v', 'o', 'k'};

// Both kinds of file answer alike: a short read only at the end, position
// kept, seeking past the end allowed.
void ExpectBehavesAsAFile(IBinaryFile& file) {
    char buffer[8] = {};
    EXPECT_EQ(file.GetLength(), 6u);
    EXPECT_EQ(file.GetPosition(), 0u);
    EXPECT_EQ(file.Read(buffer, 2), 2u);
    EXPECT_EQ(std::string(buffer, 2), "br");
    file.Seek(4);
    EXPECT_EQ(file.Read(buffer, 8), 2u);
    EXPECT_EQ(std::string(buffer, 2), "ok");
    EXPECT_EQ(file.GetPosition(), 6u);
    EXPECT_EQ(file.Read(buffer, 1), 0u);
    file.Seek(1000);
    EXPECT_EQ(file.Read(buffer, 4), 0u);
    file.Seek(1);
    EXPECT_EQ(file.Read(buffer, 0), 0u);
    EXPECT_EQ(file.Read(buffer, 3), 3u);
    EXPECT_EQ(std::string(buffer, 3), "rav");
}

TEST(BinaryFile, MemoryFileReadsItsBytes) {
    MemoryFile file(kBytes);
    ExpectBehavesAsAFile(file);
}

TEST(BinaryFile, DiskFileReadsItsBytes) {
    char path[] = "/tmp/bravok-file-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, kBytes.data(), kBytes.size()), 6);
    close(fd);
    {
        BinaryFile file(path);
        ExpectBehavesAsAFile(file);
    }
    unlink(path);
}

TEST(BinaryFile, FailuresThrowTheFileException) {
    try {
        BinaryFile file("/nonexistent/bravok.bmp");
        FAIL() << "opened a missing file";
    } catch (const FileException& e) {
        EXPECT_EQ(e.GetCause(), FileException::Cause::Open);
        EXPECT_EQ(e.GetPath(), "/nonexistent/bravok.bmp");
    }
    EXPECT_THROW(BinaryFile(nullptr), FileException);
    // A directory opens but cannot be read.
    BinaryFile directory("/");
    char buffer[4];
    EXPECT_THROW(directory.Read(buffer, 4), FileException);
    EXPECT_THROW(directory.Seek(~std::uint64_t{0}), FileException);
}

}  // namespace
}  // namespace bravok
