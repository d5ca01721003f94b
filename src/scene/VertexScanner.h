#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/TextFileReader.h"

namespace bravok {

// Lines of a vertex file are read through a buffer of 260 bytes: one read takes
// at most 259 characters, the line break included, and a longer line arrives in
// pieces that each count as a line of their own.
inline constexpr std::size_t kVertexLineBufferSize = 260;
inline constexpr int kValuesPerLine = 9;

// The scanner reads digits a 64-bit word at a time, so it may load up to seven
// bytes past the last byte of a piece; these must be readable. The reader hands
// out every piece with at least this many readable bytes after it.
inline constexpr std::size_t kScanPadding = sizeof(std::uint64_t);
static_assert(TextFileReader::kPadding >= kScanPadding,
              "the text reader's pieces must leave the scanner room to read a word ahead");

// Scans up to nine numbers from one piece of a line, exactly as the C library's
// "%lf %lf ..." reads them in the "C" locale, whatever the process's locale is:
// the values before the first item that does not parse, and zeros after them.
// A NUL ends the piece, as it ends the C library's string. Returns how many
// numbers were read. The piece is at most 259 bytes and has kScanPadding
// readable bytes after it, whose contents do not change the result. Reads no
// file, starts no thread and keeps no state: any thread may call it.
int ScanVertexLine(std::string_view piece, double* out);

// Scans two pieces, each exactly as ScanVertexLine does, a number of one and
// then a number of the other: each number waits on the end of the one before
// it, so reading two lines in turns goes faster than one after the other.
void ScanVertexLines(std::string_view first, double* firstOut, std::string_view second,
                     double* secondOut);

}  // namespace bravok
