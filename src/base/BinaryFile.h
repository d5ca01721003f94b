#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

namespace bravok {

// A file of bytes read at a position of the caller's choosing: what a bitmap is
// loaded from. Positions count bytes from the beginning of the file.
class IBinaryFile {
  public:
    virtual ~IBinaryFile() = default;

    virtual std::uint64_t GetPosition() const = 0;
    virtual std::uint64_t GetLength() const = 0;
    // Moves to position; a position past the end is allowed, reads there give 0.
    virtual void Seek(std::uint64_t position) = 0;
    // Reads up to count bytes and returns how many it read, fewer only at the end.
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
};

// A regular file on disk, opened for reading; the one owner of an open C stream
// in the program. Anything else (a folder, a FIFO, a device) is refused when it
// is opened. Every failure of the system throws FileException; the file is
// closed when the object goes, or by Close, which reports a failed close.
class BinaryFile final : public IBinaryFile {
  public:
    explicit BinaryFile(const char* path);
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;
    ~BinaryFile() override;

    std::uint64_t GetPosition() const override;
    std::uint64_t GetLength() const override;
    void Seek(std::uint64_t position) override;
    std::size_t Read(void* buffer, std::size_t count) override;
    void Close();

  private:
    std::FILE* OpenFile() const;

    std::string m_path;
    std::FILE* m_file = nullptr;
};

// Bytes the caller keeps alive, read as a file: bitmaps embedded in a larger
// buffer, and test data.
class MemoryFile : public IBinaryFile {
  public:
    explicit MemoryFile(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::uint64_t GetPosition() const override { return m_position; }
    std::uint64_t GetLength() const override { return m_bytes.size(); }
    void Seek(std::uint64_t position) override { m_position = position; }
    std::size_t Read(void* buffer, std::size_t count) override;

  private:
    std::span<const std::uint8_t> m_bytes;
    std::uint64_t m_position = 0;
};

}  // namespace bravok
