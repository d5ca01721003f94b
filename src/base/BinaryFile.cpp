#include "base/BinaryFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/FileException.h"
#include "platform/RegularFile.h"

namespace bravok {

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
    std::uint64_t position = 0;
    if (const int error = FilePosition(OpenFile(), position); error != 0)
        throw FileException(FileException::Cause::Seek, m_path, error);
    return position;
}

std::uint64_t BinaryFile::GetLength() const {
    std::uint64_t length = 0;
    if (const int error = FileLength(OpenFile(), length); error != 0)
        throw FileException(FileException::Cause::Read, m_path, error);
    return length;
}

void BinaryFile::Seek(std::uint64_t position) {
    if (const int error = SeekFile(OpenFile(), position); error != 0)
        throw FileException(FileException::Cause::Seek, m_path, error);
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
