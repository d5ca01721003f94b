#include "base/TextFileReader.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace bravok {

namespace {

// Sixteen bytes compared at once, with GCC's and Clang's vector types: SSE2 on
// x86-64, plain code elsewhere.
using Bytes16 = std::uint8_t __attribute__((vector_size(16)));
using Words2 = std::uint64_t __attribute__((vector_size(16)));

constexpr std::size_t kChunk = 64;
// Three whole chunks without a line break are the least a line longer than
// this must hold, wherever it starts: any shorter stretch between breaks
// spans at most two.
constexpr std::size_t kLongestShortLine = 4 * kChunk - 1;

// The line breaks among 64 bytes.
inline unsigned LineBreaksIn(const char* chunk) {
    const Bytes16 lineBreak = (Bytes16{} + '\n');
    Bytes16 count{};
    for (std::size_t at = 0; at < kChunk; at += sizeof(Bytes16)) {
        Bytes16 bytes;
        std::memcpy(&bytes, chunk + at, sizeof bytes);
        count -= reinterpret_cast<Bytes16>(bytes == lineBreak);  // a match is all ones
    }
    // Each byte holds 0 to 4; one multiplication adds up the eight of a word.
    const auto words = reinterpret_cast<Words2>(count);
    constexpr std::uint64_t kEveryByte = 0x0101010101010101;
    return static_cast<unsigned>(((words[0] * kEveryByte) >> 56) + ((words[1] * kEveryByte) >> 56));
}

// From the start of a line, counts the lines that end in whole chunks of 64
// bytes up to `end`, for as long as none of them can be longer than 255 bytes:
// every such line is one piece of a limit of 255 or more. Stops before three
// chunks in a row without a line break. Returns the start of the line after
// the last one counted.
const char* CountShortLines(const char* p, const char* end, std::uint64_t& lines) {
    const char* const start = p;
    int withoutBreak = 0;  // chunks in a row
    for (; end - p >= static_cast<std::ptrdiff_t>(kChunk); p += kChunk) {
        const unsigned breaks = LineBreaksIn(p);
        if (breaks == 0 && ++withoutBreak == 3) break;
        if (breaks != 0) withoutBreak = 0;
        lines += breaks;
    }
    // The last break lies at most three chunks back.
    while (p != start && p[-1] != '\n') --p;
    return p;
}

}  // namespace

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
    return ReadPieces({&piece, 1}, limit) == 1;
}

std::size_t TextFileReader::ReadPieces(std::span<std::string_view> pieces, std::size_t limit) {
    if (m_source == nullptr) return 0;
    limit = std::clamp<std::size_t>(limit, 1, m_blockSize - 1);
    // A piece takes at most one byte more than the limit (a CR LF right at the
    // limit still folds), and which bytes it takes shows within as many: the
    // pieces asked for come from the block as it is once filled, as many as
    // fit it for certain.
    const std::size_t count = std::min(pieces.size(), m_blockSize / (limit + 1));
    Fill(count * (limit + 1));
    std::size_t taken = 0;
    for (; taken < count && m_begin < m_end; ++taken) {
        const std::size_t available = m_end - m_begin;
        const char* start = m_block.get() + m_begin;
        const std::size_t searched = std::min(available, limit + 1);
        std::size_t length = std::min(available, limit);
        if (const void* found = std::memchr(start, '\n', searched)) {
            const std::size_t at =
                static_cast<std::size_t>(static_cast<const char*>(found) - start);
            const std::size_t folded = (at > 0 && start[at - 1] == '\r') ? at : at + 1;
            if (folded <= limit) length = at + 1;
        }
        pieces[taken] = std::string_view(start, length);
        m_begin += length;
    }
    return taken;
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
            // The lines of a vertex file are short: most are counted a chunk at a time.
            if (limit >= kLongestShortLine) p = CountShortLines(p, end, pieces);
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
