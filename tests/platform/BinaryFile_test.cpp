#include "platform/BinaryFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/FileException.h"

namespace bravok {
namespace {

// A disk file and a memory file answer alike: a short read only at the end,
// the position kept, seeking past the end allowed.
TEST(BinaryFile, DiskAndMemoryFilesReadAlike) {
    const std::vector<std::uint8_t> bytes{'b', 'r', 'a', 'v', 'o', 'k'};
    char path[] = "/tmp/bravok-file-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, bytes.data(), bytes.size()), 6);
    close(fd);
    BinaryFile disk(path);
    unlink(path);
    MemoryFile memory(bytes);
    for (IBinaryFile* file : std::vector<IBinaryFile*>{&disk, &memory}) {
        char buffer[8] = {};
        EXPECT_EQ(file->GetLength(), 6u);
        EXPECT_EQ(file->Read(buffer, 2), 2u);
        file->Seek(4);
        EXPECT_EQ(file->Read(buffer + 2, 8), 2u);
        EXPECT_EQ(std::string(buffer), "brok");
        EXPECT_EQ(file->GetPosition(), 6u);
        file->Seek(1000);
        EXPECT_EQ(file->Read(buffer, 4), 0u);
        EXPECT_EQ(file->GetPosition(), 1000u);
    }
}

TEST(BinaryFile, FailuresThrowTheFileException) {
    EXPECT_THROW(BinaryFile("/nonexistent/bravok.bmp"), FileException);
    EXPECT_THROW(BinaryFile(nullptr), FileException);
    BinaryFile directory("/");  // opens, but cannot be read
    char buffer[4];
    EXPECT_THROW(directory.Read(buffer, 4), FileException);
    EXPECT_THROW(directory.Seek(~std::uint64_t{0}), FileException);
}

}  // namespace
}  // namespace bravok
