#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>

#include "platform/FileException.h"

namespace bravok {

std::FILE* OpenRegularFile(const char* path, const std::string& shownPath) {
    if (path == nullptr) throw FileException(FileException::Cause::Open, shownPath, ENOENT);
    // O_NONBLOCK: a FIFO with no writer must not hold up the open.
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) throw FileException(FileException::Cause::Open, shownPath, errno);
    struct stat status {};
    int error = 0;
    if (::fstat(fd, &status) != 0)
        error = errno;
    else if (S_ISDIR(status.st_mode))
        error = EISDIR;
    else if (!S_ISREG(status.st_mode))
        error = EINVAL;
    // Reads of a regular file never block anyway; the flag only guarded the open.
    else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        error = errno;
    std::FILE* file = error == 0 ? ::fdopen(fd, "rb") : nullptr;
    if (file == nullptr) {
        if (error == 0) error = errno;
        ::close(fd);
        throw FileException(FileException::Cause::Open, shownPath, error);
    }
    return file;
}

int FilePosition(std::FILE* file, std::uint64_t& position) {
    const off_t at = ::ftello(file);
    if (at < 0) return errno;
    position = static_cast<std::uint64_t>(at);
    return 0;
}

int FileLength(std::FILE* file, std::uint64_t& length) {
    struct stat status {};
    if (::fstat(::fileno(file), &status) != 0) return errno;
    length = static_cast<std::uint64_t>(status.st_size);
    return 0;
}

int SeekFile(std::FILE* file, std::uint64_t position) {
    if (position > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) return EINVAL;
    return ::fseeko(file, static_cast<off_t>(position), SEEK_SET) == 0 ? 0 : errno;
}

}  // namespace bravok
