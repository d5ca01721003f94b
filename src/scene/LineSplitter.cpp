#include "scene/LineSplitter.h"

#include <algorithm>
#include <cstring>

namespace bravok {

std::vector<LineRange> SplitAtLineStarts(IBinaryFile& file, std::uint64_t size, int count) {
    std::vector<LineRange> ranges(1);
    for (int k = 1; k < count; ++k) {
        std::uint64_t at = size / static_cast<std::uint64_t>(count) * static_cast<std::uint64_t>(k);
        if (at <= ranges.back().begin) continue;
        // The first line break at or after at - 1 ends the stretch before.
        file.Seek(at - 1);
        std::uint64_t blockAt = at - 1;
        at = size;
        char block[4096];
        for (std::size_t read; (read = file.Read(block, sizeof block)) > 0; blockAt += read) {
            if (const void* found = std::memchr(block, '\n', read)) {
                at = blockAt + static_cast<std::uint64_t>(static_cast<const char*>(found) - block) +
                     1;
                break;
            }
        }
        if (at >= size) break;
        ranges.back().end = at;
        ranges.emplace_back().begin = at;
    }
    ranges.back().end = size;
    return ranges;
}

FileSlice::FileSlice(std::unique_ptr<IBinaryFile> file, LineRange range)
    : m_file(std::move(file)), m_range(range) {
    m_file->Seek(range.begin);
}

std::size_t FileSlice::Read(void* buffer, std::size_t count) {
    const std::uint64_t at = m_file->GetPosition();
    return at >= m_range.end
               ? 0
               : m_file->Read(buffer, std::min<std::uint64_t>(count, m_range.end - at));
}

}  // namespace bravok
