#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "base/BinaryFile.h"

namespace bravok {

// Reads a text file line by line as fgets reads a stream: one read takes at
// most a given number of characters, the line break included, so a longer line
// comes in several pieces. Line ends may be LF or CR LF, and a CR directly
// before a LF is not counted as a character: a piece is cut as if the file held
// LF alone, wherever the limit falls (the rule of Windows' text mode; glibc's
// streams have none, so the reader keeps it itself). A CR anywhere else is a
// character like any other. The bytes come from the file in large blocks
// through one bounded buffer, so a read costs a search for the line break, not
// a locked call per character. Errors throw FileException; the file is closed
// in every case.
class TextFileReader {
  public:
    // Opens a regular file of its own (see BinaryFile for what is refused).
    explicit TextFileReader(const char* path);
    // Reads a file the caller keeps alive, for example bytes in memory.
    explicit TextFileReader(IBinaryFile& source);
    TextFileReader(const TextFileReader&) = delete;
    TextFileReader& operator=(const TextFileReader&) = delete;
    ~TextFileReader();

    // The next piece of at most limit characters, as the file holds it: a
    // piece that ends in CR LF keeps its CR, uncounted. The view points into
    // the reader's buffer and holds until the next call; at least kPadding
    // readable bytes follow it, so a scanner may read ahead by a word. False at
    // the end.
    bool ReadPiece(std::string_view& piece, std::size_t limit);
    // The next pieces, as ReadPiece hands them out one by one, into `pieces`,
    // all of them holding together until the next call; returns how many it
    // gave, fewer only at the end or where the buffer cannot hold that many
    // pieces of this limit at once (always at least one, before the end).
    std::size_t ReadPieces(std::span<std::string_view> pieces, std::size_t limit);
    // How many pieces ReadPiece would still hand out with this limit, found
    // from the line breaks alone; the reader is then at the end.
    std::uint64_t CountPieces(std::size_t limit);
    void Close();

  private:
    // Makes at least count bytes available unless the file ends first.
    void Fill(std::size_t count);

  public:
    static constexpr std::size_t kPadding = 16;

  private:
    static constexpr std::size_t kBlockSize = std::size_t{1} << 16;
    // A file smaller than a block gets a buffer its size, with room for a whole
    // piece of any limit a vertex file uses: a short file costs no large buffer.
    static constexpr std::size_t kLeastBlockSize = 1024;
    static std::size_t BlockSizeFor(const IBinaryFile& file);

    std::unique_ptr<BinaryFile> m_ownFile;
    IBinaryFile* m_source = nullptr;
    std::size_t m_blockSize = 0;
    std::unique_ptr<char[]> m_block;
    std::size_t m_begin = 0;  // first unread byte in m_block
    std::size_t m_end = 0;    // one past the last byte read into m_block
    bool m_atEnd = false;     // the file has no bytes beyond m_end
};

}  // namespace bravok
