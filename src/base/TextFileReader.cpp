#include "base/TextFileReader.h"

#include <algorithm>
#include <cstring>

namespace bravok {

std::size_t TextFileReader::BlockSizeFor(const IBinaryFile& file) {
    const std::uint64_t length = file.GetLength();
    const std::uint64_t left = length - std::min(file.GetPosition(), length);
    return static_cast<std::size_t>(
        std::clamp<std::uint64_t>(left + 1, kLeastBlockSize, kBlockSize));
}

TextFileReader::TextFileReader(const char* path)
    : m_ownFile(std::make_unique<BinaryFile>(path)),
      m_source(m_ownFile.get()),
      m_blockSize(BlockSizeFor(*m_source)),
      m_block(std::make_unique<char[]>(m_blockSize + kPadding)) {}

TextFileReader::TextFileReader(IBinaryFile& source)
    : m_source(&source),
      m_blockSize(BlockSizeFor(source)),
      m_block(std::make_unique<char[]>(m_blockSize + kPadding)) {}

TextFileReader::~TextFileReader() = default;

void TextFileReader::Fill(std::size_t count) {
    if (m_end - m_begin >= count || m_atEnd) return;
    if (m_begin + count > m_blockSize) {
        std::memmove(m_block.get(), m_block.get() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
    }
    while (m_end - m_begin < count && !m_atEnd) {
        const std::size_t read = m_source->Read(m_block.get() + m_end, m_blockSize - m_end);
        m_end += read;
        m_atEnd = read == 0;
    }
}

bool TextFileReader::ReadPiece(std::string_view& piece, std::size_t limit) {
    if (m_source == nullptr) return false;
    limit = std::clamp<std::size_t>(limit, 1, m_blockSize - 1);
    // One byte more than the limit: a CR LF right at the limit still folds.
    Fill(limit + 1);
    const std::size_t available = m_end - m_begin;
    if (available == 0) return false;
    const char* start = m_block.get() + m_begin;
    const std::size_t searched = std::min(available, limit + 1);
    std::size_t length = std::min(available, limit);
    if (const void* found = std::memchr(start, '\n', searched)) {
        const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(found) - start);
        const std::size_t folded = (at > 0 && start[at - 1] == '\r') ? at : at + 1;
        if (folded <= limit) length = at + 1;
    }
    piece = std::string_view(start, length);
    m_begin += length;
    return true;
}

std::uint64_t TextFileReader::CountPieces(std::size_t limit) {
    if (m_source == nullptr) return 0;
    limit = std::clamp<std::size_t>(limit, 1, m_blockSize - 1);
    // A line of n bytes up to its break, a CR before the LF not counted, comes
    // in ceil(n / limit) pieces: every piece but the last takes limit bytes,
    // and the CR LF always stays together in the last.
    const auto piecesOf = [limit](std::uint64_t length) { return (length + limit - 1) / limit; };
    std::uint64_t pieces = 0;
    std::uint64_t lineLength = 0;  // bytes of the line so far, before the block
    bool endsInReturn = false;     // the line so far ends in CR
    for (;;) {
        const char* p = m_block.get() + m_begin;
        const char* const end = m_block.get() + m_end;
        while (const void* found = std::memchr(p, '\n', static_cast<std::size_t>(end - p))) {
            const char* const lineBreak = static_cast<const char*>(found);
            const bool folds = lineBreak > p ? lineBreak[-1] == '\r' : endsInReturn;
            const std::uint64_t length =
                lineLength + static_cast<std::uint64_t>(lineBreak - p) + (folds ? 0 : 1);
            pieces += length <= limit ? 1 : piecesOf(length);
            lineLength = 0;
            endsInReturn = false;
            p = lineBreak + 1;
        }
        if (p != end) {
            lineLength += static_cast<std::uint64_t>(end - p);
            endsInReturn = end[-1] == '\r';
        }
        m_begin = m_end = 0;
        if (m_atEnd) break;
        const std::size_t read = m_source->Read(m_block.get(), m_blockSize);
        m_end = read;
        m_atEnd = read == 0;
    }
    return pieces + piecesOf(lineLength);
}

void TextFileReader::Close() {
    m_source = nullptr;
    if (m_ownFile) m_ownFile->Close();
}

}  // namespace bravok
