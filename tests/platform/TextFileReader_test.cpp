#include "platform/TextFileReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/FileException.h"

namespace bravok {
namespace {

namespace fs = std::filesystem;

class TextFileReaderTest : public ::testing::Test {
  protected:
    std::string Write(const std::string& bytes) {
        const fs::path path = m_dir / ("file" + std::to_string(m_count++));
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    // Every piece ReadString hands out, through a buffer of bufferSize bytes.
    std::vector<std::string> ReadAll(const std::string& bytes, std::size_t bufferSize = 260) {
        TextFileReader reader(Write(bytes).c_str());
        std::vector<char> buffer(bufferSize);
        std::vector<std::string> pieces;
        while (reader.ReadString(buffer.data(), buffer.size())) pieces.emplace_back(buffer.data());
        reader.Close();
        return pieces;
    }

    void SetUp() override {
        m_dir =
            fs::temp_directory_path() /
            ("bravok-text-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path m_dir;
    int m_count = 0;
};

TEST_F(TextFileReaderTest, LineEnds) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(ReadAll(""), Lines{});
    EXPECT_EQ(ReadAll("a\nb\n"), (Lines{"a\n", "b\n"})) << "a final break starts no line";
    EXPECT_EQ(ReadAll("a\nb"), (Lines{"a\n", "b"})) << "a last line without a break counts";
    EXPECT_EQ(ReadAll("a\r\nb\r\n"), (Lines{"a\n", "b\n"})) << "CR LF reads as LF";
    EXPECT_EQ(ReadAll("a\rb\r"), (Lines{"a\rb\r"})) << "a lone CR is an ordinary character";
    EXPECT_EQ(ReadAll("\n\n"), (Lines{"\n", "\n"})) << "blank lines count";
}

TEST_F(TextFileReaderTest, BufferLimitSplitsLongLines) {
    // 259 characters fit one read of a 260-byte buffer, the break included.
    const std::string fits(258, 'x');
    EXPECT_EQ(ReadAll(fits + "\n"), std::vector<std::string>{fits + "\n"});
    const std::string tooLong(259, 'x');
    EXPECT_EQ(ReadAll(tooLong + "\n"), (std::vector<std::string>{tooLong, "\n"}));
    // The CR of a CR LF is dropped before the limit is applied.
    EXPECT_EQ(ReadAll(fits + "\r\n"), std::vector<std::string>{fits + "\n"});
    EXPECT_EQ(ReadAll(std::string(600, 'y')).size(), 3u);
}

TEST_F(TextFileReaderTest, SeekToBeginReadsTheSameLinesAgain) {
    TextFileReader reader(Write("one\r\ntwo\n").c_str());
    char buffer[260];
    ASSERT_TRUE(reader.ReadString(buffer, sizeof buffer));
    ASSERT_TRUE(reader.ReadString(buffer, sizeof buffer));
    EXPECT_FALSE(reader.ReadString(buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "two\n") << "the end of the file leaves the buffer alone";
    reader.SeekToBegin();
    ASSERT_TRUE(reader.ReadString(buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "one\n");
}

TEST_F(TextFileReaderTest, FileErrorsThrowWithTheirCause) {
    try {
        TextFileReader reader((m_dir / "missing").c_str());
        FAIL() << "opening a missing file must throw";
    } catch (const FileException& error) {
        EXPECT_EQ(error.GetCause(), FileException::Cause::Open);
        EXPECT_EQ(error.GetPath(), (m_dir / "missing").string());
    }
    // A folder opens on Linux but cannot be read.
    TextFileReader reader(m_dir.c_str());
    char buffer[260];
    try {
        reader.ReadString(buffer, sizeof buffer);
        FAIL() << "reading a folder must throw";
    } catch (const FileException& error) {
        EXPECT_EQ(error.GetCause(), FileException::Cause::Read);
    }
}

}  // namespace
}  // namespace bravok
