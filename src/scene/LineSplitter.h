#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/BinaryFile.h"

namespace bravok {

// Bytes [begin, end) of a file, a stretch of whole lines: a line break ends
// every line, so where the pieces of a line fall never depends on the lines
// before it, and each stretch can be read on its own.
struct LineRange {
    std::uint64_t begin = 0;
    std::uint64_t end = 0;
};

// Splits the first `size` bytes of the file into about `count` stretches of
// similar size, each starting at a line's start; together they cover all the
// bytes, in order. Moves the file's position.
std::vector<LineRange> SplitAtLineStarts(IBinaryFile& file, std::uint64_t size, int count);

// One stretch of a file, read as a file of its own through a handle of its own.
class FileSlice final : public IBinaryFile {
  public:
    FileSlice(std::unique_ptr<IBinaryFile> file, LineRange range);
    std::uint64_t GetPosition() const override { return m_file->GetPosition() - m_range.begin; }
    std::uint64_t GetLength() const override { return m_range.end - m_range.begin; }
    void Seek(std::uint64_t position) override { m_file->Seek(m_range.begin + position); }
    std::size_t Read(void* buffer, std::size_t count) override;

  private:
    std::unique_ptr<IBinaryFile> m_file;
    LineRange m_range;
};

}  // namespace bravok
