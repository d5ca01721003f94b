#include "platform/BinaryFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include "platform/FileException.h"

namespace bravok {

BinaryFile::BinaryFile(const char* path) : m_path(path ? path : "") {
    m_file = path ? std::fopen(path, "rb") : nullptr;
    if (m_file == nullptr) throw FileException(FileException::Cause::Open, m_path, errno);
}

BinaryFile::~BinaryFile() {
    std::fclose(m_file);
}

std::uint64_t BinaryFile::GetPosition() const {
    const off_t position = ftello(m_file);
    if (position < 0) throw FileException(FileException::Cause::Seek, m_path, errno);
    return static_cast<std::uint64_t>(position);
}

std::uint64_t BinaryFile::GetLength() const {
    struct stat status {};
    if (fstat(fileno(m_file), &status) != 0)
        throw FileException(FileException::Cause::Read, m_path, errno);
    return static_cast<std::uint64_t>(status.st_size);
}

void BinaryFile::Seek(std::uint64_t position) {
    if (position > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()))
        throw FileException(FileException::Cause::Seek, m_path, EINVAL);
    if (fseeko(m_file, static_cast<off_t>(position), SEEK_SET) != 0)
        throw FileException(FileException::Cause::Seek, m_path, errno);
}

std::size_t BinaryFile::Read(void* buffer, std::size_t count) {
    const std::size_t read = std::fread(buffer, 1, count, m_file);
    if (read < count && std::ferror(m_file)) {
        const int error = errno;
        std::clearerr(m_file);
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
