#include "base/BinaryFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempDir.h"
#include "platform/FileException.h"

namespace bravok {
namespace {

// A disk file and a memory file answer alike: a short read only at the end, the position
// kept, seeking past the end allowed; failures throw the file exception.
TEST(BinaryFile, DiskAndMemoryFilesReadAlikeAndFailuresThrow) {
    const test::TempDir dir;
    BinaryFile disk(dir.Write("file", "bravok").c_str());
    const std::vector<std::uint8_t> bytes{'b', 'r', 'a', 'v', 'o', 'k'};
    MemoryFile memory(bytes);
    for (IBinaryFile* file : std::vector<IBinaryFile*>{&disk, &memory}) {
        char buffer[8] = {};
        EXPECT_EQ(file->GetLength(), 6u);
        EXPECT_EQ(file->Read(buffer, 2), 2u);
        file->Seek(4);
        EXPECT_EQ(file->Read(buffer + 2, 8), 2u);
        EXPECT_EQ(std::string(buffer), "brok");
        file->Seek(1000);
        EXPECT_EQ(file->Read(buffer, 4) + file->GetPosition(), 1000u);
    }
    EXPECT_THROW(BinaryFile("/nonexistent/bravok.bmp"), FileException);
    EXPECT_THROW(BinaryFile(nullptr), FileException);
    EXPECT_THROW(BinaryFile("/"), FileException) << "a folder is refused when it is opened";
    BinaryFile file("/proc/self/exe");
    EXPECT_THROW(file.Seek(~std::uint64_t{0}), FileException);
}

}  // namespace
}  // namespace bravok
