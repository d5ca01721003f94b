#include "platform/BinaryFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <utility>

#include "platform/FileException.h"

namespace bravok {

namespace {

// Opens path for reading only when it names a regular file. A FIFO would block
// the open until some writer came, a device such as /dev/zero never ends, and a
// folder has no bytes: none of them is a file the game can read, so each is
// refused at once, as a file that cannot be opened.
std::FILE* OpenRegularFile(const char* path, const std::string& shownPath) {
    if (path == nullptr) throw FileException(FileException::Cause::Open, shownPath, ENOENT);
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

}  // namespace

BinaryFile::BinaryFile(const char* path)
    : m_path(path ? path : ""), m_file(OpenRegularFile(path, m_path)) {}

BinaryFile::~BinaryFile() {
    if (m_file != nullptr) std::fclose(m_file);
}

void BinaryFile::Close() {
    std::FILE* file = std::exchange(m_file, nullptr);
    if (file != nullptr && std::fclose(file) != 0)
        throw FileException(FileException::Cause::Close, m_path, errno);
}

std::FILE* BinaryFile::OpenFile() const {
    if (m_file == nullptr) throw FileException(FileException::Cause::Read, m_path, EBADF);
    return m_file;
}

std::uint64_t BinaryFile::GetPosition() const {
    const off_t position = ftello(OpenFile());
    if (position < 0) throw FileException(FileException::Cause::Seek, m_path, errno);
    return static_cast<std::uint64_t>(position);
}

std::uint64_t BinaryFile::GetLength() const {
    struct stat status {};
    if (fstat(fileno(OpenFile()), &status) != 0)
        throw FileException(FileException::Cause::Read, m_path, errno);
    return static_cast<std::uint64_t>(status.st_size);
}

void BinaryFile::Seek(std::uint64_t position) {
    if (position > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()))
        throw FileException(FileException::Cause::Seek, m_path, EINVAL);
    if (fseeko(OpenFile(), static_cast<off_t>(position), SEEK_SET) != 0)
        throw FileException(FileException::Cause::Seek, m_path, errno);
}

std::size_t BinaryFile::Read(void* buffer, std::size_t count) {
    std::FILE* file = OpenFile();
    const std::size_t read = std::fread(buffer, 1, count, file);
    if (read < count && std::ferror(file)) {
        const int error = errno;
        std::clearerr(file);
        throw FileException(FileException::Cause::Read, m_path, error);
    }
    return read;
}

std::size_t MemoryFile::Read(void* buffer, std::size_t count) {
    if (count == 0 || m_position >= m_bytes.size()) return 0;
    const std::size_t read =
        std::min<std::uint64_t>(count, m_bytes.size() - static_cast<std::size_t>(m_position));
    std::memcpy(buffer, m_bytes.data() + m_position, read);
    m_position += read;
    return read;
}

}  // namespace bravok
