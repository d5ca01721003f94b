#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace bravok {

// A regular file opened for reading in binary mode by the system's own means;
// one backend per system. Anything else (a folder, a FIFO, a device) is
// refused at once, as a file that cannot be opened: a FIFO would block the
// open until some writer came, a device such as /dev/zero never ends, and a
// folder has no bytes. Throws FileException naming `shownPath` on failure.
std::FILE* OpenRegularFile(const char* path, const std::string& shownPath);

// The stream's position and its file's length in bytes, and moving to a
// position; each returns 0 when it worked, or the system's error number.
int FilePosition(std::FILE* file, std::uint64_t& position);
int FileLength(std::FILE* file, std::uint64_t& length);
int SeekFile(std::FILE* file, std::uint64_t position);

}  // namespace bravok
